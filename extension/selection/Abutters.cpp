#include "extension/selection/Abutters.h"

#include "extension/command/Globals.h"
#include "extension/shared/ErrorHandling.h"
#include "extension/shared/Tovalin_ArcMap.h"
#include "host/carto/ActiveView.h"
#include "host/carto/BasicGraphicsLayer.h"
#include "host/carto/EnumFeature.h"
#include "host/carto/FeatureLayer.h"
#include "host/carto/GraphicsContainer.h"
#include "host/carto/LineElement.h"
#include "host/carto/Map.h"
#include "host/carto/MarkerElement.h"
#include "host/carto/MxDocument.h"
#include "host/carto/PolygonElement.h"
#include "host/carto/RgbColor.h"
#include "host/carto/SimpleFillSymbol.h"
#include "host/carto/SimpleLineSymbol.h"
#include "host/carto/SimpleMarkerSymbol.h"
#include "host/data/Feature.h"
#include "host/data/FeatureClass.h"
#include "host/data/FeatureCursor.h"
#include "host/data/Field.h"
#include "host/data/Fields.h"
#include "host/data/QueryFilter.h"
#include "host/data/ScratchWorkspaceFactory.h"
#include "host/data/SelectionSet.h"
#include "host/data/SpatialFilter.h"
#include "host/data/Table.h"
#include "host/data/Workspace.h"
#include "host/geometry/Geometry.h"
#include "host/geometry/GeometryBag.h"
#include "host/geometry/Polygon.h"
#include "host/platform/MessageBoxes.h"

namespace {

constexpr const char* kSource = "Abutters";

// A text value as the where clause writes it: in single quotes, each quote inside doubled,
// so that O'BRIEN reads back as itself.
std::string QuotedText(const std::string& value) {
    std::string quoted = "'";
    for (char c : value) {
        quoted += c;
        if (c == '\'') quoted += '\'';
    }
    quoted += '\'';
    return quoted;
}

host::Ref<host::RgbColor> Magenta() {
    auto color = host::New<host::RgbColor>();
    color->SetRed(255);
    color->SetGreen(0);
    color->SetBlue(255);
    return color;
}

// A magenta polygon element with a solid magenta outline, added to the active view.
void AddMagentaPolygon(const host::Ref<host::Geometry>& geometry, host::FillStyle style, double outlineWidth) {
    host::Ref<host::RgbColor> color = Magenta();
    auto outline = host::New<host::SimpleLineSymbol>();
    outline->SetColor(color);
    outline->SetWidth(outlineWidth);
    outline->SetStyle(host::LineStyle::Solid);
    auto fill = host::New<host::SimpleFillSymbol>();
    fill->SetColor(color);
    fill->SetStyle(style);
    fill->SetOutline(outline);
    auto element = host::New<host::PolygonElement>();
    element->SetGeometry(geometry);
    element->SetSymbol(fill);
    host::As<host::GraphicsContainer>(gMxDocument->ActiveView())->AddElement(element, 0);
}

// The value as it stands after " = ", by the type of the field (the last field of that name,
// should a table hold several). False after a message when a field of that name cannot be
// queried.
bool ReadClauseValue(const host::Fields& fields, const std::string& fieldName, const std::string& value,
                     std::string& valueText) {
    const long fieldCount = fields.FieldCount();
    for (long i = 0; i < fieldCount; ++i) {
        host::Ref<host::Field> field = fields.Field(i);
        if (!host::EqualIgnoringCase(field->Name(), fieldName)) continue;
        const long type = field->Type();
        switch (type) {
        case host::FieldType::SmallInteger:
        case host::FieldType::Integer:
        case host::FieldType::Single:
        case host::FieldType::Double:
        case host::FieldType::OID:
        case host::FieldType::Blob: valueText = value; break;
        case host::FieldType::String: valueText = QuotedText(value); break;
        default: break;  // dates, geometry and the uncertain types give no value text
        }
        if (type == host::FieldType::Geometry) {
            host::ShowMessage("Sorry... Can't query a Geometry field");
            return false;
        }
        if (type == host::FieldType::Date) {
            host::ShowMessage("Sorry, Date queries are not yet supported.");
            return false;
        }
        if (valueText.empty()) {
            host::ShowMessage("Sorry...  Field type not certain... Can't perform query");
            return false;
        }
    }
    return true;
}

}  // namespace

host::Ref<host::FeatureCursor> SelectFeaturesOLD(const std::string& LayerName, const std::string& FieldName,
                                                 const std::string& Value, short Mode) {
    host::Ref<host::FeatureCursor> result;
    StandardErrorTrap("SelectFeaturesOLD ", kSource, [&] {
        host::Ref<host::Map> map = gMxDocument->FocusMap();
        // Found as FindLayer finds it (one level into group layers, the last match), so every
        // layer the pickers offer can be queried.
        host::Ref<host::FeatureLayer> layer = LastFeatureLayerNamed(LayerName);
        if (!layer) {
            host::ShowMessage("Feature Not Found");
            return;
        }
        host::Ref<host::Workspace> scratch = host::ScratchWorkspaceFactory().DefaultScratchWorkspace();
        host::Ref<host::Table> table = layer->DisplayTable();
        std::string valueText;
        if (!ReadClauseValue(*table->Fields(), FieldName, Value, valueText)) return;

        auto filter = host::New<host::QueryFilter>();
        filter->SetWhereClause(FieldName + " = " + valueText);
        // A clause the host rejects fails here, before the map's selection changes.
        host::Ref<host::SelectionSet> rows =
            table->Select(filter, host::SelectionType::IDSet, host::SelectionOption::Normal, scratch);
        host::Ref<host::FeatureCursor> cursor = host::As<host::FeatureCursor>(rows->Search(nullptr, true));

        host::Ref<host::ActiveView> view = gMxDocument->ActiveView();
        if (Mode == 1) {
            map->ClearSelection();
            view->Refresh();
            layer->SelectFeatures(filter, host::SelectionResult::New, false);
        } else {
            layer->SelectFeatures(filter, host::SelectionResult::Add, false);
        }
        view->PartialRefresh(host::ViewPhase::GeoSelection, nullptr, nullptr);
        result = cursor;
    });
    return result;
}

void SelectWithinPolyOLD(const std::string& LayerName, const host::Ref<host::Geometry>& SearchPolygon, short Mode) {
    StandardErrorTrap("SelectWithinPolyOLD ", kSource, [&] {
        host::Ref<host::Map> map = gMxDocument->FocusMap();
        // Found as FindLayer finds it; no layer of that name ends in the trap (the object is
        // not set).
        host::Ref<host::FeatureLayer> layer = LastFeatureLayerNamed(LayerName);
        const std::string shapeField = layer->FeatureClass()->ShapeFieldName();

        auto filter = host::New<host::SpatialFilter>();
        filter->SetSpatialRel(Mode == 1 ? host::SpatialRelation::Contains : host::SpatialRelation::Intersects);
        filter->SetGeometry(SearchPolygon);
        filter->SetGeometryField(shapeField);
        filter->SetOutputSpatialReference(shapeField, map->SpatialReference());

        layer->SelectFeatures(filter, host::SelectionResult::Add, false);
        gMxDocument->ActiveView()->PartialRefresh(host::ViewPhase::GeoSelection, nullptr, nullptr);
    });
}

void DrawFilledPolygonOLD(const host::Ref<host::Geometry>& Geom) {
    StandardErrorTrap("DrawFilledPolygonOLD ", kSource, [&] { AddMagentaPolygon(Geom, host::FillStyle::Solid, 1.0); });
}

void DrawFilledPolyLineOLD(const host::Ref<host::Geometry>& Geom) {
    StandardErrorTrap("DrawFilledPolyLineOLD ", kSource, [&] {
        auto symbol = host::New<host::SimpleLineSymbol>();
        symbol->SetColor(Magenta());
        symbol->SetWidth(2.0);
        auto element = host::New<host::LineElement>();
        element->SetGeometry(Geom);
        element->SetSymbol(symbol);
        host::As<host::GraphicsContainer>(gMxDocument->FocusMap()->BasicGraphicsLayer())->AddElement(element, 0);
    });
}

void DrawFilledPointOLD(const host::Ref<host::Geometry>& Geom) {
    StandardErrorTrap("DrawFilledPointOLD ", kSource, [&] {
        auto symbol = host::New<host::SimpleMarkerSymbol>();
        symbol->SetStyle(host::MarkerStyle::Circle);
        symbol->SetSize(15.0);
        symbol->SetColor(Magenta());
        auto element = host::New<host::MarkerElement>();
        element->SetGeometry(Geom);
        element->SetSymbol(symbol);
        gMxDocument->ActiveView()->GraphicsContainer()->AddElement(element, 0);
    });
}

host::Ref<host::GeometryBag> BufferPolysOLD(double Distance, const std::string& unused) {
    (void)unused;
    host::Ref<host::GeometryBag> result;
    StandardErrorTrap("BufferPolysOLD ", kSource, [&] {
        auto bag = host::New<host::GeometryBag>();
        host::Ref<host::Map> map = gMxDocument->FocusMap();
        if (map->SelectionCount() == 0) {
            host::ShowMessage("Sorry... No features found");
            return;
        }
        host::Ref<host::EnumFeature> features = map->FeatureSelection();
        features->Reset();
        for (host::Ref<host::Feature> feature = features->Next(); feature; feature = features->Next()) {
            bag->AddGeometry(host::As<host::Polygon>(feature->Shape()->Buffer(Distance)));
        }
        // Only a complete bag is handed out: a failure above drops the buffers made so far.
        result = bag;
    });
    return result;
}

void DrawPolygonOLD(const host::Ref<host::Geometry>& Geom) {
    StandardErrorTrap("DrawPolygonOLD ", kSource, [&] {
        AddMagentaPolygon(Geom, host::FillStyle::Hollow, 3.0);
        gMxDocument->ActiveView()->Refresh();
    });
}
