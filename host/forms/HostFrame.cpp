#include "host/forms/HostFrame.h"

#include <algorithm>

#include "host/core/ErrorTrap.h"
#include "host/core/RuntimeError.h"
#include "host/forms/Control.h"
#include "host/forms/Form.h"

namespace host {

namespace {

std::vector<std::shared_ptr<HostFrame>>& Registry() {
    static std::vector<std::shared_ptr<HostFrame>> frames;
    return frames;
}

}  // namespace

HostFrame::~HostFrame() {
    if (form_ != nullptr && form_->frame_ == this) form_->frame_ = nullptr;
}

void HostFrame::Create(Form& form) {
    if (form_ != nullptr) Raise(err::InvalidProcedureCall, "The host frame already carries a form");
    if (form.frame_ != nullptr) {
        Raise(err::InvalidProcedureCall, "The form " + form.Name() + " is already in a host frame");
    }
    form_ = &form;
    form.frame_ = this;
    keepForm_ = form.weak_from_this().lock();
    if (auto self = weak_from_this().lock()) Registry().push_back(std::move(self));
    ListChanged().Notify();
    Changed.Notify();
    form.Load();
}

void HostFrame::SetCaption(std::string caption) {
    if (caption_ == caption) return;
    caption_ = std::move(caption);
    Changed.Notify();
}

void HostFrame::SetVisible(bool visible) {
    if (visible && form_ != nullptr) form_->Load();
    if (visible_ == visible) return;
    visible_ = visible;
    Changed.Notify();
    if (form_ != nullptr) form_->Changed.Notify();
}

long HostFrame::Width() const {
    if (width_ != 0 || form_ == nullptr) return width_;
    return form_->Width() / TwipsPerPixel + DecorationWidth;
}

long HostFrame::Height() const {
    if (height_ != 0 || form_ == nullptr) return height_;
    return form_->Height() / TwipsPerPixel + DecorationHeight;
}

void HostFrame::SetPosition(long left, long top, long width, long height) {
    if (width < 0 || height < 0) RaiseFormError(formerr::InvalidPropertyValue);
    left_ = left;
    top_ = top;
    if (width != 0) width_ = width;
    if (height != 0) height_ = height;
    Changed.Notify();
}

void HostFrame::Close() {
    auto self = weak_from_this().lock();  // the registry may hold the last reference
    if (form_ != nullptr) {
        // The host is closing the window: an unload handler that fails or cancels does not
        // keep the frame.
        Form* form = form_;
        ResumeNext([form] { form->Unload(); });
        form->frame_ = nullptr;
        form_ = nullptr;
    }
    visible_ = false;
    std::erase_if(Registry(), [this](const std::shared_ptr<HostFrame>& f) { return f.get() == this; });
    std::shared_ptr<Form> form = std::move(keepForm_);
    Changed.Notify();
    ListChanged().Notify();
    form.reset();
}

std::vector<Ref<HostFrame>> HostFrame::All() {
    std::vector<Ref<HostFrame>> frames;
    for (const auto& f : Registry()) frames.emplace_back(f);
    return frames;
}

void HostFrame::CloseAll() {
    std::vector<std::shared_ptr<HostFrame>> frames = Registry();
    for (auto& f : frames) f->Close();
}

Observers<>& HostFrame::ListChanged() {
    static Observers<> observers;
    return observers;
}

}  // namespace host
