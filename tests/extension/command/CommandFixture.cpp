#include "tests/extension/command/CommandFixture.h"

#include "extension/command/Globals.h"
#include "host/core/ErrorTrap.h"
#include "host/forms/HostFrame.h"
#include "host/framework/Object.h"

namespace support {

void CommandTest::SetUp() {
    HeadlessTest::SetUp();
    app_ = host::Application::Launch();
}

void CommandTest::TearDown() {
    host::ResumeNext([] { host::HostFrame::CloseAll(); });
    command_.Reset();
    app_.Reset();
    host::Application::Shutdown();
    HeadlessTest::TearDown();
}

Corvane& CommandTest::CreateCommand() {
    MakeProgramFiles('C');
    command_ = host::New<Corvane>();
    command_->ICommand_OnCreate(host::Ref<host::Object>(app_));
    return *command_;
}

std::vector<std::string> CommandTest::TakeMessages() {
    std::vector<std::string> texts = Messages().Texts();
    Messages().ClearShown();
    return texts;
}

std::vector<long> CommandTest::ReportedErrors(const std::vector<std::string>& texts) {
    std::vector<long> numbers;
    const std::string key = "ERROR NUMBER: ";
    for (const std::string& text : texts) {
        const auto at = text.find(key);
        numbers.push_back(at == std::string::npos ? 0 : std::stol(text.substr(at + key.size())));
    }
    return numbers;
}

}  // namespace support
