#pragma once

#include <QString>
#include <QStringList>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "configurator/Forms.h"
#include "configurator/TForm1.h"
#include "configurator/TForm4.h"
#include "configurator/widgets/ErrorBox.h"
#include "platform/Registry.h"
#include "tests/support/TempPrefix.h"

namespace lumora::test {

// lumoset started in a temporary start directory (holding pics/fon.bmp) on a temporary prefix,
// with its error boxes recorded instead of shown.
class LumosetTest : public TempPrefixTest {
protected:
    LumosetTest();
    ~LumosetTest() override;

    // Creates the four windows (start-up runs) and shows the main window.
    void StartProgram();
    TForm1& Main() const { return *Form1; }
    TForm4& Options() const { return *Form4; }

    const std::filesystem::path& Start() const { return start_; }
    // A folder of pictures, shown in the main window's file list by StartProgram.
    std::filesystem::path Pictures() const { return start_ / "pictures"; }
    Registry& Reg() { return *registry_; }
    // Sets the display value "Resolution", or removes it.
    void SetDisplayValue(const std::optional<std::string>& value);

    // A .bmp of the given size in Pictures(); returns its full path.
    std::string Picture(const std::string& name, std::int32_t width, std::int32_t height);
    // Double-clicks the file's row in the main window's file list (re-read first).
    void DoubleClickFile(const std::string& name);
    void Click(QWidget* widget);

    // Row i of the picture list: caption, letter, type text, size text.
    QStringList Row(int i) const;
    int Rows() const;

    QStringList errors_;

private:
    std::filesystem::path savedDirectory_;
    std::filesystem::path start_;
    std::unique_ptr<Registry> registry_;
    ErrorSink savedSink_;
    std::optional<ProgramWindows> windows_;
};

}  // namespace lumora::test
