#include <gtest/gtest.h>

#include <functional>

#include "host/platform/DriveMap.h"
#include "tests/support/ErrorOf.h"

namespace {

namespace fs = std::filesystem;
using support::ErrorOf;

host::DriveMap MapWith(const fs::path& c, const fs::path& d) {
    host::DriveMap drives;
    drives.Map('c', c);
    drives.Map('D', d);
    return drives;
}

TEST(DriveMap, AbsoluteFormOfDrivePaths) {
    host::DriveMap drives = MapWith("/data/c", "/data/d");
    drives.SetCurrentFolder("C:\\Work\\Here");
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {
        {"c:", "C:\\"},
        {"c:/Program Files/", "C:\\Program Files\\"},
        {"C:\\a\\\\b\\.\\c", "C:\\a\\b\\c"},
        {"C:\\a\\..\\..\\..\\b", "C:\\b"},               // ".." stops at the root
        {"D:\\Mixed\\CaSe.TXT", "D:\\Mixed\\CaSe.TXT"},  // case kept
        {"config", "C:\\Work\\Here\\config"},            // relative to the current folder
        {"\\rooted", "C:\\rooted"},
        {"C:name", "C:\\Work\\Here\\name"},  // the current drive's current folder
        {"D:name", "D:\\name"},              // another drive's root
    };
    for (const auto& c : cases) EXPECT_EQ(drives.Absolute(c.in), c.out) << c.in;
}

TEST(DriveMap, MalformedPathsRaise52AndUnmappedDrivesRaise76) {
    host::DriveMap drives = MapWith("/data/c", "/data/d");
    for (const char* path :
         {"", "\\\\server\\share\\x", "1:\\x", "C:\\a:b", "C:\\a|b", "C:\\what?", "C:\\in<out>", "C:\\tab\there"})
        EXPECT_EQ(ErrorOf([&] { drives.ToNative(path); }), 52) << path;
    EXPECT_EQ(ErrorOf([&] { drives.ToNative(std::string_view("C:\\nul\0x", 8)); }), 52);
    EXPECT_EQ(ErrorOf([&] { drives.ToNative("Q:\\x"); }), 76);
    EXPECT_EQ(ErrorOf([&] { drives.Map('1', "/x"); }), 5);
}

TEST(DriveMap, TranslatesBothWaysThroughTheClosestDrive) {
    host::DriveMap drives = MapWith("/data/c", "/data/c/inner");
    drives.Map('Z', "/");
    EXPECT_EQ(drives.ToNative("c:\\Program Files\\Tovalin\\config"), fs::path("/data/c/Program Files/Tovalin/config"));
    EXPECT_EQ(drives.ToNative("C:\\..\\..\\etc\\passwd"), fs::path("/data/c/etc/passwd"));

    struct Case {
        const char* native;
        const char* windows;
    } cases[] = {
        {"/data/c/Program Files/", "C:\\Program Files\\"},
        {"/data/c/inner/x.doc", "D:\\x.doc"},  // the closer folder wins
        {"/data/cc/x", "Z:\\data\\cc\\x"},     // not inside C: although the name starts alike
        {"/", "Z:\\"},
    };
    for (const auto& c : cases) EXPECT_EQ(drives.ToWindows(c.native), c.windows) << c.native;

    drives.Unmap('Z');
    EXPECT_EQ(ErrorOf([&] { drives.ToWindows("/elsewhere"); }), 76);
}

TEST(DriveMap, CurrentFolderStaysOnAMappedDrive) {
    struct Case {
        const char* what;
        std::function<void(host::DriveMap&)> change;
        const char* current;
    } cases[] = {
        {"nothing mapped", [](host::DriveMap&) {}, "C:\\"},
        {"only D:", [](host::DriveMap& m) { m.Map('d', "/d"); }, "D:\\"},
        {"E: then D:",
         [](host::DriveMap& m) {
             m.Map('E', "/e");
             m.Map('D', "/d");
         },
         "E:\\"},
        {"C: among others",
         [](host::DriveMap& m) {
             m.Map('D', "/d");
             m.Map('C', "/c");
             m.Unmap('D');
         },
         "C:\\"},
        {"the current drive goes",
         [](host::DriveMap& m) {
             m.Map('C', "/c");
             m.Map('F', "/f");
             m.Unmap('C');
         },
         "F:\\"},
        {"a folder of a mapped drive is kept",
         [](host::DriveMap& m) {
             m.Map('C', "/c");
             m.SetCurrentFolder("C:\\Work");
             m.Map('D', "/d");
         },
         "C:\\Work\\"},
    };
    for (const auto& c : cases) {
        host::DriveMap drives;
        c.change(drives);
        EXPECT_EQ(drives.CurrentFolder(), c.current) << c.what;
    }
}

TEST(DriveMap, DefaultsFollowTheUserDataFolder) {
    const char* saved = std::getenv("XDG_DATA_HOME");
    std::string keep = saved ? saved : "";
    setenv("XDG_DATA_HOME", "/xdg/data", 1);
    EXPECT_EQ(host::DriveMap::DefaultDriveC(), fs::path("/xdg/data/corvane/drive_c"));
    setenv("XDG_DATA_HOME", "relative/ignored", 1);
    EXPECT_NE(host::DriveMap::DefaultDriveC(), fs::path("relative/ignored/corvane/drive_c"));
    if (saved)
        setenv("XDG_DATA_HOME", keep.c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");

    host::DriveMap drives;
    drives.UseDefaults();
    EXPECT_EQ(drives.Letters(), "CZ");
    EXPECT_EQ(drives.Folder('z'), fs::path("/"));
}

}  // namespace
