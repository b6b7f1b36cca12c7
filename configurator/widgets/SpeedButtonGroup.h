#pragma once

#include <QAbstractButton>
#include <QList>
#include <QObject>
#include <QPointer>

namespace lumora {

// Speed buttons that act as one set: at most one is down, and all may be up. Pressing a button
// down raises the others; clicking the button that is down raises it.
class SpeedButtonGroup : public QObject {
    Q_OBJECT

public:
    explicit SpeedButtonGroup(QObject* parent = nullptr);

    // The button is made checkable and joins the group.
    void Add(QAbstractButton* button);
    // The button that is down, or none.
    QAbstractButton* Down() const;

private:
    void OnToggled(QAbstractButton* button, bool down);

    QList<QPointer<QAbstractButton>> buttons_;
};

}  // namespace lumora
