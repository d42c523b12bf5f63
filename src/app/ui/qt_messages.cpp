#include "app/ui/qt_messages.h"

#include <QApplication>
#include <QMessageBox>

namespace ks {

namespace {
QWidget* Owner(QWidget* w) { return w ? w : QApplication::activeWindow(); }
}  // namespace

void QtMessages::Error(const std::string& text) {
    QMessageBox::critical(Owner(parent_), QApplication::applicationDisplayName(), QString::fromStdString(text),
                          QMessageBox::Ok);
}

void QtMessages::Info(const std::string& text) {
    QMessageBox::information(Owner(parent_), QApplication::applicationDisplayName(),
                             QString::fromStdString(text), QMessageBox::Ok);
}

void QtMessages::Warning(const std::string& text) {
    QMessageBox::warning(Owner(parent_), QApplication::applicationDisplayName(), QString::fromStdString(text),
                         QMessageBox::Ok);
}

bool QtMessages::Confirm(const std::string& text) {
    return QMessageBox::question(Owner(parent_), QApplication::applicationDisplayName(),
                                 QString::fromStdString(text), QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

} // namespace ks
