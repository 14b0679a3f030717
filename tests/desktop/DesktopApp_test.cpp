// The application as a user drives it: the command's button, the main window's frame with
// its controls, the buffer drawn on the canvas with one paint per click, the field
// configuration dialog, the layer list and the one document a map opens into.
#include <QAbstractButton>
#include <QGroupBox>
#include <QTreeWidget>

#include "app/desktop/LayerList.h"
#include "host/data/Feature.h"
#include "host/data/FeatureClass.h"
#include "host/data/FeatureCursor.h"
#include "host/data/QueryFilter.h"
#include "host/framework/Application.h"
#include "host/platform/ItemReader.h"
#include "tests/desktop/DesktopTest.h"
#include "tests/desktop/PaintCounter.h"

namespace desktop_test {
namespace {

constexpr QRgb kMagenta = 0xFF00FF;

host::Ref<host::MxDocument> Document() { return host::Application::Running()->Document(); }

// The pixels on the canvas of the envelope of the town parcel with that id.
QRect ParcelPixels(const desktop::ViewTransform& transform, const std::string& id) {
    auto filter = host::New<host::QueryFilter>();
    filter->SetWhereClause("PARCEL_ID = '" + id + "'");
    auto parcels = host::As<host::FeatureLayer>(Document()->FocusMap()->Layer(0))->FeatureClass();
    const host::Ref<host::Envelope> e = parcels->Search(filter, false)->NextFeature()->Shape()->Envelope();
    return QRectF(transform.ToPixels({e->XMin(), e->YMax()}), transform.ToPixels({e->XMax(), e->YMin()}))
        .toAlignedRect();
}

TEST_F(DesktopTest, CommandButtonShowsTheMainWindowsFrameWithItsControlsWhereTheLayoutPutsThem) {
    ClickCommand();
    desktop::FrameWindow* frame = MainFrame();
    ASSERT_NE(frame, nullptr);
    desktop::FormView* view = frame->View();

    // Positions within the window's client area: frames' children add their frame's place.
    struct Placed {
        const char* control;
        QRect rect;
        const char* text;  // the title, caption or else tooltip the widget shows
    };
    const Placed placed[] = {
        {"Frame2", {4, 8, 265, 105}, "1 - Layers"},
        {"cboBufferLayer", {16, 48, 117, 21}, "Choose a layer to buffer"},
        {"Check1", {288, 136, 125, 29}, "Exclude buffered features from export"},
        {"Command13", {394, 261, 22, 20}, "Help"},
    };
    for (const Placed& p : placed) {
        QWidget* widget = view->WidgetFor(p.control);
        ASSERT_NE(widget, nullptr) << p.control;
        EXPECT_EQ(QRect(widget->mapTo(view, QPoint(0, 0)), widget->size()), p.rect) << p.control;
        EXPECT_TRUE(widget->isVisible()) << p.control;
        QString shown = widget->toolTip();
        if (auto* box = qobject_cast<QGroupBox*>(widget)) shown = box->title();
        if (auto* button = qobject_cast<QAbstractButton*>(widget); button != nullptr && !button->text().isEmpty())
            shown = button->text();
        EXPECT_EQ(shown.toStdString(), p.text) << p.control;
    }
    // The stores and listers below the client area and the inert export button stay hidden.
    for (const char* hidden : {"Option1", "btnExportToLayer"})
        EXPECT_FALSE(view->WidgetFor(hidden)->isVisible()) << hidden;
    EXPECT_EQ(view->WidgetFor("cboBufferLayer")->palette().color(QPalette::Base), QColor(255, 255, 221));

    // A second click shows the same frame; closing the window only hides it, with its content.
    qobject_cast<QLineEdit*>(view->WidgetFor("txtBuffer"))->setFocus();
    QTest::keyClicks(view->WidgetFor("txtBuffer"), "5");
    Settle();
    frame->close();
    Settle();
    ClickCommand();
    EXPECT_EQ(MainFrame(), frame);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(gMainForm->txtBuffer.Text(),
              qobject_cast<QLineEdit*>(view->WidgetFor("txtBuffer"))->text().toStdString());
}

TEST_F(DesktopTest, AListClickDrawsTheSubjectAndBufferWithOnePaintAndConfigureRunsModally) {
    ClickCommand();
    ChooseTownLayers();
    desktop::MapCanvas& canvas = Window().Canvas();
    EXPECT_EQ(CountPixels(canvas.grab().toImage(), kMagenta), 0);
    const host::Ref<host::Envelope> before = Document()->ActiveView()->Extent();

    for (const char* parcel : {"10-6", "10-7", "10-6"}) {
        PaintCounter paints(&canvas);
        ClickListEntry(parcel);  // selects, buffers, zooms and reports progress, then paints once
        while (canvas.IsDrawing()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
        Settle();
        EXPECT_GE(paints.Count(), 1) << parcel;
        EXPECT_LE(paints.Count(), 2) << parcel;
    }
    EXPECT_LT(Document()->ActiveView()->Extent()->Width(), before->Width()) << "the zoom command's extent is shown";

    const QImage picture = canvas.grab().toImage();
    const QRect subject = ParcelPixels(canvas.Transform(), "10-6");
    // The subject is filled in magenta; the buffer's hollow outline lies around it.
    EXPECT_GT(CountPixels(picture, kMagenta, subject.adjusted(2, 2, -2, -2)), subject.width() * subject.height() / 4);
    EXPECT_GT(CountPixels(picture, kMagenta, subject.adjusted(-4, -4, 4, 4), true), 100);

    // Configure opens its dialog modally; Save closes it and shows the main window again.
    bool checked = false;
    WhenModalOpens([&](QWidget& dialog) {
        checked = true;
        EXPECT_TRUE(dialog.isModal());
        EXPECT_FALSE(MainFrame()->isVisible()) << "the main window is hidden while the dialog is open";
        desktop::FormView& view = qobject_cast<desktop::ModalDialog*>(&dialog)->View();
        auto* parcelId = qobject_cast<QComboBox*>(view.WidgetFor("cboParcelID"));
        emit parcelId->activated(parcelId->findText("Parcels.PARCEL_ID"));
        QTest::mouseClick(view.WidgetFor("btnClose"), Qt::LeftButton);  // Save
    });
    ClickButton("Command8");

    EXPECT_TRUE(checked);
    EXPECT_TRUE(MainFrame()->isVisible());
    EXPECT_EQ(host::ItemReader(ReadBytes(Native(gFieldsFilePath))).Next(), "Parcels.PARCEL_ID");

    // Clear takes the graphics and the selection away again.
    ClickButton("Command14");
    EXPECT_EQ(CountPixels(canvas.grab().toImage(), kMagenta), 0);
}

TEST_F(DesktopTest, LayerListShowsTheOneDocumentsLayersWhicheverMapOpens) {
    desktop::LayerList& layers = Window().Layers();
    ASSERT_EQ(layers.topLevelItemCount(), 2);
    QTreeWidgetItem* group = layers.topLevelItem(1);
    EXPECT_EQ(group->child(1)->checkState(0), Qt::Unchecked) << "Hydrants are hidden";

    // Unticking a layer hides it and redraws the view; the extension's own change shows too.
    host::Ref<host::GroupLayer> infrastructure = host::As<host::GroupLayer>(Document()->FocusMap()->Layer(1));
    group->child(0)->setCheckState(0, Qt::Unchecked);
    EXPECT_FALSE(infrastructure->Layer(0)->Visible());
    infrastructure->Layer(1)->SetVisible(true);
    layers.Refresh();
    EXPECT_EQ(layers.ItemFor("Hydrants")->checkState(0), Qt::Checked);

    // A map that cannot be opened keeps the current one and says why; another fills the one document.
    const host::Ref<host::MxDocument> current = Document();
    const std::filesystem::path broken = TempRoot() / "broken.json";
    WriteBytes(broken, "{ not a map");
    for (const std::filesystem::path& path : {broken, TempRoot() / "missing.json"}) {
        Messages().ClearShown();
        EXPECT_FALSE(Window().OpenMap(QString::fromStdString(path.string())));
        EXPECT_EQ(Document(), current);
        EXPECT_EQ(current->FocusMap()->LayerCount(), 2) << "the town stays";
        ASSERT_EQ(Messages().Texts().size(), 1u);
        EXPECT_NE(Messages().Texts()[0].find("Could not open the map"), std::string::npos);
    }

    const std::filesystem::path hydrants = std::filesystem::path(CORVANE_SOURCE_DIR) / "tests/data/hydrants.geojson";
    ASSERT_TRUE(Window().OpenMap(QString::fromStdString(hydrants.string())));
    EXPECT_EQ(Document(), current) << "the extension's reference sees the new map";
    EXPECT_EQ(current->FocusMap()->LayerCount(), 1);
    ASSERT_EQ(layers.topLevelItemCount(), 1);
    EXPECT_EQ(layers.topLevelItem(0)->text(0), "Hydrants");
    EXPECT_EQ(Window().windowTitle(), "Corvane Map - hydrants.geojson") << "a dataset opened directly is named";
    EXPECT_FALSE(current->ActiveView()->Extent()->IsEmpty()) << "a map without an extent shows all of itself";
}

}  // namespace
}  // namespace desktop_test
