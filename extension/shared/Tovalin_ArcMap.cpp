#include "extension/shared/Tovalin_ArcMap.h"

#include <algorithm>
#include <cstddef>
#include <unordered_set>
#include <vector>

#include "extension/command/Globals.h"
#include "extension/shared/ErrorHandling.h"
#include "host/carto/FeatureLayer.h"
#include "host/carto/GroupLayer.h"
#include "host/carto/Map.h"
#include "host/carto/MxDocument.h"
#include "host/core/ErrorTrap.h"
#include "host/data/Cursor.h"
#include "host/data/FeatureClass.h"
#include "host/data/Field.h"
#include "host/data/Fields.h"
#include "host/data/Row.h"
#include "host/data/Table.h"
#include "host/forms/ComboBox.h"
#include "host/forms/ListBox.h"
#include "host/framework/Application.h"
#include "host/framework/StatusBar.h"
#include "host/framework/StepProgressor.h"
#include "host/platform/MessageBoxes.h"

namespace {

// Calls visit(featureLayer) for each feature layer of the focus map in walk order. Counts
// are read once, before their loops.
template <class Visit>
void WalkFeatureLayers(Visit&& visit) {
    const host::Ref<host::Map> map = gMxDocument->FocusMap();
    const long layerCount = map->LayerCount();
    for (long i = 0; i < layerCount; ++i) {
        const host::Ref<host::Layer> layer = map->Layer(i);
        if (host::Is<host::GroupLayer>(layer)) {
            const host::Ref<host::GroupLayer> group = host::As<host::GroupLayer>(layer);
            const long memberCount = group->Count();
            for (long j = 0; j < memberCount; ++j) {
                const host::Ref<host::Layer> member = group->Layer(j);
                if (host::Is<host::FeatureLayer>(member)) visit(host::As<host::FeatureLayer>(member));
            }
        } else if (host::Is<host::FeatureLayer>(layer)) {
            visit(host::As<host::FeatureLayer>(layer));
        }
    }
}

// Adds the values to the list in the order read. A sorted list places each entry by its
// text; handing it the values already in its order (equal ones keep the order read) puts
// every entry at the end instead of shifting all entries after it, so a field of a million
// distinct values fills in n log n, not n squared. The list's contents are the same.
void AddValues(host::ListBox& list, std::vector<const std::string*>& values) {
    if (list.Sorted()) {
        std::stable_sort(values.begin(), values.end(), [](const std::string* a, const std::string* b) {
            return host::CompareIgnoringCase(*a, *b) < 0;
        });
    }
    for (const std::string* value : values) list.AddItem(*value);
    values.clear();
}

bool IsBlank(const std::string& text) { return text.find_first_not_of(' ') == std::string::npos; }

// Equal ignoring the case of ASCII letters (enough for the ASCII names it is given).
bool EqualAsciiIgnoringCase(const std::string& a, std::size_t from, const char* b) {
    std::size_t i = from;
    for (; *b != '\0'; ++b, ++i) {
        if (i >= a.size()) return false;
        auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; };
        if (lower(static_cast<unsigned char>(a[i])) != lower(static_cast<unsigned char>(*b))) return false;
    }
    return i == a.size();
}

}  // namespace

host::Ref<host::FeatureLayer> LastFeatureLayerNamed(const std::string& layerName) {
    host::Ref<host::FeatureLayer> found;
    WalkFeatureLayers([&](const host::Ref<host::FeatureLayer>& layer) {
        if (host::EqualIgnoringCase(layer->Name(), layerName)) found = layer;
    });
    return found;
}

host::Ref<host::FeatureLayer> FindLayer(const std::string& layerName) {
    host::Ref<host::FeatureLayer> result;
    host::Trap([&] { result = LastFeatureLayerNamed(layerName); },
               [&](const host::RuntimeError&) {
                   result = nullptr;
                   host::ShowMessage("Error: Could not find layer " + layerName);
               });
    return result;
}

void LoadMapLayers(host::ComboBox& combo) {
    host::Trap(
        [&] {
            combo.Clear();
            WalkFeatureLayers([&](const host::Ref<host::FeatureLayer>& layer) { combo.AddItem(layer->Name()); });
        },
        [](const host::RuntimeError&) { host::ShowMessage("Error loading map layers"); });
}

void LoadLayerFields(const std::string& layerName, host::ComboBox& combo, bool joined) {
    host::ResumeNext([&] {
        combo.Clear();
        const host::Ref<host::FeatureLayer> layer = LastFeatureLayerNamed(layerName);
        if (!layer) return;
        const host::Ref<host::Fields> fields =
            joined ? layer->DisplayTable()->Fields() : layer->FeatureClass()->Fields();
        const long fieldCount = fields->FieldCount();
        for (long i = 0; i < fieldCount; ++i) {
            const std::string name = fields->Field(i)->Name();
            if (!IsShapeField(name)) combo.AddItem(name);
        }
    });
}

void LoadListWithUniqueFieldValues(const std::string& layerName, const std::string& fieldName, host::ListBox& list,
                                   bool showProgress, const host::Ref<host::QueryFilter>& filter) {
    host::Ref<host::StepProgressor> progress;
    // Membership counts case: "abc" and "ABC" are two values. The new non-empty values wait
    // in `pending` (pointing into `seen`) until the cursor is read, or the load fails.
    std::unordered_set<std::string> seen;
    std::vector<const std::string*> pending;
    StandardErrorTrap("LoadListWithUniqueFieldValues ", "Tovalin_ArcMap", [&] {
        try {
            list.Clear();
            if (IsBlank(layerName) || IsBlank(fieldName)) return;
            if (IsShapeField(fieldName)) {
                host::ShowMessage("Shape field is not accessible");
                return;
            }

            progress = gApplication->StatusBar()->ProgressBar();
            progress->SetMessage("Loading List: " + fieldName + "...");
            progress->SetStepValue(1);
            progress->SetPosition(0);

            const host::Ref<host::FeatureLayer> layer = FindLayer(layerName);
            if (!layer) return;
            progress->SetMaxRange(layer->FeatureClass()->FeatureCount(nullptr));
            progress->SetPosition(0);
            if (showProgress) progress->Show();

            const host::Ref<host::Table> table = layer->DisplayTable();
            if (showProgress) progress->Step();
            const host::Ref<host::Cursor> cursor = table->Search(filter, false);
            const long fieldIndex = table->FindField(fieldName);
            if (fieldIndex < 0) {
                progress->Hide();
                return;
            }
            for (host::Ref<host::Row> row = cursor->NextRow(); row; row = cursor->NextRow()) {
                const host::Value value = row->Value(fieldIndex);
                if (!value.IsNull()) {
                    std::string text = value.Text();
                    auto [at, added] = seen.insert(std::move(text));
                    if (added && !at->empty()) pending.push_back(&*at);
                }
                if (showProgress) progress->Step();
            }
            AddValues(list, pending);
            progress->Hide();
        } catch (...) {
            // The values read before the failure stay; the bar goes away before the report.
            host::ResumeNext([&] { AddValues(list, pending); });
            if (progress) host::ResumeNext([&] { progress->Hide(); });
            throw;
        }
    });
}

bool IsShapeField(const std::string& fieldName) {
    bool result = false;
    StandardErrorTrap("IsShapeField ", "Tovalin_ArcMap", [&] {
        const std::size_t tail = fieldName.size() >= 6 ? fieldName.size() - 6 : 0;
        result = EqualAsciiIgnoringCase(fieldName, tail, ".Shape") || EqualAsciiIgnoringCase(fieldName, 0, "Shape");
    });
    return result;
}
