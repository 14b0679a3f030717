// Geometry over GEOS: buffers that follow arcs closely, invalid polygons repaired rather
// than cut, empty geometries that relate to nothing, and failures raised as run-time errors.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>
#include <thread>

#include "host/geometry/Envelope.h"
#include "host/geometry/Multipoint.h"
#include "host/geometry/Point.h"
#include "host/geometry/Polyline.h"
#include "host/geometry/SpatialIndex.h"
#include "tests/host/carto/CartoTestData.h"
#include "tests/support/ErrorOf.h"

namespace {

using host::Coordinate;
using host::Ref;

using carto_test::United;
using support::ErrorOf;

Ref<host::Polygon> Square(double x, double y, double side) {
    return host::Polygon::FromRings({{{x, y}, {x, y + side}, {x + side, y + side}, {x + side, y}}});
}

Ref<host::Point> At(double x, double y) { return host::New<host::Point>(x, y); }

// `sides` vertices on a circle.
std::vector<Coordinate> Circle(double cx, double cy, double radius, int sides) {
    std::vector<Coordinate> ring;
    for (int k = 0; k < sides; ++k) {
        const double angle = 2 * std::numbers::pi * k / sides;
        ring.push_back({cx + radius * std::cos(angle), cy + radius * std::sin(angle)});
    }
    return ring;
}

// A bow-tie: the ring crosses itself at (5, 5).
Ref<host::Polygon> BowTie() {
    return host::As<host::Polygon>(host::Geometry::FromWkt("POLYGON((0 0,10 10,10 0,0 10,0 0))"));
}

TEST(Buffer, ArcsStayWithinATenthOfAPercentOfTheDistance) {
    for (double distance : {0.5, 300.0, 125000.0}) {
        auto rings = host::New<host::Point>(1000.0, -2000.0)->Buffer(distance)->Rings();
        ASSERT_EQ(rings.size(), 1u);
        // Vertices lie on the circle, so the chords' midpoints come closest to the centre.
        for (std::size_t i = 0; i + 1 < rings[0].size(); ++i) {
            double mx = (rings[0][i].x + rings[0][i + 1].x) / 2 - 1000.0,
                   my = (rings[0][i].y + rings[0][i + 1].y) / 2 + 2000.0;
            EXPECT_GE(std::hypot(mx, my), distance * 0.999) << "distance " << distance << " chord " << i;
        }
        // A point just inside the distance, diagonal from a square's corner, is inside.
        Ref<host::Polygon> squareBuffer = Square(0, 0, 10)->Buffer(distance);
        for (double angle = 0; angle < std::numbers::pi / 2; angle += 0.0137 / 4) {
            EXPECT_TRUE(squareBuffer->Contains(
                At(10 + distance * 0.999 * std::cos(angle), 10 + distance * 0.999 * std::sin(angle))))
                << "distance " << distance << " angle " << angle;
        }
    }
    // Corners that turn by an angle between quanta: GEOS draws each corner's arc with the
    // nearest whole number of segments, so a turn of 7.2 degrees (a fifty-sided outline, like
    // a curved parcel front) was one chord, 0.2% short of the distance at its middle.
    for (int sides : {50, 70, 97}) {
        const std::vector<Coordinate> ring = Circle(0, 0, 1000, sides);
        Ref<host::Polygon> buffer = host::Polygon::FromRings({ring})->Buffer(500);
        for (const Coordinate& corner : ring) {
            const double reach = 1 + 500 * 0.999 / 1000;  // straight out from the corner
            EXPECT_TRUE(buffer->Contains(At(corner.x * reach, corner.y * reach)))
                << sides << " sides, corner " << corner.x << " " << corner.y;
        }
    }
}

TEST(Buffer, InvalidPolygonsAreRepairedNotCut) {
    Ref<host::Polygon> bowTie = BowTie();
    // Both lobes are inside the buffer, so both sides' neighbours are found.
    Ref<host::Polygon> buffer = bowTie->Buffer(1);
    EXPECT_TRUE(buffer->Contains(bowTie));
    for (double x : {-0.9, 10.9}) EXPECT_TRUE(buffer->Contains(At(x, 5))) << x;
    // The union keeps both triangles (area 25 each).
    EXPECT_NEAR(United({bowTie})->Area(), 50.0, 1e-9);
    // A bag buffers its invalid members whole too.
    auto bag = host::New<host::GeometryBag>();
    bag->AddGeometry(bowTie);
    EXPECT_TRUE(bag->Buffer(1)->Contains(At(9, 5)));
    // Relations answer for the repaired shape.
    EXPECT_TRUE(bowTie->Intersects(At(9, 5)));
    EXPECT_FALSE(bowTie->Contains(At(5, 2)));
    // A spike the repair drops (a zero-area line out of a square) is buffered with the
    // square, its own buffer united with the square's: its tip reaches as far as any corner.
    auto spiked = host::Geometry::FromWkt("POLYGON((0 0,0 10,10 10,10 5,20 5,10 5,10 0,0 0))");
    Ref<host::Polygon> around = spiked->Buffer(1);
    EXPECT_TRUE(around->Contains(At(20.999, 5)));
    EXPECT_FALSE(around->Contains(At(21.002, 5)));
    EXPECT_TRUE(around->Contains(At(-0.706, -0.706)));
    EXPECT_EQ(around->Rings().size(), 1u) << "one outline, no seam between the two buffers";
}

TEST(Buffer, DistancesTooSmallForTheCoordinatesStillHoldTheGeometry) {
    // GEOS gives nothing for these distances; the buffer is the geometry itself (a point or a
    // line: a sliver around it), so what touches the geometry meets its buffer and what lies
    // a hair away does not.
    const double x = 760000, y = 2960000;  // State Plane feet
    const struct { double x, y, distance; } places[] = {{x, y, 1e-11}, {x, y, 1e-300}, {0, 0, 1e-300}};
    for (const auto& at : places) {
        auto points = [&](const std::vector<std::pair<double, double>>& offsets) {
            std::string text;
            for (const auto& [dx, dy] : offsets)
                text += (text.empty() ? "" : ",") + std::to_string(at.x + dx) + " " + std::to_string(at.y + dy);
            return text;
        };
        // A square, a bow-tie (invalid), a point and a line.
        const std::vector<Ref<host::Geometry>> subjects = {
            Square(at.x, at.y, 100),
            host::Geometry::FromWkt("POLYGON((" + points({{0, 0}, {10, 10}, {10, 0}, {0, 10}, {0, 0}}) + "))"),
            host::New<host::Point>(at.x, at.y),
            host::Geometry::FromWkt("LINESTRING(" + points({{0, 0}, {100, 0}}) + ")")};
        for (const auto& subject : subjects) {
            SCOPED_TRACE(subject->ToWkt() + " by " + std::to_string(at.distance));
            Ref<host::Polygon> buffer = subject->Buffer(at.distance);
            ASSERT_FALSE(buffer->IsEmpty());
            EXPECT_TRUE(buffer->Intersects(subject));
            const auto box = subject->Envelope();
            EXPECT_LT(buffer->Envelope()->Width(), box->Width() + 1e-6);
            EXPECT_TRUE(subject->GeometryType() != host::GeometryTypeCode::Polygon || buffer->Contains(subject));
            if (subject == subjects.front()) {
                EXPECT_NEAR(buffer->Area(), 10000, 1e-6);
            }
            // A square touching the geometry's lower left corner from below and to the left.
            const double cx = box->XMin(), cy = box->YMin();
            EXPECT_TRUE(buffer->Intersects(Square(cx - 10, cy - 10, 10)));
            EXPECT_FALSE(buffer->Intersects(Square(cx - 10, cy - 10.001, 10)));
        }
    }
    // A negative distance shrinks a polygon to nothing as before.
    EXPECT_TRUE(Square(x, y, 100)->Buffer(-60)->IsEmpty());
}

// A long outline of many vertices whose top edge (y = 0) has V-shaped notches 40 deep, their
// mouths `widths[k % n]` wide and centred at x = 100 k + 50; the parcel lies below the edge.
Ref<host::Polygon> Notched(const std::vector<double>& widths, int notches) {
    std::vector<Coordinate> ring{{0, -200}, {0, 0}};
    for (int k = 0; k < notches; ++k) {
        const double middle = 100.0 * k + 50, half = widths[static_cast<std::size_t>(k) % widths.size()] / 2;
        ring.push_back({middle - half, 0});
        ring.push_back({middle, -40});
        ring.push_back({middle + half, 0});
    }
    ring.push_back({100.0 * notches, 0});
    ring.push_back({100.0 * notches, -200});
    return host::Polygon::FromRings({ring});
}

TEST(Buffer, FilledPocketsOfALargeOutlineStayWithinTheBand) {
    // Notches up to 0.063 of the distance wide are filled before buffering (the outline has
    // over 256 vertices); wider ones are not.
    const double distance = 500;
    const std::vector<double> widths{20, 31, 45, 60};
    Ref<host::Polygon> buffer = Notched(widths, 100)->Buffer(distance);
    for (int k = 0; k < 8; ++k) {
        const double middle = 100.0 * k + 50, half = widths[static_cast<std::size_t>(k) % widths.size()] / 2;
        // A point above the notch's middle whose nearest points of the parcel are the mouth's
        // corners, at `reach` from them.
        auto above = [&](double reach) { return At(middle, std::sqrt(reach * reach - half * half)); };
        SCOPED_TRACE("notch " + std::to_string(k));
        EXPECT_FALSE(buffer->Contains(above(distance * 1.0011)));
        if (half * 2 <= 31) {
            EXPECT_TRUE(buffer->Contains(above(distance * 0.999)));
            // Filled: the buffer reaches a little beyond the distance, well within the band.
            EXPECT_TRUE(buffer->Contains(above(std::sqrt(distance * distance * 0.9999 * 0.9999 + half * half))));
        }
    }
    // Beside the outline, at the ends, the buffer is as exact as ever.
    EXPECT_TRUE(buffer->Contains(At(-distance * 0.999, -100)));
    EXPECT_FALSE(buffer->Contains(At(-distance * 1.0011, -100)));
    // A small outline is buffered as it is: above a narrow notch the buffer stops at the
    // distance.
    Ref<host::Polygon> small = Notched(widths, 20)->Buffer(distance);
    EXPECT_FALSE(small->Contains(At(50, std::sqrt(distance * distance * 1.0002 * 1.0002 - 100))));
}

TEST(SpatialIndex, UnionsSearchedByPartAndLargeShapesPreparedAnswerAlike) {
    // A bow-tie of 1,600 vertices (invalid), at (3000, 0), 1000 wide.
    std::vector<Coordinate> bowTie;
    const Coordinate corners[] = {{3000, 0}, {4000, 1000}, {4000, 0}, {3000, 1000}};
    for (int side = 0; side < 4; ++side) {
        const Coordinate& a = corners[side];
        const Coordinate& b = corners[(side + 1) % 4];
        for (int i = 0; i < 400; ++i) bowTie.push_back({a.x + (b.x - a.x) * i / 400, a.y + (b.y - a.y) * i / 400});
    }
    std::vector<host::GeosGeometry> shapes{
        Square(0, 0, 10)->Geos(),                                                        // 0: A
        Square(1000, 0, 10)->Geos(),                                                     // 1: B
        Square(500, 0, 10)->Geos(),                                                      // 2: between them
        host::Polygon::FromRings({{{5, 12}, {5, 13}, {1005, 13}, {1005, 12}}})->Geos(),  // 3: near both
        host::Polygon::FromRings({Circle(2000, 0, 100, 2000)})->Geos(),                  // 4
        host::Polygon::FromRings({bowTie})->Geos(),                                      // 5
    };
    host::SpatialIndex index(shapes);

    // The union of buffers around A and B: its envelope holds shape 2, its parts do not.
    Ref<host::Polygon> united = United({Square(0, 0, 10)->Buffer(5), Square(1000, 0, 10)->Buffer(5)});
    EXPECT_EQ(index.Query(united->Geos(), host::SpatialRelation::Intersects), (std::vector<std::size_t>{0, 1, 3}));
    EXPECT_EQ(index.Query(united->Geos(), host::SpatialRelation::Contains), (std::vector<std::size_t>{0, 1}));

    const std::pair<Ref<host::Polygon>, std::vector<std::size_t>> cases[] = {
        {Square(2100, -5, 10), {4}},    // touching the circle
        {Square(2100.01, -5, 10), {}},  // just off it
        {Square(1990, -5, 10), {4}},    // inside it
        {Square(3850, 480, 40), {5}},   // in the bow-tie's right lobe
        {Square(3480, 100, 40), {}},    // between its lobes
    };
    for (int round = 0; round < 2; ++round) {  // the second round uses the kept prepared shapes
        for (const auto& [filter, found] : cases) {
            EXPECT_EQ(index.Query(filter->Geos(), host::SpatialRelation::Intersects), found) << filter->ToWkt();
        }
    }
}

TEST(Geometry, EmptyGeometriesRelateToNothingAndBufferToNothing) {
    Ref<host::Polygon> big = Square(-100, -100, 200);
    std::vector<Ref<host::Geometry>> empties{host::New<host::Polygon>(),  host::New<host::Point>(),
                                             host::New<host::Polyline>(), host::New<host::Multipoint>(),
                                             host::New<host::Envelope>(), host::New<host::GeometryBag>()};
    for (const auto& empty : empties) {
        SCOPED_TRACE(empty->GeometryType());
        EXPECT_FALSE(empty->Intersects(big));
        EXPECT_FALSE(big->Contains(empty));
        EXPECT_TRUE(empty->Envelope()->IsEmpty());
        EXPECT_TRUE(empty->Buffer(300)->IsEmpty());
    }
    auto bag = host::New<host::GeometryBag>();
    bag->AddGeometry(host::New<host::Polygon>());
    auto united = Square(0, 0, 1);
    united->ConstructUnion(bag);
    EXPECT_TRUE(united->IsEmpty());
}

TEST(Geometry, UnionMergesOverlapsAndKeepsSeparateParts) {
    // The second square overlaps the first (175 together), the third lies apart.
    Ref<host::Polygon> united =
        United({Square(0, 0, 10), Square(5, 5, 10), Square(100, 100, 1), host::New<host::Envelope>(-1, -1, 0, 0)});
    EXPECT_NEAR(united->Area(), 175.0 + 1.0 + 1.0, 1e-9);
    EXPECT_EQ(united->Rings().size(), 3u);  // touching at a corner only, the envelope stays a part
    EXPECT_TRUE(united->Contains(At(14, 14)));

    EXPECT_EQ(ErrorOf([&] { United({Square(0, 0, 10), At(1, 1)}); }), 13);
    EXPECT_EQ(ErrorOf([&] { united->ConstructUnion(nullptr); }), 91);
}

TEST(Geometry, RelationsOnBoundariesAndHoles) {
    Ref<host::Polygon> withHole =
        host::Polygon::FromRings({{{0, 0}, {0, 10}, {10, 10}, {10, 0}}, {{4, 4}, {4, 6}, {6, 6}, {6, 4}}});
    const struct {
        double x, y;
        bool intersects, contains;
    } cases[] = {{1, 1, true, true},
                 {0, 5, true, false},   // on the outer boundary
                 {5, 5, false, false},  // in the hole
                 {4, 5, true, false},   // on the hole's edge
                 {11, 5, false, false}};
    for (const auto& c : cases) {
        auto point = At(c.x, c.y);
        EXPECT_EQ(withHole->Intersects(point), c.intersects) << c.x << "," << c.y;
        EXPECT_EQ(withHole->Contains(point), c.contains) << c.x << "," << c.y;
        EXPECT_EQ(point->Intersects(withHole), c.intersects) << c.x << "," << c.y;
    }
    // A ring after a part that does not lie inside it starts a new part.
    auto twoParts = host::Polygon::FromRings({{{0, 0}, {0, 1}, {1, 1}, {1, 0}, {0, 0}}, {{5, 5}, {5, 6}, {6, 6}}});
    EXPECT_EQ(twoParts->Rings().size(), 2u);
    EXPECT_NEAR(twoParts->Area(), 1.5, 1e-9);
}

TEST(Geometry, CirclesPointsAndBadArguments) {
    auto circle = host::New<host::Polygon>();
    circle->SetCircle(At(5, 5), 100);
    EXPECT_NEAR(circle->Area(), std::numbers::pi * 100 * 100, std::numbers::pi * 100 * 100 * 0.002);

    auto multipoint = host::Multipoint::FromPoints({{1, 2}, {3, 4}});
    auto bag = host::New<host::GeometryBag>();
    const double nan = std::nan("");
    const auto twoPointRing = [] { host::Polygon::FromRings({{{0, 0}, {1, 1}, {0, 0}}}); };
    struct Case {
        const char* what;
        std::function<void()> statement;
        long error;
    };
    for (const Case& c : std::vector<Case>{
             {"buffer by NaN", [&] { Square(0, 0, 1)->Buffer(nan); }, 5},
             {"negative radius", [&] { circle->SetCircle(At(0, 0), -1); }, 5},
             {"bag index", [&] { bag->Geometry(0); }, 9},
             {"multipoint index", [&] { multipoint->Point(-1); }, 9},
             {"point at NaN", [&] { At(nan, 0); }, 5},
             {"ring of two points", twoPointRing, 5},
             {"unreadable text", [&] { host::Geometry::FromWkt("POLYGON((0 0,"); }, 5},
             {"empty point added", [&] { multipoint->AddPoint(host::New<host::Point>()); }, 5},
             {"nothing added to a bag", [&] { bag->AddGeometry(nullptr); }, 91},
         }) {
        EXPECT_EQ(ErrorOf(c.statement), c.error) << c.what;
    }
}

TEST(Geometry, GeometriesOutliveTheThreadThatMadeThem) {
    Ref<host::Polygon> made;
    std::thread([&] { made = Square(0, 0, 2)->Buffer(1); }).join();
    // The worker's GEOS context is gone from its thread; the geometry still works and is
    // released safely here.
    EXPECT_TRUE(made->Contains(At(-0.5, 1)));
    made.Reset();
}

}  // namespace
