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

std::uint32_t Read16(const std::string& bytes, std::size_t at) {
    return static_cast<unsigned char>(bytes[at]) | (static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8);
}

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

TEST(WindowPictures, TheHandPointerIsAThirtyTwoPixelCursorWithItsHotSpotOnTheFingerTip) {
    auto help = host::New<frmHelp>();
    for (const host::Label* link : {&help->Label2, &help->Label3, &help->Label4, &help->Label6}) {
        EXPECT_EQ(link->MousePointer(), host::pointer::Custom);
        EXPECT_EQ(link->MouseIcon().File(), host::Screen::Instance().MouseIcon());
    }
    const std::filesystem::path file = help->Label2.MouseIcon().Locate();
    ASSERT_FALSE(file.empty());
    std::ifstream in(file, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // Header, one entry, a bitmap header, two colours and two 32 by 32 masks of one bit.
    ASSERT_EQ(bytes.size(), 6u + 16u + 40u + 8u + 2u * 128u);
    EXPECT_EQ(Read16(bytes, 2), 2u);  // a cursor
    EXPECT_EQ(Read16(bytes, 4), 1u);  // one picture
    EXPECT_EQ(static_cast<unsigned char>(bytes[6]), 32u);
    EXPECT_EQ(static_cast<unsigned char>(bytes[7]), 32u);
    const std::uint32_t hotX = Read16(bytes, 10);
    const std::uint32_t hotY = Read16(bytes, 12);
    EXPECT_EQ(hotX, 10u);
    EXPECT_EQ(hotY, 10u);

    // Masks run from the bottom row; a set transparency bit lets the screen through.
    const std::size_t colours = 6 + 16 + 40 + 8;
    const std::size_t transparency = colours + 128;
    const auto bit = [&](std::size_t mask, std::uint32_t x, std::uint32_t y) {
        const std::size_t at = mask + (31 - y) * 4 + x / 8;
        return (static_cast<unsigned char>(bytes[at]) & (0x80 >> (x % 8))) != 0;
    };
    int black = 0, white = 0, clear = 0;
    for (std::uint32_t y = 0; y < 32; ++y)
        for (std::uint32_t x = 0; x < 32; ++x) {
            if (bit(transparency, x, y))
                ++clear;
            else if (bit(colours, x, y))
                ++white;
            else
                ++black;
        }
    EXPECT_GT(black, 0);
    EXPECT_GT(white, 0);
    EXPECT_GT(clear, 32 * 32 / 2);
    // The hot spot is drawn, and nothing of the hand lies above or left of the finger tip.
    EXPECT_FALSE(bit(transparency, hotX, hotY));
    for (std::uint32_t y = 0; y < hotY; ++y)
        for (std::uint32_t x = 0; x < 32; ++x) EXPECT_TRUE(bit(transparency, x, y)) << x << "," << y;
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
