#pragma once
// The host application: its current map document, its status bar and its command bars. One
// application runs per process (Launch); AppRef gives a handle on it. Application objects
// that share one running application see the same document, bars and commands.

#include <filesystem>
#include <memory>
#include <string>

#include "host/core/Ref.h"
#include "host/framework/CommandBars.h"
#include "host/framework/Object.h"
#include "host/framework/StatusBar.h"

namespace host {

class MxDocument;

class Application : public Object {
public:
    // A new application (not the running one): a new, empty map document, a status bar, and
    // command bars holding the host's built-in commands.
    Application();

    // The application's one document. Opening a map replaces its content, never the
    // object, so a reference taken once keeps seeing what the user works on.
    Ref<MxDocument> Document() const;
    // Setting up a host: this document object becomes the application's; its command bars
    // become the application's. Error 91 for Nothing.
    void SetDocument(const Ref<MxDocument>& document);
    // Opens a map document file or a dataset (see MapDocumentFile::Open) into the current
    // document (MxDocument::TakeContents). Layers and tables whose data could not be loaded
    // stay in the map without data, and one message box names them and says why. On
    // failure the current document stays as it was and the error is raised.
    void OpenDocument(const std::filesystem::path& path);
    // Empties the current document (one empty map).
    void NewDocument();

    Ref<host::StatusBar> StatusBar() const;
    Ref<host::CommandBars> CommandBars() const;

    // Creates, once each, the commands of every class in the component registry: each is
    // made, given this application as its hook (OnCreate) and placed on the command bars
    // under its programmatic identifier. A class that fails to be made or created is left
    // off the bars. Calling Start again makes only the classes not made yet (those
    // registered since, and those that failed before).
    void Start();

    // The tool the user works with on the map; Nothing until one is picked.
    Ref<CommandItem> CurrentTool() const;
    void SetCurrentTool(const Ref<CommandItem>& tool);

    // Makes a new application the running one (the one AppRef hands out) and returns it.
    static Ref<Application> Launch();
    // The running application, or Nothing.
    static Ref<Application> Running();
    // Ends the running application: its commands and document are released.
    static void Shutdown();

    // What every handle on one application shares (opaque outside the application).
    struct State;

protected:
    explicit Application(std::shared_ptr<State> state) : state_(std::move(state)) {}
    // The running application's state; error 429 when none runs.
    static std::shared_ptr<State> RunningState();

private:
    std::shared_ptr<State> state_;
};

}  // namespace host
