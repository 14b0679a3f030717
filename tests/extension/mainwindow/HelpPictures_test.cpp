// The windows' pictures: every picture button and image finds its file, each file has the
// size its control needs, and named pictures are found in the picture folders.
#include <gdal_priv.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "extension/mainwindow/frmHelp.h"
#include "extension/mainwindow/frmMain.h"
#include "extension/resources/WindowPictures.h"
#include "host/forms/Picture.h"
#include "tests/support/HeadlessTest.h"

namespace {

struct Size {
    int width = 0, height = 0;
    bool operator==(const Size&) const = default;
};

// The pixel size of an image file, {0, 0} when it cannot be read.
Size ImageSize(const std::filesystem::path& file) {
    GDALAllRegister();
    std::unique_ptr<GDALDataset> dataset(GDALDataset::Open(file.string().c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY));
    if (!dataset) return {};
    return {dataset->GetRasterXSize(), dataset->GetRasterYSize()};
}

int Pixels(long twips) { return static_cast<int>(twips / host::TwipsPerPixel); }

TEST(WindowPictures, EveryPictureButtonAndImageFindsAFileOfTheSizeItsControlNeeds) {
    auto main = host::New<frmMain>();
    auto help = host::New<frmHelp>();
    const auto whole = [](const host::Control& c) { return Size{Pixels(c.Width()), Pixels(c.Height())}; };
    const auto icon = [](const host::Control& c) { return Size{Pixels(c.Width()) - 4, Pixels(c.Height()) - 4}; };
    std::size_t checked = 0;
    const auto check = [&](const host::Form& form, const host::Control& control, Size size) {
        ++checked;
        const auto* button = dynamic_cast<const host::CommandButton*>(&control);
        const host::Picture& picture = button ? button->Picture() : dynamic_cast<const host::Image&>(control).Picture();
        EXPECT_EQ(picture.File(), WindowPictureFile(form, control)) << control.Name();
        EXPECT_EQ(ImageSize(picture.Locate()), size) << picture.File() << " missing or of another size";
    };
    // Captioned buttons show a face of their own size, the two without a caption an icon.
    for (const host::CommandButton* button : {&main->Command3, &main->btnBufferSelected, &main->Command4,
                                              &main->Command1, &main->Command8, &main->Command11, &main->Command14})
        check(*main, *button, whole(*button));
    check(*main, main->Command15, icon(main->Command15));
    check(*main, main->Command13, icon(main->Command13));
    check(*main, main->Image2, Size{120, 50});
    check(*help, help->imgPage, Size{733, 533});
    // A picture button added to a window without a picture drawn for it shows up here.
    std::size_t pictured = 0;
    for (const host::Form* form :
         {static_cast<const host::Form*>(main.raw()), static_cast<const host::Form*>(help.raw())})
        for (const host::Control* control : form->Controls()) {
            const auto* button = dynamic_cast<const host::CommandButton*>(control);
            pictured += (button != nullptr && button->IsPictureButton()) || dynamic_cast<const host::Image*>(control);
        }
    EXPECT_EQ(pictured, checked);
    // The page is drawn at its own size under the window's other controls.
    EXPECT_FALSE(help->imgPage.Stretch());
    ASSERT_FALSE(help->Controls().empty());
    EXPECT_EQ(help->Controls().front(), &help->imgPage);
}

class PictureFolders : public support::HeadlessTest {};

TEST_F(PictureFolders, NamedPicturesAreFoundInThePictureFoldersAndPathsAsTheyAre) {
    const std::filesystem::path folder = TempRoot() / "pictures";
    std::filesystem::create_directories(folder);
    WriteBytes(folder / "only-here.png", "x");
    WriteBytes(TempRoot() / "loose.png", "x");
    for (int twice = 0; twice < 2; ++twice) host::Picture::AddFolder(folder);
    EXPECT_EQ(std::ranges::count(host::Picture::Folders(), folder), 1) << "a folder is added once only";

    struct Case {
        host::Picture picture;
        std::filesystem::path found;
    };
    const Case cases[] = {
        {host::Picture::FromFile("only-here.png"), folder / "only-here.png"},
        {host::Picture::FromFile("missing.png"), {}},
        {host::Picture::FromFile((TempRoot() / "loose.png").string()), TempRoot() / "loose.png"},
        // A path names its folder: the picture folders are not searched for it.
        {host::Picture::FromFile((TempRoot() / "elsewhere" / "only-here.png").string()), {}},
        {host::Picture::FromFile(folder.string()), {}},  // a folder is no picture
        {host::Picture(), {}},
    };
    for (const Case& c : cases) EXPECT_EQ(c.picture.Locate(), c.found) << c.picture.File();
}

}  // namespace
