#pragma once
// Step 1, "New Configuration": names and creates a project folder.
#include <QLabel>
#include <QLineEdit>

#include "app/ui/ks_dialog.h"

namespace ks {

class TFNew_Project : public KsDialog {
    Q_OBJECT
public:
    TFNew_Project(AppState& st, Messages& msg, QWidget* parent = nullptr);
    void Set_Lang() override;

    // Validates the typed name and creates the project; closes with OK only
    // when the project exists and is open.
    void Btn_OKClick();

    QLabel* Label1;
    QLineEdit* E_New_Proj;

protected:
    void showEvent(QShowEvent* e) override;
    void Layout_Buttons() override;
};

} // namespace ks
