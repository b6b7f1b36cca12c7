#include "configurator/TForm1.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QPalette>
#include <algorithm>
#include <chrono>
#include <optional>
#include <random>

#include "common/BmpReader.h"
#include "common/PictureSize.h"
#include "common/ScheduleLine.h"
#include "common/Settings.h"
#include "configurator/Fonts.h"
#include "configurator/Forms.h"
#include "configurator/QtText.h"
#include "configurator/TForm4.h"
#include "configurator/model/RotationActivation.h"
#include "configurator/widgets/Bevel.h"
#include "configurator/widgets/DirectoryListBox.h"
#include "configurator/widgets/DriveComboBox.h"
#include "configurator/widgets/ErrorBox.h"
#include "configurator/widgets/FileListBox.h"
#include "configurator/widgets/FlatToolBar.h"
#include "configurator/widgets/FramedFlatButton.h"
#include "configurator/widgets/PictureBox.h"
#include "configurator/widgets/ReportListView.h"
#include "configurator/widgets/SpeedButtonGroup.h"
#include "platform/Error.h"
#include "platform/Files.h"
#include "platform/TextEncoding.h"

namespace lumora {

namespace {

const QColor kLime(0x00, 0xff, 0x00);
const QColor kYellow(0xff, 0xff, 0x00);
const QColor kListSelection(0x00, 0x00, 0x80);

// Black lists with lime text, as the file browser and the picture list are drawn.
void PaintLimeOnBlack(QWidget* widget) {
    QPalette palette = widget->palette();
    for (const auto role : {QPalette::Base, QPalette::Window, QPalette::Button}) {
        palette.setColor(role, Qt::black);
    }
    for (const auto role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText}) {
        palette.setColor(role, kLime);
    }
    palette.setColor(QPalette::Highlight, kListSelection);
    palette.setColor(QPalette::HighlightedText, Qt::white);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QPushButton* PlacementButton(QWidget* parent, const QString& caption, const QRect& bounds) {
    auto* button = new QPushButton(caption, parent);
    button->setGeometry(bounds);
    button->setFocusPolicy(Qt::NoFocus);
    new Bevel(parent, bounds);
    return button;
}

// A menu item; items whose command is not there yet are shown disabled.
QAction* MenuItem(QMenu* menu, QWidget* owner, const QString& caption, const QKeySequence& keys) {
    QAction* action = menu->addAction(caption);
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WidgetShortcut);
    action->setEnabled(false);
    owner->addAction(action);
    return action;
}

}  // namespace

TForm1::TForm1() {
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(QString::fromUtf8(kUntitledWindowTitle));
    setFont(InterfaceFont(13));
    setFixedSize(702, 480);
    move(190, 118);
    CreateControls();
    CreateMenus();
    RunHandler(this, [this] { FormCreate(); });
}

TForm1::~TForm1() = default;

void TForm1::CreateControls() {
    auto* toolBar = new FlatToolBar(this, QSize(85, 24));
    toolBar->setGeometry(0, 0, 702, 26);
    sp1 = toolBar->AddButton("Включить", 0);
    sp2 = toolBar->AddButton("Выключить", 85);
    toolBar->AddSeparator(170, 8);
    ToolButton3 = toolBar->AddButton("Опции", 178);
    toolBar->AddSeparator(263, 8);
    ToolButton4 = toolBar->AddButton("Выход", 271);

    dir1 = new DirectoryListBox(this);
    dir1->setGeometry(8, 32, 230, 217);
    PaintLimeOnBlack(dir1);
    file1 = new FileListBox(this);
    file1->setGeometry(240, 32, 230, 217);
    file1->SetMask("*.bmp;*.jpg");
    PaintLimeOnBlack(file1);
    drive1 = new DriveComboBox(this);
    drive1->setGeometry(480, 32, 210, 22);
    PaintLimeOnBlack(drive1);
    connect(drive1, &DriveComboBox::driveChanged, dir1, &DirectoryListBox::SetDirectory);
    connect(dir1, &DirectoryListBox::directoryChanged, file1, &FileListBox::SetDirectory);
    connect(dir1, &DirectoryListBox::directoryChanged, drive1, &DriveComboBox::SetDriveOf);
    dir1->SetDirectory(QDir::currentPath());

    image1 = new PictureBox(this);
    image1->setGeometry(480, 62, 210, 158);
    image1->setEnabled(false);
    Label2 = new QLabel(this);
    Label2->setGeometry(480, 232, 210, 17);
    Label2->setAlignment(Qt::AlignCenter);
    Label2->setFont(InterfaceFont(11));
    PaintLimeOnBlack(Label2);
    QPalette infoPalette = Label2->palette();
    infoPalette.setColor(QPalette::WindowText, kYellow);
    Label2->setPalette(infoPalette);

    List1 = new ReportListView({{"Имя", 151}, {"Атр.", 33}, {"Тип", 45}, {"Размер", 88}}, this);
    List1->setGeometry(8, 256, 337, 217);
    List1->setFont(InterfaceFont(11));
    PaintLimeOnBlack(List1);
    // The column captions stay on the window's own colours, as column headers are drawn.
    QPalette captions = List1->header()->palette();
    const QPalette standard = QApplication::palette();
    for (const auto role : {QPalette::Window, QPalette::Button, QPalette::Base, QPalette::Text,
                            QPalette::WindowText, QPalette::ButtonText}) {
        captions.setColor(role, standard.color(role));
    }
    List1->header()->setPalette(captions);

    Label1 = new QLabel("Атрибут размещения:", this);
    Label1->move(360, 273);
    Label1->adjustSize();
    Center = PlacementButton(this, "По центру", {360, 292, 106, 22});
    Tile = PlacementButton(this, "Рядом", {472, 292, 106, 22});
    Stretch = PlacementButton(this, "Растянуть", {584, 292, 106, 22});
    Best = PlacementButton(this, "Лучший вид", {360, 320, 330, 22});
    PlacementGroup = new SpeedButtonGroup(this);
    for (QPushButton* button : {Center, Tile, Stretch, Best}) {
        PlacementGroup->Add(button);
    }
    LoadButton = FramedFlatButton(this, "Загрузить", {360, 352, 145, 22});
    SaveButton = FramedFlatButton(this, "Сохранить", {360, 379, 145, 22});
    CleanButton = FramedFlatButton(this, "Очистить список", {512, 352, 178, 49});
    sp4 = FramedFlatButton(this, "Демонстрация", {360, 408, 330, 64});

    connect(sp1, &QToolButton::clicked, this, &TForm1::sp1Click);
    connect(sp2, &QToolButton::clicked, this, &TForm1::sp2Click);
    connect(ToolButton3, &QToolButton::clicked, this, &TForm1::ToolButton3Click);
    connect(ToolButton4, &QToolButton::clicked, this, &TForm1::ToolButton4Click);
    connect(file1, &QListWidget::itemDoubleClicked, this, &TForm1::file1DblClick);
}

void TForm1::CreateMenus() {
    Menu1 = new QMenu(this);
    Bitmap1 = MenuItem(Menu1, file1, "Конвертировать в Bitmap", QKeySequence("Ctrl+B"));
    Jpeg1 = MenuItem(Menu1, file1, "Конвертировать в Jpeg", QKeySequence("Ctrl+J"));
    N1 = MenuItem(Menu1, file1, "Удалить файл", QKeySequence(Qt::Key_Delete));
    N2 = MenuItem(Menu1, file1, "Добавить все", QKeySequence("Ctrl+Ins"));
    N3 = MenuItem(Menu1, file1, "Добавить выбранные", QKeySequence(Qt::Key_Insert));
    file1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(file1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { Menu1->popup(file1->viewport()->mapToGlobal(at)); });

    PopupMenu1 = new QMenu(this);
    N4 = MenuItem(PopupMenu1, List1, "Удалить текущую картинку", QKeySequence(Qt::Key_Delete));
    N5 = MenuItem(PopupMenu1, List1, "Удалить выбранные картинки", QKeySequence("Shift+Del"));
    N6 = MenuItem(PopupMenu1, List1, "Изменить путь к выбранным картинкам", QKeySequence());
    List1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(List1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu1->popup(List1->viewport()->mapToGlobal(at)); });
}

// Each step may fail; the failure ends start-up there and leaves what was done before.
void TForm1::FormCreate() {
    QCoreApplication::setApplicationName(QString::fromUtf8(kApplicationTitle));
    registry_ = OpenRegistry();
    startDirectory_ = std::filesystem::current_path();
    ReadDisplayResolutionInto(*registry_, target_);
    image1->SetPicture(ToQImage(ReadBmp(startDirectory_ / "pics" / "fon.bmp")));
    windowsDirectory_ = ReadWindowsDirectory(*registry_);
    const bool rotationOn = FileExists(StateFilePath(windowsDirectory_));
    sp2->setEnabled(rotationOn);
    sp1->setEnabled(!rotationOn);
}

Registry& TForm1::registry() {
    if (!registry_) {
        registry_ = OpenRegistry();
    }
    return *registry_;
}

EntryOptions TForm1::CurrentEntryOptions() const {
    EntryOptions options;
    if (Form4) {
        options.rule = Form4->Rule();
        options.showSize = Form4->ShowSize();
    }
    options.targetWidth = target_.width;
    return options;
}

void TForm1::AddPictureEntry(const std::string& path, const std::string& fallbackLetter) {
    if (!IsValidUtf8(path)) {
        throw Error("Файл \"" + DisplayableUtf8(path) +
                    "\" не добавлен: его имя записано не в кодировке UTF-8");
    }
    CheckPathFitsLineFormats(path);
    const EntryOptions options = CurrentEntryOptions();
    std::optional<PictureSize> size;
    if (EntryNeedsPictureSize(options)) {
        size = ReadPictureSize(PathFromUtf8(path));
    }
    const PictureEntryFields fields = DecideEntry(path, fallbackLetter, options, size);
    // Everything that can fail is done: the row and its path are added together. The room for the
    // path is made first, growing by doubling: reserving one more each time would move every
    // earlier path on every addition.
    if (paths_.size() == paths_.capacity()) {
        paths_.reserve(std::max<std::size_t>(16, 2 * paths_.size()));
    }
    const int row = List1->AddRow(ToQString(fields.caption));
    paths_.push_back(path);
    List1->SetSubItems(
        row, {ToQString(fields.letter), ToQString(fields.typeText), ToQString(fields.sizeText)});
}

void TForm1::file1DblClick() {
    RunHandler(this, [this] {
        const QString fileName = file1->FileName();
        if (fileName.isEmpty()) {
            return;
        }
        // A name that is not UTF-8 on disk arrives with replacement characters and names no file.
        if (fileName.contains(QChar::ReplacementCharacter) && !QFileInfo::exists(fileName)) {
            throw Error("Файл \"" + ToUtf8(fileName) +
                        "\" не добавлен: его имя записано не в кодировке UTF-8");
        }
        AddPictureEntry(ToUtf8(fileName), "");
    });
}

void TForm1::sp1Click() {
    RunHandler(this, [this] {
        std::vector<ScheduleSource> entries;
        entries.reserve(paths_.size());
        for (std::size_t i = 0; i < paths_.size(); ++i) {
            entries.push_back({paths_[i], ToUtf8(List1->SubItem(static_cast<int>(i), 0))});
        }
        std::mt19937 random(static_cast<std::mt19937::result_type>(
            std::chrono::system_clock::now().time_since_epoch().count()));
        const ActivationContext context{
            registry(), windowsDirectory_, startDirectory_, {target_.width, target_.height}};
        if (EnableRotation(entries, context, random)) {
            sp2->setEnabled(true);
            sp1->setEnabled(false);
        }
    });
}

void TForm1::sp2Click() {
    RunHandler(this, [this] {
        DisableRotation(
            {registry(), windowsDirectory_, startDirectory_, {target_.width, target_.height}});
        sp2->setEnabled(false);
        sp1->setEnabled(true);
    });
}

void TForm1::ToolButton3Click() {
    Form4->show();
    Form4->raise();
    Form4->activateWindow();
}

void TForm1::ToolButton4Click() {
    close();
}

}  // namespace lumora
