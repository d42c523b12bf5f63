#pragma once
// Helpers for the window tests (header only: the support library itself
// stays free of Qt).
#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <functional>

namespace ks::test {

// Runs `act` on the next modal window as soon as it is open; returns a flag
// that tells afterwards whether one appeared. Use before the click that
// opens the window.
inline std::shared_ptr<bool> On_Modal(std::function<void(QWidget*)> act, int give_up_ms = 5000) {
    auto seen = std::make_shared<bool>(false);
    auto poll = std::make_shared<std::function<void(int)>>();
    *poll = [=](int left) {
        if (QWidget* w = QApplication::activeModalWidget()) {
            *seen = true;
            act(w);
            return;
        }
        if (left > 0) QTimer::singleShot(10, [=] { (*poll)(left - 10); });
    };
    QTimer::singleShot(0, [=] { (*poll)(give_up_ms); });
    return seen;
}

// Closes the next modal dialog with Cancel (reject).
inline std::shared_ptr<bool> Reject_Next_Modal() {
    return On_Modal([](QWidget* w) {
        if (auto* d = qobject_cast<QDialog*>(w)) d->reject();
    });
}

} // namespace ks::test
