#pragma once
// The command class: the extension's only face to the host. The host reads its properties
// to build the button, calls ICommand_OnCreate once with its application and
// ICommand_OnClick on every click, which shows the main window. Its default interface also
// carries five public graphics helpers for the host's scripts.

#include <cstdint>
#include <string>

#include "host/core/Ref.h"
#include "host/framework/ICommand.h"

namespace host {
class Application;
class Element;
class Envelope;
class Object;
class Point;
class Polygon;
class RgbColor;
class SimpleLineSymbol;
}  // namespace host

// The class's identifiers (ours to choose).
inline constexpr const char* kCorvaneProgId = "Tovalin.Corvane";
inline constexpr const char* kCorvaneClassId = "{6D1C3B9E-2F4A-4B7D-9E15-8A3C0F27B4D1}";
inline constexpr const char* kCorvaneCategory = "Tovalin";
// The maker's web page: the command's message, the logo and the help window's links.
inline constexpr const char* kMakerWebAddress = "https://www.example.com/tovalin/";

class Corvane : public host::ICommand {
public:
    Corvane();
    ~Corvane() override;

    // ---- The command interface, in slot order ----
    bool ICommand_Enabled() override;
    bool ICommand_Checked() override;
    std::string ICommand_Name() override;
    std::string ICommand_Caption() override;
    std::string ICommand_Tooltip() override;
    std::string ICommand_Message() override;
    std::string ICommand_HelpFile() override;
    long ICommand_HelpContextID() override;
    std::int32_t ICommand_Bitmap() override;
    std::string ICommand_Category() override;
    void ICommand_OnCreate(host::Ref<host::Object> hook) override;
    void ICommand_OnClick() override;

    // ---- Public graphics helpers ----
    // Gives a fill-shape element a solid fill of the colour with a black outline 1.0 wide.
    // An element that is not a fill-shape element keeps its symbol (after the report).
    void Fill(const host::Ref<host::Element>& pFSE, std::int32_t lRGB);
    // A line symbol of that width and colour, the style left at the host's default.
    host::Ref<host::SimpleLineSymbol> MakeLineSym(double dWidth, std::int32_t lRGB);
    // An RGB colour from its long form (red in the lowest byte).
    host::Ref<host::RgbColor> MakeColor(std::int32_t lRGB);
    // The centre of the envelope.
    host::Ref<host::Point> GetMidPoint(const host::Ref<host::Envelope>& pEnv);
    // A full circle around the point.
    host::Ref<host::Polygon> MakeCircle(const host::Ref<host::Point>& pPoint, double dRadius);

    // The number of Corvane objects alive (the library can unload when it is 0).
    static long LiveObjects();

private:
    host::Ref<host::Application> m_pApp;
};
