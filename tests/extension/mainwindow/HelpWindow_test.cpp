// The help window: a new window in its own frame on every Help click, the version label and
// the links. examples/help.script drives the same through the script runner.
#include <memory>
#include <string>
#include <vector>

#include "extension/command/Globals.h"
#include "extension/mainwindow/frmHelp.h"
#include "extension/mainwindow/frmMain.h"
#include "host/core/RuntimeError.h"
#include "host/forms/HostFrame.h"
#include "tests/support/HeadlessTest.h"

namespace {

class HelpWindowTest : public support::HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        SetIdentity();
    }
    void TearDown() override {
        host::HostFrame::CloseAll();
        HeadlessTest::TearDown();
    }

    // The frames that carry a help window, in the order they were created.
    static std::vector<host::Ref<host::HostFrame>> HelpFrames() {
        std::vector<host::Ref<host::HostFrame>> frames;
        for (const auto& frame : host::HostFrame::All())
            if (dynamic_cast<frmHelp*>(frame->Window()) != nullptr) frames.push_back(frame);
        return frames;
    }
};

// A shell that cannot open anything.
class BrokenShell : public host::Shell {
public:
    void Execute(const host::ShellRequest&) override { host::Raise(host::err::FileNotFound); }
};

TEST_F(HelpWindowTest, FrameAndVersionComeFromTheIdentityWhenTheWindowLoads) {
    const struct {
        const char* product;
        const char* version;
        const char* caption;
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
        // The frame is made but not shown: the Help click shows it.
        EXPECT_FALSE(frame->Visible());
    }
}

TEST_F(HelpWindowTest, AFrameThatCannotBeMadeIsReportedAndTheClickOpensNothing) {
    // A window that already lives in another frame cannot be put into its own.
    auto help = host::New<frmHelp>();
    auto other = host::New<host::HostFrame>();
    other->Create(*help);
    EXPECT_FALSE(help->Frame());
    ASSERT_EQ(Messages().Shown().size(), 1u);
    EXPECT_NE(Messages().Shown()[0].text.find("MODULE: Frame frmHelp"), std::string::npos);
    other->Close();
}

TEST_F(HelpWindowTest, LinksAskTheShellToOpenTheirTargetsAndLeaveTheWindowOpen) {
    auto main = host::New<frmMain>();
    for (int click = 0; click < 3; ++click) main->Command13_Click();
    ASSERT_EQ(HelpFrames().size(), 3u) << "a window of its own on every Help click";
    auto* help = dynamic_cast<frmHelp*>(HelpFrames().at(0)->Window());
    // A target the shell cannot open: no message, nothing leaves the click, the window stays.
    host::Shell::Install(std::make_shared<BrokenShell>());
    for (auto link : {&frmHelp::Label2, &frmHelp::Label3, &frmHelp::Label4, &frmHelp::Label6})
        EXPECT_NO_THROW((help->*link).Press());
    EXPECT_TRUE(Messages().Shown().empty());
    EXPECT_TRUE(help->IsOpen());
}

}  // namespace
