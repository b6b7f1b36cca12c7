#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QToolButton>
#include <QWidget>

#include "configurator/model/EntryRules.h"

namespace lumora {

// The options dialog: how new picture entries get their placement letter and size text. Not
// modal; its radio buttons and "show size" are read as they stand, while the main window's target
// resolution changes only when the dialog is accepted.
class TForm4 : public QWidget {
    Q_OBJECT

public:
    TForm4();

    QGroupBox* GroupBox1 = nullptr;
    QRadioButton* b1 = nullptr;
    QRadioButton* b3 = nullptr;
    QRadioButton* b4 = nullptr;
    QRadioButton* b5 = nullptr;
    QRadioButton* b2 = nullptr;
    QCheckBox* showsize = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* cb1 = nullptr;
    QToolButton* sp1 = nullptr;
    QToolButton* sp2 = nullptr;
    QToolButton* sp3 = nullptr;

    // The chosen radio button as a placement rule, and the "show size" tick.
    PlacementRule Rule() const;
    bool ShowSize() const { return showsize->isChecked(); }

    // Handlers.
    void FixedPlacementClick();       // b1, b3, b4
    void ResolutionPlacementClick();  // b2, b5
    void sp1Click();                  // "Принять"
    void sp2Click();                  // "Стандарт"
    void sp3Click();                  // "Отмена"
};

}  // namespace lumora
