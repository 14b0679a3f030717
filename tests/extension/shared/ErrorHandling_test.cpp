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
    ASSERT_EQ(Messages().Shown().size(), 1u);
    EXPECT_EQ(Messages().Shown()[0].kind, host::MessageBoxKind::OkOnly);
    EXPECT_EQ(Messages().Shown()[0].text, expected);
}

TEST_F(ErrorReportTest, TrapReportsWithTheModuleLineAndReturnsWhatTheResultHeld) {
    int steps = 0;
    int result = 0;
    bool finished = StandardErrorTrap("ICommand_OnClick ", "Corvane", [&] {
        ++steps;
        result = 5;
        host::Raise(host::err::ObjectNotSet);
        ++steps;
    });
    EXPECT_FALSE(finished);
    EXPECT_EQ(steps, 1);
    EXPECT_EQ(result, 5);
    ASSERT_EQ(Messages().Shown().size(), 1u);
    const std::string& text = Messages().Shown()[0].text;
    EXPECT_NE(text.find("\r\nERROR NUMBER: 91\r\n"), std::string::npos);
    // No line number known: the MODULE line ends in a blank after the source name.
    EXPECT_NE(text.find("\r\nMODULE: ICommand_OnClick Corvane \r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nERROR DESCRIPTION: Object variable or With block variable not set\r\n"),
              std::string::npos);

    // Failures that are not run-time errors are reported too and never leave the procedure.
    EXPECT_FALSE(StandardErrorTrap("Frame ", "frmMain", [] { throw std::logic_error("host refused"); }));
    EXPECT_NE(Messages().Shown().back().text.find("MODULE: Frame frmMain \r\n"), std::string::npos);
    EXPECT_TRUE(StandardErrorTrap("Quiet ", "frmMain", [] {}));
    EXPECT_EQ(Messages().Shown().size(), 2u);
}

TEST_F(ErrorReportTest, LeadingZerosAreStrippedOnlyFromTheFront) {
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {
        {"", ""},       {"0", ""},       {"000", ""},   {"007", "7"},    {"100", "100"},
        {"0.5", ".5"},  {"-05", "-05"},  {".05", ".05"}, {"0010", "10"}, {"00a0", "a0"},
        {" 0", " 0"},   {"0 7", " 7"},
    };
    for (const auto& c : cases) {
        std::string text = c.in;
        EXPECT_EQ(strValidLeadingZero(text), c.out) << c.in;
        EXPECT_EQ(text, c.out) << "the caller's text changes too: " << c.in;
    }
    EXPECT_TRUE(Messages().Shown().empty());
}

}  // namespace
