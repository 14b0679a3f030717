#pragma once
// A form of the control model on screen: one widget per control, at the control's position
// and size, with its colours, font, caption, tooltip and pointer. A user's action goes into
// the control's own calls (Press, ChooseItem, TypeChar, ...), so the form's handlers run as
// they do in the tests; a change in the model marks the control's widget, and the widgets
// are brought up to date once the handler that changed them has returned.
//
// The view holds the form while it is bound. Detach lets go of the form: from then on the
// widgets do nothing, so a window may be taken down even while one of its own events runs.

#include <QPalette>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/forms/Picture.h"

namespace host {
class Control;
class Form;
}  // namespace host

namespace desktop {

class FormView;

// What one control's widget shows and how the user's actions reach the control.
class ControlBinding : public QObject {
    Q_OBJECT
public:
    ControlBinding(host::Control& control, QWidget* widget, FormView& view);
    ~ControlBinding() override;

    host::Control& Control() const { return control_; }
    QWidget* Widget() const { return widget_; }
    FormView& View() const { return view_; }

    // Shows the control's state.
    void Sync();
    // Stops listening to the control.
    void Detach();

    // Marked for the view's next flush.
    void MarkDirty() { dirty_ = true; }
    bool TakeDirty() { return std::exchange(dirty_, false); }

    bool eventFilter(QObject* watched, QEvent* event) override;

protected:
    // What the kind of control adds to the common state (caption, entries, value, ...).
    virtual void SyncKind() {}
    // The palette roles the control's back and fore colours paint.
    virtual QPalette::ColorRole BackRole() const { return QPalette::Window; }
    virtual QPalette::ColorRole ForeRole() const { return QPalette::WindowText; }
    // Runs a user's action on the control through the view (see FormView::Act).
    void Act(const std::function<void()>& action);

private:
    host::Control& control_;
    QPointer<QWidget> widget_;
    FormView& view_;
    long observer_ = 0;
    bool dirty_ = false;
    int pointer_ = 0;
    host::Picture pointerIcon_;
};

class FormView : public QWidget {
    Q_OBJECT
public:
    explicit FormView(host::Form& form, QWidget* parent = nullptr);
    ~FormView() override;

    // The form, nullptr once detached.
    host::Form* Form() const { return form_; }
    void Detach();

    // The widget of the control of that name, nullptr when there is none.
    QWidget* WidgetFor(std::string_view controlName) const;
    const std::vector<std::unique_ptr<ControlBinding>>& Bindings() const { return bindings_; }

    // Brings every marked widget up to date now (the view does it by itself once the
    // event loop runs).
    void Flush();
    // Marks a binding, or the form itself (nullptr), for the next flush.
    void MarkDirty(ControlBinding* binding);

    // Runs a user's action on the model, then brings the widgets up to date. A run-time
    // error that reaches here (the control model's own, as for a drive that is not ready) is
    // shown as the platform shows an untrapped error, never thrown into Qt. Nothing runs
    // once the view is detached.
    void Act(const std::function<void()>& action);

signals:
    // The form's own state changed (caption, size, loaded, shown).
    void formChanged();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Build();
    void SyncForm();
    void ScheduleFlush();

    host::Form* form_;
    std::shared_ptr<host::Form> keep_;
    long formObserver_ = 0;
    std::vector<std::unique_ptr<ControlBinding>> bindings_;
    std::vector<ControlBinding*> dirty_;
    bool formDirty_ = true;
    bool flushScheduled_ = false;
};

// The message a run-time error that no handler trapped shows.
std::string UntrappedErrorText(long number, const std::string& description);

// Runs a user's action on the host: a run-time error that reaches here is shown as the
// platform shows an untrapped error (through the current message boxes), never thrown into
// Qt. Returns true when the action ran to its end.
bool RunUserAction(const std::function<void()>& action);

}  // namespace desktop
