#include "app/ui/error_report.h"

#include <QMessageBox>
#include <exception>

namespace ks {

void Report_Error(const QString& text) {
    QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationDisplayName(), text,
                          QMessageBox::Ok);
}

bool Run_Guarded(const std::function<void()>& fn) {
    try {
        fn();
        return true;
    } catch (const std::exception& e) {
        Report_Error(QString::fromUtf8(e.what()));
    } catch (...) {
        Report_Error(QStringLiteral("Unknown error"));
    }
    return false;
}

bool Run_Guarded(Messages& msg, const std::function<void()>& fn) {
    try {
        fn();
        return true;
    } catch (const std::exception& e) {
        msg.Error(e.what());
    } catch (...) {
        msg.Error("Unknown error");
    }
    return false;
}

bool KsApplication::notify(QObject* receiver, QEvent* event) {
    // Every event passes here: no std::function, so no allocation per event.
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        Report_Error(QString::fromUtf8(e.what()));
    } catch (...) {
        Report_Error(QStringLiteral("Unknown error"));
    }
    return false;
}

} // namespace ks
