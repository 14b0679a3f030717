// The sample label and report documents merge from Export.txt: every field they show or test
// is a column that View Report writes, of the data source and table "Export", and their how-to
// is a comment, which LibreOffice shows but does not print. How the merge prints is checked
// by merge-samples.py beside this file, where LibreOffice is installed.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>
#include <string>

#include "tests/support/HeadlessTest.h"

namespace {

namespace fs = std::filesystem;

const fs::path kExamples = fs::path(CORVANE_SOURCE_DIR) / "examples";
const char* const kDocuments[] = {"Labels.fodt", "Report.fodt"};

class SampleDocuments : public support::HeadlessTest {
protected:
    // The columns of Export.txt as the export example prints them after the file's name
    // ("| "A"\t"B"..."); Examples_test holds the example to that output.
    static std::set<std::string> ExportColumns() {
        const std::string expected = ReadBytes(kExamples / "town_export.expected");
        const std::size_t from = expected.find("| ", expected.find("Documents\\Export.txt\""));
        const std::string header = expected.substr(from, expected.find('\n', from) - from);
        const std::regex cell("\"([^\"]*)\"");
        std::set<std::string> columns;
        for (std::sregex_iterator c(header.begin(), header.end(), cell), end; c != end; ++c) columns.insert((*c)[1]);
        return columns;
    }
};

TEST_F(SampleDocuments, EveryFieldTheDocumentsShowOrTestIsAColumnOfExportTxt) {
    // The export example configures the eight address slots and runs View Report.
    const std::set<std::string> columns = ExportColumns();
    ASSERT_TRUE(columns.count("XNAMEAX") && columns.count("Parcels.fid"));

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
        // Conditions (hiding an empty co-owner line) name their column as Export.Export.COLUMN.
        const std::regex tested(R"re(Export\.Export\.(\w+))re");
        for (std::sregex_iterator c(document.begin(), document.end(), tested), end; c != end; ++c)
            EXPECT_TRUE(columns.count((*c)[1])) << (*c)[1] << " in a condition is not a column of Export.txt";
        // A header or footer would print on every merged page: the steps are in the comment.
        const std::size_t comment = document.find("<office:annotation>");
        ASSERT_NE(comment, std::string::npos) << "no how-to comment";
        const std::string howTo = document.substr(comment, document.find("</office:annotation>") - comment);
        EXPECT_NE(howTo.find("libreoffice-base-drivers"), std::string::npos);
        EXPECT_NE(howTo.find("share/corvane/documents/"), std::string::npos);
        EXPECT_EQ(document.find("<style:header"), std::string::npos);
        EXPECT_EQ(document.find("<style:footer"), std::string::npos);
    }
}

}  // namespace
