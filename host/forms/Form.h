#pragma once
// A form: a window with its controls. A form class derives from Form, declares its
// controls as members, sets their design (positions, captions, colours, ...) in its
// constructor, wires their events to its handlers and overrides Form_Load / Form_Unload.
//
// Life: made (design only, not loaded) -> Load (raises Form_Load once) -> shown and hidden
// any number of times -> Unload (raises Form_Unload; the controls go back to their design)
// -> may be loaded again. Show, Hide, ShowModal and SetVisible load a form that is not
// loaded. A form carried by a HostFrame is shown and hidden with its frame.
//
// Sizes are the client area's, in twips.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/core/Observers.h"
#include "host/forms/OleColor.h"

namespace host {

class CommandButton;
class Control;
class HostFrame;

class Form : public std::enable_shared_from_this<Form> {
public:
    explicit Form(std::string name);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const std::string& Name() const { return name_; }

    // Loads the form: its controls keep their current values as their design, the lists of
    // the file system fill themselves, then Form_Load runs. Nothing when already loaded.
    void Load();
    // Raises Form_Unload; unless the handler cancels, the form is hidden, unloaded and its
    // controls go back to their design. Returns false when cancelled. Nothing (true) when
    // not loaded.
    bool Unload();
    bool IsLoaded() const { return loaded_; }

    bool Visible() const;
    void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Shows the form modally: the current modal-dialog service runs it and this returns
    // when the form is hidden or unloaded. Error 400 when the form is already shown; error
    // 5 when the service returned with the form still open (it is hidden then).
    void ShowModal();
    bool IsModal() const { return modal_; }
    // Loaded and shown.
    bool IsOpen() const { return loaded_ && Visible(); }

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption);
    long Width() const { return width_; }
    long Height() const { return height_; }
    // Sets the client size (twips). Error 380 for a negative size.
    void SetSize(long width, long height);
    OleColor BackColor() const { return backColor_; }
    void SetBackColor(OleColor color);

    // The controls in the order they were made.
    const std::vector<Control*>& Controls() const { return controls_; }
    // The control of that name, nullptr when there is none.
    Control* FindControl(std::string_view name) const;
    Control* ActiveControl() const { return active_; }

    // The form's default and cancel buttons, nullptr when there is none.
    CommandButton* DefaultButton() const;
    CommandButton* CancelButton() const;
    // The user presses Enter or Escape: the default or cancel button is pressed when there
    // is one and the user can reach it.
    void PressEnter();
    void PressEscape();

    // The frame that carries the form, nullptr when none does.
    HostFrame* HostingFrame() const { return frame_; }

    // Called after any change of the form's own properties (caption, size, colour, shown,
    // loaded, modal).
    Observers<> Changed;

    // The loaded forms, in the order they were loaded.
    static std::vector<Form*> LoadedForms();
    // The loaded form of that name (the last loaded when several are), nullptr when none.
    static Form* FindLoaded(std::string_view name);

protected:
    virtual void Form_Load() {}
    // Setting cancel to a value other than 0 keeps the form loaded.
    virtual void Form_Unload(int& cancel) { (void)cancel; }

private:
    friend class Control;
    friend class HostFrame;
    void SetActive(Control* control);
    void Forget(Control* control);

    std::string name_;
    std::string caption_;
    long width_ = 0;
    long height_ = 0;
    OleColor backColor_ = SystemDefault;
    struct Design {
        std::string caption;
        long width = 0, height = 0;
        OleColor backColor = SystemDefault;
    };
    Design design_;
    bool designed_ = false;

    std::vector<Control*> controls_;
    Control* active_ = nullptr;
    HostFrame* frame_ = nullptr;
    bool loaded_ = false;
    bool unloading_ = false;
    bool visible_ = false;
    bool modal_ = false;
};

}  // namespace host
