#include "configurator/TForm2.h"

namespace lumora {

TForm2::TForm2() {
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_QuitOnClose, false);
    // The desktop's colour shows wherever the picture does not cover the window.
    QPalette desktop = palette();
    desktop.setColor(QPalette::Window, QColor(0x00, 0x80, 0x80));
    setPalette(desktop);
    setAutoFillBackground(true);
}

}  // namespace lumora
