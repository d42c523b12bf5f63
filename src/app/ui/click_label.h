#pragma once
// A label that reports clicks: web-address labels and picture slots.
#include <QLabel>
#include <QMouseEvent>

namespace ks {

class ClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickLabel(QWidget* parent = nullptr) : QLabel(parent) {}
    explicit ClickLabel(const QString& text, QWidget* parent = nullptr) : QLabel(text, parent) {}

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton) pressed_ = true;
        QLabel::mousePressEvent(e);
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        const bool was = pressed_;
        pressed_ = false;
        QLabel::mouseReleaseEvent(e);
        if (was && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) emit clicked();
    }

private:
    bool pressed_ = false;
};

} // namespace ks
