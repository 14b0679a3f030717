#include "tools/towngen/Town.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

#include "tools/towngen/Names.h"
#include "tools/towngen/Random.h"

namespace towngen {

namespace {

// The independent random sequences of a town, one family per kind of thing drawn.
enum Stream : std::uint64_t {
    kBlockStream = 1,    // lot counts and lot lines of a block
    kParcelStream = 2,   // the attributes of a parcel
    kShapeStream = 3,    // which parcels of a run of 100 get an unusual shape
    kOwnerStream = 4,    // the owner rows of a parcel
    kHydrantStream = 5,  // the hydrants of an intersection
};

constexpr int kMinLots = 3;  // per row of a block
constexpr int kMaxLots = 8;
constexpr int kShapeRun = 100;
constexpr int kMultipartPerRun = 4;
constexpr double kPitchX = Town::kBlockWidth + Town::kStreetWidth;
constexpr double kPitchY = 2 * Town::kLotDepth + Town::kStreetWidth;

struct Lots {
    int south = 0;
    int north = 0;
};

// The lot counts of a block's two rows: the first draws of the block's sequence, which then
// goes on to draw the lot lines.
Lots DrawLots(Random& random) {
    Lots lots;
    lots.south = random.Between(kMinLots, kMaxLots);
    lots.north = random.Between(kMinLots, kMaxLots);
    return lots;
}

double Round2(double value) { return std::round(value * 100) / 100; }

template <typename T, std::size_t N> std::string Pick(Random& random, const std::array<T, N>& items) {
    return std::string(random.Pick(std::span<const T>(items)));
}

std::string Ordinal(int n) {
    const int lastTwo = n % 100;
    const char* suffix = "TH";
    if (lastTwo < 11 || lastTwo > 13) {
        switch (n % 10) {
        case 1: suffix = "ST"; break;
        case 2: suffix = "ND"; break;
        case 3: suffix = "RD"; break;
        default: break;
        }
    }
    return std::to_string(n) + suffix;
}

Ring Rectangle(double x0, double y0, double x1, double y1) {
    return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}, {x0, y0}};
}

Ring ClockwiseRectangle(double x0, double y0, double x1, double y1) {
    return {{x0, y0}, {x0, y1}, {x1, y1}, {x1, y0}, {x0, y0}};
}

// The lot's outline for its shape; returns the recorded land area.
double DrawLot(ParcelShape shape, double x0, double y0, double x1, double y1, std::vector<Polygon>& parts) {
    const double width = x1 - x0;
    const double depth = y1 - y0;
    switch (shape) {
    case ParcelShape::Plain: parts.push_back({Rectangle(x0, y0, x1, y1), {}}); return width * depth;
    case ParcelShape::Multipart: {
        // A private way across the middle of the lot, parallel to the street.
        const double middle = y0 + depth / 2;
        const double half = Town::kWayWidth / 2;
        parts.push_back({Rectangle(x0, y0, x1, middle - half), {}});
        parts.push_back({Rectangle(x0, middle + half, x1, y1), {}});
        return width * (depth - Town::kWayWidth);
    }
    case ParcelShape::Holed: {
        const double hx0 = Round2(x0 + width / 3);
        const double hx1 = Round2(x1 - width / 3);
        const double hy0 = y0 + depth / 3;
        const double hy1 = y1 - depth / 3;
        parts.push_back({Rectangle(x0, y0, x1, y1), {ClockwiseRectangle(hx0, hy0, hx1, hy1)}});
        return width * depth - (hx1 - hx0) * (hy1 - hy0);
    }
    case ParcelShape::BowTie:
        // The north-east and south-east corners swapped: two triangles meeting at the centre.
        parts.push_back({{{x0, y0}, {x1, y1}, {x1, y0}, {x0, y1}, {x0, y0}}, {}});
        return width * depth;
    }
    return 0;
}

std::string PersonName(Random& random, const std::string& surname) {
    std::string name = surname;
    name += ", ";
    name += Pick(random, names::kGivenNames);
    if (random.Percent(40)) {
        name += ' ';
        name += Pick(random, names::kInitials);
    }
    if (random.Percent(2)) {
        name += " \"";
        name += Pick(random, names::kNicknames);
        name += '"';
    }
    return name;
}

std::string OwnerName(Random& random, std::string& surname) {
    surname = Pick(random, names::kSurnames);
    const auto roll = random.Below(100);
    if (roll < 15) return surname + " " + Pick(random, names::kCompanyForms);
    if (roll < 16) {
        return "THE \"" + Pick(random, names::kStreetBases) + "\" CONDOMINIUM TRUST";
    }
    if (roll < 17) return "TOWN OF " + std::string(names::kTownName);
    return PersonName(random, surname);
}

// A few values carry blanks at their ends, as keyed-in data does.
void PadOneValue(Random& random, Owner& owner) {
    std::string* targets[] = {&owner.ownerName, &owner.address1, &owner.city};
    std::string& value = *targets[random.Below(3)];
    value = random.Percent(50) ? value + "  " : " " + value;
}

}  // namespace

Town::Town(TownOptions options) : options_(options) {
    if (options_.parcels < 1 || options_.parcels > kMaxParcels) {
        throw std::invalid_argument("the parcel count must be between 1 and " + std::to_string(kMaxParcels));
    }
    // About as many blocks east-west as north-south make the town roughly square.
    const double lotsPerBlock = kMinLots + kMaxLots;  // on average: two rows of (3 + 8) / 2
    const double blocks = std::ceil(static_cast<double>(options_.parcels) / lotsPerBlock);
    columns_ = std::max(1, static_cast<int>(std::lround(std::sqrt(blocks * kPitchY / kPitchX))));
    std::int64_t lots = 0;
    while (lots < options_.parcels) {
        Random random(options_.seed, kBlockStream, static_cast<std::uint64_t>(blockCount_++));
        const Lots block = DrawLots(random);
        lots += block.south + block.north;
    }
    rows_ = static_cast<int>((blockCount_ + columns_ - 1) / columns_);
}

bool Town::HasBlock(int column, int row) const {
    if (column < 0 || column >= columns_ || row < 0 || row >= rows_) return false;
    return static_cast<std::int64_t>(row) * columns_ + column < blockCount_;
}

ParcelShape Town::ShapeOf(std::int64_t parcelIndex) const {
    Random random(options_.seed, kShapeStream, static_cast<std::uint64_t>(parcelIndex / kShapeRun));
    const auto slot = static_cast<std::uint64_t>(parcelIndex % kShapeRun);
    std::array<std::uint64_t, kMultipartPerRun + 2> chosen{};
    for (std::size_t i = 0; i < chosen.size(); ++i) {
        bool taken = true;
        while (taken) {
            chosen[i] = random.Below(kShapeRun);
            taken = false;
            for (std::size_t j = 0; j < i; ++j) taken = taken || chosen[j] == chosen[i];
        }
        if (chosen[i] == slot) {
            if (i < kMultipartPerRun) return ParcelShape::Multipart;
            return i == kMultipartPerRun ? ParcelShape::Holed : ParcelShape::BowTie;
        }
    }
    return ParcelShape::Plain;
}

void Town::ForEachParcel(const std::function<void(const Parcel&)>& visit) const {
    std::int64_t index = 0;
    Parcel parcel;
    for (std::int64_t block = 0; block < blockCount_; ++block) {
        const int column = static_cast<int>(block % columns_);
        const int row = static_cast<int>(block / columns_);
        Random random(options_.seed, kBlockStream, static_cast<std::uint64_t>(block));
        const Lots lots = DrawLots(random);

        const double west = kOriginX + column * kPitchX + kStreetWidth / 2;
        const double south = kOriginY + row * kPitchY + kStreetWidth / 2;
        const std::string zip(
            names::kTownZips[static_cast<std::size_t>(column) * 3 / static_cast<std::size_t>(columns_)]);
        int lotNumber = 0;
        for (int side = 0; side < 2; ++side) {
            // The south row faces the street below the block (even numbers), the north row
            // the street above it (odd numbers).
            const int count = side == 0 ? lots.south : lots.north;
            const double step = kBlockWidth / count;
            std::vector<double> lines(static_cast<std::size_t>(count) + 1);
            lines.front() = west;
            lines.back() = west + kBlockWidth;
            for (int j = 1; j < count; ++j) {
                lines[static_cast<std::size_t>(j)] = Round2(west + j * step + random.Uniform(-0.2, 0.2) * step);
            }
            const double y0 = south + side * kLotDepth;
            const std::string street = StreetName(row + side);
            for (int j = 0; j < count; ++j) {
                if (index >= options_.parcels) return;
                Random attributes(options_.seed, kParcelStream, static_cast<std::uint64_t>(index));
                parcel.index = index;
                parcel.id = std::to_string(block + 1) + "-" + std::to_string(++lotNumber);
                const int number = (column + 1) * 100 + 2 * j + (side == 0 ? 2 : 1);
                parcel.location = std::to_string(number) + " " + street;
                parcel.zip = zip;
                parcel.yearBuilt.reset();
                if (!attributes.Percent(5)) parcel.yearBuilt = attributes.Between(1850, 2023);
                parcel.shape = ShapeOf(index);
                parcel.parts.clear();
                const auto at = static_cast<std::size_t>(j);
                parcel.landArea =
                    Round2(DrawLot(parcel.shape, lines[at], y0, lines[at + 1], y0 + kLotDepth, parcel.parts));
                visit(parcel);
                ++index;
            }
        }
    }
}

std::vector<Owner> Town::OwnersOf(const Parcel& parcel) const {
    Random random(options_.seed, kOwnerStream, static_cast<std::uint64_t>(parcel.index));
    const auto roll = random.Below(100);
    const int count = roll < 4 ? 0 : roll < 84 ? 1 : roll < 96 ? 2 : random.Between(3, 6);
    const bool condominium = count >= 3;
    std::vector<Owner> owners;
    owners.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        Owner owner;
        owner.parcelId = parcel.id;
        std::string surname;
        owner.ownerName = OwnerName(random, surname);
        if (random.Percent(30)) {
            owner.coOwner = PersonName(random, random.Percent(60) ? surname : Pick(random, names::kSurnames));
        } else if (random.Percent(5)) {
            owner.coOwner = "";
        }
        if (random.Percent(condominium ? 80 : 65)) {
            owner.address1 = parcel.location;
            if (condominium) {
                owner.address2 = "UNIT " + std::to_string(i + 1);
            } else if (random.Percent(5)) {
                owner.address2 = "APT " + std::to_string(random.Between(1, 4));
            }
            owner.city = names::kTownName;
            owner.state = names::kTownState;
            owner.zip = parcel.zip;
        } else {
            if (random.Percent(15)) {
                owner.address1 = "PO BOX " + std::to_string(random.Between(1, 9999));
            } else {
                owner.address1 = std::to_string(random.Between(1, 999)) + " " + StreetName(random.Between(0, 400));
            }
            if (random.Percent(10)) {
                owner.address2 = random.Percent(50) ? "SUITE " + std::to_string(random.Between(100, 900))
                                                    : "C/O " + PersonName(random, Pick(random, names::kSurnames));
            }
            const auto& place = random.Pick(std::span<const names::Place>(names::kPlaces));
            owner.city = place.city;
            owner.state = place.state;
            owner.zip = place.zip;
            // Some US codes come with their four-digit extension.
            if (owner.zip.size() == 5 && random.Percent(20)) {
                owner.zip += '-';
                owner.zip += std::to_string(random.Between(1000, 9999));
            }
        }
        if (random.Percent(3)) PadOneValue(random, owner);
        owners.push_back(std::move(owner));
    }
    return owners;
}

void Town::ForEachStreet(const std::function<void(const Street&)>& visit) const {
    Street street;
    // East-west streets, south to north; street r runs below block row r.
    for (int row = 0; row <= rows_; ++row) {
        street.name = StreetName(row);
        const double y = kOriginY + row * kPitchY;
        for (int column = 0; column < columns_; ++column) {
            if (!HasBlock(column, row - 1) && !HasBlock(column, row)) continue;
            street.from = {kOriginX + column * kPitchX, y};
            street.to = {kOriginX + (column + 1) * kPitchX, y};
            visit(street);
        }
    }
    // Avenues, west to east; avenue c runs west of block column c.
    for (int column = 0; column <= columns_; ++column) {
        street.name = AvenueName(column);
        const double x = kOriginX + column * kPitchX;
        for (int row = 0; row < rows_; ++row) {
            if (!HasBlock(column - 1, row) && !HasBlock(column, row)) continue;
            street.from = {x, kOriginY + row * kPitchY};
            street.to = {x, kOriginY + (row + 1) * kPitchY};
            visit(street);
        }
    }
}

void Town::ForEachHydrant(const std::function<void(const Hydrant&)>& visit) const {
    std::int64_t number = 0;
    Hydrant hydrant;
    auto emit = [&](double x, double y, std::string location) {
        const std::string digits = std::to_string(++number);
        hydrant.id = "H-" + std::string(digits.size() < 5 ? 5 - digits.size() : 0, '0') + digits;
        hydrant.location = std::move(location);
        hydrant.at = {x, y};
        visit(hydrant);
    };
    for (int row = 0; row <= rows_; ++row) {
        for (int column = 0; column <= columns_; ++column) {
            // The corners of the blocks that meet at this intersection (south-west first).
            struct Corner {
                int column, row;
                double dx, dy;
            };
            std::array<Corner, 4> corners{};
            std::size_t cornerCount = 0;
            for (int dy = -1; dy <= 0; ++dy) {
                for (int dx = -1; dx <= 0; ++dx) {
                    if (HasBlock(column + dx, row + dy)) {
                        corners[cornerCount++] = {column + dx, row + dy, dx < 0 ? -1.0 : 1.0, dy < 0 ? -1.0 : 1.0};
                    }
                }
            }
            if (cornerCount == 0) continue;
            const auto intersection = static_cast<std::uint64_t>(row) * static_cast<std::uint64_t>(columns_ + 1) +
                                      static_cast<std::uint64_t>(column);
            Random random(options_.seed, kHydrantStream, intersection);
            const double x = kOriginX + column * kPitchX;
            const double y = kOriginY + row * kPitchY;
            const Corner& corner = corners[random.Below(cornerCount)];
            emit(x + corner.dx * kHydrantOffset, y + corner.dy * kHydrantOffset,
                 StreetName(row) + " & " + AvenueName(column));

            // Now and then one more halfway along the street to the east, on a side with lots.
            const bool north = HasBlock(column, row);
            const bool south = HasBlock(column, row - 1);
            if ((north || south) && random.Percent(25)) {
                const bool onNorth = north && (!south || random.Percent(50));
                const int houseNumber = (column + 1) * 100 + (onNorth ? 50 : 51);
                emit(x + kPitchX / 2, y + (onNorth ? kHydrantOffset : -kHydrantOffset),
                     std::to_string(houseNumber) + " " + StreetName(row));
            }
        }
    }
}

std::string Town::AvenueName(int column) { return Ordinal(column + 1) + " AVE"; }

std::string Town::StreetName(int row) {
    // 2160 distinct names; a larger town repeats them, as real towns repeat names.
    const auto bases = names::kStreetBases.size();
    const auto suffixes = names::kStreetSuffixes.size();
    const auto prefixes = names::kStreetPrefixes.size();
    const auto r = static_cast<std::size_t>(row);
    return std::string(names::kStreetPrefixes[(r / (bases * suffixes)) % prefixes]) +
           std::string(names::kStreetBases[r % bases]) + " " +
           std::string(names::kStreetSuffixes[(r / bases) % suffixes]);
}

}  // namespace towngen
