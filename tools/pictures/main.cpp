// pictures: draws the windows' pictures and writes them into extension/resources (or the
// folder given), where they are kept with the sources.
//
//   pictures [FOLDER]
#include <exception>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <string>

#include "extension/mainwindow/frmHelp.h"
#include "extension/mainwindow/frmMain.h"
#include "extension/resources/WindowPictures.h"
#include "host/platform/Screen.h"
#include "tools/pictures/Canvas.h"
#include "tools/pictures/FormPainter.h"
#include "tools/pictures/ImageFiles.h"
#include "tools/pictures/Pictures.h"

namespace {

using pictures::Canvas;
using pictures::Rgb;

std::filesystem::path DefaultFolder() {
    return std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "extension" / "resources";
}

// The tint of a captioned button's face by what it does: clearing in rose, buffering in
// steel blue, exporting in sage.
pictures::Argb FaceTint(const std::string& button) {
    if (button == "Command3" || button == "Command14") return Rgb(222, 188, 188);
    if (button == "Command1" || button == "Command8" || button == "Command11") return Rgb(190, 212, 186);
    return Rgb(184, 200, 224);
}

// The main window as the help page shows it: a buffer run on a few addresses.
void SampleContent(frmMain& window) {
    window.cboBufferLayer.AddItem("Parcels");
    window.cboBufferLayer.SetListIndex(0);
    window.cboSearchField.AddItem("Address");
    window.cboSearchField.SetListIndex(0);
    window.cboSelectionLayer.AddItem("Parcels");
    window.cboSelectionLayer.SetListIndex(0);
    for (const char* address : {"10 Birch Road", "12 Birch Road", "14 Birch Road", "3 Cedar Lane", "5 Cedar Lane"})
        window.List1.AddItem(address);
    window.List1.SetListIndex(1);
    window.cboDocs.AddItem("Mailing Labels.doc");
    window.cboDocs.SetListIndex(0);
    window.txtCount.SetCaption("7");
}

int Run(const std::filesystem::path& folder) {
    std::map<std::string, Canvas> drawn;
    auto main = std::make_shared<frmMain>();
    for (host::Control* control : main->Controls()) {
        const std::string file = WindowPictureFile(*main, *control);
        const int width = static_cast<int>(control->Width() / host::TwipsPerPixel);
        const int height = static_cast<int>(control->Height() / host::TwipsPerPixel);
        if (auto* button = dynamic_cast<host::CommandButton*>(control); button && button->IsPictureButton()) {
            if (!button->Caption().empty())
                drawn.emplace(file, pictures::ButtonFace(width, height, FaceTint(button->Name())));
            else if (button->Name() == "Command13")
                drawn.emplace(file, pictures::HelpIcon(width, height));
            else if (button->Name() == "Command15")
                drawn.emplace(file, pictures::FolderIcon(width, height));
            else
                throw std::runtime_error("no picture is drawn for the button " + button->Name());
        } else if (control == &main->Image2) {
            drawn.emplace(file, pictures::MakerLogo());
        }
    }
    const auto lookup = [&drawn](const std::string& file) -> const Canvas* {
        auto it = drawn.find(file);
        return it == drawn.end() ? nullptr : &it->second;
    };

    SampleContent(*main);
    const Canvas window = pictures::PaintForm(*main, "Corvane", lookup);
    auto help = std::make_shared<frmHelp>();
    drawn.emplace(WindowPictureFile(*help, help->imgPage),
                  pictures::HelpPage(drawn.at(WindowPictureFile(*main, main->Image2)), window));

    std::filesystem::create_directories(folder);
    for (const auto& [file, canvas] : drawn) {
        pictures::WritePng(canvas, folder / file);
        std::cout << (folder / file).string() << "\n";
    }
    const std::string pointer = host::Screen::Instance().MouseIcon();
    pictures::WriteCursor(pictures::HandPointer(), pictures::kHandHotX, pictures::kHandHotY, folder / pointer);
    std::cout << (folder / pointer).string() << "\n";
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 2) {
        std::cerr << "usage: pictures [FOLDER]\n";
        return 2;
    }
    try {
        return Run(argc == 2 ? std::filesystem::path(argv[1]) : DefaultFolder());
    } catch (const std::exception& e) {
        std::cerr << "pictures: " << e.what() << "\n";
        return 1;
    }
}
