#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

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
    const std::pair<const char*, const char*> cases[] = {
        // path, absolute form
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
    for (const auto& [in, out] : cases) EXPECT_EQ(drives.Absolute(in), out) << in;
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

    const std::pair<const char*, const char*> cases[] = {
        // native, drive path
        {"/data/c/Program Files/", "C:\\Program Files\\"},
        {"/data/c/inner/x.doc", "D:\\x.doc"},  // the closer folder wins
        {"/data/cc/x", "Z:\\data\\cc\\x"},     // not inside C: although the name starts alike
        {"/", "Z:\\"},
    };
    for (const auto& [native, windows] : cases) EXPECT_EQ(drives.ToWindows(native), windows) << native;

    drives.Unmap('Z');
    EXPECT_EQ(ErrorOf([&] { drives.ToWindows("/elsewhere"); }), 76);
}

TEST(DriveMap, CurrentFolderStaysOnAMappedDrive) {
    // Each step: "+X" maps X:, "-X" unmaps it, anything else becomes the current folder.
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{}, "C:\\"},                              // nothing mapped
        {{"+d"}, "D:\\"},                          // only D:
        {{"+E", "+D"}, "E:\\"},                    // the first mapped drive stays
        {{"+D", "+C", "-D"}, "C:\\"},              // C: among others
        {{"+C", "+F", "-C"}, "F:\\"},              // the current drive goes
        {{"+C", "C:\\Work", "+D"}, "C:\\Work\\"},  // a folder of a mapped drive is kept
    };
    for (const auto& [steps, current] : cases) {
        host::DriveMap drives;
        for (const std::string& step : steps) {
            if (step[0] == '+')
                drives.Map(step[1], "/" + step.substr(1));
            else if (step[0] == '-')
                drives.Unmap(step[1]);
            else
                drives.SetCurrentFolder(step);
        }
        EXPECT_EQ(drives.CurrentFolder(), current) << testing::PrintToString(steps);
    }
}

TEST(DriveMap, DefaultsFollowTheUserDataFolder) {
    const char* saved = std::getenv("XDG_DATA_HOME");
    const std::string keep = saved ? saved : "";
    setenv("XDG_DATA_HOME", "/xdg/data", 1);
    EXPECT_EQ(host::DriveMap::DefaultDriveC(), fs::path("/xdg/data/corvane/drive_c"));
    setenv("XDG_DATA_HOME", "relative/ignored", 1);
    EXPECT_NE(host::DriveMap::DefaultDriveC(), fs::path("relative/ignored/corvane/drive_c"));
    saved ? setenv("XDG_DATA_HOME", keep.c_str(), 1) : unsetenv("XDG_DATA_HOME");

    host::DriveMap drives;
    drives.UseDefaults();
    EXPECT_EQ(drives.Letters(), "CZ");
    EXPECT_EQ(drives.Folder('z'), fs::path("/"));
}

}  // namespace
