#include "configurator/widgets/DriveComboBox.h"

#include <QDir>
#include <QSignalBlocker>
#include <QStorageInfo>

namespace lumora {

namespace {

bool IsRemovableMount(const QString& root) {
    return root.startsWith("/media/") || root.startsWith("/mnt/") || root.startsWith("/run/media/");
}

}  // namespace

DriveComboBox::DriveComboBox(QWidget* parent) : QComboBox(parent) {
    setEditable(false);
    addItem("/", QString("/"));
    const QString home = QDir::homePath();
    if (home != "/") {
        addItem(home, home);
    }
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        if (volume.isValid() && volume.isReady() && IsRemovableMount(root)) {
            const QString name = volume.displayName();
            addItem(name != root && !name.isEmpty() ? root + "  [" + name + "]" : root, root);
        }
    }
    connect(this, &QComboBox::activated, this, [this](int) { emit driveChanged(CurrentRoot()); });
}

void DriveComboBox::SetDriveOf(const QString& directory) {
    int best = 0;
    qsizetype bestLength = 0;
    for (int i = 0; i < count(); ++i) {
        const QString root = itemData(i).toString();
        const bool holds =
            directory == root || directory.startsWith(root.endsWith('/') ? root : root + '/');
        if (holds && root.size() > bestLength) {
            best = i;
            bestLength = root.size();
        }
    }
    const QSignalBlocker blocker(this);
    setCurrentIndex(best);
}

QString DriveComboBox::CurrentRoot() const {
    return currentData().toString();
}

}  // namespace lumora
