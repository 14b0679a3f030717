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

// One advance of the list click's progress bar (the button has none).
void Advance(const host::Ref<host::StepProgressor>& progress) {
    if (progress) progress->Step();
}

// Ends a run at one of its own stops: the message first, then the pointer and the bar.
void StopWith(const std::string& message, const host::Ref<host::StepProgressor>& progress) {
    host::ShowMessage(message);
    SetPointer(host::pointer::Default);
    if (progress) progress->Hide();
}

// Ends a run after a routine that has already said why it gave up: the pointer and the bar.
void StopQuietly(const host::Ref<host::StepProgressor>& progress) {
    SetPointer(host::pointer::Default);
    if (progress) progress->Hide();
}

// What a failed run puts back before its error report: file #1 closed, the pointer, the bar.
void AbandonRun(const host::Ref<host::StepProgressor>& progress) {
    host::ResumeNext([] { host::FileChannels::Instance().Close(1); });
    host::ResumeNext([] { SetPointer(host::pointer::Default); });
    if (progress) host::ResumeNext([&] { progress->Hide(); });
}

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
                           const host::Ref<host::FeatureLayer>& selectionLayer, const host::Ref<host::ActiveView>& view) {
    if (gBufferLayerName == gSelectionLayerName || bufferLayer == selectionLayer) return;
    bufferLayer->Clear();
    view->PartialRefresh(host::ViewPhase::GeoSelection, nullptr, nullptr);
}

// The pipeline, step by step; `progress` is the bar once the list click has taken it.
void RunPipeline(frmMain& form, Entry entry, host::Ref<host::StepProgressor>& progress) {
    const bool list = entry == Entry::List;
    if (list && gSuppressListClick) return;

    host::Ref<host::Map> map = gMxDocument->FocusMap();
    if (!list && map->SelectionCount() < 1) {
        SetPointer(host::pointer::Default);
        host::ShowMessage("Please select features before applying a buffer");
        return;
    }

    // The distance is checked before anything changes, and stored as typed once it passes.
    double distance = 0;
    const std::string typed = form.txtBuffer.Text();
    if (!ReadNumber(typed, distance) || !(distance > 0)) {
        host::ShowMessage("Invalid buffer size");
        return;
    }
    if (IsInDegrees(*map)) {
        host::ShowMessage(kMapInDegrees);
        return;
    }
    gBufferDistance = typed;
    SetPointer(host::pointer::Hourglass);

    gMxDocument->SetActiveView(map);
    host::Ref<host::ActiveView> view = gMxDocument->ActiveView();
    view->Refresh();

    if (list) {
        progress = gApplication->StatusBar()->ProgressBar();
        progress->SetMinRange(1);
        progress->SetMaxRange(10);
        progress->SetStepValue(1);
        progress->SetPosition(1);
        progress->SetMessage("Locating and Buffering Feature...");
        progress->Step();
        progress->Show();
    }

    host::Ref<host::FeatureLayer> bufferLayer = FindLayer(gBufferLayerName);
    if (!bufferLayer) {
        StopWith((list ? "Sorry, can't find layer: " : "Sorry, can't find buffer layer: ") + gBufferLayerName, progress);
        return;
    }
    host::Ref<host::FeatureLayer> selectionLayer = FindLayer(gSelectionLayerName);
    if (!selectionLayer) {
        StopWith("Sorry, can't find selection layer: " + gSelectionLayerName, progress);
        return;
    }

    host::Ref<host::FeatureCursor> subjects;
    if (!list) {
        host::Ref<host::SelectionSet> selected = bufferLayer->SelectionSet();
        subjects = host::As<host::FeatureCursor>(selected->Search(nullptr, false));
        if (selected->Count() < 1) {
            StopWith("No features selected in current buffer layer: " + gBufferLayerName, progress);
            return;
        }
    }

    std::string clickedValue;
    if (list) {
        Advance(progress);
        clickedValue = form.List1.Text();
    }

    host::As<host::GraphicsContainer>(view)->DeleteAllElements();
    Advance(progress);

    if (list) {
        const short mode = form.Option1.Value() ? 1 : 2;
        if (!SelectFeaturesOLD(gBufferLayerName, gSearchFieldName, clickedValue, mode)) {
            // The query gave up after its own message and left the selection as it was: the
            // run stops rather than buffer an older selection as if it were the subject.
            StopQuietly(progress);
            return;
        }
        Advance(progress);
        Advance(progress);
    }

    // The subject in magenta: the button's own selected features, or every selected feature
    // of the map for the list click.
    if (list) {
        host::Ref<host::EnumFeature> selected = map->FeatureSelection();
        selected->Reset();
        for (host::Ref<host::Feature> feature = selected->Next(); feature; feature = selected->Next()) {
            DrawSubject(feature);
        }
    } else {
        for (host::Ref<host::Feature> feature = subjects->NextFeature(); feature; feature = subjects->NextFeature()) {
            DrawSubject(feature);
        }
    }
    view->Refresh();
    Advance(progress);

    ReadNumber(gBufferDistance, distance);
    Advance(progress);
    host::Ref<host::GeometryBag> buffers = BufferPolysOLD(distance, list ? clickedValue : "none");
    Advance(progress);
    if (!buffers) {
        // The buffer routine has said why (nothing selected, or its own error report): the
        // run stops here instead of failing on a union of nothing.
        StopQuietly(progress);
        return;
    }

    auto outline = host::New<host::Polygon>();
    outline->ConstructUnion(buffers);
    DrawPolygonOLD(outline);
    SelectWithinPolyOLD(gSelectionLayerName, outline, 2);
    Advance(progress);

    if (list) {
        ZoomToSelectedFeatures();
        ClearSubjectSelection(bufferLayer, selectionLayer, view);
    } else {
        ClearSubjectSelection(bufferLayer, selectionLayer, view);
        ZoomToSelectedFeatures();
    }

    form.txtCount.SetCaption(std::to_string(map->SelectionCount()));
    if (progress) progress->Hide();
    SetPointer(host::pointer::Default);
}

void RunTrapped(frmMain& form, Entry entry, const char* procedure) {
    host::Ref<host::StepProgressor> progress;
    StandardErrorTrap(procedure, "frmMain", [&] {
        try {
            RunPipeline(form, entry, progress);
        } catch (...) {
            AbandonRun(progress);
            throw;
        }
    });
}

// Deselects the search list without starting the pipeline; the flag is down again on every
// way out.
void DeselectSearchList(frmMain& form) {
    struct Suppress {
        Suppress() { gSuppressListClick = true; }
        ~Suppress() { gSuppressListClick = false; }
        Suppress(const Suppress&) = delete;
        Suppress& operator=(const Suppress&) = delete;
    } suppress;
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
