// lumoset: the configuration program of the wallpaper rotation.
#include <QApplication>
#include <QTranslator>
#include <exception>

#include "configurator/Forms.h"
#include "configurator/StartUp.h"
#include "configurator/TForm1.h"
#include "configurator/widgets/ErrorBox.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setStyle("Fusion");
    QTranslator translator;
    lumora::InstallRussianTranslation(application, translator);
    lumora::RunHandler(nullptr, [] { lumora::RefreshDisplayResolution(); });
    try {
        lumora::ProgramWindows windows;
        lumora::Form1->show();
        QApplication::exec();
    } catch (const std::exception& error) {
        lumora::ShowError(nullptr, error.what());
    }
    return 0;
}
