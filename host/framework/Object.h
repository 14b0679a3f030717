#pragma once
// The root of host objects that are handed around without a more precise type: the hook a
// command receives when it is created is one. Taking it as what it really is goes through
// host::As<T>, which raises error 13 when the object is something else.

namespace host {

class Object {
public:
    Object() = default;
    Object(const Object&) = default;
    Object& operator=(const Object&) = default;
    virtual ~Object() = default;
};

}  // namespace host
