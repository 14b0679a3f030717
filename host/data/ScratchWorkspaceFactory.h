#pragma once

#include "host/core/Ref.h"

namespace host {

class Workspace;

class ScratchWorkspaceFactory {
public:
    // The one scratch workspace of the session (the same object on every call).
    Ref<Workspace> DefaultScratchWorkspace() const;
};

}  // namespace host
