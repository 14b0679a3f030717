#include "app/desktop/QtPlatform.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QSpacerItem>
#include <QStyleFactory>
#include <QVBoxLayout>

#include "app/desktop/FormView.h"
#include "app/desktop/WidgetLook.h"
#include "host/forms/Form.h"
#include "host/platform/Screen.h"

namespace desktop {

QString DefaultMessageTitle() { return QStringLiteral("Corvane"); }

void SetUpApplication() {
    // No display name: the platform would add it to every window title, and the forms'
    // captions name the product already ("Corvane - Export Table").
    QApplication::setApplicationName(QStringLiteral("Corvane"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
}

namespace {

// Room for a title bar's icon and buttons beside the title, in pixels.
constexpr int kTitleBarButtons = 120;

// The window a box or a dialog belongs to: the modal one in front, else the active one, else
// the main window (the window that was active may just have been hidden, as the main
// window's frame is before the field configuration dialog opens).
QWidget* OwnerWindow() {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    if (QWidget* active = QApplication::activeWindow(); active != nullptr && active->isVisible()) return active;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (qobject_cast<QMainWindow*>(top) != nullptr && top->isVisible()) return top;
    return nullptr;
}

}  // namespace

void FitTitle(QMessageBox& box) {
    // A short message makes a narrow box whose title bar cuts the title: the box is kept
    // wide enough for the title and the title bar's buttons.
    const int width = QFontMetrics(QApplication::font("QMdiSubWindowTitleBar")).horizontalAdvance(box.windowTitle()) +
                      kTitleBarButtons;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                      grid->columnCount());
}

void QtMessageBoxes::Message(std::string_view text) {
    QMessageBox box(QMessageBox::NoIcon, DefaultMessageTitle(), ToQString(text), QMessageBox::Ok, OwnerWindow());
    FitTitle(box);
    box.exec();
}

host::MessageBoxAnswer QtMessageBoxes::Question(std::string_view text) {
    QMessageBox box(QMessageBox::Question, DefaultMessageTitle(), ToQString(text), QMessageBox::Yes | QMessageBox::No,
                    OwnerWindow());
    FitTitle(box);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes ? host::MessageBoxAnswer::Yes : host::MessageBoxAnswer::No;
}

ModalDialog::ModalDialog(host::Form& form, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      form_(form),
      view_(new FormView(form, this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(view_);
    setWindowModality(Qt::ApplicationModal);
    SyncCaption();
    connect(view_, &FormView::formChanged, this, &ModalDialog::SyncCaption);
}

ModalDialog::~ModalDialog() { view_->Detach(); }

void ModalDialog::SyncCaption() {
    if (view_ == nullptr || view_->Form() == nullptr) return;
    setWindowTitle(ToQString(form_.Caption()));
}

void ModalDialog::RunUntilClosed() {
    if (!form_.IsOpen()) return;
    QEventLoop loop;
    const auto connection = connect(view_, &FormView::formChanged, &loop, [this, &loop] {
        if (!form_.IsOpen()) loop.quit();
    });
    show();
    raise();
    activateWindow();
    loop.exec(QEventLoop::DialogExec);
    disconnect(connection);
    hide();
}

void ModalDialog::closeEvent(QCloseEvent* event) {
    // The window's close button: the form unloads (its unload handler may refuse).
    event->ignore();
    host::Form* form = view_->Form();
    if (form != nullptr && form->IsOpen()) view_->Act([form] { form->Unload(); });
}

void ModalDialog::keyPressEvent(QKeyEvent* event) {
    // Enter and Escape press the form's default and cancel buttons, not the dialog's.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Escape) {
        QApplication::sendEvent(view_, event);
        return;
    }
    QDialog::keyPressEvent(event);
}

void ModalDialog::reject() {
    // Escape and the platform's own dismissals do not close the dialog behind the form's back.
}

void QtModalDialogs::Run(host::Form& form) {
    ModalDialog dialog(form, OwnerWindow());
    dialog.RunUntilClosed();
}

QtPlatform::QtPlatform()
    : savedMessages_(host::MessageBoxes::Install(std::make_shared<QtMessageBoxes>())),
      savedModal_(host::ModalDialogs::Install(std::make_shared<QtModalDialogs>())) {
    host::Screen& screen = host::Screen::Instance();
    if (QScreen* primary = QGuiApplication::primaryScreen()) {
        const QSize size = primary->size();
        screen.SetSizePixels(size.width(), size.height());
    }
    screen.PointerChanged = [](int shape) { ShowPointer(shape); };
}

QtPlatform::~QtPlatform() {
    host::Screen::Instance().PointerChanged = nullptr;
    ShowPointer(0);
    host::MessageBoxes::Install(savedMessages_);
    host::ModalDialogs::Install(savedModal_);
}

void QtPlatform::ShowPointer(int shape) {
    while (QGuiApplication::overrideCursor() != nullptr) QGuiApplication::restoreOverrideCursor();
    if (shape == 0) return;
    QGuiApplication::setOverrideCursor(
        PointerCursor(shape, host::Picture::FromFile(host::Screen::Instance().MouseIcon())));
}

}  // namespace desktop
