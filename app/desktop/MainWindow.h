#pragma once
// The host's main window: the map canvas, the layer list beside it, a toolbar with a button
// for every command on the application's command bars (its bitmap, caption and tooltip), the
// map tools (pan, select features, full extent), File > Open Map, and a status bar whose
// message and progress bar are the application's status bar and step progressor. The
// host's frames appear as tool windows over it.

#include <QMainWindow>

#include <memory>

#include "host/core/Ref.h"

class QAction;
class QLabel;
class QProgressBar;
class QTimer;
class QToolBar;

namespace host {
class Application;
}

namespace desktop {

class FrameWindows;
class LayerList;
class MapCanvas;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(host::Ref<host::Application> application, QWidget* parent = nullptr);
    ~MainWindow() override;

    MapCanvas& Canvas() const { return *canvas_; }
    LayerList& Layers() const { return *layers_; }
    FrameWindows& Frames() const { return *frames_; }
    QToolBar& CommandBar() const { return *commandBar_; }
    // The toolbar action of the command with that identifier, nullptr when there is none.
    QAction* CommandAction(const std::string& id) const;

    // Opens a map document or a dataset. On failure a message says why and the current
    // document stays. Returns whether it opened.
    bool OpenMap(const QString& path);
    // The canvas, the layer list and the title follow the application's document.
    void FollowDocument();
    // Shows the status bar's message and progress bar as the host has them now; returns
    // whether what they show changed.
    bool SyncStatus();

protected:
    // Closing the map window ends the program as the host's end does: every frame closes
    // and every form unloads (so their settings are saved), the other windows go, and the
    // application's event loop ends.
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
    void BuildCommandBar();
    void UpdateCommands();
    void ChooseMapFile();

    host::Ref<host::Application> application_;
    MapCanvas* canvas_;
    LayerList* layers_;
    QToolBar* commandBar_ = nullptr;
    QLabel* message_;
    QProgressBar* progress_;
    QTimer* poll_;
    std::unique_ptr<FrameWindows> frames_;
};

}  // namespace desktop
