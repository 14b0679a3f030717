#include "host/data/ScratchWorkspaceFactory.h"

#include "host/data/Workspace.h"

namespace host {

Ref<Workspace> ScratchWorkspaceFactory::DefaultScratchWorkspace() const {
    static const Ref<Workspace> scratch = New<Workspace>("scratch");
    return scratch;
}

}  // namespace host
