#include <gtest/gtest.h>

#include "host/carto/BasicGraphicsLayer.h"
#include "host/carto/EnumFeature.h"
#include "host/carto/GroupLayer.h"
#include "host/carto/LineElement.h"
#include "host/carto/Map.h"
#include "host/carto/MarkerElement.h"
#include "host/carto/MissingSourceLayer.h"
#include "host/carto/MxDocument.h"
#include "host/carto/PolygonElement.h"
#include "host/data/Feature.h"
#include "host/data/SelectionSet.h"
#include "host/geometry/Envelope.h"
#include "tests/host/carto/CartoTestData.h"
#include "tests/support/ErrorOf.h"

namespace {

using carto_test::MakeClass;
using carto_test::MakeLayer;
using carto_test::Where;
using host::New;
using host::Ref;
using support::ErrorOf;

// Object ids the map's feature selection gives, as "NAME" values in walk order.
std::vector<std::string> SelectedNames(const Ref<host::EnumFeature>& features) {
    std::vector<std::string> names;
    for (Ref<host::Feature> f = features->Next(); f; f = features->Next()) names.push_back(f->Value(2).Text());
    return names;
}

// Top: A, then group G (B, then group H (C)), then a layer with a missing source, then D.
struct NestedMap {
    Ref<host::Map> map = New<host::Map>();
    Ref<host::FeatureLayer> a = MakeLayer("A", MakeClass("a", 1, {{"a1", "POINT(0 0)"}, {"a2", "POINT(5 5)"}}));
    Ref<host::FeatureLayer> b = MakeLayer("B", MakeClass("b", 1, {{"b1", "POINT(1 1)"}}));
    Ref<host::FeatureLayer> c = MakeLayer("C", MakeClass("c", 1, {{"c1", "POINT(2 2)"}}));
    Ref<host::FeatureLayer> d = MakeLayer("D", MakeClass("d", 1, {{"d1", "POINT(3 3)"}, {"d2", "POINT(4 4)"}}));

    NestedMap() {
        auto g = New<host::GroupLayer>(), h = New<host::GroupLayer>();
        g->Add(b);
        g->Add(h);
        h->Add(c);  // added after H joined G: still reaches the map's listener
        map->AddLayer(a);
        map->AddLayer(g);
        map->AddLayer(New<host::MissingSourceLayer>("Gone", host::SourceName{"/nowhere.gpkg", "X"}, "File not found"));
        map->AddLayer(d);
    }
};

TEST(Map, SelectionSpansLayersAtEveryDepthInMapOrder) {
    NestedMap m;
    std::vector<std::string> order;
    for (const auto& layer : m.map->FeatureLayers()) order.push_back(layer->Name());
    EXPECT_EQ(order, (std::vector<std::string>{"A", "B", "C", "D"})) << "the missing-source layer is passed over";

    int selectionEvents = 0;
    m.map->Subscribe([&](host::ViewEvent e) { selectionEvents += e == host::ViewEvent::SelectionChanged; });

    m.d->SelectFeatures(nullptr, host::SelectionResult::New, false);
    m.c->SelectFeatures(nullptr, host::SelectionResult::New, false);
    m.a->SelectFeatures(Where("NAME = 'a2'"), host::SelectionResult::New, false);
    EXPECT_EQ(m.map->SelectionCount(), 4);
    EXPECT_EQ(selectionEvents, 3) << "layers inside groups tell the map too";

    Ref<host::EnumFeature> features = m.map->FeatureSelection();
    EXPECT_EQ(SelectedNames(features), (std::vector<std::string>{"a2", "c1", "d1", "d2"}));

    // Reset takes the selection as it is now.
    m.b->SelectFeatures(nullptr, host::SelectionResult::Add, false);
    features->Reset();
    EXPECT_EQ(SelectedNames(features), (std::vector<std::string>{"a2", "b1", "c1", "d1", "d2"}));
}

TEST(FeatureLayer, SelectFeaturesCombinesAndRefusesBadClausesUnchanged) {
    auto layer = MakeLayer("Squares", carto_test::Squares(5));
    layer->SelectFeatures(Where("NAME = 'P2'"), host::SelectionResult::New, false);
    layer->SelectFeatures(Where("NAME = 'P4'"), host::SelectionResult::Add, false);
    EXPECT_EQ(layer->SelectionSet()->IDs(), (std::vector<long>{2, 4}));

    // Clauses the host cannot read, or a text for a number: an error, and the selection stays.
    EXPECT_NE(ErrorOf([&] { layer->SelectFeatures(Where("NAME LIKE 'P%'"), host::SelectionResult::New, false); }), 0);
    EXPECT_EQ(layer->SelectionSet()->IDs(), (std::vector<long>{2, 4}));

    // A spatial filter: the squares that meet x 150 to 250 (P2 and P3), added.
    layer->SelectFeatures(carto_test::Meeting(host::Geometry::FromWkt("POLYGON((150 10,250 10,250 20,150 20,150 10))")),
                          host::SelectionResult::Add, false);
    EXPECT_EQ(layer->SelectionSet()->IDs(), (std::vector<long>{2, 3, 4}));
}

TEST(GroupLayer, RefusesToHoldItself) {
    auto outer = New<host::GroupLayer>(), inner = New<host::GroupLayer>();
    outer->Add(inner);
    EXPECT_EQ(ErrorOf([&] { inner->Add(outer); }), 5);
}

TEST(Graphics, DeletingAllElementsRemovesThoseAddedThroughAnyRoute) {
    auto document = New<host::MxDocument>();
    Ref<host::Map> map = document->FocusMap();
    Ref<host::ActiveView> view = document->ActiveView();
    auto polygon = New<host::PolygonElement>();
    auto line = New<host::LineElement>();
    auto marker = New<host::MarkerElement>();
    host::As<host::GraphicsContainer>(view)->AddElement(polygon, 0);  // the view itself
    map->BasicGraphicsLayer()->AddElement(line, 0);                   // the map's graphics layer
    view->GraphicsContainer()->AddElement(marker, 0);                 // the view's container
    EXPECT_EQ(map->BasicGraphicsLayer()->Elements(), (std::vector<Ref<host::Element>>{polygon, line, marker}));

    // Another view has graphics of its own.
    auto otherView = New<host::ActiveView>();
    otherView->AddElement(New<host::PolygonElement>(), 0);

    view->GraphicsContainer()->Reset();
    EXPECT_EQ(view->GraphicsContainer()->Next(), polygon);
    map->BasicGraphicsLayer()->DeleteElement(polygon);
    EXPECT_EQ(view->GraphicsContainer()->Next(), line) << "the walk goes on after a deletion before it";

    host::As<host::GraphicsContainer>(document->ActiveView())->DeleteAllElements();
    EXPECT_EQ(map->BasicGraphicsLayer()->ElementCount(), 0);
    EXPECT_EQ(otherView->ElementCount(), 1);
}

TEST(ActiveView, CountsRedrawsKeepsExtentAndToldObserversCanLeave) {
    auto map = New<host::Map>();
    std::vector<host::ViewEvent> seen;
    long self = 0;
    self = map->Subscribe([&](host::ViewEvent e) {
        seen.push_back(e);
        map->Unsubscribe(self);  // leaves while being told
    });
    long other = map->Subscribe([&](host::ViewEvent e) { seen.push_back(e); });

    map->Refresh();
    map->PartialRefresh(host::ViewPhase::GeoSelection);
    EXPECT_EQ(seen, (std::vector<host::ViewEvent>{host::ViewEvent::Refreshed, host::ViewEvent::Refreshed,
                                                  host::ViewEvent::PartialRefreshed}));
    map->Unsubscribe(other);

    map->SetExtent(New<host::Envelope>(10, 20, 30, 40));
    map->Extent()->PutCoords(0, 0, 1, 1);  // a copy: the view keeps its own
    EXPECT_EQ(map->Extent()->XMax(), 30);
}

}  // namespace
