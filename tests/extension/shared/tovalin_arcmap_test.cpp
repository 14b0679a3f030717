// The layer lookup and the loading of layer, field and value lists, over small maps made in
// memory and over the Cambridge parcels.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "extension/command/Globals.h"
#include "extension/shared/ArcID.h"
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
#include "host/data/Table.h"
#include "host/forms/ComboBox.h"
#include "host/forms/Form.h"
#include "host/forms/ListBox.h"
#include "host/framework/Application.h"
#include "host/framework/CommandBars.h"
#include "host/framework/StatusBar.h"
#include "host/framework/StepProgressor.h"
#include "host/geometry/Envelope.h"
#include "host/geometry/Geometry.h"
#include "tests/support/HeadlessTest.h"

namespace {

using Items = std::vector<std::string>;

class ListsForm : public host::Form {
public:
    ListsForm() : host::Form("frmLists") {}
    host::ComboBox Combo1{*this, "Combo1"};
    host::ListBox List1{*this, "List1"};
    host::ListBox Sorted1{*this, "Sorted1"};
};

struct Thing {
    host::Value name;
    host::Value code;
    host::Value area;
    host::Value when;
};

// A point class "Things": OBJECTID, Shape, NAME (text), CODE (integer), AREA (double),
// WHEN (date); object ids from 1.
host::Ref<host::FeatureClass> MakeThings(const std::vector<Thing>& rows) {
    auto fields = host::New<host::Fields>();
    fields->AddField(host::New<host::Field>("OBJECTID", host::FieldType::OID));
    fields->AddField(host::New<host::Field>("Shape", host::FieldType::Geometry));
    fields->AddField(host::New<host::Field>("NAME", host::FieldType::String));
    fields->AddField(host::New<host::Field>("CODE", host::FieldType::Integer));
    fields->AddField(host::New<host::Field>("AREA", host::FieldType::Double));
    fields->AddField(host::New<host::Field>("WHEN", host::FieldType::Date));
    auto things = host::New<host::FeatureClass>("Things", fields, 0, 1, 1, nullptr);
    std::int64_t oid = 1;
    for (const Thing& row : rows) {
        const std::string wkt = "POINT(" + std::to_string(oid) + " 0)";
        things->AddFeature({host::Value(oid), host::Value(), row.name, row.code, row.area, row.when},
                           host::Geometry::FromWkt(wkt)->Geos());
        ++oid;
    }
    return things;
}

// A table "Owners": OBJECTID, NAME (the key), OWNER.
host::Ref<host::Table> MakeOwners(const std::vector<std::pair<std::string, host::Value>>& rows) {
    auto fields = host::New<host::Fields>();
    fields->AddField(host::New<host::Field>("OBJECTID", host::FieldType::OID));
    fields->AddField(host::New<host::Field>("NAME", host::FieldType::String));
    fields->AddField(host::New<host::Field>("OWNER", host::FieldType::String));
    auto owners = host::New<host::Table>("Owners", fields, 0);
    std::int64_t oid = 1;
    for (const auto& [key, owner] : rows) owners->AddRow({host::Value(oid++), host::Value(key), owner});
    return owners;
}

host::Ref<host::FeatureLayer> MakeLayer(const std::string& name, const host::Ref<host::FeatureClass>& featureClass) {
    auto layer = host::New<host::FeatureLayer>();
    layer->SetFeatureClass(featureClass);
    layer->SetName(name);
    return layer;
}

host::Ref<host::GroupLayer> MakeGroup(const std::string& name, const std::vector<host::Ref<host::Layer>>& members) {
    auto group = host::New<host::GroupLayer>();
    group->SetName(name);
    for (const auto& member : members) group->Add(member);
    return group;
}

host::Ref<host::Layer> MakeMissing(const std::string& name) {
    return host::New<host::MissingSourceLayer>(name, host::SourceName{}, "the file is gone");
}

bool ArrayContains(const Items& items, const std::string& text) {
    return std::find(items.begin(), items.end(), text) != items.end();
}

const host::Date kMarch4{2021, 3, 4};
const host::Date kMarch4Afternoon{2021, 3, 4, 13, 5, 0};

// Rows whose NAME, CODE, AREA and WHEN hold repeats, case variants, Null and empty texts.
std::vector<Thing> SampleRows() {
    return {
        {"abc", 5, 0.1, kMarch4},
        {"ABC", 5, 2.5, kMarch4Afternoon},
        {host::Value(), host::Value(), host::Value(), host::Value()},
        {"", 10, 1e21, kMarch4},
        {"abc", -3, 0.1, kMarch4},
        {"O'Brien", 10, -0.25, kMarch4Afternoon},
    };
}

class ArcMapHelpersTest : public support::HeadlessTest {
protected:
    void SetUp() override {
        support::HeadlessTest::SetUp();
        SetIdentity();
        gApplication = host::Application::Launch();
        gMxDocument = gApplication->Document();
        form_ = host::New<ListsForm>();
        form_->Sorted1.SetSorted(true);
    }
    void TearDown() override {
        form_ = nullptr;
        host::Application::Shutdown();
        support::HeadlessTest::TearDown();
    }

    host::Map& FocusMap() { return *gMxDocument->FocusMap(); }
    host::StepProgressor& Progress() { return *gApplication->StatusBar()->ProgressBar(); }
    ListsForm& Form() { return *form_; }

    // The map the walk rules are tested on:
    //   Parcels                 feature layer (class A)
    //   Parcels                 a layer whose source is missing
    //   Group                   group layer:
    //       PARCELS             feature layer (class B): the same name, later in the walk
    //       Inner               group layer inside the group: Deep (feature layer)
    //       Gone                a layer whose source is missing
    //       Streets             feature layer
    //   Hydrants                feature layer
    //   Empty                   group layer without members
    void BuildWalkMap() {
        parcelsA_ = MakeLayer("Parcels", MakeThings(SampleRows()));
        parcelsB_ = MakeLayer("PARCELS", MakeThings({}));
        streets_ = MakeLayer("Streets", MakeThings({}));
        hydrants_ = MakeLayer("Hydrants", MakeThings({}));
        FocusMap().AddLayer(parcelsA_);
        FocusMap().AddLayer(MakeMissing("Parcels"));
        FocusMap().AddLayer(MakeGroup("Group", {parcelsB_, MakeGroup("Inner", {MakeLayer("Deep", MakeThings({}))}),
                                                MakeMissing("Gone"), streets_}));
        FocusMap().AddLayer(hydrants_);
        FocusMap().AddLayer(MakeGroup("Empty", {}));
    }

    host::Ref<host::FeatureLayer> AddThings(const std::string& name, const std::vector<Thing>& rows) {
        auto layer = MakeLayer(name, MakeThings(rows));
        FocusMap().AddLayer(layer);
        return layer;
    }

    host::Ref<host::FeatureLayer> parcelsA_, parcelsB_, streets_, hydrants_;

private:
    host::Ref<ListsForm> form_;
};

TEST_F(ArcMapHelpersTest, FindLayerLooksOneLevelIntoGroupsAndTheLastEqualNameWins) {
    BuildWalkMap();
    struct Case {
        std::string name;
        host::Ref<host::FeatureLayer> expected;
    };
    const std::vector<Case> cases = {
        {"Parcels", parcelsB_},  // the grouped layer comes later in the walk
        {"parcels", parcelsB_},
        {"Streets", streets_},
        {"HYDRANTS", hydrants_},
        {"Parcels ", nullptr},  // a trailing blank counts
        {"Deep", nullptr},      // two levels down
        {"Group", nullptr},     // a group layer is never a candidate
        {"Inner", nullptr},
        {"Empty", nullptr},
        {"Gone", nullptr},  // another kind of layer
        {"", nullptr},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FindLayer(c.name), c.expected) << "\"" << c.name << "\"";
    }
    EXPECT_TRUE(Messages().Texts().empty()) << "a missing layer is no failure";
}

TEST_F(ArcMapHelpersTest, LoadMapLayersListsFeatureLayersInWalkOrderWithRepeats) {
    Form().Combo1.AddItem("old entry");
    BuildWalkMap();
    LoadMapLayers(Form().Combo1);
    EXPECT_EQ(Form().Combo1.Items(), (Items{"Parcels", "PARCELS", "Streets", "Hydrants"}));

    FocusMap().AddLayer(MakeGroup("Only missing", {MakeMissing("Nothing here")}));
    LoadMapLayers(Form().Combo1);
    EXPECT_EQ(Form().Combo1.ListCount(), 4);
    EXPECT_TRUE(Messages().Texts().empty());
}

TEST_F(ArcMapHelpersTest, LoadLayerFieldsLeavesOutTheShapeFieldAndUsesTheJoinedNames) {
    auto layer = AddThings("Things", SampleRows());
    layer->SetJoin({"NAME", "Owners", "NAME"}, MakeOwners({{"abc", "SMITH"}}));
    AddThings("Things copy", {});

    struct Case {
        std::string layer;
        bool joined;
        Items expected;
    };
    const std::vector<Case> cases = {
        {"things", false, {"OBJECTID", "NAME", "CODE", "AREA", "WHEN"}},
        {"Things", true,
         {"Things.OBJECTID", "Things.NAME", "Things.CODE", "Things.AREA", "Things.WHEN", "Owners.OBJECTID",
          "Owners.NAME", "Owners.OWNER"}},
        {"Things copy", true, {"OBJECTID", "NAME", "CODE", "AREA", "WHEN"}},
        {"Nowhere", true, {}},
        {"", false, {}},
    };
    for (const Case& c : cases) {
        Form().Combo1.AddItem("stale");
        LoadLayerFields(c.layer, Form().Combo1, c.joined);
        EXPECT_EQ(Form().Combo1.Items(), c.expected) << c.layer << (c.joined ? " joined" : "");
    }
    EXPECT_TRUE(Messages().Texts().empty());
}

TEST_F(ArcMapHelpersTest, LoadLayerFieldsTakesTheLastLayerOfTheNameAndStopsAtGroups) {
    BuildWalkMap();
    parcelsB_->SetJoin({"NAME", "Owners", "NAME"}, MakeOwners({}));
    LoadLayerFields("parcels", Form().Combo1, true);
    ASSERT_FALSE(Form().Combo1.Items().empty());
    EXPECT_EQ(Form().Combo1.List(0), "Things.OBJECTID") << "the joined layer inside the group";

    LoadLayerFields("Deep", Form().Combo1, false);
    EXPECT_EQ(Form().Combo1.ListCount(), 0);
}

TEST_F(ArcMapHelpersTest, IsShapeFieldMatchesShapeAndQualifiedShapeIgnoringCase) {
    const std::vector<std::pair<std::string, bool>> cases = {
        {"Shape", true},          {"SHAPE", true},          {"shape", true},
        {"Parcels.Shape", true},  {"parcels.sHaPe", true},  {".Shape", true},
        {"Grüße.SHAPE", true},    {"Shape ", false},        {" Shape", false},
        {"Shapes", false},        {"Shape_Length", false},  {"Shape.Area", false},
        {"Parcels_Shape", false}, {"hape", false},          {"", false},
        {"Parcels.Shape.", false},
    };
    for (const auto& [name, expected] : cases) EXPECT_EQ(IsShapeField(name), expected) << "\"" << name << "\"";
}

TEST_F(ArcMapHelpersTest, UniqueValuesKeepOutNullAndEmptyAndKeepCaseVariantsInFirstOrder) {
    AddThings("Things", SampleRows());
    struct Case {
        std::string field;
        Items expected;
    };
    const std::vector<Case> cases = {
        {"NAME", {"abc", "ABC", "O'Brien"}},
        {"name", {"abc", "ABC", "O'Brien"}},
        {"CODE", {"5", "10", "-3"}},
        {"AREA", {"0.1", "2.5", "1e+21", "-0.25"}},
        {"WHEN", {"3/4/2021", "3/4/2021 1:05:00 PM"}},
        {"OBJECTID", {"1", "2", "3", "4", "5", "6"}},
    };
    for (const Case& c : cases) {
        Form().List1.AddItem("stale");
        LoadListWithUniqueFieldValues("Things", c.field, Form().List1, false, nullptr);
        EXPECT_EQ(Form().List1.Items(), c.expected) << c.field;
    }
    LoadListWithUniqueFieldValues("Things", "NAME", Form().Sorted1, true, nullptr);
    EXPECT_EQ(Form().Sorted1.Items(), (Items{"abc", "ABC", "O'Brien"})) << "a sorted list keeps equal-but-case in order";
    EXPECT_TRUE(Messages().Texts().empty());
}

TEST_F(ArcMapHelpersTest, ASortedListEndsAsIfEachValueWereAddedInTheOrderRead) {
    const Items names = {"b", "A", "a", "B", "ä", "c", "Ä", "", "a", "10", "9", "b ", " b", "C", "é", "E", "e"};
    std::vector<Thing> rows;
    for (const std::string& name : names) rows.push_back({name, 0, 0.0, kMarch4});
    AddThings("Things", rows);

    Items expected;
    for (const std::string& name : names) {
        if (name.empty() || ArrayContains(expected, name)) continue;
        expected.push_back(name);
        Form().List1.AddItem(name);  // unsorted: the order read
    }
    ListsForm reference;
    reference.Sorted1.SetSorted(true);
    for (const std::string& name : expected) reference.Sorted1.AddItem(name);

    LoadListWithUniqueFieldValues("Things", "NAME", Form().Sorted1, false, nullptr);
    EXPECT_EQ(Form().Sorted1.Items(), reference.Sorted1.Items());
    LoadListWithUniqueFieldValues("Things", "NAME", Form().List1, false, nullptr);
    EXPECT_EQ(Form().List1.Items(), expected);
}

TEST_F(ArcMapHelpersTest, UniqueValuesReadTheJoinedTableAndHonourTheFilter) {
    auto layer = AddThings("Things", SampleRows());
    layer->SetJoin({"NAME", "Owners", "NAME"},
                   MakeOwners({{"abc", "SMITH"}, {"abc", "JONES"}, {"ABC", "smith"}, {"O'Brien", host::Value()}}));

    LoadListWithUniqueFieldValues("Things", "Owners.OWNER", Form().List1, false, nullptr);
    EXPECT_EQ(Form().List1.Items(), (Items{"SMITH", "smith"})) << "first match per feature, Null where none";

    auto filter = host::New<host::QueryFilter>();
    filter->SetWhereClause("Things.CODE = 10");
    LoadListWithUniqueFieldValues("Things", "Things.NAME", Form().List1, false, filter);
    EXPECT_EQ(Form().List1.Items(), (Items{"O'Brien"}));

    filter->SetWhereClause("Things.NAME = 'O''Brien'");
    LoadListWithUniqueFieldValues("Things", "Things.AREA", Form().List1, false, filter);
    EXPECT_EQ(Form().List1.Items(), (Items{"-0.25"}));
}

TEST_F(ArcMapHelpersTest, ProgressCountsAllFeaturesAndStepsOnceMoreThanTheRowsRead) {
    AddThings("Things", SampleRows());
    AddThings("Nothing", {});
    auto fiveOrTen = host::New<host::QueryFilter>();
    fiveOrTen->SetWhereClause("CODE = 5");

    const std::string start = "Message \"Loading List: NAME...\"";
    struct Case {
        std::string layer;
        bool show;
        host::Ref<host::QueryFilter> filter;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {"Things", true, nullptr,
         {start, "StepValue 1", "Position 0", "MaxRange 6", "Position 0", "Show", "Step 1", "Step 2", "Step 3",
          "Step 4", "Step 5", "Step 6", "Step 6", "Hide"}},
        {"Things", true, fiveOrTen,  // the bound counts every feature whatever the filter
         {start, "StepValue 1", "Position 0", "MaxRange 6", "Position 0", "Show", "Step 1", "Step 2", "Step 3", "Hide"}},
        {"Things", false, nullptr, {start, "StepValue 1", "Position 0", "MaxRange 6", "Position 0", "Hide"}},
        {"Nothing", true, nullptr, {start, "StepValue 1", "Position 0", "MaxRange 0", "Position 0", "Show", "Step 0", "Hide"}},
    };
    for (const Case& c : cases) {
        Progress().ClearHistory();
        LoadListWithUniqueFieldValues(c.layer, "NAME", Form().List1, c.show, c.filter);
        EXPECT_EQ(Progress().HistoryLines(), c.expected) << c.layer << (c.show ? " shown" : "");
        EXPECT_FALSE(Progress().Visible());
    }
    EXPECT_EQ(Progress().MinRange(), 0) << "the lower bound is left as it was";
}

TEST_F(ArcMapHelpersTest, UniqueValuesStopEarlyWithTheirOwnMessagesOnly) {
    AddThings("Things", SampleRows());
    const std::string start = "Message \"Loading List: ";
    struct Case {
        std::string layer;
        std::string field;
        Items messages;
        std::vector<std::string> progress;
    };
    const std::vector<Case> cases = {
        {"", "NAME", {}, {}},
        {"   ", "NAME", {}, {}},
        {"Things", "  ", {}, {}},
        {"Things", "Shape", {"Shape field is not accessible"}, {}},
        {"Things", "things.SHAPE", {"Shape field is not accessible"}, {}},
        {"Elsewhere", "NAME", {}, {start + "NAME...\"", "StepValue 1", "Position 0"}},
        {"Things", "NOPE", {}, {start + "NOPE...\"", "StepValue 1", "Position 0", "MaxRange 6", "Position 0", "Show", "Step 1", "Hide"}},
    };
    for (const Case& c : cases) {
        Progress().ClearHistory();
        Messages().ClearShown();
        Form().List1.AddItem("stale");
        LoadListWithUniqueFieldValues(c.layer, c.field, Form().List1, true, nullptr);
        const std::string label = "\"" + c.layer + "\" \"" + c.field + "\"";
        EXPECT_EQ(Form().List1.ListCount(), 0) << label;
        EXPECT_EQ(Messages().Texts(), c.messages) << label;
        EXPECT_EQ(Progress().HistoryLines(), c.progress) << label;
    }
}

TEST_F(ArcMapHelpersTest, FailuresShowTheirOwnMessagesAndHideTheBar) {
    AddThings("Things", SampleRows());

    // A where clause the host cannot read fails the search: the bar is hidden, then the
    // report names the routine.
    auto unreadable = host::New<host::QueryFilter>();
    unreadable->SetWhereClause("NAME LIKE 'a%'");
    LoadListWithUniqueFieldValues("Things", "NAME", Form().List1, true, unreadable);
    EXPECT_FALSE(Progress().Visible());
    EXPECT_EQ(Progress().HistoryLines().back(), "Hide");
    ASSERT_EQ(Messages().Texts().size(), 1u);
    EXPECT_NE(Messages().Texts()[0].find("MODULE: LoadListWithUniqueFieldValues Tovalin_ArcMap"), std::string::npos);

    // Without a map document every lookup fails.
    gMxDocument = nullptr;
    struct Case {
        std::string what;
        std::function<void()> call;
        Items messages;
    };
    const std::vector<Case> cases = {
        {"FindLayer", [] { EXPECT_EQ(FindLayer("Things"), nullptr); }, {"Error: Could not find layer Things"}},
        {"LoadMapLayers", [this] { LoadMapLayers(Form().Combo1); }, {"Error loading map layers"}},
        {"LoadLayerFields", [this] { LoadLayerFields("Things", Form().Combo1, true); }, {}},
        {"LoadListWithUniqueFieldValues",
         [this] { LoadListWithUniqueFieldValues("Things", "NAME", Form().List1, true, nullptr); },
         {"Error: Could not find layer Things"}},
    };
    for (const Case& c : cases) {
        Messages().ClearShown();
        c.call();
        EXPECT_EQ(Messages().Texts(), c.messages) << c.what;
    }

    // Without an application the bar cannot be taken: the report, and nothing to hide.
    gMxDocument = gApplication->Document();
    gApplication = nullptr;
    Messages().ClearShown();
    LoadListWithUniqueFieldValues("Things", "NAME", Form().List1, true, nullptr);
    ASSERT_EQ(Messages().Texts().size(), 1u);
    EXPECT_NE(Messages().Texts()[0].find("ERROR NUMBER: 91"), std::string::npos);
}

TEST_F(ArcMapHelpersTest, LayerWithoutFeatureClassFailsQuietlyInTheFieldList) {
    auto bare = host::New<host::FeatureLayer>();
    bare->SetName("Bare");
    FocusMap().AddLayer(bare);
    Form().Combo1.AddItem("stale");
    LoadLayerFields("Bare", Form().Combo1, true);
    EXPECT_EQ(Form().Combo1.ListCount(), 0);
    EXPECT_TRUE(Messages().Texts().empty());
}

TEST_F(ArcMapHelpersTest, IdentifiersFindTheBuiltInCommandsAmongTheDocumentsCommandBars) {
    const auto bars = gApplication->Document()->CommandBars();
    const auto zoom = bars->Find(ArcID::ZoomToSelectedFeaturesUid(), false, false);
    const auto tool = bars->Find(ArcID::SelectElementsToolUid(), false, false);
    ASSERT_TRUE(zoom);
    ASSERT_TRUE(tool);
    EXPECT_FALSE(zoom == tool);

    // Nothing selected: the zoom changes nothing, and running it is no failure.
    auto layer = AddThings("Things", SampleRows());
    FocusMap().SetExtent(host::New<host::Envelope>(-100, -100, 100, 100));
    zoom->Execute();
    EXPECT_EQ(FocusMap().Extent()->XMin(), -100);

    layer->SelectFeatures(nullptr, 0, false);
    zoom->Execute();
    EXPECT_GT(FocusMap().Extent()->XMin(), -100) << "zoomed to the selected features";
}

TEST_F(ArcMapHelpersTest, CambridgeParcelsFillTheSearchListFromTheJoinedTable) {
    const auto file = std::filesystem::path(CORVANE_SHARED_DIR) / "data" / "cambridge" / "cambridge.gpkg";
    ASSERT_TRUE(std::filesystem::exists(file)) << file;
    gApplication->OpenDocument(file);
    gMxDocument = gApplication->Document();

    LoadLayerFields("parcels", Form().Combo1, false);
    EXPECT_GE(Form().Combo1.ListCount(), 2);
    EXPECT_LT(Form().Combo1.IndexOf("ML"), Form().Combo1.ListCount());
    EXPECT_EQ(Form().Combo1.IndexOf("Shape"), -1);

    LoadListWithUniqueFieldValues("Parcels", "ML", Form().Sorted1, true, nullptr);
    // 13,035 distinct map-lot keys; the parcel without one adds nothing.
    EXPECT_EQ(Form().Sorted1.ListCount(), 13035);
    const auto history = Progress().History();
    long steps = 0;
    for (const auto& event : history) steps += event.operation == "Step" ? 1 : 0;
    EXPECT_EQ(steps, 13116 + 1);
    EXPECT_TRUE(Messages().Texts().empty());
}

}  // namespace
