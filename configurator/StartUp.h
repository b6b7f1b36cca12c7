#pragma once

class QApplication;
class QTranslator;

namespace lumora {

// Loads Qt's own Russian texts, so that standard dialogs and boxes speak the interface's language.
// The translator must live as long as the application.
void InstallRussianTranslation(QApplication& application, QTranslator& translator);

// Writes the primary screen's size as the display value "Resolution" ("W,H"), as the operating
// system keeps it current.
void RefreshDisplayResolution();

}  // namespace lumora
