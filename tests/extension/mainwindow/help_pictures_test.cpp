// The windows' pictures: every picture button and image finds its file, each file has the
// size its control needs, the hand pointer is a proper cursor, and named pictures are found
// in the picture folders.
#include <gdal_priv.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "extension/mainwindow/frmHelp.h"
#include "extension/mainwindow/frmMain.h"
#include "extension/resources/WindowPictures.h"
#include "host/forms/Picture.h"
#include "host/platform/Screen.h"
#include "tests/support/HeadlessTest.h"

namespace {

struct Size {
    int width = 0;
    int height = 0;
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
    struct Case {
        const host::Form* form;
        const host::Control* control;
        Size size;
    };
    const auto whole = [](const host::Control& c) { return Size{Pixels(c.Width()), Pixels(c.Height())}; };
    const auto icon = [](const host::Control& c) { return Size{Pixels(c.Width()) - 4, Pixels(c.Height()) - 4}; };
    // Captioned buttons show a face of their own size, the two without a caption an icon.
    const std::vector<Case> cases = {
        {main.raw(), &main->Command3, whole(main->Command3)},
        {main.raw(), &main->btnBufferSelected, whole(main->btnBufferSelected)},
        {main.raw(), &main->Command4, whole(main->Command4)},
        {main.raw(), &main->Command1, whole(main->Command1)},
        {main.raw(), &main->Command8, whole(main->Command8)},
        {main.raw(), &main->Command11, whole(main->Command11)},
        {main.raw(), &main->Command14, whole(main->Command14)},
        {main.raw(), &main->Command15, icon(main->Command15)},
        {main.raw(), &main->Command13, icon(main->Command13)},
        {main.raw(), &main->Image2, Size{120, 50}},
        {help.raw(), &help->imgPage, Size{733, 533}},
    };
    std::size_t pictured = 0;
    for (const host::Form* form : {static_cast<const host::Form*>(main.raw()), static_cast<const host::Form*>(help.raw())})
        for (const host::Control* control : form->Controls()) {
            const auto* button = dynamic_cast<const host::CommandButton*>(control);
            if ((button != nullptr && button->IsPictureButton()) || dynamic_cast<const host::Image*>(control) != nullptr)
                ++pictured;
        }
    // A picture button added to a window without a picture drawn for it shows up here.
    EXPECT_EQ(pictured, cases.size());

    for (const Case& c : cases) {
        SCOPED_TRACE(c.control->Name());
        const auto* button = dynamic_cast<const host::CommandButton*>(c.control);
        const auto* image = dynamic_cast<const host::Image*>(c.control);
        const host::Picture& picture = button != nullptr ? button->Picture() : image->Picture();
        EXPECT_EQ(picture.File(), WindowPictureFile(*c.form, *c.control));
        const std::filesystem::path file = picture.Locate();
        ASSERT_FALSE(file.empty()) << picture.File() << " is not in the picture folders";
        EXPECT_EQ(ImageSize(file), c.size);
    }
    // The page is drawn at its own size under the window's other controls.
    EXPECT_FALSE(help->imgPage.Stretch());
    EXPECT_EQ(help->Controls().front(), &help->imgPage);
}

class PictureFolders : public support::HeadlessTest {};

TEST_F(PictureFolders, NamedPicturesAreFoundInThePictureFoldersAndPathsAsTheyAre) {
    const std::filesystem::path folder = TempRoot() / "pictures";
    std::filesystem::create_directories(folder);
    WriteBytes(folder / "only-here.png", "x");
    WriteBytes(TempRoot() / "loose.png", "x");
    host::Picture::AddFolder(folder);
    host::Picture::AddFolder(folder);  // once only
    const auto folders = host::Picture::Folders();
    EXPECT_EQ(std::count(folders.begin(), folders.end(), folder), 1);

    struct Case {
        host::Picture picture;
        std::filesystem::path found;
    };
    const Case cases[] = {
        {host::Picture::FromFile("only-here.png"), folder / "only-here.png"},
        {host::Picture::FromFile("missing.png"), {}},
        {host::Picture::FromFile((TempRoot() / "loose.png").string()), TempRoot() / "loose.png"},
        {host::Picture::FromFile((TempRoot() / "gone.png").string()), {}},
        // A path names its folder: the picture folders are not searched for it.
        {host::Picture::FromFile((TempRoot() / "elsewhere" / "only-here.png").string()), {}},
        {host::Picture::FromFile(folder.string()), {}},  // a folder is no picture
        {host::Picture::FromFile(""), {}},
        {host::Picture::FromPixels(1, 1, {0}), {}},
        {host::Picture(), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.picture.File());
        EXPECT_EQ(c.picture.Locate(), c.found);
    }
}

}  // namespace
