#pragma once
// Window-test helpers: answer the program's own modal message boxes (the
// general error report) and read their texts.
#include <QAbstractButton>
#include <QApplication>
#include <QPushButton>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>
#include <functional>

namespace ks::test {

// Runs `action`; every message box that shows meanwhile, or within
// `settle_ms` after it (for reports posted to the event loop), is closed with
// its default or OK button. Returns the texts of the boxes in order.
inline QStringList Answer_Message_Boxes(const std::function<void()>& action, int settle_ms = 50) {
    QStringList texts;
    auto close_boxes = [&texts] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(w);
            if (!box || !box->isVisible() || box->property("ks_answered").toBool()) continue;
            box->setProperty("ks_answered", true);
            texts << box->text();
            QAbstractButton* b = box->defaultButton();
            if (!b) b = box->button(QMessageBox::Ok);
            if (b)
                b->click();
            else
                box->reject();
        }
    };
    QTimer timer;
    timer.setInterval(5);
    QObject::connect(&timer, &QTimer::timeout, close_boxes);
    timer.start();
    action();
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < settle_ms) {
        QApplication::processEvents(QEventLoop::AllEvents, 5);
        close_boxes();
    }
    timer.stop();
    return texts;
}

}  // namespace ks::test
