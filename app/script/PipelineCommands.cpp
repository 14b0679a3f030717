// Runner commands of the buffer-and-select pipeline.
#include "app/script/ScriptCommands.h"
#include "app/script/ScriptLanguage.h"
#include "app/script/ScriptRunner.h"
#include "host/forms/Label.h"

namespace script {

namespace {

// print count: the selection count the main window shows, "COUNT 12".
const ScriptPrintTopic kPrintCount("count", [](Runner& runner, const Arguments& args) {
    ExpectArguments(args, 0, "print count");
    const auto* count = dynamic_cast<const host::Label*>(&runner.FindControl("frmMain.txtCount"));
    if (count == nullptr) throw ScriptError("frmMain.txtCount is not a label");
    runner.Print("COUNT " + count->Caption());
});

}  // namespace

}  // namespace script
