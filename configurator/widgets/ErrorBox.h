#pragma once

#include <QString>
#include <exception>
#include <functional>
#include <string>
#include <utility>

class QWidget;

namespace lumora {

// How an error that ends a handler reaches the user. The program shows a critical message box
// titled with the application's title; tests put a recorder in its place.
using ErrorSink = std::function<void(QWidget* parent, const QString& text)>;

// Replaces the sink and returns the one it replaced (an empty sink means the message box).
ErrorSink SetErrorSink(ErrorSink sink);

// Shows the error's text through the current sink.
void ShowError(QWidget* parent, const std::string& text);

// Runs a handler; an error that escapes it is shown, and the program goes on.
template <class Handler>
void RunHandler(QWidget* parent, Handler&& handler) {
    try {
        std::forward<Handler>(handler)();
    } catch (const std::exception& error) {
        ShowError(parent, error.what());
    }
}

}  // namespace lumora
