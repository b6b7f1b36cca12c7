#pragma once

#include <QString>
#include <QToolButton>
#include <QWidget>

namespace lumora {

// A flat toolbar across the top of a window: text-only buttons and separators at fixed places,
// and a line along its bottom edge.
class FlatToolBar : public QWidget {
    Q_OBJECT

public:
    FlatToolBar(QWidget* parent, QSize buttonSize);

    QToolButton* AddButton(const QString& caption, int left);
    void AddSeparator(int left, int width);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QSize buttonSize_;
};

}  // namespace lumora
