#include "app/desktop/MainWindow.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QFileDialog>
#include <QLabel>
#include <QMenuBar>
#include <QPixmap>
#include <QProgressBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include "app/desktop/FormView.h"
#include "app/desktop/FrameWindows.h"
#include "app/desktop/HostSession.h"
#include "app/desktop/LayerList.h"
#include "app/desktop/MapCanvas.h"
#include "app/desktop/WidgetLook.h"
#include "extension/resources/frmResources.h"
#include "host/carto/ActiveView.h"
#include "host/carto/MxDocument.h"
#include "host/core/ErrorTrap.h"
#include "host/framework/Application.h"
#include "host/framework/CommandBars.h"
#include "host/framework/CommandItem.h"
#include "host/framework/StatusBar.h"
#include "host/framework/StepProgressor.h"
#include "host/geometry/Envelope.h"
#include "host/platform/MessageBoxes.h"

namespace desktop {

namespace {

// How often the window looks at what has no change events: the status bar, the layers'
// visibility, the commands' enabled state, a document or view replaced by the extension.
constexpr int kPollMilliseconds = 150;

QString ActionName(const std::string& id) { return QStringLiteral("command:") + ToQString(id); }

// The command's 16 by 16 picture, handed over by handle; a null icon when it has none.
QIcon CommandIcon(host::ICommand& command) {
    std::int32_t handle = 0;
    host::ResumeNext([&] { handle = command.ICommand_Bitmap(); });
    const host::Picture* picture = PictureFromHandle(handle);
    if (picture == nullptr) return {};
    const QImage image = PictureImage(*picture);
    return image.isNull() ? QIcon() : QIcon(QPixmap::fromImage(image));
}

}  // namespace

MainWindow::MainWindow(host::Ref<host::Application> application, QWidget* parent)
    : QMainWindow(parent),
      application_(std::move(application)),
      canvas_(new MapCanvas(this)),
      layers_(new LayerList(this)),
      message_(new QLabel(this)),
      progress_(new QProgressBar(this)),
      poll_(new QTimer(this)) {
    setObjectName(QStringLiteral("mainWindow"));
    resize(1100, 760);
    setCentralWidget(canvas_);

    auto* dock = new QDockWidget(tr("Layers"), this);
    dock->setObjectName(QStringLiteral("layersDock"));
    dock->setFeatures(QDockWidget::DockWidgetMovable);
    dock->setWidget(layers_);
    dock->setMinimumWidth(180);
    addDockWidget(Qt::LeftDockWidgetArea, dock);

    message_->setObjectName(QStringLiteral("statusMessage"));
    progress_->setObjectName(QStringLiteral("statusProgress"));
    progress_->setMaximumWidth(220);
    progress_->setTextVisible(false);
    progress_->hide();
    statusBar()->addWidget(message_, 1);
    statusBar()->addPermanentWidget(progress_);

    BuildMenus();
    BuildCommandBar();
    frames_ = std::make_unique<FrameWindows>(this);

    connect(canvas_, &MapCanvas::viewChanged, this, [this] {
        // A long handler redraws the view as it goes: the progress it reports shows at once,
        // in the status bar alone (the canvas paints once the handler has returned).
        if (SyncStatus()) statusBar()->repaint();
    });
    connect(poll_, &QTimer::timeout, this, [this] {
        FollowDocument();
        SyncStatus();
        UpdateCommands();
    });
    poll_->start(kPollMilliseconds);
    FollowDocument();
    SyncStatus();
}

MainWindow::~MainWindow() {
    poll_->stop();
    frames_.reset();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    poll_->stop();
    HostSession::CloseForms();
    // What the host did not close (a box or a dialog of the platform) goes too.
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top != this && top->isVisible()) top->hide();
    event->accept();
    QCoreApplication::quit();
}

void MainWindow::BuildMenus() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    QAction* open = file->addAction(tr("&Open Map..."), this, &MainWindow::ChooseMapFile);
    open->setShortcut(QKeySequence::Open);
    open->setObjectName(QStringLiteral("openMap"));
    file->addSeparator();
    QAction* quit = file->addAction(tr("E&xit"), this, &QWidget::close);
    quit->setShortcut(QKeySequence::Quit);
    quit->setObjectName(QStringLiteral("exit"));

    QToolBar* tools = addToolBar(tr("Tools"));
    tools->setObjectName(QStringLiteral("toolsBar"));
    auto* group = new QActionGroup(this);
    QAction* pan = tools->addAction(tr("Pan"), this, [this] { canvas_->SetTool(MapCanvas::Tool::Pan); });
    pan->setObjectName(QStringLiteral("panTool"));
    pan->setToolTip(tr("Pan: drag the map"));
    QAction* select =
        tools->addAction(tr("Select Features"), this, [this] { canvas_->SetTool(MapCanvas::Tool::SelectFeatures); });
    select->setObjectName(QStringLiteral("selectTool"));
    select->setToolTip(tr("Select features: click or drag a rectangle; Shift adds to the selection"));
    for (QAction* tool : {pan, select}) {
        tool->setCheckable(true);
        group->addAction(tool);
    }
    select->setChecked(true);
    QAction* full = tools->addAction(tr("Full Extent"), this, [this] { canvas_->ZoomToFullExtent(); });
    full->setObjectName(QStringLiteral("fullExtent"));
    full->setToolTip(tr("Zoom to the full extent of the map"));

    QMenu* view = menuBar()->addMenu(tr("&View"));
    view->addAction(full);
    view->addAction(pan);
    view->addAction(select);
}

void MainWindow::BuildCommandBar() {
    commandBar_ = addToolBar(tr("Commands"));
    commandBar_->setObjectName(QStringLiteral("commandBar"));
    commandBar_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    commandBar_->setIconSize(QSize(16, 16));
    host::Ref<host::CommandBars> bars = application_->CommandBars();
    for (long i = 0; i < bars->Count(); ++i) {
        host::Ref<host::CommandItem> item = bars->Item(i);
        QString caption;
        QString tooltip;
        host::ResumeNext([&] { caption = ToQString(item->Caption()); });
        host::ResumeNext([&] { tooltip = ToQString(item->Tooltip()); });
        QAction* action = commandBar_->addAction(CommandIcon(*item->Command()), caption);
        action->setObjectName(ActionName(item->ID()));
        action->setToolTip(tooltip);
        connect(action, &QAction::triggered, this, [item] { RunUserAction([&] { item->Execute(); }); });
    }
    UpdateCommands();
}

QAction* MainWindow::CommandAction(const std::string& id) const {
    return commandBar_->findChild<QAction*>(ActionName(id));
}

void MainWindow::UpdateCommands() {
    host::Ref<host::CommandBars> bars = application_->CommandBars();
    for (long i = 0; i < bars->Count(); ++i) {
        host::Ref<host::CommandItem> item = bars->Item(i);
        if (QAction* action = CommandAction(item->ID())) {
            bool enabled = true;
            host::ResumeNext([&] { enabled = item->Command()->ICommand_Enabled(); });
            action->setEnabled(enabled);
        }
    }
}

void MainWindow::ChooseMapFile() {
    const QString path = QFileDialog::getOpenFileName(
        this, tr("Open Map"), QString(),
        tr("Map documents (*.json);;Datasets (*.gpkg *.shp *.geojson *.topojson *.gdb *.csv);;All files (*)"));
    if (!path.isEmpty()) OpenMap(path);
}

bool MainWindow::OpenMap(const QString& path) {
    bool opened = false;
    try {
        application_->OpenDocument(path.toStdString());
        opened = true;
    } catch (...) {
        const host::RuntimeError error = host::CurrentError();
        host::ResumeNext(
            [&] { host::ShowMessage("Could not open the map " + path.toStdString() + ":\n" + error.Description()); });
    }
    FollowDocument();
    if (opened) {
        // A map that names no extent shows all of itself.
        host::Ref<host::MxDocument> document = application_->Document();
        if (document->ActiveView()->Extent()->IsEmpty()) canvas_->ZoomToFullExtent();
    }
    return opened;
}

void MainWindow::FollowDocument() {
    host::Ref<host::MxDocument> document = application_->Document();
    if (!(document == canvas_->Document())) {
        canvas_->SetDocument(document);
        layers_->SetDocument(document);
    } else {
        // Opening a map replaces the document's content: the view and the list follow it.
        canvas_->FollowActiveView();
        layers_->Refresh();
    }
    const QString file = ToQString(document->FilePath().filename().string());
    const QString title = file.isEmpty() ? tr("Corvane Map") : tr("Corvane Map - %1").arg(file);
    if (windowTitle() != title) setWindowTitle(title);
}

bool MainWindow::SyncStatus() {
    host::Ref<host::StatusBar> bar = application_->StatusBar();
    host::Ref<host::StepProgressor> progressor = bar->ProgressBar();
    const bool busy = progressor->Visible();
    const QString text = ToQString(busy ? progressor->Message() : bar->Message());
    bool changed = false;
    if (message_->text() != text) {
        message_->setText(text);
        changed = true;
    }
    if (busy) {
        const int low = static_cast<int>(progressor->MinRange());
        const int high = static_cast<int>(std::max(progressor->MaxRange(), progressor->MinRange()));
        if (progress_->minimum() != low || progress_->maximum() != high) progress_->setRange(low, high);
        const int value = static_cast<int>(std::clamp(progressor->Position(), progressor->MinRange(),
                                                      std::max(progressor->MaxRange(), progressor->MinRange())));
        changed = changed || progress_->value() != value;
        progress_->setValue(value);
    }
    if (progress_->isVisible() != busy) {
        progress_->setVisible(busy);
        changed = true;
    }
    return changed;
}

}  // namespace desktop
