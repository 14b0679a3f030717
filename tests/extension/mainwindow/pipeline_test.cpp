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
#include "host/platform/FileChannels.h"
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
        Messages().OnShow = [this](const host::MessageBoxRecord&) { shownWith.push_back(Now()); };
    }

    // The pointer, the progress bar and file #1 as they stand, as "pointer=N bar=B file1=F".
    static std::string State(int pointer, bool bar, bool file1) {
        return "pointer=" + std::to_string(pointer) + " bar=" + std::to_string(bar) + " file1=" + std::to_string(file1);
    }
    std::string Now() { return State(Pointer(), Bar()->Visible(), host::FileChannels::Instance().IsOpen(1)); }

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
    std::vector<std::string> shownWith;  // the state at each message box, in order
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

TEST_F(PipelineTest, EachEntryPointRedrawsSelectsAndZoomsInItsOwnOrder) {
    // What the view hears, one letter per event, repeats written once: R refresh, P redraw
    // of the selection, G graphics changed, S selection changed, X extent changed.
    struct Case {
        bool button;
        const char* selectionLayer;
        const char* trace;
    };
    const Case cases[] = {
        // focus map made active | graphics deleted | new selection of the subject | subject
        // drawn | outline drawn | abutters added | zoom | subject's selection cleared
        {false, "Streets", "R" "G" "SRSP" "GR" "GR" "SP" "XR" "SP"},
        {false, "Parcels", "R" "G" "SRSP" "GR" "GR" "SP" "XR"},
        // the button clears before it zooms
        {true, "Streets", "R" "G" "R" "GR" "SP" "SP" "XR"},
        {true, "Parcels", "R" "G" "R" "GR" "SP" "XR"},
    };
    std::string trace;
    map->Subscribe([&](host::ViewEvent event) {
        char letter = '?';
        switch (event) {
        case host::ViewEvent::Refreshed: letter = 'R'; break;
        case host::ViewEvent::PartialRefreshed: letter = 'P'; break;
        case host::ViewEvent::ExtentChanged: letter = 'X'; break;
        case host::ViewEvent::SelectionChanged: letter = 'S'; break;
        case host::ViewEvent::GraphicsChanged: letter = 'G'; break;
        }
        if (trace.empty() || trace.back() != letter) trace += letter;
    });
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.button ? "button, " : "list, ") + c.selectionLayer);
        gSelectionLayerName = c.selectionLayer;
        Deselect();
        Select(parcels, {1});
        trace.clear();
        if (c.button) form->btnBufferSelected_Click(); else Click("P1");
        EXPECT_TRUE(Messages().Texts().empty());
        EXPECT_EQ(trace, c.trace);
    }
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
            shownWith.clear();
            if (button) form->btnBufferSelected_Click(); else Click("P1");
            if (c.valid) {
                EXPECT_EQ(gBufferDistance, c.typed);
                EXPECT_TRUE(TakeMessages().empty());
                continue;
            }
            EXPECT_EQ(TakeMessages(), std::vector<std::string>{"Invalid buffer size"});
            EXPECT_EQ(shownWith, std::vector<std::string>{State(host::pointer::Arrow, false, false)});
            EXPECT_EQ(gBufferDistance, "100");
            EXPECT_EQ(Pointer(), host::pointer::Arrow);
            EXPECT_EQ(Selected(parcels), std::vector<long>{2});
            EXPECT_EQ(document->ActiveView()->ElementCount(), 1);
            document->ActiveView()->DeleteAllElements();
        }
    }
    // The button asks for a selection first, whatever the distance, the pointer already reset.
    Select(parcels, {});
    form->txtBuffer.SetText("abc");
    host::Screen::Instance().SetMousePointer(host::pointer::Hourglass);
    shownWith.clear();
    form->btnBufferSelected_Click();
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{"Please select features before applying a buffer"});
    EXPECT_EQ(shownWith, std::vector<std::string>{State(host::pointer::Default, false, false)});
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
        shownWith.clear();
        if (c.button) form->btnBufferSelected_Click(); else Click("P1");
        EXPECT_EQ(TakeMessages(), std::vector<std::string>{c.message});
        // The message comes first, the pointer and the bar go back after it.
        EXPECT_EQ(shownWith, std::vector<std::string>{State(host::pointer::Hourglass, !c.button, false)});
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

TEST_F(PipelineTest, LayerNamesDifferingOnlyInCaseKeepTheAbutters) {
    // Both names find the one layer: clearing the "other" layer's selection would wipe the
    // abutters with the subject.
    gSelectionLayerName = "parcels";
    for (bool button : {false, true}) {
        SCOPED_TRACE(button ? "button" : "list");
        Select(parcels, {1});
        if (button) form->btnBufferSelected_Click(); else Click("P1");
        EXPECT_EQ(Selected(parcels), (std::vector<long>{1, 2, 3}));
        EXPECT_EQ(form->txtCount.Caption(), "3");
    }
    EXPECT_TRUE(Messages().Texts().empty());
}

TEST_F(PipelineTest, ListClickModeFollowsTheHiddenOptionAndDrawsEverySelectedFeature) {
    // A hydrant selected beforehand: a new selection drops it, an added one keeps it, and
    // then it is drawn and buffered with the subject (its buffer reaches P1 only).
    form->txtBuffer.SetText("60");
    for (bool newSelection : {true, false}) {
        SCOPED_TRACE(newSelection ? "new selection" : "add to selection");
        Deselect();
        Select(parcels, {});
        Select(hydrants, {1});
        form->Option1.SetValue(newSelection);
        Click("P1");
        EXPECT_TRUE(Messages().Texts().empty());
        EXPECT_EQ(Selected(parcels), (std::vector<long>{1, 2}));
        EXPECT_EQ(Selected(hydrants), newSelection ? std::vector<long>{} : std::vector<long>{1});
        const std::string marker = "marker style=0 size=15 255,0,255";
        EXPECT_EQ(Graphics(), newSelection ? (std::vector<std::string>{kSubject, kOutline})
                                           : (std::vector<std::string>{kSubject, marker, kOutline}));
        EXPECT_EQ(form->txtCount.Caption(), newSelection ? "2" : "3");
    }
}

TEST_F(PipelineTest, RunWorksOnTheFocusMapAndClearOrEraseOnWhicheverViewIsActive) {
    auto other = host::New<host::Map>();
    auto marker = host::New<host::MarkerElement>();
    marker->SetGeometry(host::New<host::Point>(0, 0));
    other->AddElement(marker, 0);
    document->SetActiveView(other);
    Click("P1");
    EXPECT_TRUE(document->ActiveView() == map) << "the focus map is made the active view";
    EXPECT_EQ(Graphics(), (std::vector<std::string>{kSubject, kOutline}));
    EXPECT_EQ(other->ElementCount(), 1);

    for (bool clear : {false, true}) {
        SCOPED_TRACE(clear ? "Clear" : "Erase Buffer");
        document->SetActiveView(other);
        const long refreshes = other->RefreshCount();
        if (clear) form->Command14_Click(); else form->Command3_Click();
        EXPECT_EQ(other->ElementCount(), 0);
        EXPECT_EQ(other->RefreshCount(), refreshes + 1);
        EXPECT_EQ(map->ElementCount(), 2) << "the focus map's graphics are not in the active view";
        EXPECT_EQ(Selected(parcels), clear ? std::vector<long>{} : (std::vector<long>{1, 2, 3}));
        other->AddElement(marker, 0);
    }
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

TEST_F(PipelineTest, UnexpectedErrorClosesFileOneAndResetsPointerAndBarBeforeTheReport) {
    application->CommandBars()->Clear();  // no zoom command to run
    for (bool button : {false, true}) {
        host::FileChannels::Instance().OpenForAppend(1, "C:\\left-open.txt");
        if (button) form->btnBufferSelected_Click(); else Click("P1");
    }
    const std::string settled = State(host::pointer::Default, false, false);
    EXPECT_EQ(shownWith, (std::vector<std::string>{settled, settled}));
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
