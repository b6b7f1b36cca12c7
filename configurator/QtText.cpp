#include "configurator/QtText.h"

#include <cstring>

namespace lumora {

QString ToQString(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string ToUtf8(const QString& text) {
    return text.toStdString();
}

QImage ToQImage(const RasterBitmap& bitmap) {
    if (bitmap.Empty()) {
        return {};
    }
    // The bitmap's rows are blue, green, red; Qt's RGB888 is red, green, blue.
    QImage image(bitmap.Width(), bitmap.Height(), QImage::Format_BGR888);
    for (std::int32_t y = 0; y < bitmap.Height(); ++y) {
        std::memcpy(image.scanLine(y), bitmap.Row(y), bitmap.RowBytes());
    }
    return image;
}

}  // namespace lumora
