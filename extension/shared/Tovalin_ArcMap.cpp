#include "extension/shared/Tovalin_ArcMap.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
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
template <class Visit> void WalkFeatureLayers(Visit&& visit) {
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

// The distinct texts in the order first met; membership is exact (case counts). The texts
// sit in one vector and the table holds their indexes with part of their hashes, so a
// million values cost one probe of a flat table each and no allocation of their own.
class DistinctTexts {
public:
    // Adds the text unless it is already there.
    void Insert(std::string&& text) {
        if ((texts_.size() + 1) * 2 > slots_.size()) Grow();
        const std::uint64_t hash = std::hash<std::string>{}(text);
        const std::uint64_t tag = hash & ~kIndexMask;
        for (std::size_t at = Home(hash);; at = (at + 1) & (slots_.size() - 1)) {
            const std::uint64_t slot = slots_[at];
            if (slot == 0) {
                texts_.push_back(std::move(text));
                slots_[at] = tag | texts_.size();
                return;
            }
            if ((slot & ~kIndexMask) == tag && texts_[(slot & kIndexMask) - 1] == text) return;
        }
    }
    // The texts in the order added; the set is empty afterwards.
    std::vector<std::string> Take() {
        slots_.clear();
        return std::move(texts_);
    }

private:
    // A slot: the high bits of the text's hash, and its index + 1 in the low bits (0: free).
    static constexpr std::uint64_t kIndexMask = (std::uint64_t{1} << 36) - 1;

    std::size_t Home(std::uint64_t hash) const {
        return static_cast<std::size_t>(hash * 0x9E3779B97F4A7C15u >> shift_);
    }

    void Grow() {
        std::vector<std::uint64_t> old = std::move(slots_);
        slots_.assign(old.empty() ? 1024 : old.size() * 2, 0);
        shift_ = 64 - std::countr_zero(slots_.size());
        for (std::uint64_t slot : old) {
            if (slot == 0) continue;
            std::size_t at = Home(std::hash<std::string>{}(texts_[(slot & kIndexMask) - 1]));
            while (slots_[at] != 0) at = (at + 1) & (slots_.size() - 1);
            slots_[at] = slot;
        }
    }

    std::vector<std::string> texts_;
    std::vector<std::uint64_t> slots_;
    int shift_ = 64;
};

// Adds the values to the list in the order read, in one call: a sorted list computes each
// value's sort key once and sorts once, so a field of a million distinct values fills in
// well under a second. The list's contents are those of one AddItem per value.
void AddValues(host::ListBox& list, DistinctTexts& values) { list.AddItems(values.Take()); }

bool IsBlank(const std::string& text) { return text.find_first_not_of(' ') == std::string::npos; }

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
    // in `pending` until the cursor is read, or the load fails. The empty text is never
    // listed, so it need not be kept.
    DistinctTexts pending;
    StandardErrorTrap(
        "LoadListWithUniqueFieldValues ", "Tovalin_ArcMap",
        [&] {
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
                    if (!text.empty()) pending.Insert(std::move(text));
                }
                if (showProgress) progress->Step();
            }
            AddValues(list, pending);
            progress->Hide();
        },
        [&] {
            // The values read before the failure stay; the bar goes away before the report.
            host::ResumeNext([&] { AddValues(list, pending); });
            if (progress) host::ResumeNext([&] { progress->Hide(); });
        });
}

bool IsShapeField(const std::string& fieldName) {
    bool result = false;
    StandardErrorTrap("IsShapeField ", "Tovalin_ArcMap", [&] {
        const std::size_t tail = fieldName.size() >= 6 ? fieldName.size() - 6 : 0;
        result = host::EqualIgnoringCase(std::string_view(fieldName).substr(tail), ".Shape") ||
                 host::EqualIgnoringCase(fieldName, "Shape");
    });
    return result;
}
