#include <cpl_string.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <regex>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/towngen/Town.h"

namespace {

using towngen::Parcel;
using towngen::ParcelShape;
using towngen::Town;
using towngen::TownOptions;

std::vector<Parcel> ParcelsOf(const Town& town) {
    std::vector<Parcel> parcels;
    town.ForEachParcel([&](const Parcel& parcel) { parcels.push_back(parcel); });
    return parcels;
}

struct Box {
    double x0, y0, x1, y1;
};

Box BoxOf(const Parcel& parcel) {
    Box box{1e300, 1e300, -1e300, -1e300};
    for (const auto& part : parcel.parts)
        for (const auto& p : part.outer)
            box = {std::min(box.x0, p.x), std::min(box.y0, p.y), std::max(box.x1, p.x), std::max(box.y1, p.y)};
    return box;
}

TEST(Town, MakesExactlyTheParcelsAskedForWithUniqueIdsOnClosedRings) {
    const std::regex idPattern("[1-9][0-9]*-[1-9][0-9]*");
    for (const auto& [seed, count] :
         std::vector<std::pair<std::uint64_t, std::int64_t>>{{1, 1}, {1, 7}, {5, 501}, {0, 5000}}) {
        SCOPED_TRACE("seed " + std::to_string(seed) + ", " + std::to_string(count) + " parcels");
        const Town town(TownOptions{seed, count});
        const auto parcels = ParcelsOf(town);
        ASSERT_EQ(static_cast<std::int64_t>(parcels.size()), count);
        std::set<std::string> ids;
        for (const Parcel& parcel : parcels) {
            EXPECT_TRUE(std::regex_match(parcel.id, idPattern)) << parcel.id;
            EXPECT_TRUE(ids.insert(parcel.id).second) << "repeated id " << parcel.id;
            for (const auto& part : parcel.parts) {
                ASSERT_GE(part.outer.size(), 4u);
                EXPECT_EQ(part.outer.front(), part.outer.back());
            }
        }
        // The grid stays roughly square and holds no empty row of blocks.
        EXPECT_LE(town.Rows(), 2 * town.Columns() + 1);
        EXPECT_LE(town.Columns(), 2 * town.Rows() + 1);
        EXPECT_GT(town.BlockCount(), static_cast<std::int64_t>(town.Rows() - 1) * town.Columns());
    }
}

TEST(Town, RejectsParcelCountsOutsideTheRange) {
    for (const std::int64_t count : {std::int64_t{0}, std::int64_t{-1}, Town::kMaxParcels + 1})
        EXPECT_THROW(Town(TownOptions{1, count}), std::invalid_argument) << count;
}

TEST(Town, EveryHundredParcelsHoldFourMultipartOneHoledAndOneBowTie) {
    for (const std::uint64_t seed : {1u, 2u, 99u}) {
        const Town town(TownOptions{seed, 1000});
        std::map<ParcelShape, int> counts;
        std::set<std::int64_t> slots;  // where the unusual parcels sit within their run
        for (const Parcel& parcel : ParcelsOf(town)) {
            ++counts[parcel.shape];
            if (parcel.shape != ParcelShape::Plain) slots.insert(parcel.index % 100);
            EXPECT_EQ(parcel.parts.size(), parcel.shape == ParcelShape::Multipart ? 2u : 1u);
            EXPECT_EQ(parcel.parts.front().holes.size(), parcel.shape == ParcelShape::Holed ? 1u : 0u);
        }
        EXPECT_EQ(counts, (std::map<ParcelShape, int>{{ParcelShape::Plain, 940},
                                                      {ParcelShape::Multipart, 40},
                                                      {ParcelShape::Holed, 10},
                                                      {ParcelShape::BowTie, 10}}))
            << seed;
        EXPECT_GT(slots.size(), 20u) << "unusual parcels should not sit at the same places";
    }
}

TEST(Town, OwnerRowsKeyOnParcelsAndCarryAwkwardText) {
    const Town town(TownOptions{3, 2000});
    int withNone = 0, withSeveral = 0;
    std::map<std::string, int> seen;  // which awkward kinds of text occur
    for (const Parcel& parcel : ParcelsOf(town)) {
        const auto owners = town.OwnersOf(parcel);
        withNone += owners.empty();
        withSeveral += owners.size() > 1;
        for (const auto& owner : owners) {
            EXPECT_EQ(owner.parcelId, parcel.id);
            for (const std::string& value : {owner.ownerName, owner.coOwner.value_or(""), owner.address1,
                                             owner.address2.value_or(""), owner.city, owner.state, owner.zip}) {
                ASSERT_TRUE(CPLIsUTF8(value.c_str(), -1)) << value;  // strict: no stray, short or overlong bytes
                for (const char* kind : {"'", ",", "\""}) seen[kind] += value.find(kind) != std::string::npos;
                seen["accent"] += std::any_of(value.begin(), value.end(), [](char c) { return c & 0x80; });
                seen["blank at an end"] += !value.empty() && (value.front() == ' ' || value.back() == ' ');
            }
        }
    }
    EXPECT_GT(withNone, 20);
    EXPECT_GT(withSeveral, 100);
    for (const char* kind : {"'", ",", "\"", "accent", "blank at an end"})
        EXPECT_GT(seen[kind], 0) << "no owner value with " << kind;
}

TEST(Town, HydrantsStayOffTheLotsAndLotsFrontRealStreets) {
    // 333 parcels leave the last row of blocks part-built.
    const Town town(TownOptions{11, 333});
    const auto parcels = ParcelsOf(town);
    std::set<std::string> streetNames;
    std::vector<towngen::Street> streets;
    town.ForEachStreet([&](const towngen::Street& street) {
        streets.push_back(street);
        streetNames.insert(street.name);
    });
    std::vector<towngen::Hydrant> hydrants;
    town.ForEachHydrant([&](const towngen::Hydrant& hydrant) { hydrants.push_back(hydrant); });
    ASSERT_FALSE(hydrants.empty());

    for (const Parcel& parcel : parcels) {
        const Box box = BoxOf(parcel);
        const auto blank = parcel.location.find(' ');
        ASSERT_NE(blank, std::string::npos) << parcel.location;
        EXPECT_EQ(streetNames.count(parcel.location.substr(blank + 1)), 1u) << parcel.location;
        for (const auto& hydrant : hydrants) {
            ASSERT_FALSE(hydrant.at.x > box.x0 && hydrant.at.x < box.x1 && hydrant.at.y > box.y0 &&
                         hydrant.at.y < box.y1)
                << hydrant.id << " stands on " << parcel.id;
        }
        // The lot fronts a street that was drawn: one runs along its block side.
        const bool fronted = std::any_of(streets.begin(), streets.end(), [&](const auto& s) {
            return s.from.y == s.to.y && std::min(s.from.x, s.to.x) <= box.x0 && std::max(s.from.x, s.to.x) >= box.x1 &&
                   std::min(std::abs(s.from.y - box.y0), std::abs(s.from.y - box.y1)) <= Town::kStreetWidth / 2;
        });
        EXPECT_TRUE(fronted) << parcel.id << " at " << parcel.location << " has no street";
    }
}

TEST(Town, StreetNamesAreOrdinalAvenuesAndDistinctStreets) {
    const std::pair<int, const char*> avenues[] = {{0, "1ST AVE"},    {2, "3RD AVE"},   {10, "11TH AVE"},
                                                   {12, "13TH AVE"},  {20, "21ST AVE"}, {111, "112TH AVE"},
                                                   {121, "122ND AVE"}};
    for (const auto& [column, name] : avenues) EXPECT_EQ(Town::AvenueName(column), name);
    std::set<std::string> names;
    for (int row = 0; row < 2160; ++row) names.insert(Town::StreetName(row));
    EXPECT_EQ(names.size(), 2160u);
}

}  // namespace
