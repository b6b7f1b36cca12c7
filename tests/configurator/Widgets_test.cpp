// The stand-ins for the component library's controls, on their own.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "configurator/widgets/DirectoryListBox.h"
#include "configurator/widgets/DriveComboBox.h"
#include "configurator/widgets/FileListBox.h"
#include "configurator/widgets/ReportListView.h"
#include "configurator/widgets/SpeedButtonGroup.h"
#include "tests/support/TempPrefix.h"

namespace lumora {
namespace {

namespace fs = std::filesystem;

QString Q(const fs::path& path) {
    return QString::fromStdString(path.string());
}

TEST(SpeedButtonGroup, AtMostOneDownAndAllMayBeUp) {
    QWidget window;
    SpeedButtonGroup group;
    QPushButton a("a", &window), b("b", &window), c("c", &window);
    for (QPushButton* button : {&a, &b, &c}) {
        group.Add(button);
    }
    EXPECT_EQ(group.Down(), nullptr);
    QTest::mouseClick(&a, Qt::LeftButton);
    EXPECT_EQ(group.Down(), &a);
    QTest::mouseClick(&b, Qt::LeftButton);
    EXPECT_EQ(group.Down(), &b);
    EXPECT_FALSE(a.isChecked());
    QTest::mouseClick(&b, Qt::LeftButton);  // the button that is down goes up
    EXPECT_EQ(group.Down(), nullptr);
}

TEST(FileListBox, MaskIgnoresCaseSortsByNameAndSelectsSeveral) {
    test::ScopedTempDir folder;
    for (const char* name : {"b.JPG", "A.bmp", "c.Bmp", "notes.txt", "d.jpeg", "C.jpg"}) {
        test::WriteBytes(folder.Path() / name, "x");
    }
    fs::create_directory(folder.Path() / "sub.bmp");
    FileListBox files;
    files.SetMask("*.bmp;*.jpg");
    files.SetDirectory(Q(folder.Path()));
    ASSERT_EQ(files.count(), 4);
    EXPECT_EQ(files.NameAt(0), "A.bmp");
    EXPECT_EQ(files.NameAt(1), "b.JPG");
    EXPECT_TRUE(files.NameAt(2).compare("c.Bmp", Qt::CaseInsensitive) == 0);
    EXPECT_EQ(files.FileName(), "");
    files.setCurrentRow(1);
    EXPECT_EQ(files.FileName(), Q(folder.Path() / "b.JPG"));
    files.item(0)->setSelected(true);
    files.item(3)->setSelected(true);
    EXPECT_EQ(files.SelectedIndices(), (std::vector<int>{0, 1, 3}));
    EXPECT_EQ(files.selectionMode(), QAbstractItemView::ExtendedSelection);
}

TEST(DirectoryListBox, ShowsAncestorsThenSubfoldersAndEntersOnDoubleClick) {
    test::ScopedTempDir root;
    fs::create_directories(root.Path() / "here" / "Beta");
    fs::create_directories(root.Path() / "here" / "alpha");
    test::WriteBytes(root.Path() / "here" / "file.bmp", "x");
    DirectoryListBox folders;
    QString announced;
    QObject::connect(&folders, &DirectoryListBox::directoryChanged,
                     [&announced](const QString& path) { announced = path; });
    folders.SetDirectory(Q(root.Path() / "here"));
    EXPECT_EQ(announced, Q(root.Path() / "here"));
    ASSERT_GE(folders.count(), 4);
    EXPECT_EQ(folders.item(0)->text().trimmed(), "/");
    const int current = folders.currentRow();
    EXPECT_EQ(folders.item(current)->text().trimmed(), "here");
    ASSERT_EQ(folders.count(), current + 3);
    EXPECT_EQ(folders.item(current + 1)->text().trimmed(), "alpha");
    EXPECT_EQ(folders.item(current + 2)->text().trimmed(), "Beta");

    folders.resize(300, 400);
    folders.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&folders));
    const QPoint at = folders.visualItemRect(folders.item(current + 2)).center();
    QTest::mouseClick(folders.viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(folders.viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(folders.Directory(), Q(root.Path() / "here" / "Beta"));
    EXPECT_EQ(announced, folders.Directory());
    folders.setCurrentRow(0);
    QTest::keyClick(&folders, Qt::Key_Return);
    EXPECT_EQ(folders.Directory(), "/");
}

TEST(DriveComboBox, ListsTheRootAndHomeAndFindsTheDriveOfAFolder) {
    DriveComboBox drives;
    ASSERT_GE(drives.count(), 1);
    EXPECT_EQ(drives.itemData(0).toString(), "/");
    drives.SetDriveOf("/usr/share");
    EXPECT_EQ(drives.CurrentRoot(), "/");
}

// Counts the paints of a widget.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

TEST(ReportListView, RowsSubItemsSelectionAndOneRepaintPerBatch) {
    ReportListView list({{"Имя", 151}, {"Атр.", 33}, {"Тип", 45}, {"Размер", 88}});
    EXPECT_EQ(list.columnWidth(0), 151);
    EXPECT_EQ(list.columnWidth(3), 88);
    EXPECT_FALSE(list.isSortingEnabled());
    EXPECT_EQ(list.editTriggers(), QAbstractItemView::NoEditTriggers);
    list.resize(337, 217);
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));

    PaintCounter counter;
    list.viewport()->installEventFilter(&counter);
    list.BeginUpdate();
    for (int i = 0; i < 50; ++i) {
        const int row = list.AddRow(QString("p%1").arg(i));
        list.SetSubItems(row, {"C", "BMP", "0"});
        QApplication::processEvents();  // a bulk add lets messages run after each file
    }
    EXPECT_EQ(counter.paints, 0);
    list.EndUpdate();
    QApplication::processEvents();
    EXPECT_EQ(counter.paints, 1);

    EXPECT_EQ(list.RowCount(), 50);
    EXPECT_EQ(list.Caption(7), "p7");
    EXPECT_EQ(list.SubItem(7, 2), "0");
    list.topLevelItem(9)->setSelected(true);
    list.topLevelItem(2)->setSelected(true);
    EXPECT_EQ(list.SelectedRows(), (std::vector<int>{2, 9}));
    list.RemoveRow(2);
    EXPECT_EQ(list.RowCount(), 49);
    EXPECT_EQ(list.Caption(2), "p3");
}

}  // namespace
}  // namespace lumora
