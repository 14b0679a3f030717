// The layer lookup, the loading of layer, field and value lists (over small maps made in
// memory and over the Cambridge parcels) and the list searches.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "extension/command/Globals.h"
#include "extension/shared/Tovalin_ArcMap.h"
#include "extension/shared/Tovalin_Controls.h"
#include "host/carto/GroupLayer.h"
#include "host/carto/Map.h"
#include "host/carto/MissingSourceLayer.h"
#include "host/carto/MxDocument.h"
#include "host/forms/ComboBox.h"
#include "host/forms/Form.h"
#include "host/forms/ListBox.h"
#include "host/framework/Application.h"
#include "host/framework/StatusBar.h"
#include "host/framework/StepProgressor.h"
#include "tests/host/carto/CartoTestData.h"
#include "tests/support/HeadlessTest.h"

namespace {

using Items = std::vector<std::string>;
using carto_test::MakeLayer;
using carto_test::Where;

class ListsForm : public host::Form {
public:
    ListsForm() : host::Form("frmLists") { Sorted1.SetSorted(true); }
    host::ComboBox Combo1{*this, "Combo1"};
    host::ListBox List1{*this, "List1"};
    host::ListBox Sorted1{*this, "Sorted1"};
};

// A point class: OBJECTID (from 1), Shape, then the given fields.
host::Ref<host::FeatureClass> MakeClass(const std::string& name, std::vector<std::pair<std::string, long>> fields,
                                        const std::vector<std::vector<host::Value>>& rows) {
    fields.insert(fields.begin(), {{"OBJECTID", host::FieldType::OID}, {"Shape", host::FieldType::Geometry}});
    auto table = host::New<host::FeatureClass>(name, carto_test::MakeFields(fields), 0, 1, 1, nullptr);
    std::int64_t oid = 0;
    for (std::vector<host::Value> row : rows) {
        row.insert(row.begin(), {host::Value(++oid), host::Value()});
        table->AddFeature(row, host::Geometry::FromWkt("POINT(" + std::to_string(oid) + " 0)")->Geos());
    }
    return table;
}

const host::Date kMarch4{2021, 3, 4};

// "Things": NAME, CODE, AREA and WHEN with repeats, case variants, Null and empty texts.
host::Ref<host::FeatureClass> MakeThings(std::vector<std::vector<host::Value>> rows = {
                                             {"abc", 5, 0.1, kMarch4},
                                             {"ABC", 5, 2.5, host::Date{2021, 3, 4, 13, 5, 0}},
                                             {host::Value(), host::Value(), host::Value(), host::Value()},
                                             {"", 10, 1e21, kMarch4},
                                             {"abc", -3, 0.1, kMarch4},
                                             {"O'Brien", 10, -0.25, kMarch4}}) {
    return MakeClass("Things",
                     {{"NAME", host::FieldType::String},
                      {"CODE", host::FieldType::Integer},
                      {"AREA", host::FieldType::Double},
                      {"WHEN", host::FieldType::Date}},
                     rows);
}

host::Ref<host::FeatureClass> MakeOwners(const std::vector<std::vector<host::Value>>& rows) {
    return MakeClass("Owners", {{"NAME", host::FieldType::String}, {"OWNER", host::FieldType::String}}, rows);
}

host::Ref<host::GroupLayer> MakeGroup(const std::string& name, const std::vector<host::Ref<host::Layer>>& members) {
    auto group = host::New<host::GroupLayer>();
    for (const auto& member : members) group->Add(member);
    group->SetName(name);
    return group;
}

class ArcMapHelpersTest : public support::HeadlessTest {
protected:
    void SetUp() override {
        support::HeadlessTest::SetUp();
        SetIdentity();
        gApplication = host::Application::Launch();
        gMxDocument = gApplication->Document();
    }
    void TearDown() override {
        form_ = nullptr;
        host::Application::Shutdown();
        support::HeadlessTest::TearDown();
    }
    host::StepProgressor& Progress() { return *gApplication->StatusBar()->ProgressBar(); }
    ListsForm& Form() { return *form_; }
    host::Ref<host::FeatureLayer> AddLayer(const std::string& name, const host::Ref<host::FeatureClass>& things) {
        auto layer = MakeLayer(name, things);
        gMxDocument->FocusMap()->AddLayer(layer);
        return layer;
    }

private:
    host::Ref<ListsForm> form_ = host::New<ListsForm>();
};

// The map:  Łąki Šumava Œ Ω | Parcels | Parcels (missing source) |
//           Group [PARCELS (joined) | Inner [Deep] | Streets]
// Names compare ignoring case in every script, but not accents.
TEST_F(ArcMapHelpersTest, TheWalkLooksOneLevelIntoGroupsPassesOtherLayersAndTheLastNameWins) {
    auto letters = AddLayer("Łąki Šumava Œ Ω", MakeThings({}));
    AddLayer("Parcels", MakeThings());
    auto parcelsB = MakeLayer("PARCELS", MakeThings({}));
    parcelsB->SetJoin({"NAME", "Owners", "NAME"}, MakeOwners({}));
    auto streets = MakeLayer("Streets", MakeThings({}));
    gMxDocument->FocusMap()->AddLayer(
        host::New<host::MissingSourceLayer>("Parcels", host::SourceName{}, "the file is gone"));
    gMxDocument->FocusMap()->AddLayer(
        MakeGroup("Group", {parcelsB, MakeGroup("Inner", {MakeLayer("Deep", MakeThings({}))}), streets}));

    const std::vector<std::pair<std::string, host::Ref<host::FeatureLayer>>> cases = {
        {"parcels", parcelsB},        {"Deep", nullptr},
        {"Group", nullptr},           {"Parcels ", nullptr},
        {"łĄKI šUMAVA œ ω", letters}, {"Laki Sumava Œ Ω", nullptr},
    };
    for (const auto& [name, expected] : cases) EXPECT_EQ(FindLayer(name), expected) << "\"" << name << "\"";
    LoadMapLayers(Form().Combo1);
    EXPECT_EQ(Form().Combo1.Items(), (Items{"Łąki Šumava Œ Ω", "Parcels", "PARCELS", "Streets"}));
    EXPECT_TRUE(Messages().Texts().empty()) << "a missing layer is no failure";
}

TEST_F(ArcMapHelpersTest, FieldListsLeaveOutTheShapeFieldAndUseTheJoinedNames) {
    AddLayer("Things", MakeThings())->SetJoin({"NAME", "Owners", "NAME"}, MakeOwners({}));
    LoadLayerFields("things", Form().Combo1, true);
    EXPECT_EQ(Form().Combo1.Items(), (Items{"Things.OBJECTID", "Things.NAME", "Things.CODE", "Things.AREA",
                                            "Things.WHEN", "Owners.OBJECTID", "Owners.NAME", "Owners.OWNER"}));
}

TEST_F(ArcMapHelpersTest, UniqueValuesKeepOutNullAndEmptyAndKeepCaseVariantsInFirstOrder) {
    auto layer = AddLayer("Things", MakeThings());
    const std::vector<std::pair<std::string, Items>> cases = {
        {"name", {"abc", "ABC", "O'Brien"}},
        {"AREA", {"0.1", "2.5", "1e+21", "-0.25"}},
        {"WHEN", {"3/4/2021", "3/4/2021 1:05:00 PM"}},
    };
    for (const auto& [field, expected] : cases) {
        Form().List1.AddItem("stale");
        LoadListWithUniqueFieldValues("Things", field, Form().List1, false, nullptr);
        EXPECT_EQ(Form().List1.Items(), expected) << field;
    }
    // Through the join each feature gets its first owner, Null where none matches.
    layer->SetJoin({"NAME", "Owners", "NAME"},
                   MakeOwners({{"abc", "SMITH"}, {"abc", "JONES"}, {"ABC", "smith"}, {"O'Brien", host::Value()}}));
    LoadListWithUniqueFieldValues("Things", "Owners.OWNER", Form().List1, false, nullptr);
    EXPECT_EQ(Form().List1.Items(), (Items{"SMITH", "smith"}));
}

TEST_F(ArcMapHelpersTest, ProgressCountsAllFeaturesAndStepsOnceMoreThanTheRowsRead) {
    AddLayer("Things", MakeThings());
    AddLayer("Nothing", MakeThings({}));
    const Items start = {"Message \"Loading List: NAME...\"", "StepValue 1", "Position 0"};
    const std::vector<std::tuple<std::string, bool, host::Ref<host::QueryFilter>, Items>> cases = {
        {"Things", true, Where("CODE = 5"), {"MaxRange 6", "Position 0", "Show", "Step 1", "Step 2", "Step 3", "Hide"}},
        {"Nothing", true, nullptr, {"MaxRange 0", "Position 0", "Show", "Step 0", "Hide"}},
    };
    for (auto [layer, show, filter, expected] : cases) {
        Progress().ClearHistory();
        LoadListWithUniqueFieldValues(layer, "NAME", Form().List1, show, filter);
        expected.insert(expected.begin(), start.begin(), start.end());
        EXPECT_EQ(Progress().HistoryLines(), expected) << layer << (show ? " shown" : "");
    }
}

TEST_F(ArcMapHelpersTest, FailuresAndEarlyStopsShowOnlyTheirOwnMessages) {
    AddLayer("Things", MakeThings());
    const std::vector<std::pair<std::function<void()>, Items>> cases = {
        {[this] { LoadListWithUniqueFieldValues("Things", "things.SHAPE", Form().List1, true, nullptr); },
         {"Shape field is not accessible"}},
        {[this] { LoadListWithUniqueFieldValues("Things", "NOPE", Form().List1, true, nullptr); }, {}},
        {[this] { gMxDocument = nullptr; }, {}},  // every lookup fails from here on
        {[] { EXPECT_EQ(FindLayer("Things"), nullptr); }, {"Error: Could not find layer Things"}},
        {[this] { LoadMapLayers(Form().Combo1); }, {"Error loading map layers"}},
        {[this] { LoadLayerFields("Things", Form().Combo1, true); }, {}},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        cases[i].first();
        EXPECT_EQ(TakeMessages(), cases[i].second) << "case " << i;
    }
}

TEST_F(ArcMapHelpersTest, AnUnreadableFilterHidesTheBarAndReportsTheProcedure) {
    AddLayer("Things", MakeThings());
    LoadListWithUniqueFieldValues("Things", "NAME", Form().List1, true, Where("NAME LIKE 'a%'"));
    const std::vector<std::string> bar = Progress().HistoryLines();
    ASSERT_FALSE(bar.empty());
    EXPECT_EQ(bar.back(), "Hide");
    EXPECT_EQ(ReportModules(), (Items{"LoadListWithUniqueFieldValues Tovalin_ArcMap "}));
}

TEST_F(ArcMapHelpersTest, ListSearchesIgnoreCaseAndTakeTheFirstEqualItem) {
    const Items items = {"NONE", "Owner", "owner", "ÉTAT", ""};
    host::ComboBox& combo = Form().Combo1;
    for (const std::string& item : items) combo.AddItem(item);
    const std::vector<std::pair<std::string, long>> cases = {{"OWNER", 1}, {"état", 3}, {"", 4}, {"Owner ", -1}};
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(ComboIndexOf(text, combo), expected) << "\"" << text << "\"";
        EXPECT_EQ(ComboContains(text, combo), expected >= 0) << "\"" << text << "\"";
        EXPECT_EQ(ArrayIndexOf(items, text), expected) << "\"" << text << "\"";
    }
    RemoveComboItem(combo, "OWNER");
    EXPECT_EQ(combo.Items(), (Items{"NONE", "owner", "ÉTAT", ""})) << "only the first equal item goes";
    RemoveComboItem(combo, "City");
    EXPECT_EQ(combo.ListCount(), 4);
}

TEST_F(ArcMapHelpersTest, CambridgeParcelsFillTheSearchListWithEveryMapLotOnce) {
    gApplication->OpenDocument(carto_test::CambridgeFile());
    gMxDocument = gApplication->Document();
    LoadListWithUniqueFieldValues("Parcels", "ML", Form().Sorted1, true, nullptr);
    EXPECT_EQ(Form().Sorted1.ListCount(), 13035) << "distinct map-lot keys; the parcel without one adds nothing";
    long steps = 0;
    for (const auto& event : Progress().History()) steps += event.operation == "Step" ? 1 : 0;
    EXPECT_EQ(steps, 13116 + 1);
    EXPECT_TRUE(Messages().Texts().empty());
}

}  // namespace
