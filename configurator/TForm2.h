#pragma once

#include <QWidget>

namespace lumora {

// The borderless full-screen window on which the full-screen view and the demonstration draw.
class TForm2 : public QWidget {
    Q_OBJECT

public:
    TForm2();
};

}  // namespace lumora
