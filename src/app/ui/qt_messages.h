#pragma once
// Messages shown as modal boxes over a window.
#include <QPointer>
#include <QWidget>

#include "core/messages.h"

namespace ks {

class QtMessages : public Messages {
public:
    explicit QtMessages(QWidget* parent = nullptr) : parent_(parent) {}
    void Set_Parent(QWidget* parent) { parent_ = parent; }
    void Error(const std::string& text) override;
    void Info(const std::string& text) override;
    void Warning(const std::string& text) override;
    bool Confirm(const std::string& text) override;

private:
    QPointer<QWidget> parent_;
};

} // namespace ks
