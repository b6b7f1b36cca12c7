#include "configurator/widgets/Bevel.h"

namespace lumora {

Bevel::Bevel(QWidget* parent, const QRect& buttonBounds) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    setGeometry(buttonBounds.adjusted(-1, -1, 1, 1));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    lower();
}

}  // namespace lumora
