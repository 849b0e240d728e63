// Decoding through Qt's image readers, limited to the formats the program
// shows; icons through the desktop's icon theme (the style's icons where the
// theme has none).

#include "platform/PictureDecode.h"

#include <QBuffer>
#include <QByteArray>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QPainter>

#include <cstring>
#include <iterator>
#include <limits>

namespace {

// The format by its first bytes; nullptr when it is none of ours.
const char* FormatOf(const std::uint8_t* d, std::size_t n)
{
    auto starts = [&](const char* magic, std::size_t len) { return n >= len && std::memcmp(d, magic, len) == 0; };
    if (starts("GIF8", 4)) return "gif";
    if (starts("\x89PNG\r\n\x1a\n", 8)) return "png";
    if (starts("\xFF\xD8\xFF", 3)) return "jpeg";
    if (starts("BM", 2)) return "bmp";
    if (starts("\0\0\1\0", 4)) return "ico";
    return nullptr;
}

}  // namespace

TPictureDecodeResult DecodePicture(const std::uint8_t* data, std::size_t size, TBitmap& Picture)
{
    Picture.SetSize(0, 0);
    if (!data || size == 0) return TPictureDecodeResult::InvalidFormat;
    const char* format = FormatOf(data, size);
    if (!format) return TPictureDecodeResult::InvalidFormat;
    if (size > std::size_t(std::numeric_limits<int>::max())) return TPictureDecodeResult::Failed;

    // The reader works on a copy: it must not outlive or reach past the
    // caller's bytes.
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setDecideFormatFromContent(false);
    reader.setAutoTransform(false);
    reader.setAllocationLimit(128);  // MiB
    const QSize announced = reader.size();
    if (announced.isValid() &&
        (announced.width() > MaxDecodedPictureSide || announced.height() > MaxDecodedPictureSide))
        return TPictureDecodeResult::Failed;
    QImage img;
    if (!reader.read(&img) || img.isNull()) return TPictureDecodeResult::Failed;
    if (img.width() > MaxDecodedPictureSide || img.height() > MaxDecodedPictureSide)
        return TPictureDecodeResult::Failed;
    Picture.SetPixelFormat(pf32bit);
    Picture.Image() = img.convertToFormat(QImage::Format_ARGB32);
    return TPictureDecodeResult::Decoded;
}

bool ShellIcon(const std::string& Text, bool Large, TBitmap& Icon)
{
    Icon.SetSize(0, 0);
    const int side = Large ? 32 : 16;
    QFileIconProvider provider;
    QIcon icon;
    int index = 0;
    if (TryStrToInt(Text, index)) {
        static const QAbstractFileIconProvider::IconType kTypes[] = {
            QAbstractFileIconProvider::Computer, QAbstractFileIconProvider::Desktop,
            QAbstractFileIconProvider::Trashcan, QAbstractFileIconProvider::Network,
            QAbstractFileIconProvider::Drive,    QAbstractFileIconProvider::Folder,
            QAbstractFileIconProvider::File,
        };
        if (index < 0 || index >= int(std::size(kTypes))) return false;
        icon = provider.icon(kTypes[index]);
    } else {
        const QString path = QString::fromUtf8(Text.data(), qsizetype(Text.size()));
        // A path that does not exist is asked for by its name alone (the
        // icon of its type), else the plain file icon.
        icon = provider.icon(QFileInfo(path));
        if (icon.isNull()) icon = provider.icon(QAbstractFileIconProvider::File);
    }
    if (icon.isNull()) return false;
    const QImage img = icon.pixmap(side, side).toImage();
    if (img.isNull()) return false;
    QImage sized(side, side, QImage::Format_ARGB32);
    sized.fill(Qt::transparent);
    {
        QPainter p(&sized);
        p.drawImage(QRect(0, 0, side, side), img);
    }
    Icon.SetPixelFormat(pf32bit);
    Icon.Image() = sized;
    return true;
}
