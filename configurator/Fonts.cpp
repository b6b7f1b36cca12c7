#include "configurator/Fonts.h"

#include <QStringList>

namespace lumora {

QFont InterfaceFont(int pixelHeight) {
    QFont font;
    font.setFamilies(QStringList{"Liberation Sans", "DejaVu Sans", "Arial", "Sans Serif"});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelHeight);
    return font;
}

}  // namespace lumora
