// Runner commands on the host's map: open a document or a dataset, select features with
// the host's own selection tool, clear the selection, and show the selection, the graphics,
// the visible extent and the status-bar progress history.
//
//   open PATH                  a map document file, or any dataset the host reads
//   select LAYER CLAUSE        a new selection of the layer's features the clause finds
//   select+ LAYER CLAUSE       the same, added to the layer's selection
//   clearselection             empties the selection of every layer
//   print selection            SELECTION Parcels count=2 oids=[12, 40]   (a line per layer)
//   print graphics             GRAPHIC line color=255,0,255 style=solid width=2   (a line per element)
//   print extent               EXTENT 700000 2900000 701250.5 2901000
//   print progress             PROGRESS Message "Loading List: ML..."   (a line per call)
#include <cstddef>
#include <string>
#include <vector>

#include "app/script/ScriptCommands.h"
#include "app/script/ScriptLanguage.h"
#include "app/script/ScriptRunner.h"
#include "host/carto/ActiveView.h"
#include "host/carto/Element.h"
#include "host/carto/FeatureLayer.h"
#include "host/carto/FillShapeElement.h"
#include "host/carto/LineElement.h"
#include "host/carto/Map.h"
#include "host/carto/MarkerElement.h"
#include "host/carto/MxDocument.h"
#include "host/carto/RgbColor.h"
#include "host/data/Fields.h"
#include "host/data/QueryFilter.h"
#include "host/data/SelectionSet.h"
#include "host/framework/Application.h"
#include "host/framework/StatusBar.h"
#include "host/framework/StepProgressor.h"
#include "host/geometry/Envelope.h"

namespace script {

namespace {

host::Ref<host::Application> RunningHost() {
    host::Ref<host::Application> app = host::Application::Running();
    if (!app) throw ScriptError("the host has not started (start comes first)");
    return app;
}

host::Ref<host::MxDocument> CurrentDocument() { return RunningHost()->Document(); }

// A name as one output word: as it is, or in double quotes when it is empty or holds a
// blank or a double quote.
std::string NameWord(const std::string& name) {
    if (name.empty() || name.find_first_of(" \t\"") != std::string::npos) return Quoted(name);
    return name;
}

// The focus map's feature layer of that name (ignoring case), at any depth of group layers.
host::Ref<host::FeatureLayer> FeatureLayerNamed(const host::Map& map, const std::string& name) {
    std::vector<host::Ref<host::FeatureLayer>> found;
    for (const host::Ref<host::FeatureLayer>& layer : map.FeatureLayers())
        if (host::EqualIgnoringCase(layer->Name(), name)) found.push_back(layer);
    if (found.empty()) throw ScriptError("no feature layer \"" + name + "\" in the map");
    if (found.size() > 1)
        throw ScriptError(std::to_string(found.size()) + " feature layers are named \"" + name + "\"");
    return found.front();
}

void Select(const Arguments& args, long method, std::string_view usage) {
    ExpectArguments(args, 2, usage);
    const host::Ref<host::MxDocument> document = CurrentDocument();
    const host::Ref<host::FeatureLayer> layer = FeatureLayerNamed(*document->FocusMap(), args[0]);
    auto filter = host::New<host::QueryFilter>();
    filter->SetWhereClause(args[1]);
    // A clause the host rejects raises here, before the selection changes.
    layer->SelectFeatures(filter, method, false);
    document->ActiveView()->PartialRefresh(host::ViewPhase::GeoSelection);
}

std::string ColorText(const host::RgbColor& color) {
    return std::to_string(color.Red()) + "," + std::to_string(color.Green()) + "," + std::to_string(color.Blue());
}

// The styles' names, by the host's style codes (0, 1, ...).
constexpr const char* kFillStyles[] = {"solid",           "hollow",           "horizontal", "vertical",
                                       "forwarddiagonal", "backwarddiagonal", "cross",      "diagonalcross"};
constexpr const char* kLineStyles[] = {"solid", "dash", "dot", "dashdot", "dashdotdot", "null", "insideframe"};
constexpr const char* kMarkerStyles[] = {"circle", "square", "cross", "x", "diamond"};

template <class Style, std::size_t Count> const char* StyleName(Style style, const char* const (&names)[Count]) {
    const auto code = static_cast<long>(style);
    return code >= 0 && static_cast<std::size_t>(code) < Count ? names[code] : "unknown";
}

// GRAPHIC polygon color=R,G,B style=S outline=R,G,B outlinestyle=S width=W
// GRAPHIC line color=R,G,B style=S width=W
// GRAPHIC marker color=R,G,B style=S size=N
std::string DescribeElement(const host::Ref<host::Element>& element) {
    std::string line = "GRAPHIC " + element->Kind();
    if (host::Is<host::FillShapeElement>(element)) {
        const auto symbol = host::As<host::FillShapeElement>(element)->Symbol();
        line += " color=" + ColorText(*symbol->Color()) + " style=" + StyleName(symbol->Style(), kFillStyles);
        if (const auto outline = symbol->Outline()) {
            line += " outline=" + ColorText(*outline->Color()) +
                    " outlinestyle=" + StyleName(outline->Style(), kLineStyles) +
                    " width=" + NumberText(outline->Width());
        } else {
            line += " outline=none";
        }
    } else if (host::Is<host::LineElement>(element)) {
        const auto symbol = host::As<host::LineElement>(element)->Symbol();
        line += " color=" + ColorText(*symbol->Color()) + " style=" + StyleName(symbol->Style(), kLineStyles) +
                " width=" + NumberText(symbol->Width());
    } else if (host::Is<host::MarkerElement>(element)) {
        const auto symbol = host::As<host::MarkerElement>(element)->Symbol();
        line += " color=" + ColorText(*symbol->Color()) + " style=" + StyleName(symbol->Style(), kMarkerStyles) +
                " size=" + NumberText(symbol->Size());
    }
    return line;
}

// open PATH: a map document file, or a dataset opened whole; it becomes the host's document.
const ScriptCommand kOpen("open", [](Runner& runner, const Arguments& args) {
    ExpectArguments(args, 1, "open PATH");
    RunningHost()->OpenDocument(runner.NativePath(args[0]));
});

const ScriptCommand kSelect("select", [](Runner&, const Arguments& args) {
    Select(args, host::SelectionResult::New, "select LAYER CLAUSE");
});

const ScriptCommand kSelectAdd("select+", [](Runner&, const Arguments& args) {
    Select(args, host::SelectionResult::Add, "select+ LAYER CLAUSE");
});

const ScriptCommand kClearSelection("clearselection", [](Runner&, const Arguments& args) {
    ExpectArguments(args, 0, "clearselection");
    const host::Ref<host::MxDocument> document = CurrentDocument();
    document->FocusMap()->ClearSelection();
    document->ActiveView()->PartialRefresh(host::ViewPhase::GeoSelection);
});

// One line per feature layer that has a selection, in map order; nothing when none has.
const ScriptPrintTopic kPrintSelection("selection", [](Runner& runner, const Arguments& args) {
    ExpectArguments(args, 0, "print selection");
    for (const host::Ref<host::FeatureLayer>& layer : CurrentDocument()->FocusMap()->FeatureLayers()) {
        const host::Ref<host::SelectionSet> selection = layer->SelectionSet();
        if (selection->Count() == 0) continue;
        std::string oids;
        for (std::int64_t oid : selection->IDs()) oids += (oids.empty() ? "" : ", ") + std::to_string(oid);
        runner.Print("SELECTION " + NameWord(layer->Name()) + " count=" + std::to_string(selection->Count()) +
                     " oids=[" + oids + "]");
    }
});

// One line per element of the active view, in drawing order.
const ScriptPrintTopic kPrintGraphics("graphics", [](Runner& runner, const Arguments& args) {
    ExpectArguments(args, 0, "print graphics");
    for (const host::Ref<host::Element>& element : CurrentDocument()->ActiveView()->Elements())
        runner.Print(DescribeElement(element));
});

const ScriptPrintTopic kPrintExtent("extent", [](Runner& runner, const Arguments& args) {
    ExpectArguments(args, 0, "print extent");
    const host::Ref<host::Envelope> extent = CurrentDocument()->ActiveView()->Extent();
    if (extent->IsEmpty()) {
        runner.Print("EXTENT empty");
        return;
    }
    runner.Print("EXTENT " + NumberText(extent->XMin()) + " " + NumberText(extent->YMin()) + " " +
                 NumberText(extent->XMax()) + " " + NumberText(extent->YMax()));
});

// The progress bar's calls since the last `print progress`, a line each; a run of steps
// prints as one line with its count and the position reached ("PROGRESS Step x9 -> 10").
const ScriptPrintTopic kPrintProgress("progress", [](Runner& runner, const Arguments& args) {
    ExpectArguments(args, 0, "print progress");
    const host::Ref<host::StepProgressor> bar = RunningHost()->StatusBar()->ProgressBar();
    const std::vector<host::StepProgressor::Event>& history = bar->History();
    for (std::size_t i = 0; i < history.size();) {
        std::size_t end = i + 1;
        if (history[i].operation == "Step")
            while (end < history.size() && history[end].operation == "Step") ++end;
        if (end - i > 1)
            runner.Print("PROGRESS Step x" + std::to_string(end - i) + " -> " + std::to_string(history[end - 1].value));
        else
            runner.Print("PROGRESS " + history[i].ToString());
        i = end;
    }
    bar->ClearHistory();
});

}  // namespace

}  // namespace script
