#include "app/desktop/FrameWindows.h"

#include <QCloseEvent>
#include <QVBoxLayout>

#include <algorithm>

#include "app/desktop/FormView.h"
#include "app/desktop/WidgetLook.h"
#include "host/core/ErrorTrap.h"
#include "host/forms/Form.h"
#include "host/forms/HostFrame.h"

namespace desktop {

FrameWindow::FrameWindow(host::Ref<host::HostFrame> frame, QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), frame_(std::move(frame)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    if (host::Form* form = frame_->Window()) {
        view_ = new FormView(*form, this);
        layout->addWidget(view_);
        setObjectName(QStringLiteral("frame:") + ToQString(form->Name()));
    }
    observer_ = frame_->Changed.Add([this] { Sync(); });
    Sync();
}

FrameWindow::~FrameWindow() { Detach(); }

void FrameWindow::Detach() {
    if (!frame_) return;
    if (view_ != nullptr) view_->Detach();
    frame_->Changed.Remove(observer_);
    frame_ = nullptr;
}

void FrameWindow::Sync() {
    if (!frame_) return;
    const host::HostFrame& frame = *frame_;
    setWindowTitle(ToQString(frame.Caption()));
    // A position the frame was given places the window; until then the platform does.
    if (frame.Left() != left_ || frame.Top() != top_) {
        left_ = frame.Left();
        top_ = frame.Top();
        placed_ = true;
        move(static_cast<int>(left_), static_cast<int>(top_));
    }
    const bool shown = frame.Visible() && frame.Window() != nullptr && frame.Window()->IsLoaded();
    if (shown && !isVisible()) {
        if (view_ != nullptr) view_->Flush();
        if (!placed_ && parentWidget() != nullptr) {
            const QRect owner = parentWidget()->frameGeometry();
            move(owner.center() - QPoint(sizeHint().width() / 2, sizeHint().height() / 2));
        }
        show();
        raise();
    } else if (!shown && isVisible()) {
        hide();
    }
}

void FrameWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (frame_) host::ResumeNext([this] { frame_->SetVisible(false); });
}

FrameWindows::FrameWindows(QWidget* owner) : owner_(owner) {
    observer_ = host::HostFrame::ListChanged().Add([this] { Reconcile(); });
    Reconcile();
}

FrameWindows::~FrameWindows() {
    host::HostFrame::ListChanged().Remove(observer_);
    for (auto& window : windows_) delete window.data();
}

FrameWindow* FrameWindows::FindByForm(std::string_view formName) const {
    for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
        FrameWindow* window = *it;
        if (window != nullptr && window->View() != nullptr && window->View()->Form() != nullptr &&
            window->View()->Form()->Name() == formName)
            return window;
    }
    return nullptr;
}

void FrameWindows::Reconcile() {
    const std::vector<host::Ref<host::HostFrame>> frames = host::HostFrame::All();
    // Windows whose frame has closed: let go of the form at once, take the widgets down
    // once the event that closed the frame has run.
    std::erase_if(windows_, [&](const QPointer<FrameWindow>& window) {
        if (window == nullptr) return true;
        const bool open = std::any_of(frames.begin(), frames.end(),
                                      [&](const host::Ref<host::HostFrame>& f) { return f.raw() == window->Frame(); });
        if (open) return false;
        window->Detach();
        window->hide();
        window->deleteLater();
        return true;
    });
    for (const auto& frame : frames) {
        const bool shown = std::any_of(windows_.begin(), windows_.end(),
                                       [&](const QPointer<FrameWindow>& w) { return w->Frame() == frame.raw(); });
        if (!shown && frame->Window() != nullptr) windows_.emplace_back(new FrameWindow(frame, owner_));
    }
}

}  // namespace desktop
