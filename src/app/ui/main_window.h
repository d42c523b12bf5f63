#pragma once
// The main window: identity of the build, the open project, the numbered
// configuration steps, the three icon buttons and the update-check timer.
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QWidget>
#include <string>
#include <vector>

#include "platform/ui/browser.h"
#include "texts/ui/version_check.h"

namespace ks {

struct AppState;
class Messages;
class ClickLabel;
class KsDialog;
class TFAbout;
class TFNew_Project;
class TFOpenConf;
class TFSoftOptions;
class TFBoot;

class TFKeystrelFirmWare : public QWidget {
    Q_OBJECT
public:
    // Creating the window runs the start-up: folders under `program_dir`,
    // Keystrel.xml, the texts and the remembered project.
    TFKeystrelFirmWare(AppState& st, Messages& msg, const std::string& program_dir, QWidget* parent = nullptr);
    ~TFKeystrelFirmWare() override;

    // Creates every other window once, in the program's fixed order. Called
    // once, right after the main window exists.
    void Create_Dialogs();

    // Captions, hints and the project labels from the text table.
    void Set_Lang();
    // After a language change: this window, then every dialog in order.
    void Change_Language();
    // Writes Keystrel.xml; a failure is reported, never thrown.
    bool Save_Setting();

    // Step 1.
    void Create_New_Project();
    void Open_Project();
    void Set_Files();
    // Step 5: compile the open project and open the update dialog.
    void Update_Device();

    // One tick of Timer_Update: run the version check, show or hide LL_Update.
    void Timer_UpdateTimer();
    // Timer_Update runs only while both internet options are on; a running
    // timer is left alone.
    void Apply_Timer_Rule();
    // The two project labels from the open project.
    void Update_Project_Labels();

    // The whole dispatch of the window's buttons.
    void Btn_Click(QAbstractButton* button);

    // How links are opened (tests record them instead of starting a browser).
    void Set_Url_Opener(UrlOpener opener) { open_url_ = std::move(opener); }
    const UrlOpener& Url_Opener() const { return open_url_; }

    AppState& State() { return st_; }
    Messages& Msg() { return msg_; }

    // Every dialog the window created, in creation order.
    const std::vector<QWidget*>& Dialogs() const { return dialogs_; }

    // Controls.
    QLabel* L_SW_Code;
    QLabel* L_SW_Desc;
    QLabel* LL_Update;
    QToolButton* Btn_Info;
    QToolButton* Btn_Opz;
    QToolButton* Btn_Close;
    QLabel* L_Begin;
    QFrame* Shape2;
    QLabel* L_Name_Conf;
    QLabel* L_Name_Conf_L2;
    QLabel* L_Step_1;
    QLabel* L_Step_2;
    QLabel* L_Step_3;
    QLabel* L_Step_4;
    QLabel* L_Step_5;
    QLabel* L_Step_6;
    QLabel* L_Step_7;
    QLabel* L_Step_8;
    QPushButton* Btn_New;
    QPushButton* Btn_Open;
    QPushButton* Btn_Prm_Gen;
    QPushButton* Btn_S7_Protocol_Access;
    QPushButton* Btn_KNX_Access;
    QPushButton* Btn_CreateBin;
    ClickLabel* L_Morvane;
    QFrame* Shape1;
    // Steps of sibling models of the family: created hidden, texts applied.
    QPushButton* Btn_PROFIBUS_GSD;
    QPushButton* Btn_IEC61850_Access;
    QPushButton* Btn_TLS_List_Certificates;
    QPushButton* Btn_CAN_Rec_Frame;
    QPushButton* Btn_CAN_Send_Frame;
    QPushButton* Btn_SDO_Server_CANopen;
    QPushButton* Btn_SDO_Client_CANopen;
    QPushButton* Btn_PDO_CANopen;
    QPushButton* Btn_CANopen_EDS;
    QPushButton* Btn_SNMP_Trap;
    QPushButton* Btn_SNMP_MIB;
    QPushButton* Btn_MQTT_Set_Topic;
    QPushButton* Btn_OPC_UA_Server_Access;
    QPushButton* Btn_PROFINET_XML;
    QPushButton* Btn_BACnet_SetAccess;
    QPushButton* Btn_BACnet_EDE_File;

    // The update-check timer and the HTTP client of the version check.
    QTimer Timer_Update;
    VersionCheck Version_Check;

    // The dialogs, created by Create_Dialogs. The step dialogs of the other
    // subsystems are held by their common base until they exist.
    TFAbout* FAbout = nullptr;
    TFNew_Project* FNew_Project = nullptr;
    TFOpenConf* FOpenConf = nullptr;
    TFSoftOptions* FSoftOptions = nullptr;
    KsDialog* FParGen = nullptr;
    TFBoot* FBoot = nullptr;
    KsDialog* FS7_Protocol_Set_Access = nullptr;
    KsDialog* FKNXAccess = nullptr;

protected:
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    QPushButton* Step_Button(const char* name, int left, int top, bool shown = true);
    QToolButton* Icon_Button(const char* name, int left, const QIcon& icon);
    QLabel* Label(const char* name, int left, int top, bool bold, bool shown = true);
    // Shows a step dialog modally when it exists in this build.
    void Show_Modal(QWidget* dialog);
    void Show_Update_Link(bool newer);
    template <class T> T* Keep(T* dialog) {
        dialogs_.push_back(dialog);
        return dialog;
    }

    AppState& st_;
    Messages& msg_;
    UrlOpener open_url_;
    std::vector<QWidget*> dialogs_;
    bool update_known_ = false;
    bool centred_ = false;
};

} // namespace ks
