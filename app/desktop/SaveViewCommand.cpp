// The runner's `save view FILE.png [WIDTH HEIGHT]`, added by the desktop build: the active
// view of the running host's document drawn offscreen into a PNG picture (800 by 600 pixels
// unless given), as the map canvas draws it. It needs no display.
#include <QImage>
#include <QString>

#include "app/desktop/MapRenderer.h"
#include "app/script/ScriptCommands.h"
#include "app/script/ScriptLanguage.h"
#include "app/script/ScriptRunner.h"
#include "host/carto/ActiveView.h"
#include "host/carto/MxDocument.h"
#include "host/framework/Application.h"

namespace {

constexpr const char* kUsage = "save view FILE.png [WIDTH HEIGHT]";
constexpr long kLargestSide = 10000;

long Side(const std::string& word, const char* what) {
    const long side = script::ParseInteger(word, what);
    if (side < 1 || side > kLargestSide)
        throw script::ScriptError(std::string(what) + " must lie between 1 and " + std::to_string(kLargestSide));
    return side;
}

const script::ScriptCommand kSave("save", [](script::Runner& runner, const script::Arguments& args) {
    script::ExpectArguments(args, 2, 4, kUsage);
    if (args[0] != "view" || args.size() == 3) throw script::ScriptError(std::string("usage: ") + kUsage);
    const long width = args.size() == 4 ? Side(args[2], "the width") : 800;
    const long height = args.size() == 4 ? Side(args[3], "the height") : 600;
    const host::Ref<host::Application> application = host::Application::Running();
    if (!application) throw script::ScriptError("the host has not started (start comes first)");
    desktop::MapRenderer renderer;
    const QImage image = renderer.RenderImage(*application->Document()->ActiveView(),
                                              QSize(static_cast<int>(width), static_cast<int>(height)));
    const std::filesystem::path file = runner.NativePath(args[1]);
    if (!image.save(QString::fromStdString(file.string()), "PNG"))
        throw script::ScriptError("cannot write the picture " + file.string());
});

}  // namespace
