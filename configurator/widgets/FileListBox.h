#pragma once

#include <QListWidget>
#include <QString>
#include <QStringList>
#include <vector>

namespace lumora {

// The files of one folder that match a mask such as "*.bmp;*.jpg" (letter case ignored), sorted
// by name as a file list shows them. Several files can be selected.
class FileListBox : public QListWidget {
    Q_OBJECT

public:
    explicit FileListBox(QWidget* parent = nullptr);

    void SetMask(const QString& mask);
    // Shows the files of the folder (an unreadable folder shows none).
    void SetDirectory(const QString& directory);
    void Refresh();

    const QString& Directory() const { return directory_; }
    QString NameAt(int index) const;
    // The full path of the current file; empty when there is none.
    QString FileName() const;
    std::vector<int> SelectedIndices() const;

private:
    QString directory_;
    QStringList patterns_;
};

}  // namespace lumora
