// frmMain: the buffer-and-select pipeline (list click and Buffer Selected Features), Clear
// and Erase Buffer.
//
// One pipeline serves both entry points. The list click selects its subject by the clicked
// value and shows the status-bar progress bar; the button takes the features already
// selected in the buffer layer. Both buffer the whole map's selection, union the buffers,
// draw the subject and the outline in magenta, add the selection layer's features inside
// the outline to the selection, zoom to the selection and show the count.
#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

#include "extension/command/Globals.h"
#include "extension/mainwindow/frmMain.h"
#include "extension/selection/Abutters.h"
#include "extension/shared/ArcID.h"
#include "extension/shared/ErrorHandling.h"
#include "extension/shared/Tovalin_ArcMap.h"
#include "host/carto/ActiveView.h"
#include "host/carto/EnumFeature.h"
#include "host/carto/FeatureLayer.h"
#include "host/carto/GraphicsContainer.h"
#include "host/carto/Map.h"
#include "host/carto/MxDocument.h"
#include "host/core/ErrorTrap.h"
#include "host/core/ScopedFlag.h"
#include "host/data/Feature.h"
#include "host/data/FeatureCursor.h"
#include "host/data/SelectionSet.h"
#include "host/framework/Application.h"
#include "host/framework/CommandBars.h"
#include "host/framework/CommandItem.h"
#include "host/framework/StatusBar.h"
#include "host/framework/StepProgressor.h"
#include "host/geometry/Geometry.h"
#include "host/geometry/GeometryBag.h"
#include "host/geometry/Point.h"
#include "host/geometry/Polygon.h"
#include "host/geometry/Polyline.h"
#include "host/geometry/SpatialReference.h"
#include "host/platform/FileChannels.h"
#include "host/platform/MessageBoxes.h"
#include "host/platform/Screen.h"

namespace {

enum class Entry { Button, List };

// A buffer distance as the user's locale writes a number: blanks around it allowed, an
// optional sign, digits with at most one decimal point, an optional exponent. False for
// anything else (empty, "-", ".", letters, thousands separators) and for a value too large
// or too small to hold.
bool ReadNumber(const std::string& text, double& value) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return false;
    const std::size_t last = text.find_last_not_of(" \t");
    const char* begin = text.data() + first;
    const char* end = text.data() + last + 1;
    bool negative = false;
    if (*begin == '+' || *begin == '-') {
        negative = *begin == '-';
        ++begin;
    }
    // from_chars would also take "inf", "nan" and a second sign; a number starts with a
    // digit or its decimal point.
    if (begin == end || !(std::isdigit(static_cast<unsigned char>(*begin)) != 0 || *begin == '.')) return false;
    double read = 0;
    auto [ptr, ec] = std::from_chars(begin, end, read, std::chars_format::general);
    if (ec != std::errc() || ptr != end || !std::isfinite(read)) return false;
    value = negative ? -read : read;
    return true;
}

// A buffer distance is in the map's units. On a map in longitude and latitude it would be
// read as degrees (300 degrees takes in the whole map), so the run stops before anything is
// selected or drawn and says how to give the map units a distance can be measured in.
constexpr const char* kMapInDegrees =
    "The map's units are degrees: its coordinate system is geographic (longitude and latitude), so a buffer "
    "distance cannot be measured in it.\n"
    "Give the map a projected coordinate system in feet or meters: name it in the map document's "
    "\"coordinate_system\" field (for example \"coordinate_system\": \"EPSG:2249\") and open the map again.";

bool IsInDegrees(const host::Map& map) {
    const host::Ref<host::SpatialReference> system = map.SpatialReference();
    return system && system->IsGeographic();
}

void SetPointer(int shape) { host::Screen::Instance().SetMousePointer(shape); }

// Draws one subject feature in magenta by its geometry type; other types draw nothing.
void DrawSubject(const host::Ref<host::Feature>& feature) {
    host::Ref<host::Geometry> shape = feature->Shape();
    switch (shape->GeometryType()) {
    case host::GeometryTypeCode::Polygon: DrawFilledPolygonOLD(host::As<host::Polygon>(shape)); break;
    case host::GeometryTypeCode::Polyline: DrawFilledPolyLineOLD(host::As<host::Polyline>(shape)); break;
    case host::GeometryTypeCode::Point: DrawFilledPointOLD(host::As<host::Point>(shape)); break;
    default: break;  // multipoints and the rest are buffered but not drawn
    }
}

// Runs the built-in command that zooms the view to the selected features.
void ZoomToSelectedFeatures() {
    host::Ref<host::CommandItem> item =
        gApplication->Document()->CommandBars()->Find(ArcID::ZoomToSelectedFeaturesUid(), false, false);
    item->Execute();
}

// The buffer layer's own selection is cleared when the selection layer is another one.
// Layer lookups ignore case, so two names that differ only in case ("Parcels", "parcels")
// find one and the same layer: clearing it then would wipe the abutters just selected, so
// the found layers decide, not only the spelling of their names.
void ClearSubjectSelection(const host::Ref<host::FeatureLayer>& bufferLayer,
                           const host::Ref<host::FeatureLayer>& selectionLayer,
                           const host::Ref<host::ActiveView>& view) {
    if (gBufferLayerName == gSelectionLayerName || bufferLayer == selectionLayer) return;
    bufferLayer->Clear();
    view->PartialRefresh(host::ViewPhase::GeoSelection, nullptr, nullptr);
}

// One run of the pipeline from either entry point, step by step in the order the user sees
// them. A step that stops the run returns false after its message; whatever the steps hand on
// (the layers, the subject's cursor, the clicked value, the bar) is kept here.
class PipelineRun {
public:
    PipelineRun(frmMain& form, Entry entry) : form_(form), list_(entry == Entry::List) {}

    void Run() {
        if (list_ && gSuppressListClick) return;
        map_ = gMxDocument->FocusMap();
        if (!CheckButtonHasSelection() || !CheckDistance()) return;
        ShowFocusMap();
        StartProgress();
        if (!FindLayers() || !OpenButtonSubjects()) return;
        TakeClickedValue();
        host::As<host::GraphicsContainer>(view_)->DeleteAllElements();
        Advance();
        if (!SelectListSubject()) return;
        DrawSubjects();
        const host::Ref<host::Polygon> outline = BufferAndUnion();
        if (!outline) return;
        DrawPolygonOLD(outline);
        SelectWithinPolyOLD(gSelectionLayerName, outline, 2);
        Advance();
        Finish();
    }

    // What a failed run puts back before its error report: file #1 closed, the pointer, the bar.
    void Abandon() {
        host::ResumeNext([] { host::FileChannels::Instance().Close(1); });
        host::ResumeNext([] { SetPointer(host::pointer::Default); });
        if (progress_) host::ResumeNext([&] { progress_->Hide(); });
    }

private:
    // The button buffers what is selected, so something must be, whatever the distance.
    bool CheckButtonHasSelection() {
        if (list_ || map_->SelectionCount() >= 1) return true;
        SetPointer(host::pointer::Default);
        host::ShowMessage("Please select features before applying a buffer");
        return false;
    }

    // The distance is checked before anything changes, and stored as typed once it passes;
    // the pointer then turns to the hourglass.
    bool CheckDistance() {
        double distance = 0;
        const std::string typed = form_.txtBuffer.Text();
        if (!ReadNumber(typed, distance) || !(distance > 0)) {
            host::ShowMessage("Invalid buffer size");
            return false;
        }
        if (IsInDegrees(*map_)) {
            host::ShowMessage(kMapInDegrees);
            return false;
        }
        gBufferDistance = typed;
        SetPointer(host::pointer::Hourglass);
        return true;
    }

    void ShowFocusMap() {
        gMxDocument->SetActiveView(map_);
        view_ = gMxDocument->ActiveView();
        view_->Refresh();
    }

    // The list click's status-bar progress bar: 1 to 10, shown after its first advance.
    void StartProgress() {
        if (!list_) return;
        progress_ = gApplication->StatusBar()->ProgressBar();
        progress_->SetMinRange(1);
        progress_->SetMaxRange(10);
        progress_->SetStepValue(1);
        progress_->SetPosition(1);
        progress_->SetMessage("Locating and Buffering Feature...");
        progress_->Step();
        progress_->Show();
    }

    // One advance of the list click's progress bar (the button has none).
    void Advance() {
        if (progress_) progress_->Step();
    }

    // Ends the run at one of its own stops: the message first, then the pointer and the bar.
    void StopWith(const std::string& message) {
        host::ShowMessage(message);
        StopQuietly();
    }

    // Ends the run after a routine that has already said why it gave up: the pointer and the bar.
    void StopQuietly() {
        SetPointer(host::pointer::Default);
        if (progress_) progress_->Hide();
    }

    bool FindLayers() {
        bufferLayer_ = FindLayer(gBufferLayerName);
        if (!bufferLayer_) {
            StopWith((list_ ? "Sorry, can't find layer: " : "Sorry, can't find buffer layer: ") + gBufferLayerName);
            return false;
        }
        selectionLayer_ = FindLayer(gSelectionLayerName);
        if (!selectionLayer_) {
            StopWith("Sorry, can't find selection layer: " + gSelectionLayerName);
            return false;
        }
        return true;
    }

    // The button's subject: the features already selected in the buffer layer.
    bool OpenButtonSubjects() {
        if (list_) return true;
        host::Ref<host::SelectionSet> selected = bufferLayer_->SelectionSet();
        buttonSubjects_ = host::As<host::FeatureCursor>(selected->Search(nullptr, false));
        if (selected->Count() < 1) {
            StopWith("No features selected in current buffer layer: " + gBufferLayerName);
            return false;
        }
        return true;
    }

    void TakeClickedValue() {
        if (!list_) return;
        Advance();
        clickedValue_ = form_.List1.Text();
    }

    // The list click's subject: the buffer layer's features whose search field holds the
    // clicked value, as a new selection or added to the current one.
    bool SelectListSubject() {
        if (!list_) return true;
        const short mode = form_.Option1.Value() ? 1 : 2;
        if (!SelectFeaturesOLD(gBufferLayerName, gSearchFieldName, clickedValue_, mode)) {
            // The query gave up after its own message and left the selection as it was: the
            // run stops rather than buffer an older selection as if it were the subject.
            StopQuietly();
            return false;
        }
        Advance();
        Advance();
        return true;
    }

    // The subject in magenta: the button's own selected features, or every selected feature
    // of the map for the list click.
    void DrawSubjects() {
        if (list_) {
            host::Ref<host::EnumFeature> selected = map_->FeatureSelection();
            selected->Reset();
            for (host::Ref<host::Feature> feature = selected->Next(); feature; feature = selected->Next()) {
                DrawSubject(feature);
            }
        } else {
            for (host::Ref<host::Feature> feature = buttonSubjects_->NextFeature(); feature;
                 feature = buttonSubjects_->NextFeature()) {
                DrawSubject(feature);
            }
        }
        view_->Refresh();
        Advance();
    }

    // Every selected feature of the map buffered by the stored distance, the buffers unioned
    // into one polygon. None when the buffer routine gave up.
    host::Ref<host::Polygon> BufferAndUnion() {
        double distance = 0;
        ReadNumber(gBufferDistance, distance);
        Advance();
        host::Ref<host::GeometryBag> buffers = BufferPolysOLD(distance, list_ ? clickedValue_ : "none");
        Advance();
        if (!buffers) {
            // The buffer routine has said why (nothing selected, or its own error report): the
            // run stops here instead of failing on a union of nothing.
            StopQuietly();
            return {};
        }
        auto outline = host::New<host::Polygon>();
        outline->ConstructUnion(buffers);
        return outline;
    }

    // The list click zooms, then clears the subject's selection; the button clears, then
    // zooms. Then the count, the bar and the pointer.
    void Finish() {
        if (list_) {
            ZoomToSelectedFeatures();
            ClearSubjectSelection(bufferLayer_, selectionLayer_, view_);
        } else {
            ClearSubjectSelection(bufferLayer_, selectionLayer_, view_);
            ZoomToSelectedFeatures();
        }
        form_.txtCount.SetCaption(std::to_string(map_->SelectionCount()));
        if (progress_) progress_->Hide();
        SetPointer(host::pointer::Default);
    }

    frmMain& form_;
    const bool list_;
    host::Ref<host::Map> map_;
    host::Ref<host::ActiveView> view_;
    host::Ref<host::StepProgressor> progress_;
    host::Ref<host::FeatureLayer> bufferLayer_;
    host::Ref<host::FeatureLayer> selectionLayer_;
    host::Ref<host::FeatureCursor> buttonSubjects_;
    std::string clickedValue_;
};

void RunTrapped(frmMain& form, Entry entry, const char* procedure) {
    PipelineRun run(form, entry);
    StandardErrorTrap(
        procedure, "frmMain", [&] { run.Run(); }, [&] { run.Abandon(); });
}

// Deselects the search list without starting the pipeline; the flag is back down on every
// way out.
void DeselectSearchList(frmMain& form) {
    host::ScopedFlag suppress(gSuppressListClick);
    form.List1.SetListIndex(-1);
}

}  // namespace

void frmMain::List1_Click() { RunTrapped(*this, Entry::List, "List1_Click "); }

void frmMain::btnBufferSelected_Click() { RunTrapped(*this, Entry::Button, "btnBufferSelected "); }

// Clear: the graphics and the whole selection go, the count shows what is left.
void frmMain::Command14_Click() {
    StandardErrorTrap("Command14_Click ", "frmMain", [&] {
        gMxDocument->ActiveView()->GraphicsContainer()->DeleteAllElements();
        host::Ref<host::Map> map = gMxDocument->FocusMap();
        map->ClearSelection();
        gMxDocument->ActiveView()->Refresh();
        txtCount.SetCaption(std::to_string(map->SelectionCount()));
        DeselectSearchList(*this);
    });
}

// Erase Buffer: the graphics go, the selection and the count stay.
void frmMain::Command3_Click() {
    StandardErrorTrap("Command3_Click ", "frmMain", [&] {
        gMxDocument->ActiveView()->GraphicsContainer()->DeleteAllElements();
        gMxDocument->ActiveView()->Refresh();
        DeselectSearchList(*this);
    });
}
