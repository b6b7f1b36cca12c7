#include "tests/configurator/LumosetTest.h"

#include <QTest>

#include "common/BmpWriter.h"
#include "common/Settings.h"
#include "configurator/widgets/FileListBox.h"
#include "configurator/widgets/ReportListView.h"
#include "tests/support/TestPictures.h"

namespace lumora::test {

namespace fs = std::filesystem;

LumosetTest::LumosetTest()
    : savedDirectory_(fs::current_path()), start_(Work() / "start"), registry_(OpenRegistry()) {
    fs::create_directories(start_ / "pics");
    fs::create_directories(Pictures());
    fs::copy_file(fs::path(LUMORA_BIN_DIR) / "pics" / "fon.bmp", start_ / "pics" / "fon.bmp");
    fs::current_path(start_);
    savedSink_ = SetErrorSink([this](QWidget*, const QString& text) { errors_.append(text); });
}

LumosetTest::~LumosetTest() {
    windows_.reset();
    SetErrorSink(savedSink_);
    fs::current_path(savedDirectory_);
}

void LumosetTest::StartProgram() {
    windows_.emplace();
    Form1->file1->SetDirectory(QString::fromStdString(Pictures().string()));
    Form1->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Form1));
}

void LumosetTest::SetDisplayValue(const std::optional<std::string>& value) {
    if (value) {
        registry_->WriteString(RegistryRoot::LocalMachine, kDisplaySettingsKey, "Resolution",
                               *value);
    } else {
        registry_->DeleteValue(RegistryRoot::LocalMachine, kDisplaySettingsKey, "Resolution");
    }
}

std::string LumosetTest::Picture(const std::string& name, std::int32_t width, std::int32_t height) {
    const fs::path path = Pictures() / name;
    WriteBmp(path, SolidBitmap(width, height, 40, 80, 120));
    return path.string();
}

void LumosetTest::DoubleClickFile(const std::string& name) {
    FileListBox& files = *Form1->file1;
    files.Refresh();
    const auto found = files.findItems(QString::fromStdString(name), Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << name;
    files.scrollToItem(found.front());
    const QPoint at = files.visualItemRect(found.front()).center();
    QTest::mouseClick(files.viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(files.viewport(), Qt::LeftButton, {}, at);
}

void LumosetTest::Click(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton);
}

QStringList LumosetTest::Row(int i) const {
    const ReportListView& list = *Form1->List1;
    return {list.Caption(i), list.SubItem(i, 0), list.SubItem(i, 1), list.SubItem(i, 2)};
}

int LumosetTest::Rows() const {
    return Form1->List1->RowCount();
}

}  // namespace lumora::test
