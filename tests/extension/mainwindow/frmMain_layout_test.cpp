// The main window's layout, its host frame and the logo's link.
#include "extension/mainwindow/frmMain.h"

#include <gtest/gtest.h>

#include <string>

#include "extension/command/Corvane.h"
#include "extension/command/Globals.h"
#include "host/forms/HostFrame.h"
#include "host/platform/Screen.h"
#include "tests/extension/command/CommandFixture.h"

namespace {

using host::Pixels;

class FrmMainLayoutTest : public support::CommandTest {
protected:
    void SetUp() override {
        CommandTest::SetUp();
        SetIdentity();
    }
};

std::string CaptionOf(const host::Control& control) {
    if (const auto* captioned = dynamic_cast<const host::CaptionedControl*>(&control)) return captioned->Caption();
    if (const auto* box = dynamic_cast<const host::TextBox*>(&control)) return box->Text();
    return "";
}

TEST_F(FrmMainLayoutTest, EveryControlStandsWhereTheLayoutPutsIt) {
    struct Row {
        const char* name;
        const char* kind;
        const char* container;  // "" for the window
        long left, top, width, height;
        const char* caption;
        const char* tooltip;
    };
    const Row rows[] = {
        {"Frame2", "Frame", "", 4, 8, 265, 105, "1 - Layers", ""},
        {"Label3", "Label", "Frame2", 12, 20, 99, 17, "Buffer Layer:", ""},
        {"cboBufferLayer", "ComboBox", "Frame2", 12, 40, 117, 21, "", "Choose a layer to buffer"},
        {"Label6", "Label", "Frame2", 140, 20, 99, 17, "Search Field:", ""},
        {"cboSearchField", "ComboBox", "Frame2", 140, 40, 113, 21, "", "Choose a search field.  Values will be loaded into the list below."},
        {"Label14", "Label", "Frame2", 12, 72, 123, 17, "Selection Layer:", ""},
        {"cboSelectionLayer", "ComboBox", "Frame2", 140, 72, 113, 21, "", "Choose a selection layer.  Features from this layer will be selected when a buffer is applied."},
        {"Frame6", "Frame", "", 4, 120, 265, 225, "2 - Buffer", ""},
        {"Label12", "Label", "Frame6", 8, 24, 99, 17, "Buffer Distance:", ""},
        {"txtBuffer", "TextBox", "Frame6", 96, 20, 73, 24, "100", "Enter a buffer distance"},
        {"Command3", "CommandButton", "Frame6", 178, 23, 72, 20, "Erase Buffer", "Erase the buffer zone"},
        {"btnBufferSelected", "CommandButton", "Frame6", 16, 53, 235, 20, "Buffer Selected Features", "Apply buffer to the currently selected map features"},
        {"Label10", "Label", "Frame6", 8, 84, 211, 17, "Click item to Zoom and Buffer:", ""},
        {"Label11", "Label", "Frame6", 12, 111, 78, 21, " Search:", ""},
        {"txtSearch", "TextBox", "Frame6", 61, 108, 144, 24, "", "Enter text and hit Go to search for an item in the list below"},
        {"Command4", "CommandButton", "Frame6", 212, 109, 41, 23, "Go", "Click to search the list below"},
        {"List1", "ListBox", "Frame6", 12, 136, 241, 82, "", "Select an item zoom to a feature.  Buffer will be applied and features within the buffer zone will be selected."},
        {"Frame7", "Frame", "", 276, 8, 141, 201, "3 - Export", ""},
        {"Label16", "Label", "Frame7", 8, 24, 103, 17, "Labels and Reports:", ""},
        {"Command15", "CommandButton", "Frame7", 110, 24, 20, 16, "", "Set documents directory"},
        {"cboDocs", "ComboBox", "Frame7", 12, 47, 120, 21, "", "Select a document for viewing exported data from the selected features"},
        {"Command1", "CommandButton", "Frame7", 12, 72, 120, 20, "View Report", "View a document with data exported from the selected features"},
        {"Command8", "CommandButton", "Frame7", 12, 96, 120, 20, "Configure", "Select fields for exporting"},
        {"Check1", "CheckBox", "Frame7", 12, 128, 125, 29, "Exclude buffered features from export", ""},
        {"Command11", "CommandButton", "Frame7", 12, 168, 120, 20, "Export Table", "Export attributes from the selected features to a table"},
        {"Frame8", "Frame", "", 276, 216, 141, 37, "Selection Count:", ""},
        {"txtCount", "Label", "Frame8", 4, 16, 85, 17, "0", ""},
        {"Command14", "CommandButton", "Frame8", 96, 12, 41, 20, "Clear", "Clear all selected features"},
        {"Command13", "CommandButton", "", 394, 261, 22, 20, "", "Help"},
        {"Image2", "Image", "", 288, 288, 120, 50, "", "Visit Tovalin on the web"},
    };
    frmMain form;
    EXPECT_EQ(form.Caption(), "Corvane");
    EXPECT_EQ(form.Width(), 6330);
    EXPECT_EQ(form.Height(), 5250);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        host::Control* control = form.FindControl(row.name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->Kind(), row.kind);
        EXPECT_EQ(control->Container() ? control->Container()->Name() : "", row.container);
        EXPECT_EQ(control->Left(), Pixels(row.left));
        EXPECT_EQ(control->Top(), Pixels(row.top));
        EXPECT_EQ(control->Width(), Pixels(row.width));
        EXPECT_EQ(control->Height(), Pixels(row.height));
        EXPECT_EQ(CaptionOf(*control), row.caption);
        EXPECT_EQ(control->ToolTipText(), row.tooltip);
        EXPECT_TRUE(control->Visible());
        // Everything the user sees lies inside its frame or the window.
        const long width = control->Container() ? control->Container()->Width() : form.Width();
        const long height = control->Container() ? control->Container()->Height() : form.Height();
        EXPECT_LE(control->Left() + control->Width(), width);
        EXPECT_LE(control->Top() + control->Height(), height);
        // Buttons, lists and pickers show the hand.
        const std::string kind = row.kind;
        const bool hand = kind == "CommandButton" || kind == "ComboBox" || kind == "ListBox";
        EXPECT_EQ(control->MousePointer(), hand ? host::pointer::Custom : host::pointer::Default);
        if (kind == "CommandButton") {
            EXPECT_TRUE(dynamic_cast<host::CommandButton&>(*control).IsPictureButton());
        }
    }
    EXPECT_TRUE(form.List1.Sorted());
}

TEST_F(FrmMainLayoutTest, FrameIsMadeOnceWithTheProductNameOfItsDay) {
    auto form = host::New<frmMain>();
    gProductName = "Corvane";
    host::Ref<host::HostFrame> frame = form->Frame();
    TakeMessages();  // the load's own report (no map document here); only Frame's count
    ASSERT_TRUE(frame);
    EXPECT_TRUE(form->IsLoaded()) << "Create loads the window";
    EXPECT_FALSE(frame->Visible()) << "showing is the caller's";
    gProductName = "Renamed";
    EXPECT_EQ(form->Frame(), frame);
    EXPECT_EQ(frame->Caption(), "Corvane");
    EXPECT_EQ(host::HostFrame::All().size(), 1u);
    EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(FrmMainLayoutTest, AFrameWhoseCreateFailsIsKeptAndNotCreatedAgain) {
    auto form = host::New<frmMain>();
    auto other = host::New<host::HostFrame>();
    other->Create(*form);  // the window is in another frame: our Create fails
    TakeMessages();        // the load's own report (no map document here); only Frame's count
    EXPECT_FALSE(form->Frame());
    const auto texts = TakeMessages();
    ASSERT_EQ(ReportedErrors(texts), std::vector<long>{5});
    EXPECT_NE(texts[0].find("MODULE: Frame frmMain \r\n"), std::string::npos);

    host::Ref<host::HostFrame> kept = form->Frame();
    ASSERT_TRUE(kept);
    EXPECT_NE(kept, other);
    EXPECT_EQ(kept->Window(), nullptr) << "Create is not called again";
    EXPECT_TRUE(TakeMessages().empty());
}

}  // namespace
