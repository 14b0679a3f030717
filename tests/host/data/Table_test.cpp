// Tables held in memory: value texts, where clauses, cursors, selection sets, joins and
// spatial filters, on small tables built for each case.

#include <gtest/gtest.h>

#include "host/data/Cursor.h"
#include "host/data/Feature.h"
#include "host/data/FeatureCursor.h"
#include "host/data/JoinedTable.h"
#include "host/data/Row.h"
#include "host/data/ScratchWorkspaceFactory.h"
#include "host/data/SelectionSet.h"
#include "host/geometry/Point.h"
#include "tests/host/carto/CartoTestData.h"
#include "tests/support/ErrorOf.h"

namespace {

using host::Ref;
using host::Value;

using carto_test::MakeFields;
using carto_test::Where;
using support::ErrorOf;

std::vector<long> Ids(const Ref<host::Table>& table, const std::string& clause) {
    return table->Select(Where(clause), 1, 1, host::ScratchWorkspaceFactory().DefaultScratchWorkspace())->IDs();
}

// OBJECTID, NAME (text), AREA (double), CODE (integer), RATIO (single), WHEN (date).
Ref<host::Table> Owners() {
    auto table = host::New<host::Table>(
        "Owners", MakeFields({{"OBJECTID", 6}, {"NAME", 4}, {"AREA", 3}, {"CODE", 1}, {"RATIO", 2}, {"WHEN", 5}}), 0);
    const Value when(host::Date{2014, 1, 5});
    for (auto row : std::vector<std::vector<Value>>{{1, "O'Brien", 0.1, 7, 0.1f, when},
                                                    {2, "o'brien", 2.5, std::int64_t{9007199254740993LL}, 2.5f, when},
                                                    {3, "O'Brien ", 7.0, 7, Value(), when},
                                                    {4, "", Value(), Value(), Value(), when},
                                                    {5, Value(), 1e21, -3, 1.5f, when},
                                                    {6, "O'Brien", 3.0, 8, 0.3f, when}}) {
        table->AddRow(std::move(row));
    }
    return table;
}

TEST(Value, TextFormsOfValues) {
    const std::pair<Value, const char*> cases[] = {
        {1.0 / 3.0, "0.3333333333333333"},
        {0.00002, "0.00002"},  // plain digits, not 2e-05
        {0.1f, "0.1"},         // a single is written with a single's digits
        {host::Date{2014, 1, 5, 15, 4, 5.75}, "1/5/2014 3:04:05 PM"},
    };
    for (const auto& [value, text] : cases) EXPECT_EQ(value.Text(), text);
    EXPECT_EQ(ErrorOf([] { Value().Text(); }), 94);
    EXPECT_EQ(ErrorOf([] { Value("x").AsDouble(); }), 13);
}

TEST(WhereClause, SelectionsAndSearchCursorsFindExactlyTheRowsThatEqualTheValue) {
    // A selection looks the value up in an index first; a search cursor tests every row
    // against the clause itself. Both find exactly the rows that equal the value: a fraction
    // finds no whole number, and a whole number finds its doubles and singles too.
    auto table = Owners();
    const auto cursorIds = [&](const std::string& clause) {
        std::vector<long> ids;
        auto cursor = table->Search(Where(clause), false);
        for (auto row = cursor->NextRow(); row; row = cursor->NextRow()) ids.push_back(static_cast<long>(row->OID()));
        return ids;
    };
    const std::pair<const char*, std::vector<long>> cases[] = {
        {"NAME = 'O''Brien'", {1, 6}},  // not o'brien, not the one with a trailing blank
        {"NAME = ''", {4}},             // empty text, not Null
        {"CODE = +7", {1, 3}},
        {"CODE = 9007199254740993", {2}},  // beyond a double's whole numbers
        {"AREA = .1", {1}},
        {"RATIO = 0.1", {1}},  // the single 0.1 as the list shows it
        {"CODE = 7.5", {}},
        {"CODE = 6.9999", {}},
        {"CODE = 7.0", {1, 3}},
        {"CODE = 7e0", {1, 3}},
        {"CODE = -3.5", {}},
        {"CODE = 9007199254740992", {}},  // its neighbour, not the double both round to
        {"AREA = 7", {3}},
        {"AREA = 2.4", {}},
        {"RATIO = 1.5", {5}},
        {"RATIO = 1.4", {}},
    };
    for (const auto& [clause, ids] : cases) {
        EXPECT_EQ(cursorIds(clause), ids) << clause;
        EXPECT_EQ(Ids(table, clause), ids) << clause;
    }
}

TEST(WhereClause, LookupsSeeRowsAddedAfterTheFirstQuery) {
    auto table = host::New<host::Table>("T", MakeFields({{"OBJECTID", 6}, {"NAME", 4}, {"AREA", 3}}), 0);
    table->AddRow({Value(std::int64_t{1}), "a", 0.0});
    EXPECT_EQ(Ids(table, "NAME = 'b'"), std::vector<long>{});
    table->AddRow({Value(std::int64_t{2}), "b", -0.0});
    EXPECT_EQ(Ids(table, "NAME = 'b'"), std::vector<long>{2});
    EXPECT_EQ(Ids(table, "AREA = 0"), (std::vector<long>{1, 2}));  // -0 equals 0
}

TEST(WhereClause, FieldNamesAsTheTableNamesThem) {
    auto table = host::New<host::Table>("T", MakeFields({{"ID", 6}, {"Owner Name", 4}, {"Zoë-2", 1}}), 0);
    table->AddRow({Value(1), Value("a = b"), Value(2)});
    table->AddRow({Value(2), Value("a"), Value(3)});
    EXPECT_EQ(Ids(table, "Owner Name = 'a = b'"), (std::vector<long>{1}));
    EXPECT_EQ(Ids(table, "zoë-2 = 3"), (std::vector<long>{2}));
    EXPECT_EQ(ErrorOf([&] { Ids(table, "Owner = 'a'"); }), host::err::AutomationError);
}

TEST(WhereClause, RejectsWhatItCannotReadBeforeReadingAnyRow) {
    auto table = Owners();
    for (const char* clause :
         {"CODE = '7'", "NAME = 7", "WHEN = '1/5/2014'", "NAME = 'a' AND CODE = 1", "NAME = 'O'Brien'", "NOPE = 1",
          "CODE = 1e999", "CODE <> 7", "Owners.NAME = 'x'"}) {  // the table's own name does not qualify its fields
        EXPECT_EQ(ErrorOf([&] { table->Search(Where(clause), false); }), host::err::AutomationError) << clause;
    }
}

TEST(Fields, FindFieldIgnoresCaseInEveryScriptButNotAccents) {
    auto fields = MakeFields({{"Œuvre", 4}, {"ŠKODA", 4}, {"Ωmega", 4}, {"Łąka", 4}, {"Ecole", 4}});
    const std::pair<const char*, long> cases[] = {
        {"œUVRE", 0}, {"škoda", 1}, {"ωMEGA", 2}, {"łĄKA", 3}, {"ecole", 4}, {"École", -1}, {"Laka", -1},
    };
    for (const auto& [name, index] : cases) EXPECT_EQ(fields->FindField(name), index) << name;
}

TEST(Table, RowsCursorsAndIds) {
    auto table = host::New<host::Table>("T", MakeFields({{"ID", 6}, {"École", 4}}), 0);
    for (long id : {30L, 10L, 20L}) table->AddRow({Value(std::int64_t{id}), Value("v" + std::to_string(id))});
    EXPECT_EQ(table->GetRow(10)->Value(1).AsText(), "v10");  // ids out of order are still found
    EXPECT_EQ(ErrorOf([&] { table->GetRow(40); }), host::err::AutomationError);
    EXPECT_EQ(ErrorOf([&] { table->AddRow({Value(20), Value("again")}); }), 5);

    // Recycling hands back one row object moved on; without it every row is new.
    for (bool recycling : {true, false}) {
        auto cursor = table->Search(nullptr, recycling);
        Ref<host::Row> first = cursor->NextRow();
        Ref<host::Row> second = cursor->NextRow();
        EXPECT_EQ(first == second, recycling);
        cursor->NextRow();
        EXPECT_FALSE(cursor->NextRow());
    }
}

TEST(SelectionSet, CombinesAndSearches) {
    auto table = Owners();
    auto a = host::New<host::SelectionSet>(table, std::vector<long>{3, 1, 2, 2});
    auto b = host::New<host::SelectionSet>(table, std::vector<long>{2, 3, 4});
    const std::vector<std::vector<long>> combined{{2, 3, 4}, {1, 2, 3, 4}, {1}, {2, 3}, {1, 4}};
    for (long code = 0; code < 5; ++code)
        EXPECT_EQ(a->Combine(b, code)->IDs(), combined[static_cast<std::size_t>(code)]) << code;
    EXPECT_EQ(ErrorOf([&] { a->Combine(b, 5); }), 5);

    a->AddList({6, 99});  // 99 is no row of the table: the search passes over it
    a->RemoveList({2});
    std::vector<long> found;
    auto cursor = a->Search(Where("NAME = 'O''Brien'"), false);
    while (auto row = cursor->NextRow()) found.push_back(row->OID());
    EXPECT_EQ(found, (std::vector<long>{1, 6}));
}

TEST(JoinedTable, FirstMatchLeftOuterWithQualifiedNames) {
    auto parcels = host::New<host::Table>("Parcels", MakeFields({{"OBJECTID", 6}, {"ML", 4}, {"NUM", 3}}), 0);
    for (const auto& row :
         std::vector<std::vector<Value>>{{1, "A", 5.0}, {2, "B", Value()}, {3, Value(), 6}, {4, "C", 7}, {5, "A", 8}}) {
        parcels->AddRow(row);
    }
    auto owners = host::New<host::Table>("Owners", MakeFields({{"fid", 6}, {"ML", 4}, {"Owner", 4}, {"N", 1}}), 0);
    for (const auto& row : std::vector<std::vector<Value>>{{10, "B", "first B", 5},
                                                           {11, "B", "second B", 6},
                                                           {12, "A", "only A", Value()},
                                                           {13, "c", "lower c", 7},
                                                           {14, Value(), "no key", 8}}) {
        owners->AddRow(row);
    }

    auto joined = host::New<host::JoinedTable>(parcels, "ml", owners, "ML");
    EXPECT_EQ(joined->Fields()->Field(3)->Name(), "Owners.fid");
    long owner = joined->FindField("Owners.Owner");
    const std::vector<Value> owners1to5{"only A", "first B", Value(), Value(), "only A"};  // case counts: C is not c
    for (long id = 1; id <= 5; ++id)
        EXPECT_EQ(joined->GetRow(id)->Value(owner), owners1to5[static_cast<std::size_t>(id - 1)]) << id;
    EXPECT_EQ(Ids(joined, "Owners.Owner = 'only A'"), (std::vector<long>{1, 5}));

    // Numbers join by value whatever their kind (5.0 with 5, 7 with 7).
    auto byNumber = host::New<host::JoinedTable>(parcels, "NUM", owners, "N");
    EXPECT_EQ(byNumber->GetRow(4)->Value(byNumber->FindField("Owners.Owner")), Value("lower c"));

    EXPECT_EQ(ErrorOf([&] { host::New<host::JoinedTable>(parcels, "ML", owners, "NOPE"); }), 5);
}

TEST(SpatialFilter, IndexedQueriesWithRelationsFieldsAndClauses) {
    auto fields = MakeFields({{"OBJECTID", 6}, {"Shape", 7}, {"KIND", 4}});
    auto lots = host::New<host::FeatureClass>("Lots", fields, 0, 1, 4, nullptr);
    auto square = [](double x, double y) {
        return host::Polygon::FromRings({{{x, y}, {x, y + 10}, {x + 10, y + 10}, {x + 10, y}}})->Geos();
    };
    // A 20 x 20 grid of 10-unit lots, one lot without geometry.
    long id = 1;
    for (; id <= 400; ++id) {
        long col = (id - 1) % 20, row = (id - 1) / 20;
        lots->AddFeature({Value(std::int64_t{id}), Value(), Value(col % 2 == 0 ? "even" : "odd")},
                         square(static_cast<double>(col) * 10.0, static_cast<double>(row) * 10.0));
    }
    lots->AddFeature({Value(std::int64_t{id}), Value(), Value("none")}, host::GeosGeometry());

    auto filter = host::New<host::SpatialFilter>();
    filter->SetGeometry(host::Polygon::FromRings({{{12, 12}, {12, 28}, {28, 28}, {28, 12}}}));
    filter->SetGeometryField("SHAPE");
    filter->SetSpatialRel(1);
    EXPECT_EQ(lots->Select(filter, 1, 1, nullptr)->IDs(), (std::vector<long>{22, 23, 42, 43}));
    filter->SetWhereClause("KIND = 'odd'");
    EXPECT_EQ(lots->Select(filter, 1, 1, nullptr)->IDs(), (std::vector<long>{22, 42}));  // column 1 is odd
    filter->SetWhereClause("");

    EXPECT_TRUE(lots->GetFeature(id)->Shape()->IsEmpty());

    filter->SetGeometryField("KIND");  // not the shape field
    EXPECT_EQ(ErrorOf([&] { lots->Search(filter, false); }), host::err::AutomationError);
    filter->SetGeometryField("");
    filter->SetSpatialRel(3);
    EXPECT_EQ(ErrorOf([&] { lots->Search(filter, false); }), 5);
    filter->SetSpatialRel(1);
    EXPECT_EQ(ErrorOf([&] { Owners()->Search(filter, false); }), host::err::AutomationError);  // a table without shapes
}

}  // namespace
