// The command line of both builds: the usage asked for, a command line it cannot use, the
// desktop's own forms and a script file it cannot read.
#include "app/script/CommandLine.h"

#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Outcome {
    std::optional<int> status;
    std::string out;
    std::string err;
};

Outcome RunCorvane(std::vector<std::string> args, bool withDesktop) {
    args.insert(args.begin(), "corvane");
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    std::ostringstream out;
    std::ostringstream err;
    Outcome outcome;
    outcome.status = script::RunCommandLine(static_cast<int>(args.size()), argv.data(), withDesktop, out, err);
    outcome.out = out.str();
    outcome.err = err.str();
    return outcome;
}

TEST(CommandLineTest, TheUsageHasALineForEachFormAndOptionAndGoesWhereItWasAskedFor) {
    for (const bool withDesktop : {false, true}) {
        const std::string usage = script::Usage(withDesktop);
        std::vector<std::string> lines = {"corvane --script FILE [--work FOLDER]\n",
                                          "corvane --version\n",
                                          "corvane -h | --help\n",
                                          "  --script FILE ",
                                          "  --work FOLDER ",
                                          "  --version ",
                                          "  -h, --help "};
        if (withDesktop) lines.insert(lines.end(), {"usage: corvane [MAP]\n", "  MAP "});
        for (const std::string& line : lines)
            EXPECT_NE(usage.find(line), std::string::npos) << line << " in\n" << usage;
        EXPECT_EQ(usage.find("[MAP]") != std::string::npos, withDesktop);

        const std::vector<std::vector<std::string>> asked = {{"--help"}, {"-h"}, {"--script", "x", "--help"}};
        for (const auto& args : asked) {
            const Outcome outcome = RunCorvane(args, withDesktop);
            EXPECT_EQ(outcome.status, 0) << args[0];
            EXPECT_EQ(outcome.out, usage);
            EXPECT_EQ(outcome.err, "");
        }
        // What it cannot use: the usage on standard error, status 2.
        const std::vector<std::vector<std::string>> unusable = {
            {"--bogus"}, {"--script"}, {"--work", "w"}, {"a.json", "b.json"}, {"-x"}, {"--version", "--script", "x"}};
        for (const auto& args : unusable) {
            const Outcome outcome = RunCorvane(args, withDesktop);
            EXPECT_EQ(outcome.status, 2) << args[0];
            EXPECT_EQ(outcome.out, "");
            EXPECT_EQ(outcome.err, usage);
        }
    }
}

TEST(CommandLineTest, OnlyTheDesktopBuildTakesNoArgumentOrAMap) {
    for (const auto& args : std::vector<std::vector<std::string>>{{}, {"town.json"}}) {
        EXPECT_EQ(RunCorvane(args, true).status, std::nullopt);
        EXPECT_EQ(RunCorvane(args, false).status, 2);
    }
    const Outcome missing = RunCorvane({"--script", "/nonexistent/x.script"}, true);
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.err, "/nonexistent/x.script: cannot read the script\n");
}

}  // namespace
