#include <gtest/gtest.h>

#include "extension/command/Globals.h"
#include "extension/shared/ErrorHandling.h"
#include "extension/shared/Tovalin_Validation.h"
#include "tests/support/HeadlessTest.h"

namespace {

class ErrorReportTest : public support::HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        SetIdentity();
    }
};

TEST_F(ErrorReportTest, TheReportHasItsNineteenLines) {
    ReportUnexpectedError("ICommand_OnClick Corvane Line : 12", 53, "File not found");
    const std::string expected =
        "We're sorry, an unexpected error has occurred.\r\n"
        "\r\n"
        "Please email support@example.com and we'll\r\n"
        "be happy to help out.\r\n"
        "\r\n"
        "Please let us know the following:\r\n"
        "\r\n"
        "APPLICATION: Corvane v2.25\r\n"
        "ERROR NUMBER: 53\r\n"
        "MODULE: ICommand_OnClick Corvane Line : 12\r\n"
        "ERROR DESCRIPTION: File not found\r\n"
        "\r\n"
        "If possible, please attach a screenshot of this\r\n"
        "message with your ArcMap project in the background.\r\n"
        "You can do this by pressing <CTRL> and <Prnt Screen>\r\n"
        "and then pasting the image into a graphics application\r\n"
        "such as Paint. Saving the image as a JPG is preferrable.\r\n"
        "\r\n"
        "Thank you!";
    EXPECT_EQ(Messages().Texts(), std::vector<std::string>{expected});
}

TEST_F(ErrorReportTest, TrapReportsWithTheModuleLineAndStopsTheProcedure) {
    int steps = 0;
    EXPECT_FALSE(StandardErrorTrap("ICommand_OnClick ", "Corvane", [&] {
        ++steps;
        host::Raise(host::err::ObjectNotSet);
        ++steps;
    }));
    EXPECT_EQ(steps, 1);
    // Failures that are not run-time errors are reported too and never leave the procedure.
    EXPECT_FALSE(StandardErrorTrap("Frame ", "frmMain", [] { throw std::logic_error("host refused"); }));
    EXPECT_TRUE(StandardErrorTrap("Quiet ", "frmMain", [] {}));
    // No line number known: the MODULE line ends in a blank after the source name.
    EXPECT_EQ(ReportModules(), (std::vector<std::string>{"ICommand_OnClick Corvane ", "Frame frmMain "}));
    const auto errors = ReportedErrors(Messages().Texts());
    ASSERT_FALSE(errors.empty());
    EXPECT_EQ(errors.front(), 91);
}

TEST_F(ErrorReportTest, LeadingZerosAreStrippedOnlyFromTheFront) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"000", ""}, {"0010", "10"}, {"0.5", ".5"}, {"-05", "-05"}, {" 0", " 0"}, {"0 7", " 7"},
    };
    for (auto [text, expected] : cases) {
        EXPECT_EQ(strValidLeadingZero(text), expected) << text;
        EXPECT_EQ(text, expected) << "the caller's text changes too";
    }
}

}  // namespace
