#pragma once
// A handle on the running application: every AppRef made while the host runs is that
// application (taken as Application it gives the same document, status bar and command
// bars). Making one while no application runs raises error 429.

#include "host/framework/Application.h"

namespace host {

class AppRef : public Application {
public:
    AppRef();
};

}  // namespace host
