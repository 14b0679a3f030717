#include "extension/command/Corvane.h"

#include <atomic>

#include "extension/command/Globals.h"
#include "extension/command/Settings.h"
#include "extension/mainwindow/frmMain.h"
#include "extension/resources/frmResources.h"
#include "extension/shared/ErrorHandling.h"
#include "extension/shared/Tovalin_IO.h"
#include "host/carto/FillShapeElement.h"
#include "host/carto/MxDocument.h"
#include "host/carto/RgbColor.h"
#include "host/carto/SimpleFillSymbol.h"
#include "host/carto/SimpleLineSymbol.h"
#include "host/framework/AppRef.h"
#include "host/framework/Application.h"
#include "host/geometry/Envelope.h"
#include "host/geometry/Point.h"
#include "host/geometry/Polygon.h"
#include "host/platform/FileChannels.h"

namespace {

// The command's texts are built from these two words; they do not read the shared
// identity values, which exist only after OnCreate.
constexpr const char* kMakerWord = "Tovalin";
constexpr const char* kProductWord = "Corvane";
constexpr const char* kSource = "Corvane";

std::atomic<long> gLiveObjects{0};

// The hidden window that holds the command's picture; created on first demand and never
// shown.
host::Ref<frmResources> gResources;

}  // namespace

Corvane::Corvane() { ++gLiveObjects; }

Corvane::~Corvane() { --gLiveObjects; }

long Corvane::LiveObjects() { return gLiveObjects; }

bool Corvane::ICommand_Enabled() { return true; }

bool Corvane::ICommand_Checked() { return false; }

std::string Corvane::ICommand_Name() { return std::string(kMakerWord) + "_" + kProductWord; }

std::string Corvane::ICommand_Caption() { return kProductWord; }

std::string Corvane::ICommand_Tooltip() { return std::string(kProductWord) + " - Buffer, Select, and Report"; }

std::string Corvane::ICommand_Message() { return std::string(kMakerWord) + ": " + kMakerWebAddress; }

std::string Corvane::ICommand_HelpFile() { return ""; }

long Corvane::ICommand_HelpContextID() { return 0; }

std::int32_t Corvane::ICommand_Bitmap() {
    std::int32_t handle = 0;
    StandardErrorTrap("ICommand_Bitmap ", kSource, [&] {
        if (!gResources) gResources = host::New<frmResources>();
        handle = PictureHandle(gResources->Picture1.Picture());
    });
    return handle;
}

std::string Corvane::ICommand_Category() { return kMakerWord; }

void Corvane::ICommand_OnCreate(host::Ref<host::Object> hook) {
    StandardErrorTrap("ICommand_OnCreate ", kSource, [&] {
        m_pApp = host::As<host::Application>(hook);
        if (!gMainForm) gMainForm = host::New<frmMain>();
        gProductName = "Corvane";
        gVersion = "v2.25";
        ResolveProductFolder(kMakerWord, kProductWord, "config", "");
        gDocumentsFolder = gProductFolder + "Documents\\";
        if (!fDoesDirectoryExist(gDocumentsFolder)) fCreateDirectory(gDocumentsFolder);
        // Opening for appending makes an empty "fields" when there is none and leaves an
        // existing one as it is.
        gFieldsFilePath = gProductFolder + "fields";
        auto& channels = host::FileChannels::Instance();
        channels.Close(1);
        channels.OpenForAppend(1, gFieldsFilePath);
        channels.Close(1);
    });
}

void Corvane::ICommand_OnClick() {
    StandardErrorTrap("ICommand_OnClick ", kSource, [&] {
        if (!gAppRef) gAppRef = host::New<host::AppRef>();
        // Taken afresh on every click, so a document opened since the last click is used.
        gApplication = host::As<host::Application>(gAppRef);
        gMxDocument = host::As<host::MxDocument>(gApplication->Document());
        RepairConfigFile();
        RepairFieldsFile();
        gMainForm->Frame()->SetVisible(true);
    });
}

void Corvane::Fill(const host::Ref<host::Element>& pFSE, std::int32_t lRGB) {
    StandardErrorTrap("Fill ", kSource, [&] {
        auto symbol = host::New<host::SimpleFillSymbol>();
        symbol->SetStyle(host::FillStyle::Solid);
        symbol->SetColor(MakeColor(lRGB));
        symbol->SetOutline(MakeLineSym(1.0, 0));
        host::As<host::FillShapeElement>(pFSE)->SetSymbol(symbol);
    });
}

host::Ref<host::SimpleLineSymbol> Corvane::MakeLineSym(double dWidth, std::int32_t lRGB) {
    host::Ref<host::SimpleLineSymbol> result;
    StandardErrorTrap("MakeLineSym ", kSource, [&] {
        auto symbol = host::New<host::SimpleLineSymbol>();
        symbol->SetWidth(dWidth);
        symbol->SetColor(MakeColor(lRGB));
        result = symbol;
    });
    return result;
}

host::Ref<host::RgbColor> Corvane::MakeColor(std::int32_t lRGB) {
    host::Ref<host::RgbColor> result;
    StandardErrorTrap("MakeColor ", kSource, [&] {
        auto color = host::New<host::RgbColor>();
        color->SetRGB(lRGB);
        result = color;
    });
    return result;
}

host::Ref<host::Point> Corvane::GetMidPoint(const host::Ref<host::Envelope>& pEnv) {
    host::Ref<host::Point> result;
    StandardErrorTrap("GetMidPoint ", kSource, [&] {
        const double xMax = pEnv->XMax();
        const double xMin = pEnv->XMin();
        const double yMin = pEnv->YMin();
        const double yMax = pEnv->YMax();
        auto point = host::New<host::Point>();
        point->PutCoords((xMin + xMax) / 2, (yMin + yMax) / 2);
        result = point;
    });
    return result;
}

host::Ref<host::Polygon> Corvane::MakeCircle(const host::Ref<host::Point>& pPoint, double dRadius) {
    host::Ref<host::Polygon> result;
    StandardErrorTrap("MakeCircle ", kSource, [&] {
        auto polygon = host::New<host::Polygon>();
        polygon->SetCircle(pPoint, dRadius);
        result = polygon;
    });
    return result;
}
