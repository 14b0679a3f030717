#include "tools/pictures/FormPainter.h"

#include <algorithm>
#include <string>
#include <vector>

#include "host/forms/CaptionedControl.h"
#include "host/forms/CheckBox.h"
#include "host/forms/CommandButton.h"
#include "host/forms/Control.h"
#include "host/forms/Form.h"
#include "host/forms/Frame.h"
#include "host/forms/Image.h"
#include "host/forms/Label.h"
#include "host/forms/ListControl.h"
#include "host/forms/OptionButton.h"
#include "host/forms/TextBox.h"
#include "tools/pictures/PixelFont.h"

namespace pictures {

namespace {

const Argb kButtonFace = Rgb(212, 208, 200);
const Argb kHighlight = Rgb(10, 36, 106);

// A colour of the forms (red in the lowest byte), or the fallback for the platform's own.
Argb FormColour(host::OleColor colour, Argb fallback) {
    if (colour == host::SystemDefault) return fallback;
    return Rgb(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
               static_cast<int>((colour >> 16) & 0xFF));
}

int ToPixels(long twips) { return static_cast<int>(twips / host::TwipsPerPixel); }

struct Box {
    int x, y, width, height;
};

// The control's place in the client area, and whether it and every frame around it show.
bool Placed(const host::Control& control, Box& box) {
    box = {ToPixels(control.Left()), ToPixels(control.Top()), ToPixels(control.Width()), ToPixels(control.Height())};
    if (!control.Visible()) return false;
    for (const host::Frame* frame = control.Container(); frame != nullptr; frame = frame->Container()) {
        if (!frame->Visible()) return false;
        box.x += ToPixels(frame->Left());
        box.y += ToPixels(frame->Top());
    }
    return true;
}

// Text lines inside a box: wrapped to its width, aligned, from its top.
void BoxText(Canvas& canvas, const Box& box, const std::string& text, Argb colour, const host::Font& font,
             host::Alignment alignment, int top) {
    int y = box.y + top;
    for (const std::string& line : WrapText(text, box.width, 1, font.bold)) {
        if (y + kGlyphHeight > box.y + box.height + 2) break;
        const int width = TextWidth(line, 1, font.bold);
        int x = box.x;
        if (alignment == host::Alignment::Center) x += (box.width - width) / 2;
        if (alignment == host::Alignment::Right) x += box.width - width;
        DrawText(canvas, x, y, line, colour, 1, font.bold);
        if (font.underline) canvas.FillRect(x, y + 8, width, 1, colour);
        y += kLineHeight;
    }
}

// A one-line text centred in the box's height.
void LineText(Canvas& canvas, int x, const Box& box, const std::string& text, Argb colour) {
    DrawText(canvas, x, box.y + (box.height - 7) / 2, text, colour);
}

void PaintFrame(Canvas& canvas, const host::Frame& frame, const Box& box) {
    const Argb back = FormColour(frame.BackColor(), kButtonFace);
    canvas.FillRect(box.x, box.y, box.width, box.height, back);
    if (frame.Caption().empty()) return;
    const int top = box.y + 5;
    canvas.FrameRect(box.x, top, box.width - 1, box.height - 6, Rgb(128, 128, 128));
    canvas.FrameRect(box.x + 1, top + 1, box.width - 1, box.height - 6, kWhite);
    const int width = TextWidth(frame.Caption(), 1, true);
    canvas.FillRect(box.x + 6, box.y, width + 4, 11, back);
    DrawText(canvas, box.x + 8, box.y + 1, frame.Caption(), FormColour(frame.ForeColor(), kBlack), 1, true);
}

void PaintButton(Canvas& canvas, const host::CommandButton& button, const Box& box, const PictureLookup& pictures) {
    const Canvas* picture = button.IsPictureButton() ? pictures(button.Picture().File()) : nullptr;
    canvas.FillRect(box.x, box.y, box.width, box.height, FormColour(button.BackColor(), kButtonFace));
    if (picture != nullptr)
        canvas.Draw(*picture, box.x + (box.width - picture->Width()) / 2, box.y + (box.height - picture->Height()) / 2);
    if (picture == nullptr || button.Caption().empty()) canvas.Bevel(box.x, box.y, box.width, box.height, false);
    const int width = TextWidth(button.Caption());
    LineText(canvas, box.x + (box.width - width) / 2, box, button.Caption(), FormColour(button.ForeColor(), kBlack));
}

void PaintList(Canvas& canvas, const host::ListControl& list, const Box& box, bool dropDown) {
    const Argb back = FormColour(list.BackColor(), kWhite);
    const Argb fore = FormColour(list.ForeColor(), kBlack);
    canvas.FillRect(box.x, box.y, box.width, box.height, back);
    canvas.Bevel(box.x, box.y, box.width, box.height, true);
    if (dropDown) {
        const Box arrow{box.x + box.width - 18, box.y + 2, 16, box.height - 4};
        canvas.FillRect(arrow.x, arrow.y, arrow.width, arrow.height, kButtonFace);
        canvas.Bevel(arrow.x, arrow.y, arrow.width, arrow.height, false);
        const int cx = arrow.x + arrow.width / 2;
        const int cy = arrow.y + arrow.height / 2 - 1;
        for (int i = 0; i < 4; ++i) canvas.FillRect(cx - 3 + i, cy + i, 7 - 2 * i, 1, kBlack);
        LineText(canvas, box.x + 4, box, list.Text(), fore);
        return;
    }
    const int row = kLineHeight + 2;
    for (long i = 0; i < list.ListCount(); ++i) {
        const int top = box.y + 2 + static_cast<int>(i) * row;
        if (top + row > box.y + box.height - 2) break;
        const bool chosen = i == list.ListIndex();
        if (chosen) canvas.FillRect(box.x + 2, top, box.width - 4, row, kHighlight);
        DrawText(canvas, box.x + 4, top + 3, list.List(i), chosen ? kWhite : fore);
    }
}

void PaintTick(Canvas& canvas, const host::Control& control, const Box& box, bool round, bool ticked,
               const std::string& caption) {
    canvas.FillRect(box.x, box.y, box.width, box.height, FormColour(control.BackColor(), kButtonFace));
    const int top = box.y + (box.height - 13) / 2;
    if (round) {
        canvas.FillCircle(box.x + 6.5, top + 6.5, 6.0, Rgb(128, 128, 128));
        canvas.FillCircle(box.x + 6.5, top + 6.5, 5.0, kWhite);
        if (ticked) canvas.FillCircle(box.x + 6.5, top + 6.5, 2.0, kBlack);
    } else {
        canvas.FillRect(box.x, top, 13, 13, kWhite);
        canvas.Bevel(box.x, top, 13, 13, true);
        if (ticked)
            for (int i = 0; i < 3; ++i) {
                canvas.Line(box.x + 3, top + 5 + i, box.x + 5, top + 7 + i, kBlack);
                canvas.Line(box.x + 5, top + 7 + i, box.x + 9, top + 3 + i, kBlack);
            }
    }
    const int lines = static_cast<int>(WrapText(caption, box.width - 17).size());
    const Box text{box.x + 17, box.y, box.width - 17, box.height};
    BoxText(canvas, text, caption, FormColour(control.ForeColor(), kBlack), control.Font(), host::Alignment::Left,
            (box.height - (lines * kLineHeight - 4)) / 2);
}

void PaintControl(Canvas& canvas, const host::Control& control, const Box& box, const PictureLookup& pictures) {
    if (const auto* frame = dynamic_cast<const host::Frame*>(&control)) {
        PaintFrame(canvas, *frame, box);
    } else if (const auto* button = dynamic_cast<const host::CommandButton*>(&control)) {
        PaintButton(canvas, *button, box, pictures);
    } else if (const auto* label = dynamic_cast<const host::Label*>(&control)) {
        if (label->BackColor() != host::SystemDefault)
            canvas.FillRect(box.x, box.y, box.width, box.height, FormColour(label->BackColor(), kButtonFace));
        BoxText(canvas, box, label->Caption(), FormColour(label->ForeColor(), kBlack), label->Font(),
                label->Alignment(), 2);
    } else if (const auto* text = dynamic_cast<const host::TextBox*>(&control)) {
        canvas.FillRect(box.x, box.y, box.width, box.height, FormColour(text->BackColor(), kWhite));
        canvas.Bevel(box.x, box.y, box.width, box.height, true);
        LineText(canvas, box.x + 4, box, text->Text(), FormColour(text->ForeColor(), kBlack));
    } else if (const auto* list = dynamic_cast<const host::ListControl*>(&control)) {
        PaintList(canvas, *list, box, control.Kind() == "ComboBox");
    } else if (const auto* check = dynamic_cast<const host::CheckBox*>(&control)) {
        PaintTick(canvas, *check, box, false, check->Value() == 1, check->Caption());
    } else if (const auto* option = dynamic_cast<const host::OptionButton*>(&control)) {
        PaintTick(canvas, *option, box, true, option->Value(), option->Caption());
    } else if (const auto* image = dynamic_cast<const host::Image*>(&control)) {
        if (const Canvas* picture = pictures(image->Picture().File())) canvas.Draw(*picture, box.x, box.y);
    }
}

}  // namespace

Canvas PaintForm(const host::Form& form, const std::string& frameCaption, const PictureLookup& pictures) {
    Canvas client(ToPixels(form.Width()), ToPixels(form.Height()), FormColour(form.BackColor(), kButtonFace));
    for (const host::Control* control : form.Controls()) {
        Box box{};
        if (Placed(*control, box)) PaintControl(client, *control, box, pictures);
    }

    const int width = client.Width() + 2 * kFrameBorder;
    const int height = client.Height() + kTitleHeight + 2 * kFrameBorder;
    Canvas window(width, height, kButtonFace);
    window.Bevel(0, 0, width, height, false);
    window.VerticalGradient(kFrameBorder, kFrameBorder, width - 2 * kFrameBorder, kTitleHeight, Rgb(10, 36, 106),
                            Rgb(90, 126, 190));
    DrawText(window, kFrameBorder + 5, kFrameBorder + 5, frameCaption, kWhite, 1, true);
    // The close box.
    const Box close{width - kFrameBorder - 18, kFrameBorder + 2, 16, 14};
    window.FillRect(close.x, close.y, close.width, close.height, kButtonFace);
    window.Bevel(close.x, close.y, close.width, close.height, false);
    for (int i = 0; i < 2; ++i) {
        window.Line(close.x + 4 + i, close.y + 3, close.x + 10 + i, close.y + 9, kBlack);
        window.Line(close.x + 10 + i, close.y + 3, close.x + 4 + i, close.y + 9, kBlack);
    }
    window.Draw(client, kFrameBorder, kFrameBorder + kTitleHeight);
    return window;
}

}  // namespace pictures
