#pragma once
// The control model's colours, fonts, pictures and pointers as Qt shows them, and the
// conversions between twips, pixels and points that the front end needs.

#include <QColor>
#include <QCursor>
#include <QFont>
#include <QImage>
#include <QString>

#include <string>
#include <string_view>

#include "host/forms/Font.h"
#include "host/forms/OleColor.h"

namespace host {
class Picture;
}

namespace desktop {

// Twips (15 to a pixel) to whole pixels.
constexpr int TwipsToPixels(long twips) { return static_cast<int>(twips / 15); }

// Points (1/72 inch) to pixels on the platform's 96-dot-per-inch screen.
constexpr double PointsToPixels(double points) { return points * 96.0 / 72.0; }

inline QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::string ToStdString(const QString& text) { return text.toUtf8().toStdString(); }

// An invalid QColor for the platform's own colours (SystemDefault and the other system
// colour codes), so that the widget keeps its palette.
QColor ToQColor(host::OleColor color);

// The font in pixels of the 96-dot-per-inch screen the layouts were made for; the
// platform's dialog font "MS Sans Serif" becomes the application's general font.
QFont ToQFont(const host::Font& font);

// The picture's image: pixels held in memory, or the file found by Picture::Locate
// (images read once and kept). A null image when there is none or it cannot be read.
QImage PictureImage(const host::Picture& picture);

// The Qt pointer for one of the screen's pointer values (0 is the default arrow). The
// custom pointer (99) shows the icon when it can be read, with the hot spot a cursor file
// gives, else the pointing hand.
QCursor PointerCursor(int shape, const host::Picture& icon);

// The hot spot stored in a Windows cursor file's first entry; (0, 0) when the bytes are
// not a cursor file.
QPoint CursorHotSpot(const QByteArray& bytes);

}  // namespace desktop
