#pragma once
// The help window: one page of help as a picture, the version and four links to the maker's
// web site, mail address, product page and product forum. Every Help click of the main
// window makes a new one in its own modeless host frame; none of them changes the map, the
// shared state or a file.

#include "host/core/Ref.h"
#include "host/forms/Form.h"
#include "host/forms/Frame.h"
#include "host/forms/HostFrame.h"
#include "host/forms/Image.h"
#include "host/forms/Label.h"

// The links' targets and the addresses the labels show.
inline constexpr const char* kHelpWebText = "www.example.com/tovalin";
inline constexpr const char* kHelpMailText = "info@example.com";
inline constexpr const char* kHelpMailTarget = "mailto:info@example.com";
inline constexpr const char* kHelpUpdatesTarget = "https://www.example.com/tovalin/corvane/";
inline constexpr const char* kHelpForumTarget = "https://forum.example.com/tovalin/corvane/";

class frmHelp : public host::Form {
public:
    frmHelp();

    // The window's host frame, created (which loads the window) and captioned with the
    // product name and " - Help" on the first call; the same frame afterwards. No object
    // when it could not be created.
    host::Ref<host::HostFrame> Frame();

    // The page, 733 by 533 pixels, drawn unscaled from the top-left corner of the 718 by 503
    // client area, so its right and bottom edges are cut off. It lies under the controls.
    host::Image imgPage{*this, "imgPage"};
    // The contact line of the banner: the web and mail links on white.
    host::Frame Frame1{*this, "Frame1"};           // white strip holding the two links below
    host::Label Label2{*this, "Label2", &Frame1};  // web link, kHelpWebText
    host::Label Label3{*this, "Label3", &Frame1};  // mail link, kHelpMailText
    host::Label Label4{*this, "Label4"};           // "Check for Updates"
    host::Label Label6{*this, "Label6"};           // "Product Forum"
    host::Label txtVersion{*this, "txtVersion"};

    void Form_Load() override;
    void Label2_Click();
    void Label3_Click();
    void Label4_Click();
    void Label6_Click();

private:
    host::Ref<host::HostFrame> m_pFrame;
};
