#pragma once

#include <QImage>
#include <QWidget>

namespace lumora {

// A picture control: shows its picture at the picture's own size from the top-left corner,
// neither stretched nor centred. Disabling it only makes it ignore clicks; the picture keeps its
// colours.
class PictureBox : public QWidget {
    Q_OBJECT

public:
    explicit PictureBox(QWidget* parent = nullptr);

    void SetPicture(QImage picture);
    const QImage& Picture() const { return picture_; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage picture_;
};

}  // namespace lumora
