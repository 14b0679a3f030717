// Makes the README's screenshots on Qt's offscreen platform: the main window over the map
// after a buffer, the field configuration dialog and the help window. The windows are
// grabbed with QWidget::grab and given a plain title bar, since the offscreen platform
// draws no window frames.
//
//   corvane_screenshots OUTPUT-FOLDER
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <iostream>
#include <memory>

#include "app/desktop/FormView.h"
#include "app/desktop/FrameWindows.h"
#include "app/desktop/HostSession.h"
#include "app/desktop/MainWindow.h"
#include "app/desktop/MapCanvas.h"
#include "app/desktop/QtPlatform.h"
#include "host/forms/Form.h"
#include "host/forms/ModalDialogs.h"
#include "host/platform/DriveMap.h"
#include "host/platform/HeadlessMessageBoxes.h"
#include "host/platform/MessageBoxes.h"

namespace {

namespace fs = std::filesystem;

constexpr int kTitleHeight = 27;  // the host frame's title bar

void Settle() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

// A window's picture with a border and a title bar around it.
QImage Framed(const QImage& client, const QString& title) {
    QImage image(client.width() + 2, client.height() + kTitleHeight + 1, QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor(62, 74, 92));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient bar(0, 0, 0, kTitleHeight);
    bar.setColorAt(0, QColor(86, 101, 124));
    bar.setColorAt(1, QColor(58, 70, 88));
    painter.fillRect(QRect(0, 0, image.width(), kTitleHeight), bar);
    QFont font = QApplication::font();
    font.setBold(true);
    font.setPixelSize(12);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(10, 0, image.width() - 40, kTitleHeight), Qt::AlignVCenter | Qt::AlignLeft, title);
    const QRect close(image.width() - 24, 6, 15, 15);
    painter.setPen(QPen(QColor(230, 230, 230), 1.6));
    painter.drawLine(close.topLeft() + QPoint(3, 3), close.bottomRight() - QPoint(3, 3));
    painter.drawLine(close.topRight() + QPoint(-3, 3), close.bottomLeft() + QPoint(3, -3));
    painter.drawImage(1, kTitleHeight, client);
    return image;
}

// The picture laid over another at a place, with a soft shadow under it.
void Overlay(QImage& under, const QImage& over, QPoint at) {
    QPainter painter(&under);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int i = 8; i > 0; --i) {
        QPainterPath shadow;
        shadow.addRoundedRect(QRectF(at + QPoint(4, 6), over.size()).adjusted(-i, -i, i, i), i, i);
        painter.fillPath(shadow, QColor(0, 0, 0, 10));
    }
    painter.drawImage(at, over);
}

bool Save(const QImage& image, const QDir& folder, const char* name) {
    const QString path = folder.filePath(QString::fromLatin1(name));
    if (!image.save(path)) {
        std::cerr << "cannot write " << path.toStdString() << "\n";
        return false;
    }
    std::cout << path.toStdString() << "\n";
    return true;
}

desktop::ModalDialog* OpenDialog() {
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<desktop::ModalDialog*>(top); dialog != nullptr && dialog->isVisible())
            return dialog;
    return nullptr;
}

void Choose(desktop::FormView& view, const char* combo, const QString& text) {
    auto* box = qobject_cast<QComboBox*>(view.WidgetFor(combo));
    if (box != nullptr && box->findText(text) >= 0) emit box->activated(box->findText(text));
}

// Runs the buffer-and-select pipeline as a user would: the layers and field chosen, a
// distance typed and a parcel clicked in the search list; then the map is zoomed so that the
// buffer lies in its left part, with its neighbourhood, beside the window.
void BufferAParcel(desktop::MainWindow& window, desktop::FormView& view) {
    Choose(view, "cboBufferLayer", "Parcels");
    Choose(view, "cboSearchField", "Parcels.PARCEL_ID");
    Choose(view, "cboSelectionLayer", "Parcels");
    auto* distance = qobject_cast<QLineEdit*>(view.WidgetFor("txtBuffer"));
    distance->selectAll();
    QTest::keyClicks(distance, "150");
    auto* list = qobject_cast<QListWidget*>(view.WidgetFor("List1"));
    QListWidgetItem* parcel = list->findItems(QStringLiteral("10-6"), Qt::MatchExactly).value(0);
    list->scrollToItem(parcel, QAbstractItemView::PositionAtCenter);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(parcel).center());
    Settle();
    desktop::MapCanvas& canvas = window.Canvas();
    canvas.ZoomBy(1.7, QPointF(canvas.width() / 2.0, canvas.height() / 2.0));
    canvas.PanBy(QPointF(-canvas.width() / 4.0, 0));
    Settle();
}

// The map window with the main window laid over its right side.
bool SaveMainWindow(desktop::MainWindow& window, desktop::FrameWindow& main, const QDir& output) {
    QImage picture = window.grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage frame = Framed(main.grab().toImage(), main.windowTitle());
    Overlay(picture, frame, QPoint(picture.width() - frame.width() - 24, 96));
    return Save(Framed(picture, window.windowTitle()), output, "main-window.png");
}

// The field configuration dialog, grabbed while it is open with every slot chosen, then
// cancelled.
bool SaveConfiguration(desktop::FormView& view, const QDir& output) {
    bool ok = false;
    QTimer::singleShot(0, [&] {
        desktop::ModalDialog* dialog = OpenDialog();
        if (dialog == nullptr) return;
        desktop::FormView& config = dialog->View();
        const char* choices[][2] = {{"cboParcelID", "Parcels.PARCEL_ID"}, {"cboNameA", "Owners.OWNER_NAME"},
                                    {"cboNameB", "Owners.CO_OWNER"},      {"cboAddressA", "Owners.ADDRESS1"},
                                    {"cboAddressB", "Owners.ADDRESS2"},   {"cboCity", "Owners.CITY"},
                                    {"cboState", "Owners.STATE"},         {"cboZip", "Owners.ZIP"}};
        for (const auto& choice : choices) Choose(config, choice[0], QString::fromLatin1(choice[1]));
        Settle();
        ok = Save(Framed(dialog->grab().toImage(), dialog->windowTitle()), output, "configure.png");
        QTest::mouseClick(config.WidgetFor("Command2"), Qt::LeftButton);  // Cancel
    });
    QTest::mouseClick(view.WidgetFor("Command8"), Qt::LeftButton);  // Configure
    Settle();
    return ok;
}

bool SaveHelp(desktop::MainWindow& window, desktop::FormView& view, const QDir& output) {
    QTest::mouseClick(view.WidgetFor("Command13"), Qt::LeftButton);  // Help
    Settle();
    desktop::FrameWindow* help = window.Frames().FindByForm("frmHelp");
    return help != nullptr && Save(Framed(help->grab().toImage(), help->windowTitle()), output, "help.png");
}

// The three pictures, from a session on the example town.
bool SaveScreenshots(const QDir& output) {
    desktop::HostSession session(false);
    desktop::MainWindow window(session.Application());
    window.resize(1180, 760);
    window.OpenMap(QString::fromStdString((fs::path(CORVANE_SOURCE_DIR) / "examples/town/town.json").string()));
    window.show();
    Settle();

    window.CommandAction("Tovalin.Corvane")->trigger();
    Settle();
    desktop::FrameWindow* main = window.Frames().FindByForm("frmMain");
    desktop::FormView& view = *main->View();
    BufferAParcel(window, view);
    bool ok = SaveMainWindow(window, *main, output);
    ok = SaveConfiguration(view, output) && ok;
    return SaveHelp(window, view, output) && ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: corvane_screenshots OUTPUT-FOLDER\n";
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    desktop::SetUpApplication();
    const QDir output(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(output.path())) return 1;

    // The host on a drive C: of its own; questions answered No, dialogs in Qt.
    const fs::path drive =
        fs::temp_directory_path() / ("corvane-screenshots-" + std::to_string(QCoreApplication::applicationPid()));
    fs::create_directories(drive);
    host::DriveMap::Instance().Clear();
    host::DriveMap::Instance().Map('C', drive);
    auto savedMessages = host::MessageBoxes::Install(std::make_shared<host::HeadlessMessageBoxes>());
    auto savedModal = host::ModalDialogs::Install(std::make_shared<desktop::QtModalDialogs>());
    const bool ok = SaveScreenshots(output);
    host::ModalDialogs::Install(savedModal);
    host::MessageBoxes::Install(savedMessages);
    std::error_code ec;
    fs::remove_all(drive, ec);
    return ok ? 0 : 1;
}
