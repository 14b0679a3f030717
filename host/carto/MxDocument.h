#pragma once
// A map document: its focus map (the map the user works on), the view that is active, and
// the command bars of the application it is open in. The command bars belong to the
// application (the layer above); the document only keeps the reference the application
// hands it.

#include <filesystem>

#include "host/core/Ref.h"

namespace host {

class ActiveView;
class CommandBars;
class Map;

class MxDocument {
public:
    // A new document: one empty map, which is the focus map and the active view; no command
    // bars until an application takes the document (Application::SetDocument).
    MxDocument();

    Ref<Map> FocusMap() const { return focusMap_; }
    // Error 91 for Nothing.
    void SetFocusMap(const Ref<Map>& map);

    Ref<host::ActiveView> ActiveView() const { return activeView_; }
    // Error 91 for Nothing.
    void SetActiveView(const Ref<host::ActiveView>& view);

    // Nothing until an application takes the document.
    Ref<host::CommandBars> CommandBars() const { return commandBars_; }
    // Error 91 for Nothing.
    void SetCommandBars(const Ref<host::CommandBars>& bars);

    // Opening another document into this one: the focus map takes the other's focus map's
    // content (Map::TakeContents) and becomes the active view again, and the file path is
    // the other's. References to this document and to its focus map stay valid.
    void TakeContents(MxDocument& other);

    // The file the document was read from: a map document, or a dataset opened whole (empty
    // for a new document).
    const std::filesystem::path& FilePath() const { return filePath_; }
    void SetFilePath(std::filesystem::path path) { filePath_ = std::move(path); }

private:
    Ref<Map> focusMap_;
    Ref<host::ActiveView> activeView_;
    Ref<host::CommandBars> commandBars_;
    std::filesystem::path filePath_;
};

}  // namespace host
