#pragma once
// The command interface: what the host asks of every command it shows as a button. The
// members stand in the order of the interface's slots. The extension's command class and
// the host's built-in commands implement it.

#include <cstdint>
#include <string>

#include "host/core/Ref.h"
#include "host/framework/Object.h"

namespace host {

class ICommand {
public:
    ICommand() = default;
    ICommand(const ICommand&) = delete;
    ICommand& operator=(const ICommand&) = delete;
    virtual ~ICommand() = default;

    virtual bool ICommand_Enabled() = 0;
    virtual bool ICommand_Checked() = 0;
    virtual std::string ICommand_Name() = 0;
    virtual std::string ICommand_Caption() = 0;
    virtual std::string ICommand_Tooltip() = 0;
    virtual std::string ICommand_Message() = 0;
    virtual std::string ICommand_HelpFile() = 0;
    virtual long ICommand_HelpContextID() = 0;
    // A handle to a 16 by 16 picture, 0 for none.
    virtual std::int32_t ICommand_Bitmap() = 0;
    virtual std::string ICommand_Category() = 0;
    // Called once, with the host application as the hook.
    virtual void ICommand_OnCreate(Ref<Object> hook) = 0;
    virtual void ICommand_OnClick() = 0;
};

}  // namespace host
