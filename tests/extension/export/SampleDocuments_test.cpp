// The sample label and report documents merge from Export.txt: every field they show is a
// column that View Report writes, of the data source and table "Export"; and where
// LibreOffice is installed, both documents open in it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "app/script/ScriptRunner.h"
#include "tests/support/HeadlessTest.h"

namespace {

namespace fs = std::filesystem;

const fs::path kExamples = fs::path(CORVANE_SOURCE_DIR) / "examples";
const char* const kDocuments[] = {"Labels.fodt", "Report.fodt"};

class SampleDocuments : public support::HeadlessTest {};

// The column names of the first line of an export table ("A"\t"B"...).
std::set<std::string> HeaderColumns(const std::string& table) {
    std::set<std::string> columns;
    const std::string header = table.substr(0, table.find("\r\n"));
    std::istringstream cells(header);
    for (std::string cell; std::getline(cells, cell, '\t');)
        columns.insert(cell.size() >= 2 && cell.front() == '"' && cell.back() == '"' ? cell.substr(1, cell.size() - 2)
                                                                                     : cell);
    return columns;
}

TEST_F(SampleDocuments, EveryFieldTheDocumentsShowIsAColumnOfExportTxt) {
    // The export example configures the eight address slots and runs View Report.
    script::RunOptions options;
    options.scriptFolder = kExamples;
    options.workFolder = TempRoot() / "work";
    std::ostringstream lines, errors;
    {
        script::Runner runner(lines, errors, options);
        ASSERT_EQ(runner.Run(ReadBytes(kExamples / "town_export.script"), "town_export.script"), 0) << errors.str();
    }
    const std::string exported = ReadBytes(options.workFolder / "drive_c" / "Program Files" / "Tovalin" / "Corvane" /
                                           "Documents" / "Export.txt");
    const std::set<std::string> columns = HeaderColumns(exported);
    ASSERT_TRUE(columns.count("XNAMEAX")) << exported.substr(0, 300);

    const std::regex field(R"re(<text:database-(display|next)([^>]*)>)re");
    const std::regex attribute(R"re(text:(database-name|table-name|column-name)="([^"]*)")re");
    for (const char* name : kDocuments) {
        SCOPED_TRACE(name);
        const std::string document = ReadBytes(kExamples / "town" / "Documents" / name);
        std::size_t shown = 0;
        for (std::sregex_iterator f(document.begin(), document.end(), field), end; f != end; ++f) {
            const std::string attributes = (*f)[2];
            for (std::sregex_iterator a(attributes.begin(), attributes.end(), attribute); a != end; ++a) {
                const std::string kind = (*a)[1], value = (*a)[2];
                if (kind == "column-name") {
                    ++shown;
                    EXPECT_TRUE(columns.count(value)) << value << " is not a column of Export.txt";
                } else {
                    EXPECT_EQ(value, "Export") << kind;
                }
            }
        }
        EXPECT_GT(shown, 0u) << "the document shows no field";
        // The steps of the merge are on the page, not only in a comment.
        EXPECT_NE(document.find("<style:header>"), std::string::npos);
        EXPECT_NE(document.find("libreoffice-base-drivers"), std::string::npos);
    }
}

TEST_F(SampleDocuments, OpenInLibreOfficeWhereItIsInstalled) {
    if (std::system("command -v soffice >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "LibreOffice (soffice) is not installed; it is not needed to build or test Corvane";
    const fs::path out = TempRoot() / "pdf";
    for (const char* name : kDocuments) {
        SCOPED_TRACE(name);
        const std::string command = "HOME=\"" + TempRoot().string() +
                                    "\" soffice --headless --convert-to pdf --outdir \"" + out.string() + "\" \"" +
                                    (kExamples / "town" / "Documents" / name).string() + "\" >/dev/null 2>&1";
        ASSERT_EQ(std::system(command.c_str()), 0);
        EXPECT_TRUE(fs::exists(out / fs::path(name).replace_extension(".pdf")));
    }
}

}  // namespace
