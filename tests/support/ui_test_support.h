#pragma once
// Helpers for the window tests (header only: the support library itself
// stays free of Qt).
#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <functional>

namespace ks::test {

// Acts on the next modal window as soon as it is open. Create it before the
// click that opens the window; it stops watching when it goes out of scope,
// so a window that never came cannot catch a later test's window.
class ModalWatch {
public:
    explicit ModalWatch(std::function<void(QWidget*)> act) : act_(std::move(act)) {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            QWidget* w = QApplication::activeModalWidget();
            if (!w || seen_) return;
            seen_ = true;
            timer_.stop();
            act_(w);
        });
        timer_.start();
    }
    ModalWatch(const ModalWatch&) = delete;
    ModalWatch& operator=(const ModalWatch&) = delete;

    // Whether a modal window appeared.
    bool Seen() const { return seen_; }

private:
    std::function<void(QWidget*)> act_;
    QTimer timer_;
    bool seen_ = false;
};

// Closes the next modal dialog with Cancel (reject).
class RejectNextModal : public ModalWatch {
public:
    RejectNextModal()
        : ModalWatch([](QWidget* w) {
              if (auto* d = qobject_cast<QDialog*>(w)) d->reject();
          }) {}
};

} // namespace ks::test
