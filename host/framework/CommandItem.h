#pragma once
// A command placed on the host's command bars: the command object and the identifier it is
// found by (a GUID text for the host's own commands, the programmatic identifier for a
// registered component).

#include <string>

#include "host/core/Ref.h"
#include "host/framework/ICommand.h"

namespace host {

class CommandItem {
public:
    CommandItem(std::string id, Ref<ICommand> command) : id_(std::move(id)), command_(std::move(command)) {}

    const std::string& ID() const { return id_; }
    std::string Name() const { return command_->ICommand_Name(); }
    std::string Caption() const { return command_->ICommand_Caption(); }
    std::string Category() const { return command_->ICommand_Category(); }
    std::string Tooltip() const { return command_->ICommand_Tooltip(); }
    Ref<ICommand> Command() const { return command_; }

    // Runs the command as a click on its button would. A failure of the command reaches the
    // caller as a run-time error.
    void Execute() { command_->ICommand_OnClick(); }

private:
    std::string id_;
    Ref<ICommand> command_;
};

}  // namespace host
