#pragma once
// Fixtures of the desktop tests, with what most of them use. SmallMapTest opens the small
// map's document afresh. QtDialogsTest shows forms shown modally in Qt dialogs. DesktopTest
// runs the whole application on the example town: the host session on the test's own drive
// C:, the main window shown on the offscreen platform; message boxes stay headless and recorded.

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "app/desktop/FormView.h"
#include "app/desktop/FrameWindows.h"
#include "app/desktop/HostSession.h"
#include "app/desktop/MainWindow.h"
#include "app/desktop/MapCanvas.h"
#include "app/desktop/QtPlatform.h"
#include "extension/command/Globals.h"
#include "extension/mainwindow/frmMain.h"
#include "host/carto/FeatureLayer.h"
#include "host/carto/GroupLayer.h"
#include "host/carto/Map.h"
#include "host/carto/MapDocumentFile.h"
#include "host/carto/MxDocument.h"
#include "host/forms/CommandButton.h"
#include "host/geometry/Envelope.h"
#include "tests/support/HeadlessTest.h"

namespace host {
class ModalDialogs;
}

namespace desktop_test {

// The example town's map document.
std::filesystem::path TownMap();
// The small hand-made map of tests/data (four square parcels in a row, hidden hydrants).
std::filesystem::path SmallMap();

// Lets the event loop run what is pending: widget updates, deferred deletes.
void Settle();

// Pixels of the image equal to the colour, in the whole image or inside (or, with outside,
// outside) the rectangle.
long CountPixels(const QImage& image, QRgb color, const QRect& area = {}, bool outside = false);

// Runs check once a modal dialog is open (from inside its event loop). When the dialog is
// still open after the check, its form is unloaded so that the test can go on.
void WhenModalOpens(std::function<void(QWidget& dialog)> check);

class SmallMapTest : public support::HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        document_ = host::MapDocumentFile::Open(SmallMap());
    }
    host::Ref<host::FeatureLayer> Parcels() const {
        return host::As<host::FeatureLayer>(document_->FocusMap()->Layer(0));
    }

    host::Ref<host::MxDocument> document_;
};

class QtDialogsTest : public support::HeadlessTest {
protected:
    void SetUp() override;
    void TearDown() override;

private:
    std::shared_ptr<host::ModalDialogs> savedModal_;
};

class DesktopTest : public QtDialogsTest {
protected:
    void SetUp() override;
    void TearDown() override;

    desktop::MainWindow& Window() { return *window_; }
    // A click on the Corvane command's toolbar button.
    void ClickCommand();
    // The tool window of frmMain's frame (nullptr before the first click).
    desktop::FrameWindow* MainFrame() const;
    // The widget of one of frmMain's controls.
    QWidget* MainWidget(const char* control) const;
    // The user chooses an entry of one of frmMain's pickers by its text.
    void Choose(const char* combo, const QString& text);
    // The user clicks the entry of that text in frmMain's search list.
    void ClickListEntry(const QString& text);
    // The user clicks one of frmMain's buttons.
    void ClickButton(const char* button);
    // Chooses Parcels as buffer and selection layer, searched by PARCEL_ID.
    void ChooseTownLayers();

private:
    std::unique_ptr<desktop::HostSession> session_;
    std::unique_ptr<desktop::MainWindow> window_;
};

}  // namespace desktop_test
