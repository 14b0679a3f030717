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

TEST_F(HelpWindowTest, LinksAndVersionStandOverThePageWhereTheLayoutPutsThem) {
    struct Row {
        const char* name;
        const char* container;  // "" for the window
        long left, top, width, height;
        const char* tooltip;
        bool link;
    };
    const Row rows[] = {
        {"Frame1", "", 132, 48, 333, 21, "", false},
        {"Label2", "Frame1", 0, 0, 153, 17, "Click to visit us!", true},
        {"Label3", "Frame1", 156, 0, 173, 17, "Click to email us!", true},
        {"Label4", "", 576, 28, 137, 17, "Click to visit us!", true},
        {"Label6", "", 604, 48, 109, 17, "Visit the Tovalin Forum discussion for this tool", true},
        {"txtVersion", "", 664, 72, 45, 17, "", false},
    };
    frmHelp help;
    EXPECT_EQ(help.Width(), host::Pixels(718));
    EXPECT_EQ(help.Height(), host::Pixels(503));
    EXPECT_EQ(help.Frame1.Caption(), "");
    EXPECT_EQ(help.Frame1.BackColor(), host::Rgb(255, 255, 255));
    EXPECT_EQ(help.txtVersion.ForeColor(), host::Rgb(0, 0, 0));
    host::Font linkFont;
    linkFont.size = 9.75;
    linkFont.underline = true;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const host::Control* control = help.FindControl(row.name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->Container() ? control->Container()->Name() : "", row.container);
        EXPECT_EQ(control->Left(), host::Pixels(row.left));
        EXPECT_EQ(control->Top(), host::Pixels(row.top));
        EXPECT_EQ(control->Width(), host::Pixels(row.width));
        EXPECT_EQ(control->Height(), host::Pixels(row.height));
        EXPECT_EQ(control->ToolTipText(), row.tooltip);
        if (row.link) {
            EXPECT_EQ(control->ForeColor(), host::Rgb(0, 0, 192));
            EXPECT_EQ(control->Font(), linkFont);
            EXPECT_EQ(control->Font().name, "MS Sans Serif");
        }
    }
    EXPECT_EQ(help.Label2.BackColor(), host::Rgb(255, 255, 255));
    EXPECT_EQ(help.Label3.BackColor(), host::Rgb(255, 255, 255));
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
    // A target the shell cannot open: no message, nothing leaves the click, the window stays.
    host::Shell::Install(std::make_shared<BrokenShell>());
    for (const Case& c : cases) EXPECT_NO_THROW((help->*c.label).Press());
    EXPECT_TRUE(Messages().Shown().empty());
    EXPECT_TRUE(help->IsOpen());
    EXPECT_EQ(HelpFrames().size(), 1u);
}

}  // namespace
