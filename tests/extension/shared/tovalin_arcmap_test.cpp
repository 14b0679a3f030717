// The layer lookup and the loading of layer, field and value lists, over small maps made in
// memory and over the Cambridge parcels.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "extension/command/Globals.h"
#include "extension/shared/Tovalin_ArcMap.h"
#include "host/carto/FeatureLayer.h"
#include "host/carto/GroupLayer.h"
#include "host/carto/Map.h"
#include "host/carto/MissingSourceLayer.h"
#include "host/carto/MxDocument.h"
#include "host/data/FeatureClass.h"
#include "host/data/Field.h"
#include "host/data/Fields.h"
#include "host/data/QueryFilter.h"
#include "host/forms/ComboBox.h"
#include "host/forms/Form.h"
#include "host/forms/ListBox.h"
#include "host/framework/Application.h"
#include "host/framework/StatusBar.h"
#include "host/framework/StepProgressor.h"
#include "host/geometry/Geometry.h"
#include "tests/support/HeadlessTest.h"

namespace {

using Items = std::vector<std::string>;

class ListsForm : public host::Form {
public:
    ListsForm() : host::Form("frmLists") { Sorted1.SetSorted(true); }
    host::ComboBox Combo1{*this, "Combo1"};
    host::ListBox List1{*this, "List1"};
    host::ListBox Sorted1{*this, "Sorted1"};
};

// A point class: OBJECTID (from 1), Shape, then the given fields.
host::Ref<host::FeatureClass> MakeClass(const std::string& name, const std::vector<std::pair<std::string, long>>& fields,
                                        const std::vector<std::vector<host::Value>>& rows) {
    auto all = host::New<host::Fields>();
    all->AddField(host::New<host::Field>("OBJECTID", host::FieldType::OID));
    all->AddField(host::New<host::Field>("Shape", host::FieldType::Geometry));
    for (const auto& [field, type] : fields) all->AddField(host::New<host::Field>(field, type));
    auto table = host::New<host::FeatureClass>(name, all, 0, 1, 1, nullptr);
    std::int64_t oid = 0;
    for (std::vector<host::Value> row : rows) {
        row.insert(row.begin(), {host::Value(++oid), host::Value()});
        table->AddFeature(row, host::Geometry::FromWkt("POINT(" + std::to_string(oid) + " 0)")->Geos());
    }
    return table;
}

const host::Date kMarch4{2021, 3, 4};
const host::Date kMarch4Afternoon{2021, 3, 4, 13, 5, 0};

// "Things": NAME, CODE, AREA and WHEN with repeats, case variants, Null and empty texts.
host::Ref<host::FeatureClass> MakeThings(std::vector<std::vector<host::Value>> rows = {
                                             {"abc", 5, 0.1, kMarch4},
                                             {"ABC", 5, 2.5, kMarch4Afternoon},
                                             {host::Value(), host::Value(), host::Value(), host::Value()},
                                             {"", 10, 1e21, kMarch4},
                                             {"abc", -3, 0.1, kMarch4},
                                             {"O'Brien", 10, -0.25, kMarch4Afternoon},
                                         }) {
    return MakeClass(
        "Things",
        {{"NAME", host::FieldType::String}, {"CODE", host::FieldType::Integer}, {"AREA", host::FieldType::Double},
         {"WHEN", host::FieldType::Date}},
        rows);
}

// "Owners": NAME (the key to Things) and OWNER.
host::Ref<host::FeatureClass> MakeOwners(const std::vector<std::vector<host::Value>>& rows) {
    return MakeClass("Owners", {{"NAME", host::FieldType::String}, {"OWNER", host::FieldType::String}}, rows);
}

template <class LayerType>
host::Ref<LayerType> Named(host::Ref<LayerType> layer, const std::string& name) {
    layer->SetName(name);
    return layer;
}

host::Ref<host::FeatureLayer> MakeLayer(const std::string& name, const host::Ref<host::FeatureClass>& featureClass) {
    auto layer = host::New<host::FeatureLayer>();
    layer->SetFeatureClass(featureClass);
    return Named(layer, name);
}

host::Ref<host::GroupLayer> MakeGroup(const std::string& name, const std::vector<host::Ref<host::Layer>>& members) {
    auto group = host::New<host::GroupLayer>();
    for (const auto& member : members) group->Add(member);
    return Named(group, name);
}

host::Ref<host::Layer> MakeMissing(const std::string& name) {
    return host::New<host::MissingSourceLayer>(name, host::SourceName{}, "the file is gone");
}

class ArcMapHelpersTest : public support::HeadlessTest {
protected:
    void SetUp() override {
        support::HeadlessTest::SetUp();
        SetIdentity();
        gApplication = host::Application::Launch();
        gMxDocument = gApplication->Document();
        form_ = host::New<ListsForm>();
    }
    void TearDown() override {
        form_ = nullptr;
        host::Application::Shutdown();
        support::HeadlessTest::TearDown();
    }

    host::Map& FocusMap() { return *gMxDocument->FocusMap(); }
    host::StepProgressor& Progress() { return *gApplication->StatusBar()->ProgressBar(); }
    ListsForm& Form() { return *form_; }
    host::Ref<host::FeatureLayer> AddLayer(const std::string& name, const host::Ref<host::FeatureClass>& things) {
        auto layer = MakeLayer(name, things);
        FocusMap().AddLayer(layer);
        return layer;
    }

private:
    host::Ref<ListsForm> form_;
};

// The map:  Parcels (A) | Parcels (missing source) | Group [PARCELS (B) | Inner [Deep] |
// Gone (missing) | Streets] | Hydrants | Empty (group without members)
TEST_F(ArcMapHelpersTest, TheWalkLooksOneLevelIntoGroupsPassesOtherLayersAndTheLastNameWins) {
    auto parcelsA = AddLayer("Parcels", MakeThings());
    auto parcelsB = MakeLayer("PARCELS", MakeThings({}));
    parcelsB->SetJoin({"NAME", "Owners", "NAME"}, MakeOwners({}));
    auto streets = MakeLayer("Streets", MakeThings({}));
    FocusMap().AddLayer(MakeMissing("Parcels"));
    FocusMap().AddLayer(MakeGroup(
        "Group", {parcelsB, MakeGroup("Inner", {MakeLayer("Deep", MakeThings({}))}), MakeMissing("Gone"), streets}));
    auto hydrants = AddLayer("Hydrants", MakeThings({}));
    FocusMap().AddLayer(MakeGroup("Empty", {}));

    const std::vector<std::pair<std::string, host::Ref<host::FeatureLayer>>> cases = {
        {"Parcels", parcelsB}, {"parcels", parcelsB}, {"Streets", streets}, {"HYDRANTS", hydrants},
        {"Parcels ", nullptr}, {"Deep", nullptr},     {"Group", nullptr},   {"Inner", nullptr},
        {"Gone", nullptr},     {"", nullptr},
    };
    for (const auto& [name, expected] : cases) {
        EXPECT_EQ(FindLayer(name), expected) << "\"" << name << "\"";
        LoadLayerFields(name, Form().Combo1, true);
        EXPECT_EQ(Form().Combo1.ListCount() > 0, expected != nullptr) << "\"" << name << "\"";
    }
    LoadLayerFields("parcels", Form().Combo1, true);
    EXPECT_EQ(Form().Combo1.List(0), "Things.OBJECTID") << "the joined layer inside the group";

    Form().Combo1.AddItem("old entry");
    LoadMapLayers(Form().Combo1);
    EXPECT_EQ(Form().Combo1.Items(), (Items{"Parcels", "PARCELS", "Streets", "Hydrants"}));
    EXPECT_TRUE(Messages().Texts().empty()) << "a missing layer is no failure";
}

TEST_F(ArcMapHelpersTest, FieldListsLeaveOutTheShapeFieldAndUseTheJoinedNames) {
    auto layer = AddLayer("Things", MakeThings());
    layer->SetJoin({"NAME", "Owners", "NAME"}, MakeOwners({{"abc", "SMITH"}}));
    const Items own = {"OBJECTID", "NAME", "CODE", "AREA", "WHEN"};
    const std::vector<std::tuple<std::string, bool, Items>> cases = {
        {"things", false, own},
        {"Things", true,
         {"Things.OBJECTID", "Things.NAME", "Things.CODE", "Things.AREA", "Things.WHEN", "Owners.OBJECTID",
          "Owners.NAME", "Owners.OWNER"}},
        {"Nowhere", true, {}},
    };
    for (const auto& [name, joined, expected] : cases) {
        Form().Combo1.AddItem("stale");
        LoadLayerFields(name, Form().Combo1, joined);
        EXPECT_EQ(Form().Combo1.Items(), expected) << name << (joined ? " joined" : "");
    }

    const std::vector<std::pair<std::string, bool>> shapes = {
        {"sHaPe", true}, {"Parcels.SHAPE", true}, {"Shape ", false}, {"Shape.Area", false}, {"Parcels_Shape", false},
    };
    for (const auto& [name, expected] : shapes) EXPECT_EQ(IsShapeField(name), expected) << "\"" << name << "\"";
}

TEST_F(ArcMapHelpersTest, UniqueValuesKeepOutNullAndEmptyAndKeepCaseVariantsInFirstOrder) {
    auto layer = AddLayer("Things", MakeThings());
    const std::vector<std::pair<std::string, Items>> cases = {
        {"name", {"abc", "ABC", "O'Brien"}},
        {"CODE", {"5", "10", "-3"}},
        {"AREA", {"0.1", "2.5", "1e+21", "-0.25"}},
        {"WHEN", {"3/4/2021", "3/4/2021 1:05:00 PM"}},
    };
    for (const auto& [field, expected] : cases) {
        Form().List1.AddItem("stale");
        LoadListWithUniqueFieldValues("Things", field, Form().List1, false, nullptr);
        EXPECT_EQ(Form().List1.Items(), expected) << field;
    }

    // Through the join: each feature's first owner, Null where none matches; and a filter.
    layer->SetJoin({"NAME", "Owners", "NAME"},
                   MakeOwners({{"abc", "SMITH"}, {"abc", "JONES"}, {"ABC", "smith"}, {"O'Brien", host::Value()}}));
    LoadListWithUniqueFieldValues("Things", "Owners.OWNER", Form().List1, false, nullptr);
    EXPECT_EQ(Form().List1.Items(), (Items{"SMITH", "smith"}));
    auto filter = host::New<host::QueryFilter>();
    filter->SetWhereClause("Things.NAME = 'O''Brien'");
    LoadListWithUniqueFieldValues("Things", "Things.AREA", Form().List1, false, filter);
    EXPECT_EQ(Form().List1.Items(), (Items{"-0.25"}));
    EXPECT_TRUE(Messages().Texts().empty());
}

TEST_F(ArcMapHelpersTest, ASortedListEndsAsIfEachValueWereAddedInTheOrderRead) {
    const Items names = {"b", "A", "a", "B", "ä", "c", "Ä", "", "a", "10", "9", "b ", " b", "C", "é", "E", "e"};
    std::vector<std::vector<host::Value>> rows;
    for (const std::string& name : names) rows.push_back({name, 0, 0.0, kMarch4});
    AddLayer("Things", MakeThings(rows));

    ListsForm reference;
    for (const std::string& name : names) {
        if (!name.empty() && reference.List1.IndexOf(name) < 0) {
            reference.List1.AddItem(name);
            reference.Sorted1.AddItem(name);
        }
    }
    LoadListWithUniqueFieldValues("Things", "NAME", Form().Sorted1, false, nullptr);
    EXPECT_EQ(Form().Sorted1.Items(), reference.Sorted1.Items());
    LoadListWithUniqueFieldValues("Things", "NAME", Form().List1, false, nullptr);
    EXPECT_EQ(Form().List1.Items(), reference.List1.Items());
}

TEST_F(ArcMapHelpersTest, ProgressCountsAllFeaturesAndStepsOnceMoreThanTheRowsRead) {
    AddLayer("Things", MakeThings());
    AddLayer("Nothing", MakeThings({}));
    auto five = host::New<host::QueryFilter>();
    five->SetWhereClause("CODE = 5");
    const std::vector<std::string> start = {"Message \"Loading List: NAME...\"", "StepValue 1", "Position 0"};
    auto lines = [&](std::vector<std::string> rest) {
        rest.insert(rest.begin(), start.begin(), start.end());
        return rest;
    };
    const std::vector<std::tuple<std::string, bool, host::Ref<host::QueryFilter>, std::vector<std::string>>> cases = {
        {"Things", true, nullptr,
         lines({"MaxRange 6", "Position 0", "Show", "Step 1", "Step 2", "Step 3", "Step 4", "Step 5", "Step 6",
                "Step 6", "Hide"})},
        {"Things", true, five, lines({"MaxRange 6", "Position 0", "Show", "Step 1", "Step 2", "Step 3", "Hide"})},
        {"Things", false, nullptr, lines({"MaxRange 6", "Position 0", "Hide"})},
        {"Nothing", true, nullptr, lines({"MaxRange 0", "Position 0", "Show", "Step 0", "Hide"})},
    };
    for (const auto& [layer, show, filter, expected] : cases) {
        Progress().ClearHistory();
        LoadListWithUniqueFieldValues(layer, "NAME", Form().List1, show, filter);
        EXPECT_EQ(Progress().HistoryLines(), expected) << layer << (show ? " shown" : "");
    }
}

TEST_F(ArcMapHelpersTest, UniqueValuesStopEarlyWithTheirOwnMessagesOnly) {
    AddLayer("Things", MakeThings());
    const std::string shape = "Shape field is not accessible";
    const std::vector<std::tuple<std::string, std::string, Items, std::vector<std::string>>> cases = {
        {"   ", "NAME", {}, {}},
        {"Things", "things.SHAPE", {shape}, {}},
        {"Elsewhere", "NAME", {}, {"Message \"Loading List: NAME...\"", "StepValue 1", "Position 0"}},
        {"Things", "NOPE", {},
         {"Message \"Loading List: NOPE...\"", "StepValue 1", "Position 0", "MaxRange 6", "Position 0", "Show",
          "Step 1", "Hide"}},
    };
    for (const auto& [layer, field, messages, progress] : cases) {
        Progress().ClearHistory();
        Messages().ClearShown();
        Form().List1.AddItem("stale");
        LoadListWithUniqueFieldValues(layer, field, Form().List1, true, nullptr);
        EXPECT_EQ(Form().List1.ListCount(), 0) << layer << "/" << field;
        EXPECT_EQ(Messages().Texts(), messages) << layer << "/" << field;
        EXPECT_EQ(Progress().HistoryLines(), progress) << layer << "/" << field;
    }
}

TEST_F(ArcMapHelpersTest, FailuresShowTheirOwnMessagesAndHideTheBar) {
    AddLayer("Things", MakeThings());
    auto unreadable = host::New<host::QueryFilter>();
    unreadable->SetWhereClause("NAME LIKE 'a%'");
    LoadListWithUniqueFieldValues("Things", "NAME", Form().List1, true, unreadable);
    EXPECT_EQ(Progress().HistoryLines().back(), "Hide");
    ASSERT_EQ(Messages().Texts().size(), 1u);
    EXPECT_NE(Messages().Texts()[0].find("MODULE: LoadListWithUniqueFieldValues Tovalin_ArcMap"), std::string::npos);

    gMxDocument = nullptr;  // every lookup now fails
    const std::vector<std::pair<std::function<void()>, Items>> cases = {
        {[] { EXPECT_EQ(FindLayer("Things"), nullptr); }, {"Error: Could not find layer Things"}},
        {[this] { LoadMapLayers(Form().Combo1); }, {"Error loading map layers"}},
        {[this] { LoadLayerFields("Things", Form().Combo1, true); }, {}},
        {[this] { LoadListWithUniqueFieldValues("Things", "NAME", Form().List1, true, nullptr); },
         {"Error: Could not find layer Things"}},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        Messages().ClearShown();
        cases[i].first();
        EXPECT_EQ(Messages().Texts(), cases[i].second) << "case " << i;
    }
}

TEST_F(ArcMapHelpersTest, CambridgeParcelsFillTheSearchListWithEveryMapLotOnce) {
    gApplication->OpenDocument(std::filesystem::path(CORVANE_SHARED_DIR) / "data/cambridge/cambridge.gpkg");
    gMxDocument = gApplication->Document();
    LoadListWithUniqueFieldValues("Parcels", "ML", Form().Sorted1, true, nullptr);
    EXPECT_EQ(Form().Sorted1.ListCount(), 13035) << "distinct map-lot keys; the parcel without one adds nothing";
    long steps = 0;
    for (const auto& event : Progress().History()) steps += event.operation == "Step" ? 1 : 0;
    EXPECT_EQ(steps, 13116 + 1);
    EXPECT_TRUE(Messages().Texts().empty());
}

}  // namespace
