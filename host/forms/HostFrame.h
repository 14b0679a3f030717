#pragma once
// The host's modeless frame window that carries a form. One frame per form: Create hands
// it the form (which loads the form); the frame is shown and hidden with Visible (hiding
// does not unload the form) and placed with SetPosition. Frames are host objects, made
// with host::New<HostFrame>().
//
// The host keeps every created frame, and the form in it, until the frame is closed:
// Close unloads the form (its unload handler runs) and lets both go; CloseAll does that
// for every frame when the host shuts down. Front ends find the frames in All() and hear
// of new and closed frames through ListChanged.
//
// Positions and sizes are in pixels, the outer size of the frame window.

#include <memory>
#include <string>
#include <vector>

#include "host/core/Observers.h"
#include "host/core/Ref.h"

namespace host {

class Form;

class HostFrame : public std::enable_shared_from_this<HostFrame> {
public:
    // What the frame's border and title bar add to the form's client area, in pixels.
    static constexpr long DecorationWidth = 1;
    static constexpr long DecorationHeight = 27;

    HostFrame() = default;
    ~HostFrame();
    HostFrame(const HostFrame&) = delete;
    HostFrame& operator=(const HostFrame&) = delete;

    // Puts the form into the frame and loads it (its load handler runs inside this call,
    // with the frame already carrying the form). Error 5 when the frame already carries a
    // form or the form is in another frame.
    void Create(Form& form);
    // The form the frame carries, nullptr before Create.
    Form* Window() const { return form_; }

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption);

    bool Visible() const { return visible_; }
    // Shows or hides the frame with its form; showing loads the form again when it was
    // unloaded.
    void SetVisible(bool visible);

    long Left() const { return left_; }
    long Top() const { return top_; }
    // The outer size: the form's client area with the border and title bar, unless
    // SetPosition gave a size.
    long Width() const;
    long Height() const;
    // Places the frame; a width or height of 0 keeps that side as it is.
    void SetPosition(long left, long top, long width, long height);

    // Unloads the form and lets the frame and the form go (see above).
    void Close();

    // Called after any change of the frame (caption, shown, position, closed).
    Observers<> Changed;

    static std::vector<Ref<HostFrame>> All();
    static void CloseAll();
    static Observers<>& ListChanged();

private:
    friend class Form;
    Form* form_ = nullptr;
    std::shared_ptr<Form> keepForm_;
    std::string caption_;
    bool visible_ = false;
    long left_ = 0, top_ = 0, width_ = 0, height_ = 0;
};

}  // namespace host
