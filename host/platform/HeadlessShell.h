#pragma once
// A shell that opens nothing and records every request.

#include <vector>

#include "host/platform/Shell.h"

namespace host {

class HeadlessShell : public Shell {
public:
    void Execute(const ShellRequest& request) override { requests_.push_back(request); }
    const std::vector<ShellRequest>& Requests() const { return requests_; }
    void Clear() { requests_.clear(); }

private:
    std::vector<ShellRequest> requests_;
};

}  // namespace host
