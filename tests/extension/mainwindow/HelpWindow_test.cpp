// The help window: its frame and version label from the identity, and links the shell cannot
// open. examples/help.script drives a window per Help click and the links' targets through
// the script runner.
#include <memory>
#include <string>

#include "extension/command/Globals.h"
#include "extension/mainwindow/frmHelp.h"
#include "extension/mainwindow/frmMain.h"
#include "host/core/RuntimeError.h"
#include "host/forms/HostFrame.h"
#include "tests/support/HeadlessTest.h"

namespace {

class HelpWindowTest : public support::HeadlessTest {
protected:
    void TearDown() override {
        host::HostFrame::CloseAll();
        HeadlessTest::TearDown();
    }
};

// A shell that cannot open anything.
class BrokenShell : public host::Shell {
public:
    host::ShellFailure Execute(const host::ShellRequest&) override { host::Raise(host::err::FileNotFound); }
};

TEST_F(HelpWindowTest, FrameAndVersionComeFromTheIdentityWhenTheWindowLoads) {
    const struct {
        const char *product, *version, *caption;
    } cases[] = {{"Other Tool", "v9.9", "Other Tool - Help"}, {"", "", " - Help"}};
    for (const auto& c : cases) {
        gProductName = c.product;
        gVersion = c.version;
        auto help = host::New<frmHelp>();
        help->txtVersion.SetCaption("Version");  // the design text
        const auto frame = help->Frame();
        ASSERT_TRUE(frame);
        EXPECT_EQ(frame->Caption(), c.caption);
        EXPECT_EQ(help->txtVersion.Caption(), c.version);
        EXPECT_FALSE(frame->Visible()) << "made but not shown: the Help click shows it";
    }
}

TEST_F(HelpWindowTest, ALinkTheShellCannotOpenShowsNothingAndLeavesTheWindowOpen) {
    SetIdentity();
    auto main = host::New<frmMain>();
    main->Command13_Click();
    ASSERT_EQ(host::HostFrame::All().size(), 1u);
    auto* help = dynamic_cast<frmHelp*>(host::HostFrame::All().front()->Window());
    ASSERT_NE(help, nullptr);
    host::Shell::Install(std::make_shared<BrokenShell>());
    for (auto link : {&frmHelp::Label2, &frmHelp::Label3, &frmHelp::Label4, &frmHelp::Label6})
        EXPECT_NO_THROW((help->*link).Press());
    EXPECT_TRUE(Messages().Shown().empty());
    EXPECT_TRUE(help->IsOpen());
}

}  // namespace
