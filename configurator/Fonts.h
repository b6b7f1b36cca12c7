#pragma once

#include <QFont>

namespace lumora {

// The interface's sans font with Cyrillic letters, at a character height in pixels: positions in
// the windows are in pixels, so the text is sized in pixels too.
QFont InterfaceFont(int pixelHeight);

}  // namespace lumora
