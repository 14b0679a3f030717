// The buffer-and-select pipeline of the main window (list click and Buffer Selected
// Features), Clear and Erase Buffer, on the small town.
#include <string>
#include <vector>

#include "extension/mainwindow/frmMain.h"
#include "host/carto/ActiveView.h"
#include "host/carto/MarkerElement.h"
#include "host/framework/StatusBar.h"
#include "host/framework/StepProgressor.h"
#include "host/geometry/Envelope.h"
#include "host/geometry/Point.h"
#include "host/platform/Screen.h"
#include "tests/extension/selection/AbuttersTown.h"

namespace {

using abutters_test::Layout;

// The main window without its settings load: these tests set the shared values and
// controls themselves.
class PipelineForm : public frmMain {
public:
    void Form_Load() override {}
};

class PipelineTest : public abutters_test::TownTest {
protected:
    void SetUp() override {
        TownTest::SetUp();
        form = host::New<PipelineForm>();
        form->Load();
        gBufferLayerName = "Parcels";
        gSearchFieldName = "PARCEL_ID";
        gSelectionLayerName = "Parcels";
        gBufferDistance = "100";
        form->txtBuffer.SetText("150");
        for (const char* value : {"P1", "P2", "P3", "Q1", "MAIN ST", "W1", "ZZZ"}) form->List1.AddItem(value);
        form->txtCount.SetCaption("7");
    }

    void Click(const std::string& value) { form->List1.SetListIndex(form->List1.IndexOf(value)); }
    // No entry chosen, without a click.
    void Deselect() {
        gSuppressListClick = true;
        form->List1.SetListIndex(-1);
        gSuppressListClick = false;
    }
    host::Ref<host::StepProgressor> Bar() { return application->StatusBar()->ProgressBar(); }
    std::vector<std::string> Graphics() { return abutters_test::Describe(document->ActiveView()->Elements()); }
    static int Pointer() { return host::Screen::Instance().MousePointer(); }
    // An element someone else drew.
    void DrawUsersMarker() {
        auto marker = host::New<host::MarkerElement>();
        marker->SetGeometry(host::New<host::Point>(-500, -500));
        map->BasicGraphicsLayer()->AddElement(marker, 0);
    }

    host::Ref<PipelineForm> form;
};

const std::string kSubject = "polygon fill=0 255,0,255 outline=1 style=0 255,0,255";
const std::string kOutline = "polygon fill=1 255,0,255 outline=3 style=0 255,0,255";

TEST_F(PipelineTest, ListClickSelectsDrawsZoomsAndCounts) {
    DrawUsersMarker();
    Click("P1");
    EXPECT_TRUE(Messages().Texts().empty());
    EXPECT_EQ(Selected(parcels), (std::vector<long>{1, 2, 3})) << "the subject stays: same layer";
    EXPECT_EQ(Graphics(), (std::vector<std::string>{kSubject, kOutline})) << "the user's marker went too";
    EXPECT_EQ(form->txtCount.Caption(), "3");
    EXPECT_EQ(gBufferDistance, "150");
    EXPECT_EQ(Pointer(), host::pointer::Default);
    auto extent = document->ActiveView()->Extent();  // P1 to P3 and a twentieth of 300 around
    EXPECT_EQ(std::vector<double>({extent->XMin(), extent->YMin(), extent->XMax(), extent->YMax()}),
              std::vector<double>({-15, -15, 315, 115}));
    EXPECT_EQ(Bar()->HistoryLines(),
              (std::vector<std::string>{"MinRange 1", "MaxRange 10", "StepValue 1", "Position 1",
                                        "Message \"Locating and Buffering Feature...\"", "Step 2", "Show", "Step 3",
                                        "Step 4", "Step 5", "Step 6", "Step 7", "Step 8", "Step 9", "Step 10", "Hide"}));
}

TEST_F(PipelineTest, NothingHappensWhileTheListIsChangedByCode) {
    host::Screen::Instance().SetMousePointer(host::pointer::Arrow);
    gSuppressListClick = true;
    Click("P1");
    EXPECT_TRUE(Messages().Texts().empty());
    EXPECT_TRUE(Selected(parcels).empty());
    EXPECT_EQ(Pointer(), host::pointer::Arrow);
    EXPECT_EQ(gBufferDistance, "100");
    EXPECT_TRUE(Bar()->History().empty());
}

TEST_F(PipelineTest, DistanceIsCheckedBeforeAnythingChangesAndStoredAsTyped) {
    struct Case {
        const char* typed;
        bool valid;
    };
    const Case cases[] = {{"", false},    {"-", false},  {".", false},    {"abc", false},  {"0.0", false},
                          {"-5", false},  {"1,000", false}, {"1e999", false}, {"0.001", true}, {".5", true},
                          {" 7 ", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("\"") + c.typed + "\"");
        for (bool button : {false, true}) {
            Select(parcels, {2});
            DrawUsersMarker();
            gBufferDistance = "100";
            host::Screen::Instance().SetMousePointer(host::pointer::Arrow);
            form->txtBuffer.SetText(c.typed);
            Deselect();
            if (button) form->btnBufferSelected_Click(); else Click("P1");
            if (c.valid) {
                EXPECT_EQ(gBufferDistance, c.typed);
                EXPECT_TRUE(TakeMessages().empty());
                continue;
            }
            EXPECT_EQ(TakeMessages(), std::vector<std::string>{"Invalid buffer size"});
            EXPECT_EQ(gBufferDistance, "100");
            EXPECT_EQ(Pointer(), host::pointer::Arrow);
            EXPECT_EQ(Selected(parcels), std::vector<long>{2});
            EXPECT_EQ(document->ActiveView()->ElementCount(), 1);
            document->ActiveView()->DeleteAllElements();
        }
    }
    // The button asks for a selection first, whatever the distance.
    Select(parcels, {});
    form->txtBuffer.SetText("abc");
    form->btnBufferSelected_Click();
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{"Please select features before applying a buffer"});
    EXPECT_EQ(Pointer(), host::pointer::Default);
}

TEST_F(PipelineTest, MissingLayersStopAfterTheDistanceIsStored) {
    struct Case {
        const char* buffer;
        const char* selection;
        bool button;
        const char* message;
    };
    const Case cases[] = {
        {"Nowhere", "Parcels", false, "Sorry, can't find layer: Nowhere"},
        {"Nowhere", "Parcels", true, "Sorry, can't find buffer layer: Nowhere"},
        {"Parcels", "NONE", false, "Sorry, can't find selection layer: NONE"},
        {"Parcels", "NONE", true, "Sorry, can't find selection layer: NONE"},
        {"Parcels", "Streets", true, "No features selected in current buffer layer: Parcels"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        gBufferLayerName = c.buffer;
        gSelectionLayerName = c.selection;
        gBufferDistance = "100";
        form->txtBuffer.SetText("0250");
        Select(parcels, {});
        Select(streets, {1});
        DrawUsersMarker();
        Deselect();
        if (c.button) form->btnBufferSelected_Click(); else Click("P1");
        EXPECT_EQ(TakeMessages(), std::vector<std::string>{c.message});
        EXPECT_EQ(gBufferDistance, "0250");
        EXPECT_EQ(Pointer(), host::pointer::Default);
        EXPECT_FALSE(Bar()->Visible());
        EXPECT_EQ(document->ActiveView()->ElementCount(), 1);
        EXPECT_EQ(Selected(streets), std::vector<long>{1});
        EXPECT_EQ(form->txtCount.Caption(), "7");
        document->ActiveView()->DeleteAllElements();
    }
}

TEST_F(PipelineTest, ButtonDrawsItsLayersFeaturesButBuffersTheWholeSelection) {
    gSelectionLayerName = "Streets";
    form->txtBuffer.SetText("60");
    Select(parcels, {1});
    Select(hydrants, {1});  // 50 from MAIN ST: only its buffer reaches the street
    form->btnBufferSelected_Click();
    EXPECT_TRUE(Messages().Texts().empty());
    EXPECT_EQ(Graphics(), (std::vector<std::string>{kSubject, kOutline}));
    EXPECT_EQ(Selected(streets), std::vector<long>{1});
    EXPECT_TRUE(Selected(parcels).empty()) << "the buffer layer's selection is cleared";
    EXPECT_EQ(Selected(hydrants), std::vector<long>{1});
    EXPECT_EQ(form->txtCount.Caption(), "2");
    EXPECT_TRUE(Bar()->History().empty()) << "no progress bar for the button";
}

TEST_F(PipelineTest, ButtonClearsThenZoomsWhereTheListZoomsThenClears) {
    gBufferLayerName = "Streets";
    gSearchFieldName = "NAME";
    gSelectionLayerName = "Hydrants";
    form->txtBuffer.SetText("60");
    Click("MAIN ST");
    const double listWidth = document->ActiveView()->Extent()->Width();
    Select(hydrants, {});
    Select(streets, {1});
    form->btnBufferSelected_Click();
    const double buttonWidth = document->ActiveView()->Extent()->Width();
    EXPECT_TRUE(Messages().Texts().empty());
    EXPECT_GE(listWidth, 700) << "zoomed while the street was still selected";
    EXPECT_LT(buttonWidth, 100) << "zoomed to the hydrant alone";
    EXPECT_EQ(Selected(hydrants), std::vector<long>{1});
    EXPECT_TRUE(Selected(streets).empty());
}

TEST_F(PipelineTest, LayerNamesDifferingOnlyInCaseKeepTheAbutters) {
    // Both names find the one layer: clearing the "other" layer's selection would wipe the
    // abutters with the subject.
    gSelectionLayerName = "parcels";
    Click("P1");
    EXPECT_EQ(Selected(parcels), (std::vector<long>{1, 2, 3}));
    EXPECT_EQ(form->txtCount.Caption(), "3");
}

TEST_F(PipelineTest, LayersInsideGroupLayers) {
    // The buffer layer in a group: the attribute selection cannot find it, the map holds no
    // selection, and the run stops quietly after the buffer routine's message.
    MakeTown(Layout::ParcelsGrouped);
    Click("P1");
    EXPECT_EQ(TakeMessages(), (std::vector<std::string>{"Feature Not Found", "Sorry... No features found"}));
    EXPECT_EQ(Pointer(), host::pointer::Default);
    EXPECT_FALSE(Bar()->Visible());
    EXPECT_EQ(form->txtCount.Caption(), "7");

    // The selection layer in a group: the spatial selection reports that it found no layer,
    // and the run goes on to its end.
    MakeTown(Layout::Grouped);
    gSelectionLayerName = "Streets";
    Deselect();
    Click("P1");
    EXPECT_EQ(ReportModules(), std::vector<std::string>{"SelectWithinPolyOLD Abutters "});
    EXPECT_EQ(form->txtCount.Caption(), "0");
    EXPECT_EQ(Graphics(), (std::vector<std::string>{kSubject, kOutline}));
}

TEST_F(PipelineTest, MultipointSubjectIsBufferedButNotDrawn) {
    gBufferLayerName = "Wells";
    gSearchFieldName = "NAME";
    form->txtBuffer.SetText("60");
    Click("W1");
    EXPECT_EQ(Graphics(), std::vector<std::string>{kOutline});
    EXPECT_EQ(Selected(parcels), (std::vector<long>{3, 4}));
    EXPECT_TRUE(Selected(wells).empty());
    EXPECT_EQ(form->txtCount.Caption(), "2");
}

TEST_F(PipelineTest, ValueThatSelectsNothingStopsQuietly) {
    Click("ZZZ");
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{"Sorry... No features found"});
    EXPECT_EQ(Pointer(), host::pointer::Default);
    EXPECT_FALSE(Bar()->Visible());
    EXPECT_EQ(form->txtCount.Caption(), "7");
}

TEST_F(PipelineTest, UnexpectedErrorResetsPointerAndBarBeforeTheReport) {
    application->CommandBars()->Clear();  // no zoom command to run
    Click("P1");
    form->btnBufferSelected_Click();
    EXPECT_EQ(ReportModules(), (std::vector<std::string>{"List1_Click frmMain ", "btnBufferSelected frmMain "}));
    EXPECT_EQ(Pointer(), host::pointer::Default);
    EXPECT_FALSE(Bar()->Visible());
    EXPECT_EQ(form->txtCount.Caption(), "7");
    EXPECT_EQ(Graphics(), (std::vector<std::string>{kSubject, kSubject, kSubject, kOutline}));
}

TEST_F(PipelineTest, ClearEmptiesEverythingWhereEraseBufferKeepsTheSelection) {
    for (bool clear : {false, true}) {
        SCOPED_TRACE(clear ? "Clear" : "Erase Buffer");
        Click("P1");
        DrawUsersMarker();
        const std::size_t steps = Bar()->History().size();
        if (clear) form->Command14_Click(); else form->Command3_Click();
        EXPECT_EQ(document->ActiveView()->ElementCount(), 0);
        EXPECT_EQ(form->List1.ListIndex(), -1);
        EXPECT_FALSE(gSuppressListClick);
        EXPECT_EQ(Bar()->History().size(), steps) << "deselecting does not run the pipeline";
        EXPECT_EQ(Selected(parcels), (clear ? std::vector<long>{} : std::vector<long>{1, 2, 3}));
        EXPECT_EQ(form->txtCount.Caption(), clear ? "0" : "3");
    }
    EXPECT_TRUE(Messages().Texts().empty());

}

}  // namespace
