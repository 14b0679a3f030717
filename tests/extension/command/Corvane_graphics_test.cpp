// The command's public graphics helpers: colours, line and fill symbols, the mid-point of
// an envelope and the circle.
#include <gtest/gtest.h>

#include <cmath>

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
    // The MODULE line of the one report shown since the last call.
    std::string OnlyReportModule() {
        const auto texts = TakeMessages();
        if (texts.size() != 1) return "boxes: " + std::to_string(texts.size());
        const auto from = texts[0].find("MODULE: ");
        return texts[0].substr(from + 8, texts[0].find("\r\n", from) - from - 8);
    }
    Corvane corvane_;
};

TEST_F(CorvaneGraphicsTest, MakeColorReadsTheLongFormRedFirst) {
    struct Case {
        std::int32_t value;
        int red, green, blue;
    };
    const Case cases[] = {
        {255, 255, 0, 0}, {0, 0, 0, 0}, {0xFF00, 0, 255, 0}, {0xFF0000, 0, 0, 255}, {0x123456, 0x56, 0x34, 0x12},
        {0xFFFFFF, 255, 255, 255},
    };
    for (const Case& c : cases) {
        host::Ref<host::RgbColor> color = corvane_.MakeColor(c.value);
        ASSERT_TRUE(color) << c.value;
        EXPECT_EQ(color->Red(), c.red) << c.value;
        EXPECT_EQ(color->Green(), c.green) << c.value;
        EXPECT_EQ(color->Blue(), c.blue) << c.value;
        EXPECT_EQ(color->RGB(), c.value);
    }
    EXPECT_TRUE(TakeMessages().empty());

    // Values outside the colours give no object, after the report.
    for (std::int32_t bad : {-1, 0x1000000}) {
        EXPECT_FALSE(corvane_.MakeColor(bad)) << bad;
        EXPECT_EQ(OnlyReportModule(), "MakeColor Corvane ");
    }
}

TEST_F(CorvaneGraphicsTest, MakeLineSymKeepsWidthColourAndDefaultStyle) {
    host::Ref<host::SimpleLineSymbol> line = corvane_.MakeLineSym(2.5, 0xFF00FF);
    ASSERT_TRUE(line);
    EXPECT_EQ(line->Width(), 2.5);
    EXPECT_EQ(line->Color()->RGB(), 0xFF00FF);
    EXPECT_EQ(line->Style(), host::SimpleLineSymbol().Style());

    EXPECT_FALSE(corvane_.MakeLineSym(-1, 0));
    EXPECT_EQ(OnlyReportModule(), "MakeLineSym Corvane ");
}

TEST_F(CorvaneGraphicsTest, FillGivesASolidFillWithABlackOutlineOneWide) {
    auto element = host::New<host::PolygonElement>();
    corvane_.Fill(element, 0xFF0000);
    EXPECT_TRUE(TakeMessages().empty());
    host::Ref<host::SimpleFillSymbol> symbol = element->Symbol();
    EXPECT_EQ(symbol->Style(), host::FillStyle::Solid);
    EXPECT_EQ(*symbol->Color(), host::RgbColor(0, 0, 255));
    host::Ref<host::SimpleLineSymbol> outline = symbol->Outline();
    ASSERT_TRUE(outline);
    EXPECT_EQ(outline->Width(), 1.0);
    EXPECT_EQ(*outline->Color(), host::RgbColor(0, 0, 0));

    // A hollow symbol set before is replaced whole.
    auto hollow = host::New<host::SimpleFillSymbol>();
    hollow->SetStyle(host::FillStyle::Hollow);
    element->SetSymbol(hollow);
    corvane_.Fill(element, 255);
    EXPECT_EQ(element->Symbol()->Style(), host::FillStyle::Solid);
    EXPECT_EQ(*element->Symbol()->Color(), host::RgbColor(255, 0, 0));
}

TEST_F(CorvaneGraphicsTest, FillOnAnythingButAFillShapeElementChangesNothing) {
    const host::Ref<host::Element> notFillable[] = {host::New<host::LineElement>(), host::New<host::MarkerElement>(),
                                                    host::Ref<host::Element>()};
    for (const auto& element : notFillable) {
        corvane_.Fill(element, 255);
        EXPECT_EQ(OnlyReportModule(), "Fill Corvane ");
    }
    auto line = host::As<host::LineElement>(notFillable[0]);
    EXPECT_EQ(*line->Symbol()->Color(), host::RgbColor(0, 0, 0)) << "the line keeps its own symbol";

    // A colour that is no colour fails in MakeColor, then in Fill: the element keeps its symbol.
    auto element = host::New<host::PolygonElement>();
    const auto before = *element->Symbol();
    corvane_.Fill(element, -5);
    EXPECT_EQ(ReportedErrors(TakeMessages()), (std::vector<long>{5, 91}));
    EXPECT_EQ(element->Symbol()->Style(), before.Style());
    EXPECT_EQ(*element->Symbol()->Color(), *before.Color());
}

TEST_F(CorvaneGraphicsTest, GetMidPointIsTheEnvelopesCentre) {
    struct Case {
        double xMin, yMin, xMax, yMax, x, y;
    };
    const Case cases[] = {
        {0, 0, 10, 4, 5, 2}, {-10, -4, 10, 4, 0, 0}, {3, 3, 3, 3, 3, 3}, {10, 4, 0, 0, 5, 2},  // corners in any order
        {1e15, 0, 1e15 + 2, 1, 1e15 + 1, 0.5},
    };
    for (const Case& c : cases) {
        host::Ref<host::Point> point = corvane_.GetMidPoint(host::New<host::Envelope>(c.xMin, c.yMin, c.xMax, c.yMax));
        ASSERT_TRUE(point);
        EXPECT_EQ(point->X(), c.x);
        EXPECT_EQ(point->Y(), c.y);
    }
    EXPECT_TRUE(TakeMessages().empty());

    EXPECT_FALSE(corvane_.GetMidPoint(host::Ref<host::Envelope>()));
    EXPECT_EQ(ReportedErrors(TakeMessages()), std::vector<long>{91});
}

TEST_F(CorvaneGraphicsTest, MakeCircleFollowsTheCircle) {
    host::Ref<host::Polygon> circle = corvane_.MakeCircle(host::New<host::Point>(100, -50), 10);
    ASSERT_TRUE(circle);
    host::Ref<host::Envelope> box = circle->Envelope();
    EXPECT_NEAR(box->XMin(), 90, 1e-9);
    EXPECT_NEAR(box->XMax(), 110, 1e-9);
    EXPECT_NEAR(box->YMin(), -60, 1e-9);
    EXPECT_NEAR(box->YMax(), -40, 1e-9);
    const double area = circle->Area();
    EXPECT_NEAR(area, M_PI * 100, M_PI * 100 * 0.002);
    for (const auto& ring : circle->Rings())
        for (const auto& point : ring) EXPECT_NEAR(std::hypot(point.x - 100, point.y + 50), 10, 1e-9);

    host::Ref<host::Polygon> dot = corvane_.MakeCircle(host::New<host::Point>(1, 1), 0);
    ASSERT_TRUE(dot);
    EXPECT_TRUE(dot->IsEmpty());
    EXPECT_TRUE(TakeMessages().empty());

    for (double radius : {-1.0, std::nan("")}) {
        EXPECT_FALSE(corvane_.MakeCircle(host::New<host::Point>(0, 0), radius));
        EXPECT_EQ(OnlyReportModule(), "MakeCircle Corvane ");
    }
    EXPECT_FALSE(corvane_.MakeCircle(host::Ref<host::Point>(), 1));
    EXPECT_EQ(OnlyReportModule(), "MakeCircle Corvane ");
}

}  // namespace
