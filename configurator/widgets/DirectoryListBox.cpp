#include "configurator/widgets/DirectoryListBox.h"

#include <QCollator>
#include <QDir>
#include <QKeyEvent>
#include <QStyle>
#include <algorithm>

namespace lumora {

namespace {

constexpr int kPathRole = Qt::UserRole;

QString Indent(int level) {
    return QString(level * 2, QChar(' '));
}

}  // namespace

DirectoryListBox::DirectoryListBox(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
    connect(this, &QListWidget::itemDoubleClicked, this, &DirectoryListBox::OpenItem);
}

void DirectoryListBox::SetDirectory(const QString& directory) {
    const QDir current(directory);
    directory_ = QDir::cleanPath(current.absolutePath());
    clear();

    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);

    // The chain of folders from the root down to the current one.
    QStringList chain;
    for (QDir folder(directory_);;) {
        chain.prepend(folder.absolutePath());
        if (folder.isRoot() || !folder.cdUp()) {
            break;
        }
    }
    int level = 0;
    for (const QString& path : chain) {
        const QString name = QDir(path).isRoot() ? path : QDir(path).dirName();
        auto* item = new QListWidgetItem(openIcon, Indent(level) + name, this);
        item->setData(kPathRole, path);
        ++level;
    }
    QListWidgetItem* currentItem = item(count() - 1);

    QStringList subfolders = QDir(directory_).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(
        subfolders.begin(), subfolders.end(),
        [&collator](const QString& a, const QString& b) { return collator.compare(a, b) < 0; });
    for (const QString& name : subfolders) {
        auto* item = new QListWidgetItem(closedIcon, Indent(level) + name, this);
        item->setData(kPathRole, QDir(directory_).filePath(name));
    }
    setCurrentItem(currentItem);
    emit directoryChanged(directory_);
}

void DirectoryListBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        OpenItem(currentItem());
        return;
    }
    QListWidget::keyPressEvent(event);
}

void DirectoryListBox::OpenItem(QListWidgetItem* item) {
    if (item) {
        SetDirectory(item->data(kPathRole).toString());
    }
}

}  // namespace lumora
