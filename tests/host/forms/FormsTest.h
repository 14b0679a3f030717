#pragma once
// Fixture for the control model: the headless platform, a headless modal-dialog service
// whose driver each test sets, and no host frame left over afterwards.

#include <memory>
#include <string>
#include <vector>

#include "host/forms/CheckBox.h"
#include "host/forms/ComboBox.h"
#include "host/forms/CommandButton.h"
#include "host/forms/Form.h"
#include "host/forms/Frame.h"
#include "host/forms/HostFrame.h"
#include "host/forms/ListBox.h"
#include "host/forms/ModalDialogs.h"
#include "host/forms/OptionButton.h"
#include "host/forms/TextBox.h"
#include "tests/support/HeadlessTest.h"

namespace forms_test {

class FormsTest : public support::HeadlessTest {
protected:
    void SetUp() override {
        support::HeadlessTest::SetUp();
        dialogs_ = std::make_shared<host::HeadlessModalDialogs>();
        saved_ = host::ModalDialogs::Install(dialogs_);
    }
    void TearDown() override {
        host::HostFrame::CloseAll();
        host::ModalDialogs::Install(saved_);
        support::HeadlessTest::TearDown();
    }
    host::HeadlessModalDialogs& Dialogs() { return *dialogs_; }

private:
    std::shared_ptr<host::HeadlessModalDialogs> dialogs_;
    std::shared_ptr<host::ModalDialogs> saved_;
};

// A form with one control of most kinds; it records the events it hears.
class TestForm : public host::Form {
public:
    explicit TestForm(std::string name = "frmTest") : host::Form(std::move(name)) {
        Text1.SetText("100");
        Option1.SetValue(true);
        List1.SetSorted(true);
        Combo1.Click = [this] { log.push_back("Combo1_Click " + Combo1.Text()); };
        List1.Click = [this] { log.push_back("List1_Click " + List1.Text()); };
        Text1.Change = [this] { log.push_back("Text1_Change " + Text1.Text()); };
        Check1.Click = [this] { log.push_back("Check1_Click " + std::to_string(Check1.Value())); };
        Option1.Click = [this] { log.push_back("Option1_Click"); };
        Option2.Click = [this] { log.push_back("Option2_Click"); };
        Command1.Click = [this] { log.push_back("Command1_Click"); };
    }

    std::vector<std::string> log;
    int loads = 0;
    int unloads = 0;
    int cancelUnload = 0;

    host::Frame Frame1{*this, "Frame1"};
    host::ComboBox Combo1{*this, "Combo1", &Frame1};
    host::ListBox List1{*this, "List1", &Frame1};
    host::TextBox Text1{*this, "Text1", &Frame1};
    host::CheckBox Check1{*this, "Check1"};
    host::OptionButton Option1{*this, "Option1", &Frame1};
    host::OptionButton Option2{*this, "Option2", &Frame1};
    host::OptionButton Option3{*this, "Option3"};
    host::CommandButton Command1{*this, "Command1"};
    host::CommandButton Command2{*this, "Command2"};

protected:
    void Form_Load() override {
        ++loads;
        log.push_back("Form_Load");
    }
    void Form_Unload(int& cancel) override {
        ++unloads;
        log.push_back("Form_Unload");
        cancel = cancelUnload;
    }
};

}  // namespace forms_test
