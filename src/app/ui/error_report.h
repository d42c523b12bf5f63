#pragma once
// The program's general error report: an error escaping an event handler is
// shown in a modal box with its text, and the program goes on.
#include <QApplication>
#include <functional>

#include "core/messages.h"

namespace ks {

void Report_Error(const QString& text);

// Runs `fn`, reporting any exception through Report_Error. Returns false
// when an exception was reported.
bool Run_Guarded(const std::function<void()>& fn);
// The same, reporting through `msg` (a window's message channel, which tests
// can answer).
bool Run_Guarded(Messages& msg, const std::function<void()>& fn);

// The application object: catches exceptions that escape event handlers.
class KsApplication : public QApplication {
public:
    KsApplication(int& argc, char** argv) : QApplication(argc, argv) {}
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace ks
