#include "configurator/widgets/SpeedButtonGroup.h"

namespace lumora {

SpeedButtonGroup::SpeedButtonGroup(QObject* parent) : QObject(parent) {}

void SpeedButtonGroup::Add(QAbstractButton* button) {
    button->setCheckable(true);
    buttons_.append(button);
    connect(button, &QAbstractButton::toggled, this,
            [this, button](bool down) { OnToggled(button, down); });
}

QAbstractButton* SpeedButtonGroup::Down() const {
    for (const auto& button : buttons_) {
        if (button && button->isChecked()) {
            return button;
        }
    }
    return nullptr;
}

void SpeedButtonGroup::OnToggled(QAbstractButton* button, bool down) {
    if (!down) {
        return;
    }
    for (const auto& other : buttons_) {
        if (other && other != button && other->isChecked()) {
            other->setChecked(false);
        }
    }
}

}  // namespace lumora
