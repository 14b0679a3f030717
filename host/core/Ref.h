#pragma once
// Shared host objects. A Ref that holds nothing raises error 91 when it is used, as an
// object variable that is not set does; As<T> is the interface query (error 13).

#include <cstddef>
#include <memory>
#include <utility>

#include "host/core/RuntimeError.h"

namespace host {

template <class T> class Ref {
public:
    Ref() = default;
    Ref(std::nullptr_t) {}                           // NOLINT(google-explicit-constructor): "Set x = Nothing"
    Ref(std::shared_ptr<T> p) : p_(std::move(p)) {}  // NOLINT(google-explicit-constructor)
    template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
    Ref(const Ref<U>& other) : p_(other.shared()) {}  // NOLINT(google-explicit-constructor)

    T* operator->() const { return &get(); }
    T& operator*() const { return get(); }
    T& get() const {
        if (!p_) Raise(err::ObjectNotSet);
        return *p_;
    }

    bool IsNothing() const { return !p_; }
    explicit operator bool() const { return static_cast<bool>(p_); }
    const std::shared_ptr<T>& shared() const { return p_; }
    T* raw() const { return p_.get(); }
    void Reset() { p_.reset(); }

    template <class U> bool operator==(const Ref<U>& other) const { return p_ == other.shared(); }
    bool operator==(std::nullptr_t) const { return !p_; }

private:
    std::shared_ptr<T> p_;
};

template <class T, class... Args> Ref<T> New(Args&&... args) {
    return Ref<T>(std::make_shared<T>(std::forward<Args>(args)...));
}

// The interface query: the same object seen as a T. Error 91 when the reference is empty,
// 13 when the object is not a T.
template <class T, class U> Ref<T> As(const Ref<U>& ref) {
    if (!ref) Raise(err::ObjectNotSet);
    auto p = std::dynamic_pointer_cast<T>(ref.shared());
    if (!p) Raise(err::TypeMismatch);
    return Ref<T>(std::move(p));
}

// TypeOf ... Is T: true when the object is a T (false for an empty reference).
template <class T, class U> bool Is(const Ref<U>& ref) { return ref && dynamic_cast<T*>(ref.raw()) != nullptr; }

}  // namespace host
