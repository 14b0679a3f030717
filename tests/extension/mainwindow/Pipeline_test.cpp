// The buffer-and-select pipeline of the main window (list click and Buffer Selected
// Features), Clear and Erase Buffer, on the small town.
#include <string>
#include <vector>

#include "extension/mainwindow/frmMain.h"
#include "host/framework/StatusBar.h"
#include "host/framework/StepProgressor.h"
#include "host/geometry/Point.h"
#include "host/geometry/SpatialReference.h"
#include "host/platform/FileChannels.h"
#include "host/platform/Screen.h"
#include "tests/extension/selection/AbuttersTown.h"

namespace {

using Ids = std::vector<long>;
using Texts = std::vector<std::string>;

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
        gBufferLayerName = gSelectionLayerName = "Parcels";
        gSearchFieldName = "PARCEL_ID";
        gBufferDistance = "100";
        form->txtBuffer.SetText("150");
        for (const char* value : {"P1", "P2", "Q1", "W1"}) form->List1.AddItem(value);
        form->txtCount.SetCaption("7");
        Messages().OnShow = [this](const host::MessageBoxRecord&) { shownWith.push_back(Now()); };
    }

    // The pointer, the progress bar and file #1 as they stand; expected states have file #1 closed.
    static std::string State(int pointer, bool bar = false, bool file1 = false) {
        return "pointer=" + std::to_string(pointer) + " bar=" + std::to_string(bar) + " file1=" + std::to_string(file1);
    }
    std::string Now() {
        return State(host::Screen::Instance().MousePointer(), Bar()->Visible(),
                     host::FileChannels::Instance().IsOpen(1));
    }
    // Buffer Selected Features, or a list click after choosing no entry without a click.
    void Run(bool button, const std::string& value = "P1") {
        if (button) return form->btnBufferSelected_Click();
        gSuppressListClick = true;
        form->List1.SetListIndex(-1);
        gSuppressListClick = false;
        form->List1.SetListIndex(form->List1.IndexOf(value));
    }
    host::Ref<host::StepProgressor> Bar() { return application->StatusBar()->ProgressBar(); }
    Texts Graphics() { return abutters_test::Describe(document->ActiveView()->Elements()); }

    // After a run: the one box (the start of its text, or the module of an error report;
    // none when empty), the selection of every layer, the graphics, the count, and the
    // pointer, the bar and file #1 put back.
    void ExpectAfter(const std::string& box, const std::string& selection, const Texts& graphics, const char* count) {
        const Texts modules = ReportModules(), shown = TakeMessages();
        if (box.empty()) {
            EXPECT_EQ(shown, Texts{});
        } else {
            ASSERT_EQ(shown.size(), 1u);
            EXPECT_EQ((modules.empty() ? shown[0] : modules[0]).substr(0, box.size()), box);
        }
        std::string selected;
        for (const auto& layer : {parcels, streets, hydrants, wells}) {
            if (Selected(layer).empty()) continue;
            selected += (selected.empty() ? "" : "; ") + layer->Name();
            for (long id : Selected(layer)) selected += " " + std::to_string(id);
        }
        EXPECT_EQ(selected, selection);
        EXPECT_EQ(Graphics(), graphics);
        EXPECT_EQ(form->txtCount.Caption(), count);
        EXPECT_EQ(Now(), State(host::pointer::Default));
    }

    host::Ref<PipelineForm> form;
    Texts shownWith;  // the state at each message box, in order
};

const std::string kSubject = "polygon fill=0 255,0,255 outline=1 style=0 255,0,255";
const std::string kOutline = "polygon fill=1 255,0,255 outline=3 style=0 255,0,255";

TEST_F(PipelineTest, EachEntryPointRedrawsSelectsAndZoomsInItsOwnOrder) {
    // What the view hears, repeats written once: R refresh, P redraw of the selection,
    // X extent changed, S selection changed, G graphics changed. The list zooms, then clears
    // the subject's selection; the button clears before it zooms.
    const struct {
        bool button;
        const char* selectionLayer;
        const char* trace;
    } cases[] = {
        {false, "Streets", "RGSRSPGRGRSPXRSP"},
        {false, "Parcels", "RGSRSPGRGRSPXR"},
        {true, "Streets", "RGRGRSPSPXR"},
        {true, "Parcels", "RGRGRSPXR"},
    };
    std::string trace;
    map->Subscribe([&](host::ViewEvent event) {
        const char letter = "RPXSG"[static_cast<int>(event)];
        if (trace.empty() || trace.back() != letter) trace += letter;
    });
    for (const auto& c : cases) {
        gSelectionLayerName = c.selectionLayer;
        Select(parcels, {1});
        trace.clear();
        Run(c.button);
        EXPECT_EQ(trace, c.trace) << c.button << c.selectionLayer;
    }
}

TEST_F(PipelineTest, NothingRunsWhileSuppressedOrWithoutASelectionForTheButton) {
    gSuppressListClick = true;
    form->List1.SetListIndex(0);
    EXPECT_TRUE(Selected(parcels).empty());
    // The button asks for a selection first, whatever the distance.
    form->txtBuffer.SetText("abc");
    Run(true);
    EXPECT_EQ(TakeMessages(), Texts{"Please select features before applying a buffer"});
}

TEST_F(PipelineTest, StopsLeaveEverythingButTheDistanceStoredAsTyped) {
    // A bad distance stops before anything changes; a missing layer after the distance is
    // stored and the pointer and bar are set, which go back after the message.
    struct Case {
        const char* buffer;
        const char* selection;
        const char* typed;
        bool button;
        const char* message;
    };
    std::vector<Case> cases = {
        {"Nowhere", "Parcels", "0250", false, "Sorry, can't find layer: Nowhere"},
        {"Nowhere", "Parcels", ".5", true, "Sorry, can't find buffer layer: Nowhere"},
        {"Parcels", "NONE", " 7 ", false, "Sorry, can't find selection layer: NONE"},
        {"Parcels", "Streets", "1", true, "No features selected in current buffer layer: Parcels"},
    };
    for (const char* typed : {"", "0.0", "1,000", "1e999"})
        cases.push_back({"Parcels", "Parcels", typed, typed[0] == '1', "Invalid buffer size"});
    // A distance is a number in the user's locale and greater than 0: no negative number, no
    // second sign, no sign or point alone. Blanks around a number, a plus sign, a trailing
    // point and the smallest number above 0 pass (and stop at the missing layer).
    for (bool button : {false, true}) {
        for (const char* typed : {"-5", "--5", "+-5", "-+5", "++5", "-0", "-0.0", "-1e-300", "-", "+", ".", "5-",
                                  "1.2.3", "5 5", "0x10", "inf", "nan", "abc"})
            cases.push_back({"Parcels", "Parcels", typed, button, "Invalid buffer size"});
        for (const char* typed : {" 5 ", "+5", "5.", "4.9e-324"})
            cases.push_back({"Parcels", "NONE", typed, button, "Sorry, can't find selection layer: NONE"});
    }
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.message) + " \"" + c.typed + "\" " + (c.button ? "button" : "list"));
        const bool invalid = c.message == std::string("Invalid buffer size");
        gBufferLayerName = c.buffer;
        gSelectionLayerName = c.selection;
        gBufferDistance = "100";
        form->txtBuffer.SetText(c.typed);
        Select(parcels, {});
        Select(streets, {1});
        auto marker = host::New<host::MarkerElement>();  // an element someone else drew
        marker->SetGeometry(host::New<host::Point>(-500, -500));
        map->BasicGraphicsLayer()->AddElement(marker, 0);
        host::Screen::Instance().SetMousePointer(host::pointer::Arrow);
        shownWith.clear();
        Run(c.button);
        EXPECT_EQ(TakeMessages(), Texts{c.message});
        EXPECT_EQ(shownWith, Texts{invalid ? State(host::pointer::Arrow) : State(host::pointer::Hourglass, !c.button)});
        EXPECT_EQ(Now(), State(invalid ? host::pointer::Arrow : host::pointer::Default));
        EXPECT_EQ(gBufferDistance, invalid ? "100" : c.typed);
        EXPECT_EQ(static_cast<std::size_t>(document->ActiveView()->ElementCount()) + Selected(streets).size(), 2u)
            << "nothing else changed";
        document->ActiveView()->DeleteAllElements();
    }
}

TEST_F(PipelineTest, TheListClicksBarRunsFromOneToTenAndTheButtonShowsNone) {
    // One position of 1 and nine advances of 1: the bar stands at its upper bound, 10, when
    // it is hidden at the end.
    const Texts bar = {
        "MinRange 1", "MaxRange 10", "StepValue 1", "Position 1", "Message \"Locating and Buffering Feature...\"",
        "Step 2",     "Show",        "Step 3",      "Step 4",     "Step 5",
        "Step 6",     "Step 7",      "Step 8",      "Step 9",     "Step 10",
        "Hide"};
    for (bool button : {false, true}) {
        Select(parcels, {1});
        Bar()->ClearHistory();
        Run(button);
        EXPECT_TRUE(TakeMessages().empty());
        EXPECT_EQ(Bar()->HistoryLines(), button ? Texts{} : bar) << button;
        if (!button) {
            EXPECT_EQ(Bar()->Position(), 10);
        }
    }
}

TEST_F(PipelineTest, EverySelectedFeatureIsBufferedButOnlyPolygonsOfTheBufferLayerAreDrawnAsSubject) {
    // A hydrant is selected beforehand (its buffer reaches P1 and MAIN ST only): a list click
    // drops it when the hidden option asks for a new selection and keeps, draws and buffers it
    // otherwise; the button keeps it, draws only its layer's features and clears that layer.
    // A multipoint subject is buffered but not drawn.
    const struct {
        bool button, newSelection;
        const char* value;
        Texts graphics;
        const char *selected, *count;
    } cases[] = {
        {true, false, "P1", {kSubject, kOutline}, "Streets 1; Hydrants 1", "2"},
        {false, true, "P1", {kSubject, kOutline}, "Parcels 1 2", "2"},
        {false, false, "P1", {kSubject, "marker style=0 size=15 255,0,255", kOutline}, "Parcels 1 2; Hydrants 1", "3"},
        {false, true, "W1", {kOutline}, "Parcels 3 4", "2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.value) + (c.button ? " button" : c.newSelection ? " new" : " add"));
        MakeTown(abutters_test::Layout::Flat);
        form->txtBuffer.SetText("60");
        gSelectionLayerName = c.button ? "Streets" : "Parcels";
        gBufferLayerName = c.value[0] == 'W' ? "Wells" : "Parcels";
        gSearchFieldName = c.value[0] == 'W' ? "NAME" : "PARCEL_ID";
        form->Option1.SetValue(c.newSelection);
        Select(parcels, c.button ? Ids{1} : Ids{});
        Select(hydrants, {1});
        Run(c.button, c.value);
        ExpectAfter("", c.selected, c.graphics, c.count);
    }
}

TEST_F(PipelineTest, ASubjectQueryThatGivesUpEndsTheRunWithTheEarlierSelectionUntouched) {
    // Q1 and the hydrant are selected beforehand. The query refuses the field, or the host
    // refuses its clause (text for a number field), and keeps that selection: buffering it
    // as if it were the subject would add parcels that abut nothing the user asked for.
    for (const auto& [field, message] : {std::pair{"SOLD", "Sorry, Date queries are not yet supported."},
                                         {"KEY", "Sorry...  Field type not certain... Can't perform query"},
                                         {"Shape", "Sorry... Can't query a Geometry field"},
                                         {"YEAR_BUILT", "SelectFeaturesOLD Abutters "}}) {
        for (bool newSelection : {true, false}) {
            SCOPED_TRACE(std::string(field) + (newSelection ? " new" : " add"));
            gSearchFieldName = field;
            form->Option1.SetValue(newSelection);
            Select(parcels, {7});
            Select(hydrants, {1});
            Run(false, "P1");
            ExpectAfter(message, "Parcels 7; Hydrants 1", {}, "7");
        }
    }
}

TEST_F(PipelineTest, TinyDistancesLayerNamesInAnotherCaseAndGroupLayersKeepTheAbutters) {
    // 1e-300 buffers to nothing in GEOS; the subject stands as its own buffer, so its
    // neighbour P2 (sharing an edge) is selected, Q1 and MAIN ST (100 away) are not.
    // "parcels" finds the one layer: clearing the "other" layer's selection would wipe the
    // abutters with the subject. Layers inside group layers are found as top-level ones.
    using abutters_test::Layout;
    const struct {
        Layout layout;
        const char *distance, *selection, *selected, *count;
    } cases[] = {
        {Layout::Flat, "1e-300", "Parcels", "Parcels 1 2", "2"},
        {Layout::Flat, "150", "parcels", "Parcels 1 2 3", "3"},
        {Layout::ParcelsGrouped, "150", "Parcels", "Parcels 1 2 3", "3"},
        {Layout::Grouped, "150", "Streets", "Streets 1", "1"},
    };
    for (const auto& c : cases) {
        for (bool button : {false, true}) {
            SCOPED_TRACE(std::string(c.selection) + " " + c.distance + (button ? " button" : " list"));
            MakeTown(c.layout);
            form->txtBuffer.SetText(c.distance);
            gSelectionLayerName = c.selection;
            Select(parcels, {1});
            Run(button);
            ExpectAfter("", c.selected, {kSubject, kOutline}, c.count);
        }
    }
}

TEST_F(PipelineTest, AMapInDegreesStopsBothEntryPointsBeforeAnythingChanges) {
    for (const char* system : {"EPSG:4326", "+proj=longlat +ellps=GRS80", "EPSG:2249"}) {
        for (bool button : {false, true}) {
            SCOPED_TRACE(std::string(system) + (button ? " button" : " list"));
            MakeTown(abutters_test::Layout::Flat);
            map->SetSpatialReference(host::SpatialReference::FromUserInput(system));
            Select(parcels, {2});
            Run(button, "P2");
            if (std::string(system) == "EPSG:2249") {  // in feet: the run goes ahead
                ExpectAfter("", "Parcels 1 2 3 4", {kSubject, kOutline}, "4");
                continue;
            }
            ASSERT_FALSE(Messages().Texts().empty());
            EXPECT_NE(Messages().Texts()[0].find("\"coordinate_system\""), std::string::npos) << "how to give it one";
            ExpectAfter("The map's units are degrees", "Parcels 2", {}, "7");
        }
    }
}

TEST_F(PipelineTest, UnexpectedErrorClosesFileOneAndResetsPointerAndBarBeforeTheReport) {
    application->CommandBars()->Clear();  // no zoom command to run
    for (bool button : {false, true}) {
        host::FileChannels::Instance().OpenForAppend(1, "C:\\left-open.txt");
        Run(button);
    }
    EXPECT_EQ(shownWith, (Texts{State(host::pointer::Default), State(host::pointer::Default)}));
    EXPECT_EQ(ReportModules(), (Texts{"List1_Click frmMain ", "btnBufferSelected frmMain "}));
}

}  // namespace
