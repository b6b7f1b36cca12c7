#pragma once

#include <QComboBox>
#include <QString>

namespace lumora {

// The drives a Linux file manager lists: the root, the home folder and the volumes mounted under
// /media, /mnt and /run/media. Choosing one announces its root folder.
class DriveComboBox : public QComboBox {
    Q_OBJECT

public:
    explicit DriveComboBox(QWidget* parent = nullptr);

    // Chooses the drive that holds the folder (the one with the longest matching root).
    void SetDriveOf(const QString& directory);
    QString CurrentRoot() const;

signals:
    void driveChanged(const QString& root);
};

}  // namespace lumora
