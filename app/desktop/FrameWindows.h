#pragma once
// The host's modeless frames on screen: each HostFrame is a tool window over the main
// window that holds its form's view, with the frame's caption, visibility and position.
// The window's close button hides the frame (the form stays loaded, so the command can
// show it again as it was).

#include <QPointer>
#include <QWidget>

#include <vector>

#include "host/core/Ref.h"

namespace host {
class HostFrame;
}

namespace desktop {

class FormView;

class FrameWindow : public QWidget {
    Q_OBJECT
public:
    FrameWindow(host::Ref<host::HostFrame> frame, QWidget* owner);
    ~FrameWindow() override;

    // The frame, nullptr once detached.
    host::HostFrame* Frame() const { return frame_.raw(); }
    // The form's view; nullptr while the frame carries no form.
    FormView* View() const { return view_; }
    // Lets go of the frame and the form (the window does nothing more).
    void Detach();
    // Shows the frame's state.
    void Sync();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    host::Ref<host::HostFrame> frame_;
    FormView* view_ = nullptr;
    long observer_ = 0;
    bool placed_ = false;
    long left_ = 0;
    long top_ = 0;
};

// Keeps one window per frame of HostFrame::All(), made when a frame is created and taken
// down when it closes.
class FrameWindows : public QObject {
    Q_OBJECT
public:
    // owner: the window the tool windows stay in front of (may be nullptr).
    explicit FrameWindows(QWidget* owner);
    ~FrameWindows() override;

    const std::vector<QPointer<FrameWindow>>& Windows() const { return windows_; }
    // The window of the frame that carries the form of that name (the last made), or nullptr.
    FrameWindow* FindByForm(std::string_view formName) const;

private:
    void Reconcile();

    QWidget* owner_;
    long observer_ = 0;
    std::vector<QPointer<FrameWindow>> windows_;
};

}  // namespace desktop
