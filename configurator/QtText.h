#pragma once

#include <QImage>
#include <QString>
#include <string>
#include <string_view>

#include "common/RasterBitmap.h"

namespace lumora {

// Text inside the system is UTF-8; Qt holds UTF-16.
QString ToQString(std::string_view utf8);
std::string ToUtf8(const QString& text);

// A copy of the bitmap as a 24-bit Qt image.
QImage ToQImage(const RasterBitmap& bitmap);

}  // namespace lumora
