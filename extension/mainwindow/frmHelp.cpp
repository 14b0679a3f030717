// frmHelp: layout, host frame, load and the four links.
#include "extension/mainwindow/frmHelp.h"

#include "extension/command/Corvane.h"
#include "extension/command/Globals.h"
#include "extension/resources/WindowPictures.h"
#include "extension/shared/ErrorHandling.h"
#include "host/core/ErrorTrap.h"
#include "host/platform/Shell.h"

namespace {

constexpr const char* kSource = "frmHelp";

const host::OleColor kWhite = host::Rgb(255, 255, 255);
const host::OleColor kLinkBlue = host::Rgb(0, 0, 192);
const host::OleColor kBlack = host::Rgb(0, 0, 0);

void Place(host::Control& control, long left, long top, long width, long height) {
    control.Move(host::Pixels(left), host::Pixels(top), host::Pixels(width), host::Pixels(height));
}

void LinkLabel(host::Label& label, const char* text, const char* tooltip, long left, long top, long width,
               long height) {
    label.SetCaption(text);
    label.SetToolTipText(tooltip);
    label.SetForeColor(kLinkBlue);
    label.SetBackColor(kWhite);
    host::Font font;
    font.size = 9.75;
    font.underline = true;
    label.SetFont(font);
    SetHandPointer(label);
    Place(label, left, top, width, height);
}

// The shell opens the target in the system's browser or mail program. A target it cannot
// open gives no message, and nothing of it leaves the click.
void OpenLink(const char* target) {
    host::ResumeNext([&] { host::ShellExecute("Open", target, "", "", 1); });
}

}  // namespace

frmHelp::frmHelp() : host::Form("frmHelp") {
    SetCaption("Corvane - Help");
    SetSize(host::Pixels(718), host::Pixels(503));
    SetBackColor(kWhite);

    Place(imgPage, 0, 0, 733, 533);
    SetWindowPictures(*this);

    Frame1.SetBackColor(kWhite);
    Place(Frame1, 132, 48, 333, 21);
    LinkLabel(Label2, kHelpWebText, "Click to visit us!", 0, 0, 153, 17);
    LinkLabel(Label3, kHelpMailText, "Click to email us!", 156, 0, 173, 17);
    LinkLabel(Label4, "Check for Updates", "Click to visit us!", 576, 28, 137, 17);
    LinkLabel(Label6, "Product Forum", "Visit the Tovalin Forum discussion for this tool", 604, 48, 109, 17);

    // Form_Load puts the version in.
    txtVersion.SetCaption("Version");
    txtVersion.SetForeColor(kBlack);
    txtVersion.SetBackColor(kWhite);
    Place(txtVersion, 664, 72, 45, 17);

    Label2.Click = [this] { Label2_Click(); };
    Label3.Click = [this] { Label3_Click(); };
    Label4.Click = [this] { Label4_Click(); };
    Label6.Click = [this] { Label6_Click(); };
}

host::Ref<host::HostFrame> frmHelp::Frame() {
    host::Ref<host::HostFrame> result;
    StandardErrorTrap("Frame ", kSource, [&] {
        if (!m_pFrame) {
            // Held before Create: a frame whose Create or Caption fails is still the frame.
            m_pFrame = host::New<host::HostFrame>();
            m_pFrame->Create(*this);
            m_pFrame->SetCaption(gProductName + " - Help");
        }
        result = m_pFrame;
    });
    return result;
}

void frmHelp::Form_Load() {
    StandardErrorTrap("Form_Load ", kSource, [&] { txtVersion.SetCaption(gVersion); });
}

void frmHelp::Label2_Click() { OpenLink(kMakerWebAddress); }
void frmHelp::Label3_Click() { OpenLink(kHelpMailTarget); }
void frmHelp::Label4_Click() { OpenLink(kHelpUpdatesTarget); }
void frmHelp::Label6_Click() { OpenLink(kHelpForumTarget); }
