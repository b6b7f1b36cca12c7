#pragma once

#include <QRect>
#include <QString>
#include <QToolButton>

namespace lumora {

// A flat, text-only button in its own sunken frame (a Bevel one pixel outside it), as the main
// window's list buttons and the options dialog's buttons are drawn. Owned by `parent`.
QToolButton* FramedFlatButton(QWidget* parent, const QString& caption, const QRect& bounds);

}  // namespace lumora
