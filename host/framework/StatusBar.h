#pragma once
// The application's status bar: a message line and the one step progress bar.

#include <string>

#include "host/core/Ref.h"
#include "host/framework/StepProgressor.h"

namespace host {

class StatusBar {
public:
    StatusBar() : progressBar_(New<StepProgressor>()) {}

    // The bar is the same object on every call.
    Ref<StepProgressor> ProgressBar() const { return progressBar_; }

    const std::string& Message() const { return message_; }
    void SetMessage(std::string text) { message_ = std::move(text); }

private:
    Ref<StepProgressor> progressBar_;
    std::string message_;
};

}  // namespace host
