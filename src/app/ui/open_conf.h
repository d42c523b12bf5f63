#pragma once
// Step 1, "Open Configuration": picks one of the project folders.
#include <QLabel>
#include <QListWidget>
#include <string>
#include <vector>

#include "app/ui/ks_dialog.h"

namespace ks {

class TFOpenConf : public KsDialog {
    Q_OBJECT
public:
    TFOpenConf(AppState& st, Messages& msg, QWidget* parent = nullptr);
    void Set_Lang() override;

    // Refills SL from the PROJECTS folder.
    void Load_Existing_Configuration();
    int Search_Open_Conf(const std::string& name) const;

    std::vector<std::string> SL;  // folder names found at the last showing
    std::string Name_Conf;        // what OK opens

    QLabel* Label1;
    QListWidget* ListBox1;

protected:
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void FormShow();
};

} // namespace ks
