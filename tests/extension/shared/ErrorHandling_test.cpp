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
