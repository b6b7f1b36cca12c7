#include "configurator/TForm5.h"

#include "configurator/Fonts.h"

namespace lumora {

TForm5::TForm5() {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint);
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle("Работа...");
    setFont(InterfaceFont(14));
    setFixedSize(353, 105);
    move(318, 351);

    g1 = new QProgressBar(this);
    g1->setGeometry(89, 10, 251, 55);
    g1->setRange(0, 100);
    g1->setValue(0);
    g1->setAlignment(Qt::AlignCenter);
    g1->setStyleSheet(
        "QProgressBar { background: black; color: white; border: 1px solid #808080; }"
        "QProgressBar::chunk { background: lime; }");

    // Stands in for the system's "searching for a computer" clip; it plays while pictures are
    // added.
    Animate1 = new QLabel(this);
    Animate1->setGeometry(10, 10, 59, 55);
    Animate1->setAlignment(Qt::AlignCenter);
    Animate1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Animate1->setText("…");

    Button1 = new QPushButton("Отменить!!!", this);
    Button1->setGeometry(10, 74, 331, 26);
}

}  // namespace lumora
