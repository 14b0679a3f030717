#pragma once
// A headless host with the command created as the host creates it: C: mapped to a fresh
// folder with "Program Files", a running application, a Corvane object given the
// application on OnCreate. Frames are closed and the application ended after each test.

#include <string>
#include <vector>

#include "extension/command/Corvane.h"
#include "host/core/Ref.h"
#include "host/framework/Application.h"
#include "tests/support/HeadlessTest.h"

namespace support {

class CommandTest : public HeadlessTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Makes "Program Files" on C:, a Corvane object and runs its OnCreate with the running
    // application as the hook.
    Corvane& CreateCommand();

    // The message boxes shown since the last call, then forgets them.
    std::vector<std::string> TakeMessages();
    // The error number of each unexpected-error report among the texts (0 for another box).
    static std::vector<long> ReportedErrors(const std::vector<std::string>& texts);

    host::Ref<host::Application> app_;
    host::Ref<Corvane> command_;
};

}  // namespace support
