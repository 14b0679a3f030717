// The main window's layout and its host frame, and the help window's frame when it fails.
#include "extension/mainwindow/frmMain.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "extension/command/Corvane.h"
#include "extension/command/Globals.h"
#include "extension/mainwindow/frmHelp.h"
#include "host/forms/HostFrame.h"
#include "host/platform/Screen.h"
#include "tests/extension/command/CommandFixture.h"

namespace {

class FrmMainLayoutTest : public support::CommandTest {
protected:
    void SetUp() override {
        CommandTest::SetUp();
        SetIdentity();
    }
};

TEST_F(FrmMainLayoutTest, EveryControlIsShownInsideItsFrameWithThePointerOfItsKind) {
    frmMain form;
    std::set<std::string> hidden;
    for (const host::Control* control : form.Controls()) {
        SCOPED_TRACE(control->Name());
        if (!control->Visible()) {
            hidden.insert(std::string(control->Name()));
            continue;
        }
        // Everything the user sees lies inside its frame or the window.
        const host::Control* container = control->Container();
        EXPECT_LE(control->Left() + control->Width(), container ? container->Width() : form.Width());
        EXPECT_LE(control->Top() + control->Height(), container ? container->Height() : form.Height());
        // Buttons, lists and pickers show the hand; every button is drawn as a picture.
        const std::string_view kind = control->Kind();
        const bool hand = kind == "CommandButton" || kind == "ComboBox" || kind == "ListBox";
        EXPECT_EQ(control->MousePointer(), hand ? host::pointer::Custom : host::pointer::Default);
        const auto* button = dynamic_cast<const host::CommandButton*>(control);
        EXPECT_TRUE(!button || button->IsPictureButton());
    }
    EXPECT_EQ(hidden, (std::set<std::string>{"btnExportToLayer", "File1", "Option1", "Option2"}));
    EXPECT_TRUE(form.List1.Sorted());
}

TEST_F(FrmMainLayoutTest, FrameIsMadeOnceWithTheProductNameOfItsDay) {
    auto form = host::New<frmMain>();
    gProductName = "Corvane";
    host::Ref<host::HostFrame> frame = form->Frame();
    ASSERT_TRUE(frame);
    EXPECT_FALSE(frame->Visible()) << "showing is the caller's";
    gProductName = "Renamed";
    EXPECT_EQ(form->Frame(), frame);
    EXPECT_EQ(frame->Caption(), "Corvane");
    EXPECT_EQ(host::HostFrame::All().size(), 1u);
}

TEST_F(FrmMainLayoutTest, AFrameWhoseCreateFailsIsReportedKeptAndNotCreatedAgain) {
    const auto check = [this](auto& form, const std::string& module) {
        SCOPED_TRACE(module);
        auto other = host::New<host::HostFrame>();
        other->Create(form);  // the window is in another frame: its own frame's Create fails
        TakeMessages();       // the main window's load reports the missing map document
        EXPECT_FALSE(form.Frame());
        const auto texts = TakeMessages();
        ASSERT_EQ(ReportedErrors(texts), std::vector<long>{5});
        EXPECT_NE(texts[0].find("MODULE: " + module + " \r\n"), std::string::npos);
        host::Ref<host::HostFrame> kept = form.Frame();
        ASSERT_TRUE(kept);
        EXPECT_EQ(kept->Window(), nullptr) << "Create is not called again";
        EXPECT_TRUE(TakeMessages().empty());
    };
    check(*host::New<frmMain>(), "Frame frmMain");
    check(*host::New<frmHelp>(), "Frame frmHelp");
}

}  // namespace
