#pragma once
// A flag raised for the length of a scope: set on construction, and put back to the value it
// had before on every way out (the end of the scope, a return, a run-time error). Handlers
// that code raises while it changes a control read such flags to stay quiet.
//
//   {
//       host::ScopedFlag suppress(gSuppressListClick);
//       List1.SetListIndex(-1);  // its click handler returns at once
//   }

namespace host {

class ScopedFlag {
public:
    explicit ScopedFlag(bool& flag, bool value = true) : flag_(flag), previous_(flag) { flag_ = value; }
    ~ScopedFlag() { flag_ = previous_; }
    ScopedFlag(const ScopedFlag&) = delete;
    ScopedFlag& operator=(const ScopedFlag&) = delete;

private:
    bool& flag_;
    bool previous_;
};

}  // namespace host
