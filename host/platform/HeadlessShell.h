#pragma once
// A shell that opens nothing and records every request; every request is handed on.

#include <vector>

#include "host/platform/Shell.h"

namespace host {

class HeadlessShell : public Shell {
public:
    ShellFailure Execute(const ShellRequest& request) override {
        requests_.push_back(request);
        return std::nullopt;
    }
    const std::vector<ShellRequest>& Requests() const { return requests_; }
    void Clear() { requests_.clear(); }

private:
    std::vector<ShellRequest> requests_;
};

}  // namespace host
