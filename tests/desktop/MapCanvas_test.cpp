// The map canvas: zoom and pan set the view's extent as the user sees it, the select tool
// selects on the visible layers, and the canvas redraws when the view says it changed.
#include <QWheelEvent>

#include <set>

#include "tests/desktop/DesktopTest.h"

namespace desktop_test {
namespace {

class MapCanvasTest : public SmallMapTest {
protected:
    void SetUp() override {
        SmallMapTest::SetUp();
        canvas_.resize(600, 300);
        canvas_.SetDocument(document_);
        canvas_.show();
        Settle();
    }

    std::set<long> SelectedParcels() const {
        const std::vector<long> ids = Selected(Parcels());
        return {ids.begin(), ids.end()};
    }
    // The pixel of a map point now.
    QPoint Pixel(QPointF point) const { return canvas_.Transform().ToPixels(point).toPoint(); }

    desktop::MapCanvas canvas_;
};

TEST_F(MapCanvasTest, ZoomKeepsThePointUnderThePointerAndPanFollowsIt) {
    struct Zoom {
        double factor;
        QPointF around;
    };
    for (const Zoom z : {Zoom{0.5, {10, 290}}, Zoom{2.0, {450, 60}}}) {
        const desktop::ViewTransform before = canvas_.Transform();
        const QPointF under = before.ToMap(z.around);
        canvas_.ZoomBy(z.factor, z.around);
        const desktop::ViewTransform after = canvas_.Transform();
        EXPECT_NEAR(after.Scale(), before.Scale() / z.factor, 1e-9 * after.Scale());
        const QPointF still = after.ToPixels(under);
        EXPECT_NEAR(still.x(), z.around.x(), 1e-6);
        EXPECT_NEAR(still.y(), z.around.y(), 1e-6);
    }
    const QPointF mapPoint = canvas_.Transform().ToMap(QPointF(100, 100));
    canvas_.PanBy(QPointF(100, -50));
    const QPointF moved = canvas_.Transform().ToPixels(mapPoint);
    EXPECT_NEAR(moved.x(), 200, 1e-6);
    EXPECT_NEAR(moved.y(), 50, 1e-6);

    // A wheel notch forward zooms in by a quarter about the pointer.
    const double scale = canvas_.Transform().Scale();
    QWheelEvent wheel(QPointF(300, 150), canvas_.mapToGlobal(QPointF(300, 150)), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&canvas_, &wheel);
    EXPECT_NEAR(canvas_.Transform().Scale(), scale * 1.25, 1e-9 * scale);
}

TEST_F(MapCanvasTest, SelectToolSelectsOnTheVisibleLayers) {
    struct Step {
        QPointF from, to;  // map points where the button goes down and up
        Qt::KeyboardModifiers keys;
        std::set<long> selected;
    };
    const Step steps[] = {
        {{1250, 2050}, {1250, 2050}, {}, {3}},                    // a click in parcel 3
        {{1050, 2050}, {1050, 2050}, Qt::ShiftModifier, {1, 3}},  // Shift-click adds parcel 1
        {{1040, 2140}, {1060, 2160}, {}, {}},                     // a drag over a hidden hydrant only
        {{1050, 2050}, {1150, 2050}, {}, {1, 2}},                 // a drag from parcel 1 to parcel 2
        {{1350, 2050}, {1350, 2050}, Qt::ShiftModifier, {1, 2, 4}},
    };
    for (const Step& s : steps) {
        QTest::mousePress(&canvas_, Qt::LeftButton, s.keys, Pixel(s.from));
        QTest::mouseRelease(&canvas_, Qt::LeftButton, s.keys, Pixel(s.to));
        EXPECT_EQ(SelectedParcels(), s.selected) << s.from.x() << "," << s.from.y();
    }

    // With the pan tool a drag moves the map and selects nothing.
    canvas_.SetTool(desktop::MapCanvas::Tool::Pan);
    const QPoint before = Pixel({1050, 2050});
    QTest::mousePress(&canvas_, Qt::LeftButton, {}, QPoint(300, 150));
    QTest::mouseRelease(&canvas_, Qt::LeftButton, {}, QPoint(340, 150));
    EXPECT_EQ(Pixel({1050, 2050}), before + QPoint(40, 0));
    EXPECT_EQ(SelectedParcels(), (std::set<long>{1, 2, 4}));
}

TEST_F(MapCanvasTest, CanvasFollowsTheHostsExtentAndViewAndCopesWithNone) {
    document_->ActiveView()->SetExtent(host::New<host::Envelope>(1000, 2000, 1100, 2100));
    EXPECT_NEAR(canvas_.Transform().Scale(), 3.0, 1e-9);

    // A new active view is followed; a canvas without a document draws white and ignores the user.
    document_->SetActiveView(host::New<host::Map>());
    canvas_.FollowActiveView();
    EXPECT_EQ(CountPixels(canvas_.grab().toImage(), desktop::MapRenderer::PolygonFill().rgb()), 0);
    canvas_.SetDocument(nullptr);
    EXPECT_EQ(CountPixels(canvas_.grab().toImage(), 0xFFFFFF), 600 * 300);
    canvas_.ZoomBy(0.5, {1, 1});
    canvas_.SelectIn(QRect(0, 0, 600, 300), false);
}

}  // namespace
}  // namespace desktop_test
