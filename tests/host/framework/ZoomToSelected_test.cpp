#include <gtest/gtest.h>

#include "host/carto/Map.h"
#include "host/carto/MxDocument.h"
#include "host/data/SelectionSet.h"
#include "host/framework/Application.h"
#include "host/framework/BuiltInCommand.h"
#include "host/framework/UID.h"
#include "host/geometry/Envelope.h"
#include "tests/host/carto/CartoTestData.h"

namespace {

using host::New;
using host::Ref;

class ZoomToSelectedTest : public ::testing::Test {
protected:
    void SetUp() override {
        app = host::Application::Launch();
        map = app->Document()->FocusMap();
        map->AddLayer(squares = carto_test::MakeLayer("Squares", carto_test::Squares(5)));  // x 0 to 500, y 0 to 100
        map->AddLayer(
            points = carto_test::MakeLayer(
                "Points", carto_test::MakeClass("pts", 1, {{"one", "POINT(250 50)"}, {"none", "POINT EMPTY"}})));
        map->SetExtent(New<host::Envelope>(0, 0, 1000, 800));
    }
    void TearDown() override { host::Application::Shutdown(); }

    // Runs the command the way the extension does: found by identifier, then executed.
    void Zoom() {
        app->Document()
            ->CommandBars()
            ->Find(New<host::UID>(host::BuiltInCommand::kZoomToSelectedId), false, false)
            ->Execute();
    }

    void Select(const Ref<host::FeatureLayer>& layer, const std::string& name) {
        layer->SelectFeatures(carto_test::Where("NAME = '" + name + "'"), host::SelectionResult::Add, false);
    }

    static std::vector<double> Bounds(const Ref<host::Envelope>& e) {
        return {e->XMin(), e->YMin(), e->XMax(), e->YMax()};
    }

    Ref<host::Application> app;
    Ref<host::Map> map;
    Ref<host::FeatureLayer> squares, points;
};

TEST_F(ZoomToSelectedTest, ShowsTheSelectedFeaturesOfAllLayersWithAMargin) {
    struct Case {
        std::vector<std::pair<bool, std::string>> selected;  // (in squares?, name)
        std::vector<double> expected;
        long refreshes;
    };
    // The margin is a twentieth of the larger side; a lone point keeps a fortieth of the
    // view's larger side (1000 wide: 25) around it. Nothing with a shape selected: nothing
    // happens, not even a repaint.
    const Case cases[] = {
        {{{true, "P2"}, {true, "P4"}}, {85, -15, 415, 115}, 1},
        {{{false, "one"}}, {225, 25, 275, 75}, 1},
        {{{false, "one"}, {true, "P1"}}, {-12.5, -12.5, 262.5, 112.5}, 1},
        {{}, {0, 0, 1000, 800}, 0},
        {{{false, "none"}}, {0, 0, 1000, 800}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.selected.empty() ? "nothing" : c.selected.front().second);
        map->ClearSelection();
        map->SetExtent(New<host::Envelope>(0, 0, 1000, 800));
        for (const auto& [inSquares, name] : c.selected) Select(inSquares ? squares : points, name);
        const long refreshes = map->RefreshCount();
        Zoom();
        EXPECT_EQ(Bounds(map->Extent()), c.expected);
        EXPECT_EQ(map->RefreshCount(), refreshes + c.refreshes);
    }
}

}  // namespace
