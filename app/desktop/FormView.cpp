#include "app/desktop/FormView.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QTimer>

#include <algorithm>

#include "app/desktop/ControlBindings.h"
#include "app/desktop/WidgetLook.h"
#include "host/core/ErrorTrap.h"
#include "host/forms/Control.h"
#include "host/forms/Form.h"
#include "host/forms/Frame.h"
#include "host/platform/MessageBoxes.h"

namespace desktop {

std::string UntrappedErrorText(long number, const std::string& description) {
    return "Run-time error '" + std::to_string(number) + "':\n\n" + description;
}

bool RunUserAction(const std::function<void()>& action) {
    try {
        action();
        return true;
    } catch (...) {
        const host::RuntimeError error = host::CurrentError();
        host::ResumeNext([&] { host::ShowMessage(UntrappedErrorText(error.Number(), error.Description())); });
        return false;
    }
}

// ---- ControlBinding ----

ControlBinding::ControlBinding(host::Control& control, QWidget* widget, FormView& view)
    : control_(control), widget_(widget), view_(view) {
    observer_ = control.Changed.Add([this] { view_.MarkDirty(this); });
    widget->installEventFilter(this);
}

ControlBinding::~ControlBinding() { Detach(); }

void ControlBinding::Detach() {
    if (observer_ != 0) control_.Changed.Remove(observer_);
    observer_ = 0;
}

bool ControlBinding::eventFilter(QObject* watched, QEvent* event) {
    // The widget the user puts the focus on is the form's active control.
    if (watched == widget_ && event->type() == QEvent::FocusIn && observer_ != 0 &&
        control_.Parent().ActiveControl() != &control_ && control_.IsReachable())
        Act([this] { control_.SetFocus(); });
    return false;
}

void ControlBinding::Act(const std::function<void()>& action) {
    if (observer_ != 0) view_.Act(action);
}

void ControlBinding::Sync() {
    QWidget* widget = widget_;
    if (widget == nullptr || observer_ == 0) return;
    const host::Control& c = control_;

    const QRect geometry(TwipsToPixels(c.Left()), TwipsToPixels(c.Top()), TwipsToPixels(c.Width()),
                         TwipsToPixels(c.Height()));
    if (widget->geometry() != geometry) widget->setGeometry(geometry);
    if (widget->isHidden() == c.Visible()) widget->setVisible(c.Visible());
    if (widget->isEnabled() != c.Enabled()) widget->setEnabled(c.Enabled());

    // A control's colours are its own: a frame's caption colour does not pass to the controls
    // in it, so the text roles are set for every control (Qt would inherit them).
    QPalette palette = widget->palette();
    const QPalette standard = QApplication::palette(widget);
    const QColor back = ToQColor(c.BackColor());
    const QColor fore = ToQColor(c.ForeColor());
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            palette.setColor(group, role,
                             fore.isValid() && role == ForeRole() && group != QPalette::Disabled
                                 ? fore
                                 : standard.color(group, role));
        if (back.isValid())
            palette.setColor(group, BackRole(), back);
        else if (BackRole() != QPalette::Window)
            palette.setColor(group, BackRole(), standard.color(group, BackRole()));
    }
    widget->setAutoFillBackground(back.isValid() && BackRole() == QPalette::Window);
    if (widget->palette() != palette) widget->setPalette(palette);

    const QString tip = ToQString(c.ToolTipText());
    if (widget->toolTip() != tip) widget->setToolTip(tip);
    const QFont font = ToQFont(c.Font());
    if (widget->font() != font) widget->setFont(font);

    if (pointer_ != c.MousePointer() || !(pointerIcon_ == c.MouseIcon())) {
        pointer_ = c.MousePointer();
        pointerIcon_ = c.MouseIcon();
        if (pointer_ == 0)
            widget->unsetCursor();
        else
            widget->setCursor(PointerCursor(pointer_, pointerIcon_));
    }
    SyncKind();
}

// ---- FormView ----

FormView::FormView(host::Form& form, QWidget* parent)
    : QWidget(parent), form_(&form), keep_(form.weak_from_this().lock()) {
    setObjectName(ToQString(form.Name()));
    formObserver_ = form.Changed.Add([this] {
        MarkDirty(nullptr);
        emit formChanged();
    });
    Build();
    Flush();
}

FormView::~FormView() { Detach(); }

void FormView::Detach() {
    if (form_ == nullptr) return;
    for (auto& binding : bindings_) binding->Detach();
    form_->Changed.Remove(formObserver_);
    form_ = nullptr;
    keep_.reset();
}

void FormView::Build() {
    for (host::Control* control : form_->Controls()) {
        QWidget* parent = this;
        if (host::Frame* frame = control->Container()) {
            if (QWidget* frameWidget = WidgetFor(frame->Name())) parent = frameWidget;
        }
        bindings_.push_back(BindControl(*control, parent, *this));
        // Later controls lie over earlier ones, as the form's design stacks them.
        bindings_.back()->Widget()->raise();
    }
    // The tab order follows the controls' tab indexes.
    std::vector<ControlBinding*> order;
    for (auto& binding : bindings_)
        if (binding->Widget()->focusPolicy() & Qt::TabFocus) order.push_back(binding.get());
    std::stable_sort(order.begin(), order.end(), [](const ControlBinding* a, const ControlBinding* b) {
        return a->Control().TabIndex() < b->Control().TabIndex();
    });
    for (std::size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1]->Widget(), order[i]->Widget());
    for (auto& binding : bindings_) binding->MarkDirty();
}

QWidget* FormView::WidgetFor(std::string_view controlName) const {
    for (const auto& binding : bindings_)
        if (binding->Control().Name() == controlName) return binding->Widget();
    return nullptr;
}

void FormView::MarkDirty(ControlBinding* binding) {
    if (binding == nullptr)
        formDirty_ = true;
    else
        binding->MarkDirty();
    ScheduleFlush();
}

void FormView::ScheduleFlush() {
    if (flushScheduled_ || form_ == nullptr) return;
    flushScheduled_ = true;
    QTimer::singleShot(0, this, [this] { Flush(); });
}

void FormView::Flush() {
    flushScheduled_ = false;
    if (form_ == nullptr) return;
    if (formDirty_) {
        formDirty_ = false;
        SyncForm();
    }
    for (auto& binding : bindings_) {
        if (binding->TakeDirty()) binding->Sync();
    }
}

void FormView::SyncForm() {
    const QSize size(TwipsToPixels(form_->Width()), TwipsToPixels(form_->Height()));
    if (this->size() != size || minimumSize() != size) setFixedSize(size);
    QPalette palette = this->palette();
    const QColor back = ToQColor(form_->BackColor());
    if (back.isValid()) palette.setColor(QPalette::Window, back);
    setAutoFillBackground(back.isValid());
    if (this->palette() != palette) setPalette(palette);
}

void FormView::Act(const std::function<void()>& action) {
    if (form_ == nullptr) return;
    RunUserAction(action);
    // What the action changed shows at once: the next key or click starts from it.
    Flush();
}

void FormView::keyPressEvent(QKeyEvent* event) {
    host::Form* form = form_;
    if (form != nullptr && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        Act([form] { form->PressEnter(); });
    } else if (form != nullptr && event->key() == Qt::Key_Escape) {
        Act([form] { form->PressEscape(); });
    } else {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

}  // namespace desktop
