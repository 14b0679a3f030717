// The host's data and geometry on a real parcel map: Cambridge, with its invalid parcels,
// its empty geometry and its assessing table.

#include <gtest/gtest.h>

#include <map>

#include "host/data/Cursor.h"
#include "host/data/DataSource.h"
#include "host/data/Feature.h"
#include "host/data/FeatureCursor.h"
#include "host/data/JoinedTable.h"
#include "host/data/Row.h"
#include "host/data/SelectionSet.h"
#include "host/geometry/Envelope.h"
#include "host/geometry/SpatialReference.h"
#include "tests/host/carto/CartoTestData.h"
#include "tests/support/ErrorOf.h"

namespace {

using carto_test::Meeting;
using carto_test::Where;
using host::Ref;
using support::ErrorOf;

class Cambridge : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        source_ = new Ref<host::DataSource>(host::DataSource::Open(carto_test::CambridgeFile().string()));
        parcels_ = new Ref<host::FeatureClass>(host::As<host::FeatureClass>((*source_)->Table("Parcels")));
    }
    static void TearDownTestSuite() {
        delete parcels_;
        delete source_;
    }
    static host::DataSource& Source() { return **source_; }
    static const Ref<host::FeatureClass>& Parcels() { return *parcels_; }

    // Every parcel (all 13,116 are read through one cursor).
    static std::vector<Ref<host::Feature>> AllParcels() {
        std::vector<Ref<host::Feature>> features;
        for (auto cursor = Parcels()->Search(nullptr, false); auto feature = cursor->NextFeature();)
            features.push_back(feature);
        return features;
    }

private:
    static inline Ref<host::DataSource>* source_ = nullptr;
    static inline Ref<host::FeatureClass>* parcels_ = nullptr;
};

TEST_F(Cambridge, LayersLoadAsFeatureClassesAndTablesWithHostFieldTypes) {
    EXPECT_EQ(Source().LayerNames(), (std::vector<std::string>{"Parcels", "Centerlines", "Hydrants", "Assessing"}));
    EXPECT_EQ(Parcels()->FeatureCount(nullptr), 13116);
    EXPECT_EQ(Parcels()->SpatialReference()->FactoryCode(), 2249);
    auto assessing = Source().Table("assessing");  // the name is found ignoring case
    EXPECT_EQ(assessing->RowCount(nullptr), 27528);

    EXPECT_EQ(Parcels()->Fields()->Field(Parcels()->FindField("UYEAR"))->Type(), 1);
    EXPECT_EQ(assessing->Fields()->Field(assessing->FindField("LandArea"))->Type(), 3);
    EXPECT_EQ(host::As<host::FeatureClass>(Source().Table("Hydrants"))->ShapeType(), 1);
}

TEST_F(Cambridge, EveryInvalidParcelBuffersToAPolygonContainingItAndUnionsAndSelects) {
    int invalid = 0;
    auto bag = host::New<host::GeometryBag>();
    for (const auto& feature : AllParcels()) {
        auto shape = host::As<host::Polygon>(feature->Shape());
        if (shape->IsEmpty() || shape->IsValid()) continue;
        ++invalid;
        Ref<host::Polygon> buffer = shape->Buffer(300);
        EXPECT_TRUE(buffer->Contains(shape)) << "parcel " << feature->OID();
        bag->AddGeometry(shape);

        // Selecting around the parcel finds the parcel itself.
        auto filter = Meeting(buffer);
        filter->SetGeometryField("Shape");
        EXPECT_TRUE(Parcels()->Select(filter, 1, 1, nullptr)->HasID(feature->OID())) << feature->OID();
    }
    EXPECT_EQ(invalid, 34) << "invalid parcels";

    auto united = host::New<host::Polygon>();
    united->ConstructUnion(bag);
    EXPECT_TRUE(united->IsValid());
    for (long i = 0; i < bag->GeometryCount(); ++i) EXPECT_TRUE(united->Intersects(bag->Geometry(i)));
}

TEST_F(Cambridge, TheEmptyParcelIntersectsNothingAndBuffersToNothing) {
    int empty = 0;
    Ref<host::Polygon> everything = Parcels()->Extent()->Buffer(10);
    for (const auto& feature : AllParcels()) {
        auto shape = feature->Shape();
        if (!shape->IsEmpty()) continue;
        ++empty;
        EXPECT_FALSE(everything->Intersects(shape));
        EXPECT_TRUE(shape->Buffer(300)->IsEmpty());
        EXPECT_FALSE(Parcels()->Select(Meeting(everything), 1, 1, nullptr)->HasID(feature->OID()));
    }
    EXPECT_EQ(empty, 1);
}

TEST_F(Cambridge, SpatialSelectionAgreesWithTestingEveryParcel) {
    auto features = AllParcels();
    // A few subjects spread over the map, buffered and unioned as the pipeline does.
    for (std::size_t subject : {std::size_t{17}, std::size_t{4000}, std::size_t{9876}}) {
        Ref<host::Polygon> searched = carto_test::United({features[subject]->Shape()->Buffer(300)});

        std::vector<long> expected;
        for (const auto& feature : features) {
            if (searched->Intersects(feature->Shape())) expected.push_back(feature->OID());
        }
        auto filter = Meeting(searched);
        filter->SetGeometryField(Parcels()->ShapeFieldName());
        filter->SetSpatialRel(1);
        auto set = Parcels()->Select(filter, 1, 1, nullptr);
        EXPECT_EQ(set->IDs(), expected) << "subject " << subject;
        EXPECT_GT(set->Count(), 1);
    }
}

TEST_F(Cambridge, AssessingJoinedOnMapLotGivesQualifiedNamesFirstMatchesAndNulls) {
    auto assessing = Source().Table("Assessing");
    auto joined = host::New<host::JoinedTable>(Parcels(), "ML", assessing, "ML");
    auto fields = joined->Fields();
    ASSERT_EQ(fields->FieldCount(), Parcels()->Fields()->FieldCount() + assessing->Fields()->FieldCount());
    EXPECT_EQ(fields->Field(1)->Name(), "Parcels.Shape");
    EXPECT_EQ(fields->Field(Parcels()->Fields()->FieldCount())->Name(), "Assessing.fid");
    long location = joined->FindField("Assessing.Location");
    long joinedMl = joined->FindField("assessing.ml");
    long parcelMl = joined->FindField("Parcels.ML");
    ASSERT_GE(location, 0);

    // The first assessing row of every map-lot, by table order.
    std::map<std::string, host::Value> firstLocation;
    const long ml = assessing->FindField("ML"), loc = assessing->FindField("Location");
    for (auto rows = assessing->Search(nullptr, true); auto row = rows->NextRow();)
        if (!row->Value(ml).IsNull()) firstLocation.emplace(row->Value(ml).AsText(), row->Value(loc));

    int matched = 0, unmatched = 0;
    for (auto cursor = joined->Search(nullptr, false); auto row = cursor->NextRow();) {
        const host::Value key = row->Value(parcelMl);
        const auto it = key.IsNull() ? firstLocation.end() : firstLocation.find(key.AsText());
        ++(it == firstLocation.end() ? unmatched : matched);
        EXPECT_EQ(row->Value(location), it == firstLocation.end() ? host::Value() : it->second) << row->OID();
    }
    EXPECT_GT(matched, 10000);
    EXPECT_GT(unmatched, 0);  // the parcel without a map-lot at least

    // The display table answers qualified where clauses and rows by object id.
    auto set = joined->Select(Where("Parcels.ML = '100-30'"), 1, 1, nullptr);
    ASSERT_GE(set->Count(), 1);
    auto row = joined->GetRow(set->IDs().front());
    EXPECT_EQ(row->Value(joinedMl).AsText(), "100-30");
    EXPECT_EQ(row->Value(location), firstLocation["100-30"]);
}

TEST_F(Cambridge, BadWhereClausesRaiseBeforeAnySelection) {
    for (const char* clause : {"ML = 100-30", "UYEAR = 'x'", "UYEAR = 19x", "NOSUCH = 1", "ML = '100-30", "ML",
                               "ML == '1'", "ML = '1' OR 1 = 1"}) {
        EXPECT_NE(ErrorOf([&] { Parcels()->Select(Where(clause), 1, 1, nullptr); }), 0) << clause;
    }
    EXPECT_EQ(Parcels()->Select(Where("UYEAR = 2014"), 1, 1, nullptr)->Count(),
              Parcels()->FeatureCount(Where("UYEAR = 2014.0")));
}

}  // namespace
