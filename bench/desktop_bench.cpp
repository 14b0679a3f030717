// Desktop benchmarks: what the user sees, on Qt's offscreen platform. The real main window
// at 1200 by 800 on the Cambridge map, with Corvane's main window open on its parcels.
//
//   BM_DesktopListClick  one click in the search list, from the click until the canvas has
//                        painted and the events it caused are processed; the counter
//                        `repaints` is the canvas's paints per click.
//   BM_MapFullRedraw     the whole map drawn afresh at its full extent, until it is shown.
//   BM_MapRedrawAfterLargeResult
//                        after the list click on ROAD (the street parcels: some 13,000
//                        abutters and a buffer the size of the city), one wheel notch over
//                        the middle of the canvas, in and out in turn, until the canvas has
//                        painted; `click_ms` is what the click itself took.
//
//   QT_QPA_PLATFORM=offscreen desktop_bench   (the benchmark sets offscreen itself when unset)

#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QWheelEvent>

#include <ctime>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "app/desktop/FormView.h"
#include "app/desktop/FrameWindows.h"
#include "app/desktop/HostSession.h"
#include "app/desktop/MainWindow.h"
#include "app/desktop/MapCanvas.h"
#include "app/desktop/QtPlatform.h"
#include "host/carto/ActiveView.h"
#include "host/carto/FeatureLayer.h"
#include "host/carto/Map.h"
#include "host/carto/MxDocument.h"
#include "host/data/Row.h"
#include "host/data/Table.h"
#include "host/forms/ModalDialogs.h"
#include "host/framework/Application.h"
#include "host/platform/DriveMap.h"
#include "host/platform/HeadlessMessageBoxes.h"
#include "host/platform/MessageBoxes.h"
#include "tests/desktop/PaintCounter.h"

namespace {

namespace fs = std::filesystem;
using desktop_test::PaintCounter;

// Runs the event loop until nothing is pending and the canvas shows what it has to.
void Settle(desktop::MapCanvas& canvas) {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
    // Sleeps until an event comes, as the event loop does (with a time limit Qt would spin,
    // taking a processor from the drawing threads).
    while (canvas.IsDrawing()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QCoreApplication::processEvents();
}

// The processor time of every thread of the program so far: what drawing on several
// threads costs beside the time it takes.
double ProcessCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

void Choose(desktop::FormView& view, const char* combo, const QString& text) {
    auto* box = qobject_cast<QComboBox*>(view.WidgetFor(combo));
    const int index = box != nullptr ? box->findText(text) : -1;
    if (index < 0) throw std::runtime_error(std::string(combo) + " has no entry " + text.toStdString());
    emit box->activated(index);
}

// The whole desktop, made once for every benchmark of the run.
class Desktop {
public:
    static Desktop& Instance() {
        if (!instance_) instance_.reset(new Desktop());
        return *instance_;
    }
    // Takes the desktop down while the application still runs.
    static void Close() { instance_.reset(); }
    ~Desktop() {
        window_.reset();
        session_.reset();
        std::error_code ec;
        fs::remove_all(drive_, ec);
    }

    desktop::MainWindow& Window() { return *window_; }
    desktop::MapCanvas& Canvas() { return window_->Canvas(); }
    QListWidget& List() { return *list_; }

private:
    Desktop() {
        drive_ =
            fs::temp_directory_path() / ("corvane-desktop-bench-" + std::to_string(QCoreApplication::applicationPid()));
        fs::create_directories(drive_);
        host::DriveMap::Instance().Clear();
        host::DriveMap::Instance().Map('C', drive_);
        host::MessageBoxes::Install(std::make_shared<host::HeadlessMessageBoxes>());
        host::ModalDialogs::Install(std::make_shared<desktop::QtModalDialogs>());
        session_ = std::make_unique<desktop::HostSession>(false);
        window_ = std::make_unique<desktop::MainWindow>(session_->Application());
        window_->resize(1200, 800);
        if (!window_->OpenMap(QString::fromStdString(CORVANE_CAMBRIDGE_GPKG)))
            throw std::runtime_error("cannot open the map");
        window_->show();
        Settle(Canvas());

        window_->CommandAction("Tovalin.Corvane")->trigger();
        Settle(Canvas());
        desktop::FrameWindow* frame = window_->Frames().FindByForm("frmMain");
        if (frame == nullptr || frame->View() == nullptr)
            throw std::runtime_error("Corvane's main window did not open");
        desktop::FormView& view = *frame->View();
        Choose(view, "cboBufferLayer", QStringLiteral("Parcels"));
        auto* field = qobject_cast<QComboBox*>(view.WidgetFor("cboSearchField"));
        Choose(view, "cboSearchField", field->itemText(field->findText(QStringLiteral("ML"), Qt::MatchEndsWith)));
        Choose(view, "cboSelectionLayer", QStringLiteral("Parcels"));
        auto* distance = qobject_cast<QLineEdit*>(view.WidgetFor("txtBuffer"));
        distance->selectAll();
        QTest::keyClicks(distance, "300");
        list_ = qobject_cast<QListWidget*>(view.WidgetFor("List1"));
        if (list_ == nullptr || list_->count() < 2) throw std::runtime_error("the search list is empty");
        Settle(Canvas());
    }

    static inline std::unique_ptr<Desktop> instance_;
    fs::path drive_;
    std::unique_ptr<desktop::HostSession> session_;
    std::unique_ptr<desktop::MainWindow> window_;
    QListWidget* list_ = nullptr;
};

void BM_DesktopListClick(benchmark::State& state) {
    Desktop& desktop = Desktop::Instance();
    QListWidget& list = desktop.List();
    PaintCounter paints(&desktop.Canvas());
    // Two parcels in the middle of the map's table (as the pipeline benchmark clicks), in
    // turn so that each click changes the map.
    host::Ref<host::Table> table;
    for (const host::Ref<host::FeatureLayer>& layer :
         host::Application::Running()->Document()->FocusMap()->FeatureLayers())
        if (layer->Name() == "Parcels") table = layer->DisplayTable();
    const long field = table->FindField("ML");
    const std::size_t middle = table->Size() / 2;
    QListWidgetItem* items[2] = {};
    for (std::size_t i = 0; i < 2; ++i) {
        const std::string value = table->GetRow(table->OIDAt(middle + 100 * i))->Value(field).Text();
        items[i] = list.findItems(QString::fromStdString(value), Qt::MatchExactly).value(0);
        if (items[i] == nullptr) {
            state.SkipWithError("a parcel is not in the search list");
            return;
        }
    }
    for (QListWidgetItem* item : items) list.scrollToItem(item, QAbstractItemView::PositionAtCenter);
    long clicks = 0;
    for (auto _ : state) {
        QListWidgetItem* item = items[clicks++ % 2];
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(item).center());
        Settle(desktop.Canvas());
    }
    state.counters["repaints"] = static_cast<double>(paints.Count()) / static_cast<double>(clicks);
}
BENCHMARK(BM_DesktopListClick)->Unit(benchmark::kMillisecond);

void BM_MapFullRedraw(benchmark::State& state) {
    Desktop& desktop = Desktop::Instance();
    desktop.Canvas().ZoomToFullExtent();
    Settle(desktop.Canvas());
    PaintCounter paints(&desktop.Canvas());
    long redraws = 0;
    const double cpuBefore = ProcessCpuMs();
    for (auto _ : state) {
        desktop.Canvas().Redraw();
        Settle(desktop.Canvas());
        ++redraws;
    }
    state.counters["repaints"] = static_cast<double>(paints.Count()) / static_cast<double>(redraws);
    state.counters["all_threads_cpu_ms"] = (ProcessCpuMs() - cpuBefore) / static_cast<double>(redraws);
}
BENCHMARK(BM_MapFullRedraw)->Unit(benchmark::kMillisecond);

void BM_MapRedrawAfterLargeResult(benchmark::State& state) {
    Desktop& desktop = Desktop::Instance();
    QListWidget& list = desktop.List();
    QListWidgetItem* road = list.findItems(QStringLiteral("ROAD"), Qt::MatchExactly).value(0);
    if (road == nullptr) {
        state.SkipWithError("ROAD is not in the search list");
        return;
    }
    list.scrollToItem(road, QAbstractItemView::PositionAtCenter);
    QElapsedTimer click;
    click.start();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(road).center());
    Settle(desktop.Canvas());
    state.counters["click_ms"] = static_cast<double>(click.elapsed());
    desktop::MapCanvas& canvas = desktop.Canvas();
    const QPointF middle(canvas.width() / 2.0, canvas.height() / 2.0);
    PaintCounter paints(&canvas);
    long notches = 0;
    const double cpuBefore = ProcessCpuMs();
    for (auto _ : state) {
        const int delta = notches++ % 2 == 0 ? 120 : -120;
        QWheelEvent wheel(middle, canvas.mapToGlobal(middle), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(&canvas, &wheel);
        Settle(canvas);
    }
    state.counters["repaints"] = static_cast<double>(paints.Count()) / static_cast<double>(notches);
    state.counters["all_threads_cpu_ms"] = (ProcessCpuMs() - cpuBefore) / static_cast<double>(notches);
}
BENCHMARK(BM_MapRedrawAfterLargeResult)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    desktop::SetUpApplication();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    Desktop::Close();
    benchmark::Shutdown();
    return 0;
}
