#include "configurator/widgets/FramedFlatButton.h"

#include "configurator/widgets/Bevel.h"

namespace lumora {

QToolButton* FramedFlatButton(QWidget* parent, const QString& caption, const QRect& bounds) {
    auto* button = new QToolButton(parent);
    button->setText(caption);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setAutoRaise(true);
    button->setGeometry(bounds);
    new Bevel(parent, bounds);
    return button;
}

}  // namespace lumora
