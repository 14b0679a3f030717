#pragma once
// The base of every window control. A control is a plain member of its form: it is made
// with the form and its name, and optionally the frame that contains it, and it stays in
// the form's list of controls for its life.
//
//   class frmMain : public host::Form {
//       host::Frame Frame2{*this, "Frame2"};
//       host::ComboBox cboBufferLayer{*this, "cboBufferLayer", &Frame2};
//   };
//
// Positions and sizes are in twips (15 to a pixel), relative to the container (the form's
// client area, or the frame). Events are std::function slots that the form wires to its
// handlers; an event is raised synchronously, before the call that caused it returns, and
// only while the form is loaded (what a form sets up in its constructor is its design and
// raises nothing). Changed is called after any property change, so a widget bound to the
// control can refresh itself.
//
// Calls named after a user's action (Press, ChooseItem, TypeChar, ...) act as the user
// would: they raise error 5 when the user could not reach the control (its form not
// shown, the control or a frame around it hidden or disabled).

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/core/Observers.h"
#include "host/forms/Font.h"
#include "host/forms/OleColor.h"
#include "host/forms/Picture.h"

namespace host {

class Control;
class Form;
class Frame;

// A piece of a control's state that the form keeps as its design when it first loads and
// puts back when it unloads (see Designed below).
class DesignPart {
public:
    virtual void Save() = 0;
    virtual void Restore() = 0;

protected:
    ~DesignPart() = default;
};

// A member of a control whose value belongs to the form's design: the state the form's
// constructor leaves is what the control shows again after the form unloads.
//
//   Designed<std::string> caption_{*this};
template <class T> class Designed final : public DesignPart {
public:
    explicit Designed(Control& owner, T initial = T{});
    Designed(const Designed&) = delete;
    Designed& operator=(const Designed&) = delete;

    T& operator*() { return value_; }
    const T& operator*() const { return value_; }
    T* operator->() { return &value_; }
    const T* operator->() const { return &value_; }

    void Save() override { design_ = value_; }
    void Restore() override { value_ = design_; }

private:
    T value_;
    T design_;
};

inline constexpr long TwipsPerPixel = 15;
// n pixels in twips.
constexpr long Pixels(long n) { return n * TwipsPerPixel; }

// Errors the forms raise besides those of host/core.
namespace formerr {
inline constexpr long DeviceUnavailable = 68;           // "Device unavailable"
inline constexpr long InvalidPropertyValue = 380;       // "Invalid property value"
inline constexpr long InvalidPropertyArrayIndex = 381;  // "Invalid property array index"
inline constexpr long TextPropertyReadOnly = 383;       // "'Text' property is read-only"
inline constexpr long FormAlreadyDisplayed = 400;       // "Form already displayed; can't show modally"
}  // namespace formerr

// Raises one of the errors above (or of host/core) with the platform's description.
[[noreturn]] void RaiseFormError(long number);

class Control {
public:
    Control(Form& form, std::string name, Frame* container = nullptr);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // The kind's name: "Label", "CommandButton", "ComboBox", ...
    virtual std::string_view Kind() const = 0;
    const std::string& Name() const { return name_; }
    Form& Parent() const { return form_; }
    // The frame that contains the control; nullptr for the form itself.
    Frame* Container() const { return container_; }
    void SetContainer(Frame* frame);

    long Left() const { return c_->left; }
    long Top() const { return c_->top; }
    long Width() const { return c_->width; }
    long Height() const { return c_->height; }
    // Places the control (twips). Error 380 for a negative width or height.
    void Move(long left, long top, long width, long height);

    bool Visible() const { return c_->visible; }
    void SetVisible(bool visible);
    bool Enabled() const { return c_->enabled; }
    void SetEnabled(bool enabled);

    OleColor BackColor() const { return c_->backColor; }
    void SetBackColor(OleColor color);
    OleColor ForeColor() const { return c_->foreColor; }
    void SetForeColor(OleColor color);

    const std::string& ToolTipText() const { return c_->toolTip; }
    void SetToolTipText(std::string text);
    const host::Font& Font() const { return c_->font; }
    void SetFont(host::Font font);

    // The pointer shown over the control (the Screen's values: 0 default, 99 the MouseIcon).
    int MousePointer() const { return c_->mousePointer; }
    void SetMousePointer(int shape);
    const Picture& MouseIcon() const { return c_->mouseIcon; }
    void SetMouseIcon(Picture icon);

    // Tab order within the form; new controls follow the ones made before them.
    int TabIndex() const { return c_->tabIndex; }
    void SetTabIndex(int index);

    // True when a user could act on the control now.
    bool IsReachable() const;

    // Focus: SetFocus makes this the form's active control (the one that had the focus
    // raises LostFocus); LoseFocus takes the focus away from it and raises LostFocus.
    void SetFocus();
    void LoseFocus();

    // A user's click on the control; raises Click.
    virtual void Press();

    std::function<void()> Click;
    std::function<void()> LostFocus;
    Observers<> Changed;

protected:
    // Raises an event when the form is loaded and a handler is wired.
    void RaiseEvent(const std::function<void()>& event) const;
    bool RaisesEvents() const;
    void NotifyChanged() { Changed.Notify(); }
    // Sets a property and notifies when the value differs; returns whether it did.
    template <class T, class V> bool Update(T& field, V&& value) {
        if (field == value) return false;
        field = std::forward<V>(value);
        NotifyChanged();
        return true;
    }
    // Error 5 unless IsReachable().
    void RequireReachable() const;

    // Runs when the form loads, before its Load handler (lists of the file system fill
    // themselves here).
    virtual void FormLoading() {}

private:
    friend class Form;
    template <class T> friend class Designed;
    void SaveDesign();
    void RestoreDesign();

    struct Common {
        long left = 0, top = 0, width = 0, height = 0;
        bool visible = true;
        bool enabled = true;
        OleColor backColor = SystemDefault;
        OleColor foreColor = SystemDefault;
        std::string toolTip;
        host::Font font;
        int mousePointer = 0;
        Picture mouseIcon;
        int tabIndex = 0;
    };
    Form& form_;
    std::string name_;
    Frame* container_;
    std::vector<DesignPart*> designParts_;
    Designed<Common> c_{*this};
};

template <class T> Designed<T>::Designed(Control& owner, T initial) : value_(std::move(initial)) {
    owner.designParts_.push_back(this);
}

}  // namespace host
