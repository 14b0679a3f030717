#include "host/forms/Form.h"

#include <algorithm>

#include "host/core/ErrorTrap.h"
#include "host/core/RuntimeError.h"
#include "host/core/ScopedFlag.h"
#include "host/forms/CommandButton.h"
#include "host/forms/Control.h"
#include "host/forms/HostFrame.h"
#include "host/forms/ModalDialogs.h"

namespace host {

namespace {

std::vector<Form*>& Registry() {
    static std::vector<Form*> loaded;
    return loaded;
}

template <class Pred> CommandButton* FindButton(const std::vector<Control*>& controls, Pred pred) {
    for (Control* c : controls) {
        auto* button = dynamic_cast<CommandButton*>(c);
        if (button != nullptr && pred(*button)) return button;
    }
    return nullptr;
}

}  // namespace

Form::Form(std::string name) : name_(std::move(name)), caption_(name_) {}

Form::~Form() {
    std::erase(Registry(), this);
    if (frame_ != nullptr) frame_->form_ = nullptr;
}

void Form::Load() {
    if (loaded_) return;
    if (!designed_) {
        // What the constructor set up is the design the form returns to when unloaded.
        for (Control* c : controls_) c->SaveDesign();
        design_ = {caption_, width_, height_, backColor_};
        designed_ = true;
    }
    // Lists of the file system fill themselves as far as they can; a missing folder only
    // leaves a list empty. Events are not raised yet.
    for (Control* c : controls_) ResumeNext([c] { c->FormLoading(); });
    loaded_ = true;
    Registry().push_back(this);
    Changed.Notify();
    Form_Load();
}

bool Form::Unload() {
    if (!loaded_ || unloading_) return true;
    int cancel = 0;
    {
        ScopedFlag unloading(unloading_);
        Form_Unload(cancel);
    }
    if (cancel != 0) return false;

    loaded_ = false;
    visible_ = false;
    modal_ = false;
    active_ = nullptr;
    std::erase(Registry(), this);
    for (Control* c : controls_) {
        c->RestoreDesign();
        c->NotifyChanged();
    }
    caption_ = design_.caption;
    width_ = design_.width;
    height_ = design_.height;
    backColor_ = design_.backColor;
    if (frame_ != nullptr && frame_->visible_) {
        frame_->visible_ = false;
        frame_->Changed.Notify();
    }
    Changed.Notify();
    return true;
}

bool Form::Visible() const { return frame_ != nullptr ? frame_->Visible() : visible_; }

void Form::SetVisible(bool visible) {
    Load();
    if (frame_ != nullptr) {
        frame_->SetVisible(visible);
        return;
    }
    if (visible_ == visible) return;
    visible_ = visible;
    Changed.Notify();
}

void Form::ShowModal() {
    if (frame_ != nullptr) Raise(err::InvalidProcedureCall, "A form in a host frame cannot be shown modally");
    Load();
    if (visible_) RaiseFormError(formerr::FormAlreadyDisplayed);
    visible_ = true;
    modal_ = true;
    Changed.Notify();
    auto close = [this] {
        visible_ = false;
        modal_ = false;
        Changed.Notify();
    };
    try {
        ModalDialogs::Current().Run(*this);
    } catch (...) {
        if (modal_) close();
        throw;
    }
    if (IsOpen()) {
        close();
        Raise(err::InvalidProcedureCall, "The modal form " + name_ + " was still open when its dialog ended");
    }
    if (modal_) {
        modal_ = false;
        Changed.Notify();
    }
}

void Form::SetCaption(std::string caption) {
    if (caption_ == caption) return;
    caption_ = std::move(caption);
    Changed.Notify();
}

void Form::SetSize(long width, long height) {
    if (width < 0 || height < 0) RaiseFormError(formerr::InvalidPropertyValue);
    if (width_ == width && height_ == height) return;
    width_ = width;
    height_ = height;
    Changed.Notify();
}

void Form::SetBackColor(OleColor color) {
    if (backColor_ == color) return;
    backColor_ = color;
    Changed.Notify();
}

Control* Form::FindControl(std::string_view name) const {
    for (Control* c : controls_) {
        if (c->Name() == name) return c;
    }
    return nullptr;
}

CommandButton* Form::DefaultButton() const {
    return FindButton(controls_, [](const CommandButton& b) { return b.Default(); });
}

CommandButton* Form::CancelButton() const {
    return FindButton(controls_, [](const CommandButton& b) { return b.Cancel(); });
}

void Form::PressEnter() {
    CommandButton* button = DefaultButton();
    if (button != nullptr && button->IsReachable()) button->Press();
}

void Form::PressEscape() {
    CommandButton* button = CancelButton();
    if (button != nullptr && button->IsReachable()) button->Press();
}

void Form::SetActive(Control* control) {
    if (active_ == control) return;
    Control* previous = active_;
    active_ = control;
    if (previous != nullptr) previous->RaiseEvent(previous->LostFocus);
}

void Form::Forget(Control* control) {
    std::erase(controls_, control);
    if (active_ == control) active_ = nullptr;
}

std::vector<Form*> Form::LoadedForms() { return Registry(); }

Form* Form::FindLoaded(std::string_view name) {
    const auto& loaded = Registry();
    for (auto it = loaded.rbegin(); it != loaded.rend(); ++it) {
        if ((*it)->Name() == name) return *it;
    }
    return nullptr;
}

}  // namespace host
