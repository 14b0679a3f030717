#include "tests/desktop/DesktopTest.h"

#include <QAction>
#include <QListWidget>

#include "host/forms/Form.h"
#include "host/forms/ModalDialogs.h"

namespace desktop_test {

std::filesystem::path TownMap() { return std::filesystem::path(CORVANE_SOURCE_DIR) / "examples/town/town.json"; }

std::filesystem::path SmallMap() { return std::filesystem::path(CORVANE_SOURCE_DIR) / "tests/data/small_map.json"; }

void Settle() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

long CountPixels(const QImage& image, QRgb color, const QRect& area, bool outside) {
    long count = 0;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const QRect inside = area.isNull() ? rgb.rect() : area;
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x)
            if (inside.contains(x, y) != outside && (rgb.pixel(x, y) & 0xFFFFFFu) == (color & 0xFFFFFFu)) ++count;
    return count;
}

namespace {

// Looks for the dialog again on each pass of the event loop, a bounded number of times.
void CheckWhenOpen(std::function<void(QWidget& dialog)> check, int passesLeft) {
    QTimer::singleShot(0, [check = std::move(check), passesLeft]() mutable {
        auto* dialog = qobject_cast<desktop::ModalDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            if (passesLeft > 0)
                CheckWhenOpen(std::move(check), passesLeft - 1);
            else
                ADD_FAILURE() << "no modal dialog opened";
            return;
        }
        check(*dialog);
        if (host::Form* form = dialog->View().Form(); form != nullptr && form->IsOpen()) {
            ADD_FAILURE() << "the dialog " << form->Name() << " was still open after the check";
            form->Unload();
        }
    });
}

}  // namespace

void WhenModalOpens(std::function<void(QWidget& dialog)> check) { CheckWhenOpen(std::move(check), 1000); }

void QtDialogsTest::SetUp() {
    HeadlessTest::SetUp();
    savedModal_ = host::ModalDialogs::Install(std::make_shared<desktop::QtModalDialogs>());
}

void QtDialogsTest::TearDown() {
    host::ModalDialogs::Install(savedModal_);
    HeadlessTest::TearDown();
}

void DesktopTest::SetUp() {
    QtDialogsTest::SetUp();
    session_ = std::make_unique<desktop::HostSession>(false);
    window_ = std::make_unique<desktop::MainWindow>(session_->Application());
    window_->resize(900, 650);
    ASSERT_TRUE(window_->OpenMap(QString::fromStdString(TownMap().string())));
    window_->show();
    Settle();
}

void DesktopTest::TearDown() {
    window_.reset();
    if (session_) session_->Shutdown();
    session_.reset();
    Settle();
    QtDialogsTest::TearDown();
}

void DesktopTest::ClickCommand() {
    window_->CommandAction("Tovalin.Corvane")->trigger();
    Settle();
}

desktop::FrameWindow* DesktopTest::MainFrame() const { return window_->Frames().FindByForm("frmMain"); }

QWidget* DesktopTest::MainWidget(const char* control) const {
    desktop::FrameWindow* frame = MainFrame();
    return frame != nullptr && frame->View() != nullptr ? frame->View()->WidgetFor(control) : nullptr;
}

void DesktopTest::Choose(const char* combo, const QString& text) {
    auto* box = qobject_cast<QComboBox*>(MainWidget(combo));
    ASSERT_NE(box, nullptr) << combo;
    const int index = box->findText(text);
    ASSERT_GE(index, 0) << combo << " has no entry " << text.toStdString();
    emit box->activated(index);
    Settle();
}

void DesktopTest::ClickListEntry(const QString& text) {
    auto* list = qobject_cast<QListWidget*>(MainWidget("List1"));
    ASSERT_NE(list, nullptr);
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
    ASSERT_FALSE(found.isEmpty()) << "the search list has no entry " << text.toStdString();
    list->scrollToItem(found.front());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found.front()).center());
    Settle();
}

void DesktopTest::ClickButton(const char* button) {
    ASSERT_NE(MainWidget(button), nullptr) << button;
    QTest::mouseClick(MainWidget(button), Qt::LeftButton);
    Settle();
}

void DesktopTest::ChooseTownLayers() {
    Choose("cboBufferLayer", "Parcels");
    Choose("cboSearchField", "Parcels.PARCEL_ID");
    Choose("cboSelectionLayer", "Parcels");
}

}  // namespace desktop_test
