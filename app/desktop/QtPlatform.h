#pragma once
// The platform services of host/platform as a Qt desktop shows them: message boxes and
// questions are Qt message boxes, a form shown modally runs in a Qt dialog, the hourglass is
// the busy cursor and the screen size is the real one.

#include <QDialog>
#include <QMessageBox>
#include <QString>

#include <memory>

#include "host/forms/ModalDialogs.h"
#include "host/platform/MessageBoxes.h"

namespace host {
class Form;
}

namespace desktop {

class FormView;

// The title message boxes show when a caller gives none.
QString DefaultMessageTitle();
// The application's name and style, as the desktop, its tools and its tests run it.
void SetUpApplication();

// Keeps a box wide enough that its title bar shows the whole title.
void FitTitle(QMessageBox& box);

class QtMessageBoxes : public host::MessageBoxes {
public:
    void Message(std::string_view text) override;
    host::MessageBoxAnswer Question(std::string_view text) override;
};

// A form shown modally: a dialog holding the form's view. It stays open until the form is
// hidden or unloaded; the dialog's own close and Escape go to the form (unload, cancel
// button), which decides.
class ModalDialog : public QDialog {
    Q_OBJECT
public:
    ModalDialog(host::Form& form, QWidget* parent);
    ~ModalDialog() override;

    FormView& View() const { return *view_; }
    // Shows the dialog and returns when the form is no longer open.
    void RunUntilClosed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override;

private:
    void SyncCaption();
    host::Form& form_;
    FormView* view_;
};

class QtModalDialogs : public host::ModalDialogs {
public:
    void Run(host::Form& form) override;
};

// Installs the Qt services (message boxes, modal dialogs, the pointer hook, the screen
// size) and puts back what was there when it ends.
class QtPlatform {
public:
    QtPlatform();
    ~QtPlatform();
    QtPlatform(const QtPlatform&) = delete;
    QtPlatform& operator=(const QtPlatform&) = delete;

    // The pointer over the whole application: the screen's pointer value, shown as an
    // override cursor while it is not the default.
    static void ShowPointer(int shape);

private:
    std::shared_ptr<host::MessageBoxes> savedMessages_;
    std::shared_ptr<host::ModalDialogs> savedModal_;
};

}  // namespace desktop
