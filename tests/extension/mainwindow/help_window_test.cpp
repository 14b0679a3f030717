// The help window: a new window in its own frame on every Help click, the version label and
// the links. examples/help.script drives the same through the script runner.
#include <memory>
#include <optional>
#include <set>
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

TEST_F(HelpWindowTest, EachHelpClickOpensOneMoreWindowInAFrameOfItsOwn) {
    auto main = host::New<frmMain>();
    for (int click = 1; click <= 3; ++click) {
        main->Command13_Click();
        const auto frames = HelpFrames();
        ASSERT_EQ(frames.size(), static_cast<std::size_t>(click));
        // The earlier windows stay open as they were.
        for (const auto& frame : frames) {
            auto* help = dynamic_cast<frmHelp*>(frame->Window());
            EXPECT_TRUE(frame->Visible());
            EXPECT_TRUE(help->IsLoaded());
            EXPECT_EQ(frame->Caption(), "Corvane - Help");
            EXPECT_EQ(help->txtVersion.Caption(), "v2.25");
            // The window's own member gives the frame it lives in, without making another.
            EXPECT_EQ(help->Frame(), frame);
        }
    }
    const auto frames = HelpFrames();
    std::set<host::Form*> windows;
    for (const auto& frame : frames) windows.insert(frame->Window());
    EXPECT_EQ(windows.size(), 3u);
    EXPECT_TRUE(Messages().Shown().empty());
    // The main window is left alone.
    EXPECT_FALSE(main->IsLoaded());
}

TEST_F(HelpWindowTest, FrameAndVersionComeFromTheIdentityWhenTheWindowLoads) {
    struct Case {
        const char* product;
        const char* version;
        const char* designText;
        const char* caption;
    };
    const Case cases[] = {
        {"Corvane", "v2.25", "Version", "Corvane - Help"},
        {"Corvane", "v2.25", "", "Corvane - Help"},
        {"Corvane", "v2.25", "v2.25", "Corvane - Help"},
        {"Other Tool", "v9.9", "v1.0", "Other Tool - Help"},
        {"", "", "Version", " - Help"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.designText);
        gProductName = c.product;
        gVersion = c.version;
        auto help = host::New<frmHelp>();
        help->txtVersion.SetCaption(c.designText);
        EXPECT_FALSE(help->IsLoaded());
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
    struct Case {
        host::Label frmHelp::*label;
        const char* shown;
        const char* target;
    };
    const Case cases[] = {
        {&frmHelp::Label2, "www.example.com/tovalin", "https://www.example.com/tovalin/"},
        {&frmHelp::Label3, "info@example.com", "mailto:info@example.com"},
        {&frmHelp::Label4, "Check for Updates", "https://www.example.com/tovalin/corvane/"},
        {&frmHelp::Label6, "Product Forum", "https://forum.example.com/tovalin/corvane/"},
    };
    auto main = host::New<frmMain>();
    main->Command13_Click();
    auto* help = dynamic_cast<frmHelp*>(HelpFrames().at(0)->Window());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target);
        ShellRequests().Clear();
        host::Label& label = help->*c.label;
        EXPECT_EQ(label.Caption(), c.shown);
        label.Press();
        ASSERT_EQ(ShellRequests().Requests().size(), 1u);
        const host::ShellRequest& request = ShellRequests().Requests()[0];
        EXPECT_EQ(request.verb, "Open");
        EXPECT_EQ(request.file, c.target);
        EXPECT_EQ(request.parameters, std::optional<std::string>(""));
        EXPECT_EQ(request.folder, "");
        EXPECT_EQ(request.showCommand, 1);
        EXPECT_TRUE(help->IsOpen());
    }

    // A target the shell cannot open: no message, nothing leaves the click, the window stays.
    host::Shell::Install(std::make_shared<BrokenShell>());
    for (const Case& c : cases) EXPECT_NO_THROW((help->*c.label).Press());
    EXPECT_TRUE(Messages().Shown().empty());
    EXPECT_TRUE(help->IsOpen());
    EXPECT_EQ(HelpFrames().size(), 1u);
}

}  // namespace
