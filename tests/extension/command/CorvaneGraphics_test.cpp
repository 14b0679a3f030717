// The command's public graphics helpers where they can go wrong: the fill replacing a symbol whole, reversed envelopes,
// the circle's points, and bad arguments that must give nothing after the report. examples/graphics-helpers.script
// shows the ordinary results and the colour's byte order.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

#include "extension/command/Corvane.h"
#include "host/carto/LineElement.h"
#include "host/carto/MarkerElement.h"
#include "host/carto/PolygonElement.h"
#include "host/carto/RgbColor.h"
#include "host/carto/SimpleFillSymbol.h"
#include "host/carto/SimpleLineSymbol.h"
#include "host/geometry/Envelope.h"
#include "host/geometry/Point.h"
#include "host/geometry/Polygon.h"
#include "tests/extension/command/CommandFixture.h"

namespace {

class CorvaneGraphicsTest : public support::CommandTest {
protected:
    void SetUp() override {
        CommandTest::SetUp();
        SetIdentity();
    }
    Corvane corvane_;
};

TEST_F(CorvaneGraphicsTest, MidPointsReadTheirArgumentsInOrderAndBadArgumentsGiveNothing) {
    for (const auto& [xMin, yMin, xMax, yMax, x, y] :
         std::vector<std::array<double, 6>>{{10, 4, 0, 0, 5, 2}, {1e15, 0, 1e15 + 2, 1, 1e15 + 1, 0.5}}) {
        host::Ref<host::Point> point = corvane_.GetMidPoint(host::New<host::Envelope>(xMin, yMin, xMax, yMax));
        EXPECT_EQ(std::vector<double>({point->X(), point->Y()}), std::vector<double>({x, y}));
    }
    EXPECT_TRUE(TakeMessages().empty());

    // Bad arguments give no object, after the report.
    EXPECT_FALSE(corvane_.MakeColor(-1));
    EXPECT_FALSE(corvane_.MakeLineSym(-1, 0));
    EXPECT_FALSE(corvane_.GetMidPoint(host::Ref<host::Envelope>()));
    EXPECT_EQ(ReportModules(),
              (std::vector<std::string>{"MakeColor Corvane ", "MakeLineSym Corvane ", "GetMidPoint Corvane "}));
}

TEST_F(CorvaneGraphicsTest, FillReplacesTheSymbolWholeOrLeavesTheElementAsItWas) {
    auto element = host::New<host::PolygonElement>();
    auto hollow = host::New<host::SimpleFillSymbol>();
    hollow->SetStyle(host::FillStyle::Hollow);
    element->SetSymbol(hollow);
    corvane_.Fill(element, 255);
    EXPECT_EQ(element->Symbol()->Style(), host::FillStyle::Solid);
    EXPECT_EQ(*element->Symbol()->Color(), host::RgbColor(255, 0, 0));
    EXPECT_EQ(element->Symbol()->Outline()->Width(), 1.0);
    EXPECT_TRUE(TakeMessages().empty());

    const host::Ref<host::Element> notFillable[] = {host::New<host::LineElement>(), host::New<host::MarkerElement>(),
                                                    host::Ref<host::Element>()};
    for (const auto& other : notFillable) corvane_.Fill(other, 255);
    EXPECT_EQ(ReportModules(), std::vector<std::string>(3, "Fill Corvane "));
    TakeMessages();

    // A colour that is no colour fails in MakeColor, then in Fill: the element keeps its symbol.
    corvane_.Fill(element, -5);
    EXPECT_EQ(ReportedErrors(TakeMessages()), (std::vector<long>{5, 91}));
    EXPECT_EQ(*element->Symbol()->Color(), host::RgbColor(255, 0, 0));
}

TEST_F(CorvaneGraphicsTest, MakeCircleFollowsTheCircle) {
    host::Ref<host::Polygon> circle = corvane_.MakeCircle(host::New<host::Point>(100, -50), 10);
    ASSERT_TRUE(circle);
    for (const auto& ring : circle->Rings())
        for (const auto& point : ring) EXPECT_NEAR(std::hypot(point.x - 100, point.y + 50), 10, 1e-9);
    EXPECT_TRUE(TakeMessages().empty());

    EXPECT_FALSE(corvane_.MakeCircle(host::New<host::Point>(0, 0), -1));
    EXPECT_FALSE(corvane_.MakeCircle(host::Ref<host::Point>(), 1));
    EXPECT_EQ(ReportModules(), std::vector<std::string>(2, "MakeCircle Corvane "));
}

}  // namespace
