#pragma once
// A synthetic town generated from a seed and a parcel count: a grid of streets, between them
// blocks of two rows of lots backing onto each other. Each lot is a parcel (a few drawn as two
// parts, with a hole, or as a self-intersecting bow-tie, as real parcel maps have them), with
// zero or more owner rows; streets are centerline segments between intersections, hydrants
// stand at corners and mid-block. Coordinates are feet in a state-plane system.
//
// Everything is generated on demand, block by block, so a town of millions of parcels streams
// through a constant amount of memory. Each block, parcel and intersection draws from its own
// random sequence, so the same seed and count always give the same town.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace towngen {

struct Point {
    double x = 0;
    double y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// A closed ring: the last point repeats the first.
using Ring = std::vector<Point>;

struct Polygon {
    Ring outer;               // counter-clockwise
    std::vector<Ring> holes;  // clockwise
};

enum class ParcelShape {
    Plain,      // one rectangle
    Multipart,  // the lot cut in two by a private way, drawn as two polygons
    Holed,      // one polygon with a hole (an enclave that belongs to nobody on this map)
    BowTie,     // two corners swapped when the lot was drawn: a self-intersecting ring
};

struct Parcel {
    std::int64_t index = 0;        // position in the parcel layer, from 0
    std::string id;                // PARCEL_ID: block and lot number, "12-7"
    std::string location;          // LOCATION: house number and street, "1204 ELM ST"
    double landArea = 0;           // LAND_AREA, square feet, as recorded (a bow-tie keeps its lot's area)
    std::optional<int> yearBuilt;  // YEAR_BUILT; none for a vacant lot
    std::string zip;               // the postal code of the lot's district, for its owners' mail
    ParcelShape shape = ParcelShape::Plain;
    std::vector<Polygon> parts;
};

// One row of the owners table. Optional values are stored as Null.
struct Owner {
    std::string parcelId;
    std::string ownerName;
    std::optional<std::string> coOwner;
    std::string address1;
    std::optional<std::string> address2;
    std::string city;
    std::string state;
    std::string zip;
};

struct Street {
    std::string name;
    Point from;
    Point to;
};

struct Hydrant {
    std::string id;
    std::string location;
    Point at;
};

struct TownOptions {
    std::uint64_t seed = 1;
    std::int64_t parcels = 500;
};

class Town {
public:
    static constexpr std::int64_t kMaxParcels = 100'000'000;

    // Block layout, in feet.
    static constexpr double kBlockWidth = 480;    // east-west
    static constexpr double kLotDepth = 120;      // a block is two lots deep
    static constexpr double kStreetWidth = 50;    // between facing lot lines
    static constexpr double kWayWidth = 8;        // the private way that splits a multipart lot
    static constexpr double kHydrantOffset = 18;  // from the centerline, on the sidewalk
    static constexpr double kOriginX = 700000;    // south-west intersection
    static constexpr double kOriginY = 2900000;

    // Throws std::invalid_argument when the parcel count is not within 1..kMaxParcels.
    explicit Town(TownOptions options);

    const TownOptions& Options() const { return options_; }
    int Columns() const { return columns_; }
    int Rows() const { return rows_; }
    std::int64_t BlockCount() const { return blockCount_; }

    // Every parcel in order, exactly Options().parcels of them.
    void ForEachParcel(const std::function<void(const Parcel&)>& visit) const;
    // The owner rows of one parcel, in order (none for some parcels).
    std::vector<Owner> OwnersOf(const Parcel& parcel) const;
    // One segment per street between two intersections, where a block lies beside it.
    void ForEachStreet(const std::function<void(const Street&)>& visit) const;
    // A hydrant at every intersection beside a block, and some mid-block.
    void ForEachHydrant(const std::function<void(const Hydrant&)>& visit) const;

    // The shape of the parcel at an index. Every run of 100 parcels holds exactly four
    // multipart, one holed and one bow-tie parcel, at places drawn from the seed.
    ParcelShape ShapeOf(std::int64_t parcelIndex) const;

    // Street names: avenues run north-south (column c from the west), streets east-west
    // (row r from the south).
    static std::string AvenueName(int column);
    static std::string StreetName(int row);

private:
    bool HasBlock(int column, int row) const;

    TownOptions options_;
    int columns_ = 1;
    int rows_ = 1;
    std::int64_t blockCount_ = 0;
};

}  // namespace towngen
