#include "configurator/widgets/FlatToolBar.h"

#include <QFrame>
#include <QPainter>

namespace lumora {

FlatToolBar::FlatToolBar(QWidget* parent, QSize buttonSize)
    : QWidget(parent), buttonSize_(buttonSize) {}

QToolButton* FlatToolBar::AddButton(const QString& caption, int left) {
    auto* button = new QToolButton(this);
    button->setText(caption);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setGeometry(left, 0, buttonSize_.width(), buttonSize_.height());
    return button;
}

void FlatToolBar::AddSeparator(int left, int width) {
    auto* line = new QFrame(this);
    line->setFrameStyle(QFrame::VLine | QFrame::Sunken);
    line->setGeometry(left + width / 2 - 1, 2, 2, buttonSize_.height() - 4);
}

void FlatToolBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int bottom = height() - 2;
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(0, bottom, width(), bottom);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawLine(0, bottom + 1, width(), bottom + 1);
}

}  // namespace lumora
