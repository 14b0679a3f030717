// Tables held in memory: value texts, where clauses, cursors, selection sets, joins and
// spatial filters, on small tables built for each case.

#include <gtest/gtest.h>

#include <functional>
#include <limits>

#include "host/data/Cursor.h"
#include "host/data/Feature.h"
#include "host/data/FeatureClass.h"
#include "host/data/FeatureCursor.h"
#include "host/data/JoinedTable.h"
#include "host/data/QueryFilter.h"
#include "host/data/Row.h"
#include "host/data/ScratchWorkspaceFactory.h"
#include "host/data/SelectionSet.h"
#include "host/data/SpatialFilter.h"
#include "host/geometry/Point.h"
#include "host/geometry/Polygon.h"
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
    auto table = host::New<host::Table>("Owners",
                                        MakeFields({{"OBJECTID", 6},
                                                    {"NAME", 4},
                                                    {"AREA", 3},
                                                    {"CODE", 1},
                                                    {"RATIO", 2},
                                                    {"WHEN", 5}}),
                                        0);
    auto add = [&](long id, Value name, Value area, Value code, Value ratio) {
        table->AddRow({Value(std::int64_t{id}), std::move(name), std::move(area), std::move(code), std::move(ratio),
                       Value(host::Date{2014, 1, 5})});
    };
    add(1, "O'Brien", 0.1, 7, 0.1f);
    add(2, "o'brien", 2.5, std::int64_t{9007199254740993LL}, 2.5f);
    add(3, "O'Brien ", 7.0, 7, Value());
    add(4, "", Value(), Value(), Value());
    add(5, Value(), 1e21, -3, 1.5f);
    add(6, "O'Brien", 3.0, 8, 0.3f);
    return table;
}

TEST(Value, TextFormsOfValues) {
    struct Case {
        Value value;
        std::string text;
    };
    for (const Case& c : std::vector<Case>{
             {Value(std::int64_t{1024}), "1024"},
             {Value(0.1), "0.1"},
             {Value(1.0 / 3.0), "0.3333333333333333"},
             {Value(1e21), "1e+21"},
             {Value(0.00002), "0.00002"},  // plain digits, not 2e-05
             {Value(-0.0), "0"},
             {Value(0.1f), "0.1"},  // a single is written with a single's digits
             {Value(host::Date{2005, 7, 5}), "7/5/2005"},
             {Value(host::Date{2014, 1, 5, 15, 4, 5.75}), "1/5/2014 3:04:05 PM"},
             {Value(host::Date{2014, 12, 25, 0, 30, 0}), "12/25/2014 12:30:00 AM"},
         }) {
        EXPECT_EQ(c.value.Text(), c.text);
    }
    EXPECT_EQ(ErrorOf([] { Value().Text(); }), 94);
    EXPECT_EQ(ErrorOf([] { Value("x").AsDouble(); }), 13);
    EXPECT_EQ(ErrorOf([] { Value().AsInteger(); }), 94);
    EXPECT_NE(Value(5), Value("5"));
}

TEST(WhereClause, SelectsExactlyTheRowsThatEqualTheValue) {
    auto table = Owners();
    struct Case {
        std::string clause;
        std::vector<long> ids;
    };
    for (const Case& c : std::vector<Case>{
             {"NAME = 'O''Brien'", {1, 6}},  // not o'brien, not the one with a trailing blank
             {"name='o''brien'", {2}},
             {"NAME = 'O''Brien '", {3}},
             {"NAME = ''", {4}},  // empty text, not Null
             {"  \"NAME\"  =  'O''Brien'  ", {1, 6}},
             {"CODE = 7", {1, 3}},
             {"CODE = +7", {1, 3}},
             {"CODE = 7.5", {}},
             {"CODE = -3", {5}},
             {"CODE = 9007199254740993", {2}},  // beyond a double's whole numbers
             {"AREA = 0.1", {1}},
             {"AREA = 7", {3}},
             {"AREA = 1e21", {5}},
             {"AREA = .1", {1}},
             {"RATIO = 0.1", {1}},  // the single 0.1 as the list shows it
             {"OBJECTID = 4", {4}},
             {"", {1, 2, 3, 4, 5, 6}},
         }) {
        EXPECT_EQ(Ids(table, c.clause), c.ids) << c.clause;
    }
}

TEST(WhereClause, LookupsSeeRowsAddedAfterTheFirstQuery) {
    auto table = host::New<host::Table>("T", MakeFields({{"OBJECTID", 6}, {"NAME", 4}, {"AREA", 3}}), 0);
    table->AddRow({Value(std::int64_t{1}), "a", 0.0});
    EXPECT_EQ(Ids(table, "NAME = 'b'"), std::vector<long>{});
    EXPECT_EQ(Ids(table, "AREA = -0"), std::vector<long>{1});
    table->AddRow({Value(std::int64_t{2}), "b", -0.0});
    EXPECT_EQ(Ids(table, "NAME = 'b'"), std::vector<long>{2});
    EXPECT_EQ(Ids(table, "AREA = 0"), (std::vector<long>{1, 2}));
}

TEST(WhereClause, FieldNamesAsTheTableNamesThem) {
    auto table = host::New<host::Table>("T", MakeFields({{"ID", 6}, {"Owner Name", 4}, {"Zoë-2", 1}}), 0);
    table->AddRow({Value(1), Value("a = b"), Value(2)});
    table->AddRow({Value(2), Value("a"), Value(3)});
    EXPECT_EQ(Ids(table, "Owner Name = 'a = b'"), (std::vector<long>{1}));
    EXPECT_EQ(Ids(table, "\"owner name\"='a'"), (std::vector<long>{2}));
    EXPECT_EQ(Ids(table, "zoë-2 = 3"), (std::vector<long>{2}));
    EXPECT_EQ(ErrorOf([&] { Ids(table, "Owner = 'a'"); }), host::err::AutomationError);
}

TEST(WhereClause, RejectsWhatItCannotReadBeforeReadingAnyRow) {
    auto table = Owners();
    for (const char* clause : {"CODE = 'x'", "CODE = abc", "CODE = 1e", "CODE = 1,5", "CODE = '7'", "NAME = Smith",
                               "NAME = 7", "WHEN = 1", "WHEN = '1/5/2014'", "NAME = 'a' AND CODE = 1",
                               "NAME = 'O'Brien'", "NAME = 'unterminated", "NOPE = 1", "= 1", "CODE 7", "CODE =",
                               "CODE = NaN", "CODE = 1e999", "\"NAME = 'x'", "CODE <> 7",
                               "Owners.NAME = 'x'"}) {  // the table's own name does not qualify its fields
        long error = ErrorOf([&] { table->Search(Where(clause), false); });
        EXPECT_EQ(error, host::err::AutomationError) << clause;
        EXPECT_EQ(ErrorOf([&] { table->Select(Where(clause), 1, 1, nullptr); }), host::err::AutomationError) << clause;
    }
}

TEST(Table, RowsCursorsAndIds) {
    auto table = host::New<host::Table>("T", MakeFields({{"ID", 6}, {"École", 4}}), 0);
    for (long id : {30L, 10L, 20L}) table->AddRow({Value(std::int64_t{id}), Value("v" + std::to_string(id))});
    EXPECT_EQ(table->FindField("éCOLE"), 1);
    EXPECT_EQ(table->FindField("Ecole"), -1);
    EXPECT_EQ(table->GetRow(10)->Value(1).AsText(), "v10");  // ids out of order are still found
    EXPECT_EQ(table->GetRow(30)->OID(), 30);
    EXPECT_EQ(ErrorOf([&] { table->GetRow(40); }), host::err::AutomationError);
    EXPECT_EQ(ErrorOf([&] { table->AddRow({Value(20), Value("again")}); }), 5);
    EXPECT_EQ(ErrorOf([&] { table->AddRow({Value(50)}); }), 5);
    EXPECT_EQ(ErrorOf([&] { table->GetRow(10)->Value(2); }), 9);
    EXPECT_EQ(table->RowCount(nullptr), 3);

    // Recycling hands back one row object moved on; without it every row is new.
    for (bool recycling : {true, false}) {
        auto cursor = table->Search(nullptr, recycling);
        Ref<host::Row> first = cursor->NextRow();
        EXPECT_EQ(first->OID(), 30);
        Ref<host::Row> second = cursor->NextRow();
        EXPECT_EQ(first == second, recycling);
        EXPECT_EQ(second->OID(), 10);
        EXPECT_TRUE(cursor->NextRow());
        EXPECT_FALSE(cursor->NextRow());
        EXPECT_FALSE(cursor->NextRow());
    }
}

TEST(SelectionSet, CombinesAndSearches) {
    auto table = Owners();
    auto a = host::New<host::SelectionSet>(table, std::vector<long>{3, 1, 2, 2});
    auto b = host::New<host::SelectionSet>(table, std::vector<long>{2, 3, 4});
    EXPECT_EQ(a->IDs(), (std::vector<long>{1, 2, 3}));
    struct Case {
        long code;
        std::vector<long> ids;
    };
    for (const Case& c : std::vector<Case>{{0, {2, 3, 4}}, {1, {1, 2, 3, 4}}, {2, {1}}, {3, {2, 3}}, {4, {1, 4}}}) {
        EXPECT_EQ(a->Combine(b, c.code)->IDs(), c.ids) << c.code;
    }
    EXPECT_EQ(ErrorOf([&] { a->Combine(b, 5); }), 5);

    a->AddList({6, 99});  // 99 is no row of the table: the search passes over it
    a->RemoveList({2});
    a->Add(4);
    EXPECT_EQ(a->IDs(), (std::vector<long>{1, 3, 4, 6, 99}));
    std::vector<long> found;
    auto cursor = a->Search(Where("NAME = 'O''Brien'"), false);
    while (auto row = cursor->NextRow()) found.push_back(row->OID());
    EXPECT_EQ(found, (std::vector<long>{1, 6}));
    EXPECT_EQ(ErrorOf([&] { a->Search(Where("NAME = O'Brien"), false); }), host::err::AutomationError);
}

TEST(JoinedTable, FirstMatchLeftOuterWithQualifiedNames) {
    auto parcels = host::New<host::Table>("Parcels", MakeFields({{"OBJECTID", 6}, {"ML", 4}, {"NUM", 3}}), 0);
    struct Parcel {
        long id;
        Value ml, num;
    };
    for (const Parcel& p : std::vector<Parcel>{{1, "A", 5.0}, {2, "B", Value()}, {3, Value(), 6}, {4, "C", 7}, {5, "A", 8}}) {
        parcels->AddRow({Value(std::int64_t{p.id}), p.ml, p.num});
    }
    auto owners = host::New<host::Table>("Owners", MakeFields({{"fid", 6}, {"ML", 4}, {"Owner", 4}, {"N", 1}}), 0);
    struct Owner {
        long id;
        Value ml, owner, n;
    };
    for (const Owner& o : std::vector<Owner>{{10, "B", "first B", 5},
                                             {11, "B", "second B", 6},
                                             {12, "A", "only A", Value()},
                                             {13, "c", "lower c", 7},
                                             {14, Value(), "no key", 8}}) {
        owners->AddRow({Value(std::int64_t{o.id}), o.ml, o.owner, o.n});
    }

    auto joined = host::New<host::JoinedTable>(parcels, "ml", owners, "ML");
    std::vector<std::string> names;
    for (long i = 0; i < joined->Fields()->FieldCount(); ++i) names.push_back(joined->Fields()->Field(i)->Name());
    EXPECT_EQ(names, (std::vector<std::string>{"Parcels.OBJECTID", "Parcels.ML", "Parcels.NUM", "Owners.fid",
                                               "Owners.ML", "Owners.Owner", "Owners.N"}));
    EXPECT_EQ(joined->OIDFieldName(), "Parcels.OBJECTID");

    long owner = joined->FindField("Owners.Owner");
    struct Expected {
        long id;
        Value owner;
    };
    for (const Expected& e : std::vector<Expected>{{1, "only A"}, {2, "first B"}, {3, Value()}, {4, Value()}, {5, "only A"}}) {
        EXPECT_EQ(joined->GetRow(e.id)->Value(owner), e.owner) << e.id;  // case counts: C is not c
    }
    EXPECT_EQ(Ids(joined, "Owners.Owner = 'only A'"), (std::vector<long>{1, 5}));
    EXPECT_EQ(Ids(joined, "Parcels.ML = 'B'"), (std::vector<long>{2}));
    EXPECT_NE(ErrorOf([&] { Ids(joined, "ML = 'B'"); }), 0);  // the display table names it Parcels.ML

    // Numbers join by value whatever their kind (5.0 with 5, 7 with 7).
    auto byNumber = host::New<host::JoinedTable>(parcels, "NUM", owners, "N");
    EXPECT_EQ(byNumber->GetRow(1)->Value(byNumber->FindField("Owners.Owner")), Value("first B"));
    EXPECT_EQ(byNumber->GetRow(4)->Value(byNumber->FindField("Owners.Owner")), Value("lower c"));
    EXPECT_TRUE(byNumber->GetRow(2)->Value(byNumber->FindField("Owners.Owner")).IsNull());

    EXPECT_EQ(ErrorOf([&] { host::New<host::JoinedTable>(parcels, "NOPE", owners, "ML"); }), 5);
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
    for (int row = 0; row < 20; ++row) {
        for (int col = 0; col < 20; ++col, ++id) {
            lots->AddFeature({Value(std::int64_t{id}), Value(), Value(col % 2 == 0 ? "even" : "odd")},
                             square(col * 10.0, row * 10.0));
        }
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
    filter->SetSpatialRel(8);  // contains: only the lot wholly inside
    EXPECT_EQ(lots->Select(filter, 1, 1, nullptr)->IDs(), (std::vector<long>{}));
    filter->SetGeometry(host::Polygon::FromRings({{{9, 9}, {9, 31}, {31, 31}, {31, 9}}}));
    EXPECT_EQ(lots->Select(filter, 1, 1, nullptr)->IDs(), (std::vector<long>{22, 23, 42, 43}));

    // The cursor of a spatial search gives features with their shapes.
    auto cursor = lots->Search(filter, true);
    auto feature = cursor->NextFeature();
    ASSERT_TRUE(feature);
    EXPECT_NEAR(host::As<host::Polygon>(feature->Shape())->Area(), 100.0, 1e-9);
    EXPECT_TRUE(lots->GetFeature(id)->Shape()->IsEmpty());
    EXPECT_EQ(lots->GetFeature(id)->Shape()->GeometryType(), 4);

    struct Case {
        const char* what;
        std::function<void()> statement;
        long error;
    };
    auto plain = Owners();
    for (const Case& c : std::vector<Case>{
             {"other field", [&] { filter->SetGeometryField("KIND"); lots->Search(filter, false); }, host::err::AutomationError},
             {"no geometry", [&] { filter->SetGeometryField(""); filter->SetGeometry(nullptr); lots->Search(filter, false); }, 91},
             {"relation 3", [&] { filter->SetGeometry(host::New<host::Point>(1, 1)); filter->SetSpatialRel(3); lots->Search(filter, false); }, 5},
             {"table without shapes", [&] { filter->SetSpatialRel(1); plain->Search(filter, false); }, host::err::AutomationError},
         }) {
        EXPECT_EQ(ErrorOf(c.statement), c.error) << c.what;
    }
}

}  // namespace
