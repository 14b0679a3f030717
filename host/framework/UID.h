#pragma once
// An identifier object: holds the text of a GUID ("{AB073B49-...}") or a programmatic
// identifier ("Maker.Product") that names a command or a component.

#include <string>

namespace host {

class UID {
public:
    UID() = default;
    explicit UID(std::string value) : value_(std::move(value)) {}

    const std::string& Value() const { return value_; }
    void SetValue(std::string value) { value_ = std::move(value); }

private:
    std::string value_;
};

}  // namespace host
