#include "host/framework/Application.h"

#include <algorithm>
#include <vector>

#include "host/carto/EnumFeature.h"
#include "host/carto/GroupLayer.h"
#include "host/carto/Map.h"
#include "host/carto/MapDocumentFile.h"
#include "host/carto/MissingSourceLayer.h"
#include "host/carto/MxDocument.h"
#include "host/carto/StandaloneTable.h"
#include "host/core/ErrorTrap.h"
#include "host/core/RuntimeError.h"
#include "host/data/Feature.h"
#include "host/data/Fields.h"
#include "host/framework/AppRef.h"
#include "host/framework/BuiltInCommand.h"
#include "host/framework/ComponentRegistry.h"
#include "host/geometry/Envelope.h"
#include "host/platform/MessageBoxes.h"

namespace host {

struct Application::State {
    Ref<MxDocument> document;
    Ref<host::StatusBar> statusBar = New<host::StatusBar>();
    Ref<host::CommandBars> commandBars = New<host::CommandBars>();
    Ref<CommandItem> currentTool;
    std::vector<std::string> created;  // components Start has made
};

namespace {

constexpr long kCannotCreateObject = 429;

Ref<Application>& RunningApplication() {
    static Ref<Application> running;
    return running;
}

// The extent of the focus map's selected features, with a margin on every side; nothing
// happens when nothing (or nothing with a shape) is selected.
void ZoomToSelectedFeatures(const Ref<MxDocument>& document) {
    Ref<EnumFeature> selected = document->FocusMap()->FeatureSelection();
    auto extent = New<Envelope>();
    for (Ref<Feature> feature = selected->Next(); feature; feature = selected->Next()) {
        Ref<Geometry> shape = feature->Shape();
        if (shape && !shape->IsEmpty()) extent->Union(shape->Envelope());
    }
    if (extent->IsEmpty()) return;

    Ref<ActiveView> view = document->ActiveView();
    double margin = std::max(extent->Width(), extent->Height()) / 20;
    if (margin == 0) {
        // One point, or points on top of each other: keep a little of the view around them.
        Ref<Envelope> current = view->Extent();
        double side = std::max(current->Width(), current->Height());
        margin = side > 0 ? side / 40 : 1.0;
    }
    extent->Expand(margin, margin, false);
    view->SetExtent(extent);
    view->Refresh();
}

// One line per layer (at any depth of group layers) and table of the map whose data could
// not be loaded: its name and why.
void CollectLoadFailures(const Ref<Layer>& layer, std::string& lines) {
    if (Is<MissingSourceLayer>(layer)) {
        lines += "\n" + layer->Name() + ": " + As<MissingSourceLayer>(layer)->Reason();
    } else if (Is<GroupLayer>(layer)) {
        auto group = As<GroupLayer>(layer);
        for (long i = 0; i < group->Count(); ++i) CollectLoadFailures(group->Layer(i), lines);
    }
}

std::string LoadFailures(const Map& map) {
    std::string lines;
    for (long i = 0; i < map.LayerCount(); ++i) CollectLoadFailures(map.Layer(i), lines);
    for (long i = 0; i < map.StandaloneTableCount(); ++i) {
        Ref<StandaloneTable> table = map.StandaloneTable(i);
        if (!table->Table()) lines += "\n" + table->Name() + " (table): " + table->Reason();
    }
    return lines;
}

std::shared_ptr<Application::State> Locked(const std::weak_ptr<Application::State>& state) {
    std::shared_ptr<Application::State> s = state.lock();
    if (!s) Raise(err::ObjectNotSet);
    return s;
}

}  // namespace

Application::Application() : state_(std::make_shared<State>()) {
    std::weak_ptr<State> weak = state_;
    auto zoom = New<BuiltInCommand>(BuiltInCommand::Texts{"Host_ZoomToSelected", "Zoom To Selected Features",
                                                          "Selection", "Zoom to the selected features"},
                                    [weak] { ZoomToSelectedFeatures(Locked(weak)->document); });
    auto selectElements = New<BuiltInCommand>(
        BuiltInCommand::Texts{"Host_SelectElements", "Select Elements", "Graphics", "Select, resize and move elements"},
        [weak] {
            auto state = Locked(weak);
            state->currentTool = state->commandBars->Find(New<UID>(BuiltInCommand::kSelectElementsToolId));
        });
    state_->commandBars->Add(New<CommandItem>(BuiltInCommand::kZoomToSelectedId, zoom));
    state_->commandBars->Add(New<CommandItem>(BuiltInCommand::kSelectElementsToolId, selectElements));
    SetDocument(New<MxDocument>());
}

Ref<MxDocument> Application::Document() const { return state_->document; }

void Application::SetDocument(const Ref<MxDocument>& document) {
    if (!document) Raise(err::ObjectNotSet);
    document->SetCommandBars(state_->commandBars);
    state_->document = document;
}

void Application::OpenDocument(const std::filesystem::path& path) {
    Ref<MxDocument> opened = MapDocumentFile::Open(path);
    state_->document->TakeContents(*opened);
    const std::string failures = LoadFailures(*state_->document->FocusMap());
    if (!failures.empty()) ShowMessage("Some layers of the map could not be loaded:" + failures);
}

void Application::NewDocument() {
    auto empty = New<MxDocument>();
    state_->document->TakeContents(*empty);
}

Ref<host::StatusBar> Application::StatusBar() const { return state_->statusBar; }

Ref<host::CommandBars> Application::CommandBars() const { return state_->commandBars; }

void Application::Start() {
    // The hook each command keeps: the application, as a handle of its own.
    Ref<Object> hook(std::shared_ptr<Application>(new Application(state_)));
    for (const ComponentRegistry::Component& component : ComponentRegistry::Instance().Components()) {
        auto& created = state_->created;
        bool done = std::any_of(created.begin(), created.end(),
                                [&](const std::string& id) { return EqualIgnoringCase(id, component.progId); });
        if (done) continue;
        Ref<ICommand> command;
        bool made = ResumeNext([&] {
            command = component.create();
            command->ICommand_OnCreate(hook);
        });
        if (!made || !command) continue;
        created.push_back(component.progId);
        state_->commandBars->Add(New<CommandItem>(component.progId, command));
    }
}

Ref<CommandItem> Application::CurrentTool() const { return state_->currentTool; }

void Application::SetCurrentTool(const Ref<CommandItem>& tool) { state_->currentTool = tool; }

Ref<Application> Application::Launch() {
    Shutdown();
    RunningApplication() = New<Application>();
    return RunningApplication();
}

Ref<Application> Application::Running() { return RunningApplication(); }

void Application::Shutdown() {
    Ref<Application>& running = RunningApplication();
    if (!running) return;
    // Commands hold the application; letting go of them breaks the circle.
    State& state = *running->state_;
    state.commandBars->Clear();
    state.currentTool = nullptr;
    state.created.clear();
    state.document = New<MxDocument>();
    state.document->SetCommandBars(state.commandBars);
    running = nullptr;
}

std::shared_ptr<Application::State> Application::RunningState() {
    Ref<Application>& running = RunningApplication();
    if (!running) Raise(kCannotCreateObject, "ActiveX component can't create object");
    return running->state_;
}

AppRef::AppRef() : Application(RunningState()) {}

}  // namespace host
