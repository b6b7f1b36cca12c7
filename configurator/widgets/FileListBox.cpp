#include "configurator/widgets/FileListBox.h"

#include <QCollator>
#include <QDir>
#include <algorithm>

namespace lumora {

FileListBox::FileListBox(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
}

void FileListBox::SetMask(const QString& mask) {
    patterns_ = mask.split(';', Qt::SkipEmptyParts);
    Refresh();
}

void FileListBox::SetDirectory(const QString& directory) {
    directory_ = directory;
    Refresh();
}

void FileListBox::Refresh() {
    clear();
    if (directory_.isEmpty()) {
        return;
    }
    QDir folder(directory_);
    // Name filters compare without regard to letter case unless QDir::CaseSensitive is given.
    QStringList names = folder.entryList(patterns_, QDir::Files, QDir::NoSort);
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(false);
    std::sort(names.begin(), names.end(), [&collator](const QString& a, const QString& b) {
        return collator.compare(a, b) < 0;
    });
    addItems(names);
}

QString FileListBox::NameAt(int index) const {
    return item(index)->text();
}

QString FileListBox::FileName() const {
    const QListWidgetItem* current = currentItem();
    return current ? QDir(directory_).filePath(current->text()) : QString();
}

std::vector<int> FileListBox::SelectedIndices() const {
    std::vector<int> indices;
    for (int i = 0; i < count(); ++i) {
        if (item(i)->isSelected()) {
            indices.push_back(i);
        }
    }
    return indices;
}

}  // namespace lumora
