#pragma once
// The host's own commands share everything but what a click does: they are always enabled,
// never checked, have no help and no picture, and need nothing when they are created. The
// application places two on its command bars:
// - zoom to the selected features: the active view shows the focus map's selected
//   features with a small margin around them; nothing happens when nothing is selected;
// - the select-elements tool: becomes the application's current tool.

#include <functional>
#include <string>

#include "host/framework/ICommand.h"

namespace host {

class BuiltInCommand : public ICommand {
public:
    static constexpr const char* kZoomToSelectedId = "{AB073B49-DE5E-11D1-AA80-00C04FA37860}";
    static constexpr const char* kSelectElementsToolId = "{C22579D1-BC17-11D0-8667-0000F8751720}";

    struct Texts {
        std::string name;
        std::string caption;
        std::string category;
        std::string tooltip;
    };
    BuiltInCommand(Texts texts, std::function<void()> onClick)
        : texts_(std::move(texts)), onClick_(std::move(onClick)) {}

    bool ICommand_Enabled() override { return true; }
    bool ICommand_Checked() override { return false; }
    std::string ICommand_Name() override { return texts_.name; }
    std::string ICommand_Caption() override { return texts_.caption; }
    std::string ICommand_Tooltip() override { return texts_.tooltip; }
    std::string ICommand_Message() override { return texts_.tooltip; }
    std::string ICommand_HelpFile() override { return {}; }
    long ICommand_HelpContextID() override { return 0; }
    std::int32_t ICommand_Bitmap() override { return 0; }
    std::string ICommand_Category() override { return texts_.category; }
    void ICommand_OnCreate(Ref<Object>) override {}
    void ICommand_OnClick() override { onClick_(); }

private:
    Texts texts_;
    std::function<void()> onClick_;
};

}  // namespace host
