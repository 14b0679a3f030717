// The desktop as the user feels it: an exit that ends the program and saves its settings,
// and a paste typed through the text box's key filter.
#include <QAction>
#include <QClipboard>
#include <QMenu>

#include "app/desktop/ModelWidgets.h"
#include "host/forms/HostFrame.h"
#include "tests/desktop/DesktopTest.h"

namespace desktop_test {
namespace {

TEST_F(DesktopTest, ExitWithTheHelpWindowOpenSavesTheSettingsClosesEveryWindowAndEndsTheEventLoop) {
    ClickCommand();
    ChooseTownLayers();
    ClickButton("Command13");  // Help
    ASSERT_NE(Window().Frames().FindByForm("frmHelp"), nullptr);
    ASSERT_TRUE(Window().Frames().FindByForm("frmHelp")->isVisible());
    const std::filesystem::path config = Native(gConfigFilePath);
    std::filesystem::remove(config);

    // Only the exit may end the loop: Qt's own quit on the last window closed would arrive
    // after it and stop the event loops of the tests that follow.
    const bool quitOnLastWindow = QApplication::quitOnLastWindowClosed();
    QApplication::setQuitOnLastWindowClosed(false);
    QTimer::singleShot(0, &Window(), [this] { Window().findChild<QAction*>(QStringLiteral("exit"))->trigger(); });
    {
        QObject watchdog;  // its timer goes with it
        QTimer::singleShot(20000, &watchdog, [] { QCoreApplication::exit(2); });
        EXPECT_EQ(QApplication::exec(), 0) << "2: the event loop went on after the exit";
    }
    QApplication::setQuitOnLastWindowClosed(quitOnLastWindow);
    Settle();

    for (QWidget* top : QApplication::topLevelWidgets())
        EXPECT_FALSE(top->isVisible()) << top->objectName().toStdString() << " is still on screen";
    EXPECT_TRUE(host::HostFrame::All().empty());
    ASSERT_TRUE(std::filesystem::exists(config)) << "the main window's unload saves the settings";
    EXPECT_NE(ReadBytes(config).find("Parcels"), std::string::npos);
}

TEST_F(DesktopTest, APasteIsTypedThroughTheKeyFilter) {
    ClickCommand();
    auto* distance = qobject_cast<desktop::ModelLineEdit*>(MainWidget("txtBuffer"));
    ASSERT_NE(distance, nullptr);
    struct Way {
        const char* name;
        std::function<void()> paste;
    };
    const Way ways[] = {
        {"Ctrl+V", [&] { QTest::keyClick(distance, Qt::Key_V, Qt::ControlModifier); }},
        {"Shift+Insert", [&] { QTest::keyClick(distance, Qt::Key_Insert, Qt::ShiftModifier); }},
        {"the context menu",
         [&] {
             std::unique_ptr<QMenu> menu(distance->EditMenu());
             for (QAction* action : menu->actions())
                 if (action->text().remove(QLatin1Char('&')) == QStringLiteral("Paste")) action->trigger();
         }},
    };
    for (const Way& way : ways) {
        distance->setFocus();
        distance->selectAll();
        // Letters, a second point and what follows a line end are not taken.
        QApplication::clipboard()->setText(QStringLiteral("1a2.5.0x\n99"));
        way.paste();
        Settle();
        EXPECT_EQ(distance->text().toStdString(), "12.50") << way.name;
        EXPECT_EQ(gMainForm->txtBuffer.Text(), "12.50") << way.name;
    }
}

}  // namespace
}  // namespace desktop_test
