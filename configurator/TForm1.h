#pragma once

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QWidget>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "configurator/model/EntryRules.h"
#include "configurator/model/TargetResolution.h"
#include "platform/Registry.h"

namespace lumora {

class DirectoryListBox;
class DriveComboBox;
class FileListBox;
class PictureBox;
class ReportListView;
class SpeedButtonGroup;

// The application's title: the task bar's name and the title of its error boxes.
inline constexpr char kApplicationTitle[] = "Lumora v4.5";
// The main window's title for a list without a list file.
inline constexpr char kUntitledWindowTitle[] = "Lumora v4.5 :: Без названия.iml";

// The main window: file browser, preview, picture list, placement and list buttons, toolbar.
// Its controls keep their designer names; its start-up prepares the state the other windows use.
class TForm1 : public QWidget {
    Q_OBJECT

public:
    TForm1();
    ~TForm1() override;

    // Toolbar.
    QToolButton* sp1 = nullptr;
    QToolButton* sp2 = nullptr;
    QToolButton* ToolButton3 = nullptr;
    QToolButton* ToolButton4 = nullptr;
    // File browser and preview.
    DirectoryListBox* dir1 = nullptr;
    FileListBox* file1 = nullptr;
    DriveComboBox* drive1 = nullptr;
    PictureBox* image1 = nullptr;
    QLabel* Label2 = nullptr;
    // Picture list and its buttons.
    ReportListView* List1 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* Center = nullptr;
    QPushButton* Tile = nullptr;
    QPushButton* Stretch = nullptr;
    QPushButton* Best = nullptr;
    QToolButton* LoadButton = nullptr;
    QToolButton* SaveButton = nullptr;
    QToolButton* CleanButton = nullptr;
    QToolButton* sp4 = nullptr;
    SpeedButtonGroup* PlacementGroup = nullptr;
    // Context menus of the file list and of the picture list.
    QMenu* Menu1 = nullptr;
    QAction* Bitmap1 = nullptr;
    QAction* Jpeg1 = nullptr;
    QAction* N1 = nullptr;
    QAction* N2 = nullptr;
    QAction* N3 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction* N4 = nullptr;
    QAction* N5 = nullptr;
    QAction* N6 = nullptr;

    // Appends one picture entry: a row of List1 and its path, its letter and size text decided by
    // the entry options. A path the list formats cannot hold is refused before anything changes;
    // an unreadable picture (when its size is needed) leaves the list as it was.
    void AddPictureEntry(const std::string& path, const std::string& fallbackLetter);

    // Shared state of the program's windows.
    const std::vector<std::string>& PathList() const { return paths_; }
    TargetResolution& Target() { return target_; }
    const std::filesystem::path& StartDirectory() const { return startDirectory_; }
    const std::string& WindowsDirectory() const { return windowsDirectory_; }
    // The registry accessor; opened again if start-up could not open it.
    Registry& registry();

    // Handlers.
    void file1DblClick();
    void sp1Click();
    void sp2Click();
    void ToolButton3Click();
    void ToolButton4Click();

private:
    void CreateControls();
    void CreateMenus();
    void FormCreate();
    EntryOptions CurrentEntryOptions() const;

    std::vector<std::string> paths_;
    std::unique_ptr<Registry> registry_;
    std::filesystem::path startDirectory_;
    TargetResolution target_;
    std::string windowsDirectory_;
};

}  // namespace lumora
