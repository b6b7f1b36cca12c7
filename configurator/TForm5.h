#pragma once

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QWidget>

namespace lumora {

// The progress dialog of adding many pictures: a gauge, an animation and a cancel button.
class TForm5 : public QWidget {
    Q_OBJECT

public:
    TForm5();

    QProgressBar* g1 = nullptr;
    QLabel* Animate1 = nullptr;
    QPushButton* Button1 = nullptr;
};

}  // namespace lumora
