#pragma once

#include <QListWidget>
#include <QString>

namespace lumora {

// A folder list: the current folder's ancestors from the root down, the current folder, then its
// subfolders. Double-click or Enter on a folder makes it the current one.
class DirectoryListBox : public QListWidget {
    Q_OBJECT

public:
    explicit DirectoryListBox(QWidget* parent = nullptr);

    void SetDirectory(const QString& directory);
    const QString& Directory() const { return directory_; }

signals:
    void directoryChanged(const QString& directory);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void OpenItem(QListWidgetItem* item);

    QString directory_;
};

}  // namespace lumora
