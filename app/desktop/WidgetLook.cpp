#include "app/desktop/WidgetLook.h"

#include <QFile>
#include <QFontDatabase>
#include <QHash>
#include <QPixmap>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "host/forms/Picture.h"

namespace desktop {

QColor ToQColor(host::OleColor color) {
    if ((color & 0xFF000000u) != 0) return {};
    return QColor(static_cast<int>(color & 0xFFu), static_cast<int>((color >> 8) & 0xFFu),
                  static_cast<int>((color >> 16) & 0xFFu));
}

namespace {

// The family that stands for the platform's dialog font: the first installed of those whose
// widths come closest to it, else the application's general font.
QString DialogFontFamily() {
    static const QString family = [] {
        for (const char* name : {"Microsoft Sans Serif", "MS Sans Serif", "Liberation Sans", "Arial", "Helvetica",
                                 "DejaVu Sans Condensed"})
            if (QFontDatabase::hasFamily(QString::fromLatin1(name))) return QString::fromLatin1(name);
        return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    }();
    return family;
}

}  // namespace

QFont ToQFont(const host::Font& font) {
    QFont result = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    const bool dialogFont = font.name.empty() || font.name == "MS Sans Serif";
    result.setFamily(dialogFont ? DialogFontFamily() : ToQString(font.name));
    result.setPixelSize(std::max(1, static_cast<int>(std::lround(PointsToPixels(font.size)))));
    result.setBold(font.bold);
    result.setItalic(font.italic);
    result.setUnderline(font.underline);
    return result;
}

namespace {

// Images read from files, by path; a file that cannot be read is remembered as a null image.
QHash<QString, QImage>& FileImages() {
    static QHash<QString, QImage> images;
    return images;
}

QString LocatedFile(const host::Picture& picture) {
    if (picture.File().empty()) return {};
    const std::filesystem::path file = picture.Locate();
    return file.empty() ? QString() : QString::fromStdString(file.string());
}

}  // namespace

QImage PictureImage(const host::Picture& picture) {
    if (picture.IsEmpty()) return {};
    if (picture.File().empty()) {
        QImage image(picture.Width(), picture.Height(), QImage::Format_RGB32);
        const auto& pixels = picture.Pixels();
        for (int y = 0; y < picture.Height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < picture.Width(); ++x)
                line[x] = 0xFF000000u | (pixels[static_cast<std::size_t>(y * picture.Width() + x)] & 0xFFFFFFu);
        }
        return image;
    }
    const QString path = LocatedFile(picture);
    if (path.isEmpty()) return {};
    auto& images = FileImages();
    auto it = images.find(path);
    if (it == images.end()) it = images.insert(path, QImage(path));
    return *it;
}

QPoint CursorHotSpot(const QByteArray& bytes) {
    // A cursor file: reserved (2 bytes), type 2 (2), count (2), then entries of 16 bytes
    // whose fifth and sixth words hold the hot spot.
    if (bytes.size() < 6 + 16) return {};
    const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
    if (qFromLittleEndian<quint16>(data) != 0 || qFromLittleEndian<quint16>(data + 2) != 2 ||
        qFromLittleEndian<quint16>(data + 4) == 0)
        return {};
    return QPoint(qFromLittleEndian<quint16>(data + 6 + 4), qFromLittleEndian<quint16>(data + 6 + 6));
}

QCursor PointerCursor(int shape, const host::Picture& icon) {
    switch (shape) {
    case 2: return Qt::CrossCursor;
    case 3: return Qt::IBeamCursor;
    case 5:
    case 15: return Qt::SizeAllCursor;
    case 6: return Qt::SizeBDiagCursor;
    case 7: return Qt::SizeVerCursor;
    case 8: return Qt::SizeFDiagCursor;
    case 9: return Qt::SizeHorCursor;
    case 10: return Qt::UpArrowCursor;
    case 11: return Qt::WaitCursor;
    case 12: return Qt::ForbiddenCursor;
    case 13: return Qt::BusyCursor;
    case 14: return Qt::WhatsThisCursor;
    case 99: {
        const QImage image = PictureImage(icon);
        if (image.isNull()) return Qt::PointingHandCursor;
        QPoint hotSpot;
        if (const QString path = LocatedFile(icon); !path.isEmpty()) {
            QFile file(path);
            if (file.open(QIODevice::ReadOnly)) hotSpot = CursorHotSpot(file.read(64));
        }
        return QCursor(QPixmap::fromImage(image), hotSpot.x(), hotSpot.y());
    }
    default: return Qt::ArrowCursor;
    }
}

}  // namespace desktop
