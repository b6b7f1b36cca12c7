#include "configurator/StartUp.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QScreen>
#include <QTranslator>
#include <string>

#include "common/Settings.h"
#include "platform/Registry.h"

namespace lumora {

void InstallRussianTranslation(QApplication& application, QTranslator& translator) {
    if (translator.load("qtbase_ru", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        application.installTranslator(&translator);
    }
}

void RefreshDisplayResolution() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) {
        return;
    }
    const QSize size = screen->size();
    const auto registry = OpenRegistry();
    registry->CreateKey(RegistryRoot::LocalMachine, kDisplaySettingsKey);
    registry->WriteString(RegistryRoot::LocalMachine, kDisplaySettingsKey, "Resolution",
                          std::to_string(size.width()) + "," + std::to_string(size.height()));
}

}  // namespace lumora
