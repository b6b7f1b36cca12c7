#pragma once

#include <QFrame>
#include <QRect>

namespace lumora {

// A sunken frame drawn around a button, one pixel outside it on every side.
class Bevel : public QFrame {
    Q_OBJECT

public:
    Bevel(QWidget* parent, const QRect& buttonBounds);
};

}  // namespace lumora
