#pragma once

#include <string>

namespace host {

// A place where the host keeps tables and selections; the scratch workspace holds the
// selection sets of Table::Select.
class Workspace {
public:
    explicit Workspace(std::string pathName) : pathName_(std::move(pathName)) {}
    const std::string& PathName() const { return pathName_; }

private:
    std::string pathName_;
};

}  // namespace host
