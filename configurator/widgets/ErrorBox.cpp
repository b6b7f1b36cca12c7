#include "configurator/widgets/ErrorBox.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <utility>

namespace lumora {

namespace {

ErrorSink& CurrentSink() {
    static ErrorSink sink;
    return sink;
}

}  // namespace

ErrorSink SetErrorSink(ErrorSink sink) {
    return std::exchange(CurrentSink(), std::move(sink));
}

void ShowError(QWidget* parent, const std::string& text) {
    const QString message = QString::fromStdString(text);
    if (CurrentSink()) {
        CurrentSink()(parent, message);
        return;
    }
    QMessageBox::critical(parent, QCoreApplication::applicationName(), message);
}

}  // namespace lumora
