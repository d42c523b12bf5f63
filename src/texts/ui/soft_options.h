#pragma once
// The software options: language, internet options with the version check,
// and two behaviours of the table editors.
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <functional>
#include <string>
#include <vector>

#include "app/ui/ks_dialog.h"
#include "platform/ui/browser.h"

namespace ks {

class ClickLabel;
class VersionCheck;

class TFSoftOptions : public KsDialog {
    Q_OBJECT
public:
    static constexpr int Slots = 6;  // languages per page

    TFSoftOptions(AppState& st, Messages& msg, VersionCheck& check, QWidget* parent = nullptr);
    void Set_Lang() override;

    // Called after a language pick so that every window re-applies its texts.
    void Set_Language_Changed(std::function<void()> fn) { language_changed_ = std::move(fn); }
    // Called by OK to switch the main window's update-check timer.
    void Set_Timer_Rule(std::function<void()> fn) { timer_rule_ = std::move(fn); }
    void Set_Url_Opener(UrlOpener fn) { open_url_ = std::move(fn); }

    void Create_Lang_List();
    void Update_Lang_Page(int Num_Page);
    void Btn_NextClick(bool next);
    // Picks the language shown in slot `k` (1 to 6), after confirmation.
    void LangClick(int k);
    // The enabling rule of the connection options.
    void Update_CheckBox();
    void Btn_Check_UpdateClick();
    void Btn_OKClick();

    std::vector<std::string> SL_Languages;  // language file names, sorted
    int Show_Page = 1;
    std::string Language_In_Use;

    QTabWidget* PC_Options;
    QWidget* TS_Language;
    QLabel* L_Sel_Lang;
    ClickLabel* I_L[Slots];
    ClickLabel* L_L[Slots];
    QLabel* L_Page_Lang;
    QPushButton* Btn_Prev;
    QPushButton* Btn_Next;
    QWidget* TS_Con_Options;
    QCheckBox* CB_En_Con;
    QCheckBox* CB_Update;
    QPushButton* Btn_Check_Update;
    QLabel* LL_Check_Update;
    QWidget* TS_Soft_Settings;
    QCheckBox* CB_Soft_Set_Jump_Table;
    QCheckBox* CB_DoubleClick_Auto_Size;

protected:
    void showEvent(QShowEvent* e) override;
    void Layout_Buttons() override;

private:
    void FormShow();
    int Page_Count() const;

    VersionCheck& check_;
    std::function<void()> language_changed_;
    std::function<void()> timer_rule_;
    UrlOpener open_url_;
};

} // namespace ks
