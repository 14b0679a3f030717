// The Qt platform services: message boxes and questions, forms shown modally in dialogs,
// the hourglass.
#include <QMessageBox>

#include "host/platform/Screen.h"
#include "tests/desktop/DesktopTest.h"

namespace desktop_test {
namespace {

using host::Pixels;

// Answers the next message box with the button and remembers what it showed.
void AnswerNextBox(QMessageBox::StandardButton button, QString& title, QString& text) {
    QTimer::singleShot(0, [button, &title, &text] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        box->button(button)->click();
    });
}

TEST(QtMessageBoxes, QuestionsAreQtBoxesAnsweredByTheButtonPressed) {
    desktop::QtMessageBoxes boxes;
    QString title, text;
    for (const auto& [pressed, answer] : {std::pair{QMessageBox::Yes, host::MessageBoxAnswer::Yes},
                                          std::pair{QMessageBox::No, host::MessageBoxAnswer::No}}) {
        AnswerNextBox(pressed, title, text);
        EXPECT_EQ(boxes.Question("File already exists. Overwrite?"), answer);
        EXPECT_EQ(title, "Corvane");
        EXPECT_EQ(text, "File already exists. Overwrite?");
    }
}

// A dialog form: Save hides it, Cancel unloads it; its unload refuses once when asked to.
class frmDialog : public host::Form {
public:
    frmDialog() : host::Form("frmDialog") {
        SetSize(Pixels(200), Pixels(80));
        btnSave.SetCaption("Save");
        btnSave.SetDefault(true);
        btnSave.Move(Pixels(10), Pixels(40), Pixels(80), Pixels(24));
        btnCancel.SetCaption("Cancel");
        btnCancel.SetCancel(true);
        btnCancel.Move(Pixels(100), Pixels(40), Pixels(80), Pixels(24));
        btnSave.Click = [this] {
            log.push_back("save");
            Hide();
        };
        btnCancel.Click = [this] {
            log.push_back("cancel");
            Unload();
        };
    }
    void Form_Unload(int& cancel) override {
        log.push_back("unload");
        if (std::exchange(refuseUnload, false)) cancel = 1;
    }

    host::CommandButton btnSave{*this, "btnSave"};
    host::CommandButton btnCancel{*this, "btnCancel"};
    std::vector<std::string> log;
    bool refuseUnload = false;
};

using ModalDialogTest = QtDialogsTest;

TEST_F(ModalDialogTest, TheDialogRunsUntilTheFormClosesItself) {
    struct Case {
        const char* how;
        std::function<void(desktop::ModalDialog&)> act;
        std::vector<std::string> log;
    };
    const Case cases[] = {
        {"Enter", [](desktop::ModalDialog& d) { QTest::keyClick(&d, Qt::Key_Return); }, {"save"}},
        {"Escape", [](desktop::ModalDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); }, {"cancel", "unload"}},
        // The window's close button unloads the form, which may refuse: the dialog stays.
        {"close refused, then Cancel",
         [](desktop::ModalDialog& d) {
             static_cast<frmDialog*>(d.View().Form())->refuseUnload = true;
             d.close();
             EXPECT_TRUE(d.isVisible());
             QTest::mouseClick(d.View().WidgetFor("btnCancel"), Qt::LeftButton);
         },
         {"unload", "cancel", "unload"}},
    };
    for (const Case& c : cases) {
        auto form = std::make_shared<frmDialog>();
        bool seen = false;
        WhenModalOpens([&](QWidget& dialog) {
            seen = true;
            c.act(*qobject_cast<desktop::ModalDialog*>(&dialog));
        });
        form->ShowModal();
        EXPECT_TRUE(seen) << c.how;
        EXPECT_FALSE(form->IsOpen()) << c.how;
        EXPECT_EQ(form->log, c.log) << c.how;
    }
}

TEST(QtPlatform, TheHourglassIsTheBusyCursorAndEverythingIsPutBack) {
    auto headless = std::make_shared<host::HeadlessMessageBoxes>();
    auto before = host::MessageBoxes::Install(headless);
    {
        desktop::QtPlatform platform;
        host::Screen::Instance().SetMousePointer(host::pointer::Hourglass);
        host::Screen::Instance().SetMousePointer(host::pointer::Hourglass);  // twice, one override
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        host::Screen::Instance().SetMousePointer(host::pointer::Default);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
        host::Screen::Instance().SetMousePointer(host::pointer::Hourglass);
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "an hourglass left on goes with the platform";
    EXPECT_EQ(&host::MessageBoxes::Current(), headless.get());
    host::MessageBoxes::Install(before);
    host::Screen::Instance().Reset();
}

}  // namespace
}  // namespace desktop_test
