// `call Corvane.METHOD ARGS...`: a host script calls a public graphics helper of the
// command object the host created, and the runner prints the result on one line:
//   call Corvane.MakeColor 255            RESULT RgbColor 255,0,0
//   call Corvane.MakeLineSym 2.5 255      RESULT SimpleLineSymbol style=0 width=2.5 color=255,0,0
//   call Corvane.Fill 16711680 [polygon|line|marker]
//                                         RESULT SimpleFillSymbol style=0 color=0,0,255 outline.style=0
//                                           outline.width=1 outline.color=0,0,0
//   call Corvane.GetMidPoint 0 0 10 4     RESULT Point 5,2
//   call Corvane.MakeCircle 0 0 10        RESULT Polygon points=N envelope=-10,-10,10,10
// A helper that fails shows its report and gives no object: RESULT Nothing.
#include <cstdint>
#include <limits>
#include <map>
#include <string>

#include "app/script/ScriptCommands.h"
#include "app/script/ScriptRunner.h"
#include "extension/command/Corvane.h"
#include "host/carto/Element.h"
#include "host/carto/FillShapeElement.h"
#include "host/carto/LineElement.h"
#include "host/carto/MarkerElement.h"
#include "host/carto/PolygonElement.h"
#include "host/carto/RgbColor.h"
#include "host/carto/SimpleFillSymbol.h"
#include "host/carto/SimpleLineSymbol.h"
#include "host/framework/Application.h"
#include "host/framework/CommandBars.h"
#include "host/framework/CommandItem.h"
#include "host/geometry/Envelope.h"
#include "host/geometry/Point.h"
#include "host/geometry/Polygon.h"

namespace script {

namespace {

std::string ColorText(const host::RgbColor& color) {
    return std::to_string(color.Red()) + "," + std::to_string(color.Green()) + "," + std::to_string(color.Blue());
}

std::string LineText(const host::SimpleLineSymbol& line, const std::string& prefix) {
    return prefix + "style=" + std::to_string(static_cast<long>(line.Style())) + " " + prefix +
           "width=" + NumberText(line.Width()) + " " + prefix + "color=" + ColorText(*line.Color());
}

std::int32_t ColorValue(const std::string& word) {
    const long value = ParseInteger(word, "the colour value");
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
        throw ScriptError("the colour value must fit in 32 bits");
    return static_cast<std::int32_t>(value);
}

// The command object the host created for the class.
Corvane& TheCommand() {
    host::Ref<host::Application> app = host::Application::Running();
    if (!app) throw ScriptError("the host has not started (start comes first)");
    host::Ref<host::CommandItem> item = app->CommandBars()->Find(kCorvaneProgId);
    if (!item) throw ScriptError("the host has no Corvane command");
    auto* command = dynamic_cast<Corvane*>(item->Command().raw());
    if (command == nullptr) throw ScriptError("the host's Corvane command is not the extension's");
    return *command;
}

host::Ref<host::Element> NewElement(const std::string& kind) {
    if (kind == "polygon") return host::New<host::PolygonElement>();
    if (kind == "line") return host::New<host::LineElement>();
    if (kind == "marker") return host::New<host::MarkerElement>();
    throw ScriptError("the element must be polygon, line or marker, not \"" + kind + "\"");
}

using Method = void (*)(Runner&, Corvane&, const Arguments&);

void MakeColor(Runner& runner, Corvane& corvane, const Arguments& args) {
    ExpectArguments(args, 1, "call Corvane.MakeColor RGB");
    host::Ref<host::RgbColor> color = corvane.MakeColor(ColorValue(args[0]));
    runner.Print(color ? "RESULT RgbColor " + ColorText(*color) : "RESULT Nothing");
}

void MakeLineSym(Runner& runner, Corvane& corvane, const Arguments& args) {
    ExpectArguments(args, 2, "call Corvane.MakeLineSym WIDTH RGB");
    host::Ref<host::SimpleLineSymbol> line =
        corvane.MakeLineSym(ParseNumber(args[0], "the width"), ColorValue(args[1]));
    runner.Print(line ? "RESULT SimpleLineSymbol " + LineText(*line, "") : "RESULT Nothing");
}

void Fill(Runner& runner, Corvane& corvane, const Arguments& args) {
    ExpectArguments(args, 1, 2, "call Corvane.Fill RGB [polygon|line|marker]");
    host::Ref<host::Element> element = NewElement(args.size() > 1 ? args[1] : "polygon");
    corvane.Fill(element, ColorValue(args[0]));
    auto* filled = dynamic_cast<host::FillShapeElement*>(element.raw());
    if (filled == nullptr) {
        runner.Print("RESULT " + element->Kind() + " element, no fill");
        return;
    }
    host::Ref<host::SimpleFillSymbol> symbol = filled->Symbol();
    std::string text = "RESULT SimpleFillSymbol style=" + std::to_string(static_cast<long>(symbol->Style())) +
                       " color=" + ColorText(*symbol->Color());
    host::Ref<host::SimpleLineSymbol> outline = symbol->Outline();
    if (outline) {
        text += ' ';
        text += LineText(*outline, "outline.");
    } else {
        text += " outline=Nothing";
    }
    runner.Print(text);
}

void GetMidPoint(Runner& runner, Corvane& corvane, const Arguments& args) {
    ExpectArguments(args, 4, "call Corvane.GetMidPoint XMIN YMIN XMAX YMAX");
    auto envelope = host::New<host::Envelope>(ParseNumber(args[0], "XMIN"), ParseNumber(args[1], "YMIN"),
                                              ParseNumber(args[2], "XMAX"), ParseNumber(args[3], "YMAX"));
    host::Ref<host::Point> point = corvane.GetMidPoint(envelope);
    runner.Print(point ? "RESULT Point " + NumberText(point->X()) + "," + NumberText(point->Y()) : "RESULT Nothing");
}

void MakeCircle(Runner& runner, Corvane& corvane, const Arguments& args) {
    ExpectArguments(args, 3, "call Corvane.MakeCircle X Y RADIUS");
    auto centre = host::New<host::Point>(ParseNumber(args[0], "X"), ParseNumber(args[1], "Y"));
    host::Ref<host::Polygon> polygon = corvane.MakeCircle(centre, ParseNumber(args[2], "the radius"));
    if (!polygon) {
        runner.Print("RESULT Nothing");
        return;
    }
    std::size_t points = 0;
    for (const auto& ring : polygon->Rings()) points += ring.size();
    std::string text = "RESULT Polygon points=" + std::to_string(points) + " envelope=";
    if (polygon->IsEmpty()) {
        text += "empty";
    } else {
        host::Ref<host::Envelope> box = polygon->Envelope();
        text += NumberText(box->XMin()) + "," + NumberText(box->YMin()) + "," + NumberText(box->XMax()) + "," +
                NumberText(box->YMax());
    }
    runner.Print(text);
}

const std::map<std::string, Method, std::less<>>& Methods() {
    static const std::map<std::string, Method, std::less<>> methods = {
        {"Fill", Fill},
        {"MakeLineSym", MakeLineSym},
        {"MakeColor", MakeColor},
        {"GetMidPoint", GetMidPoint},
        {"MakeCircle", MakeCircle},
    };
    return methods;
}

const ScriptCommand kCall("call", [](Runner& runner, const Arguments& args) {
    if (args.empty()) throw ScriptError("usage: call Corvane.METHOD ARGS...");
    const std::string prefix = "Corvane.";
    if (args[0].rfind(prefix, 0) != 0) throw ScriptError("only Corvane.METHOD can be called, not " + args[0]);
    auto method = Methods().find(args[0].substr(prefix.size()));
    if (method == Methods().end()) throw ScriptError("Corvane has no method " + args[0].substr(prefix.size()));
    method->second(runner, TheCommand(), Arguments(args.begin() + 1, args.end()));
});

}  // namespace

}  // namespace script
