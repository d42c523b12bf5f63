#pragma once
// The device update dialog: checks that the converter answers at the address
// typed, writes the update job file and runs the external update tool.
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <memory>

#include "app/ui/ks_dialog.h"
#include "image/reachability.h"

namespace ks {

class TFBoot : public KsDialog {
    Q_OBJECT
public:
    enum Layout { Serial = 0, Ethernet = 1, Usb = 2 };

    TFBoot(AppState& st, Messages& msg, QWidget* parent = nullptr);
    ~TFBoot() override;

    void Set_Lang() override;

    // Which layout the next showing uses; this model uses Ethernet only.
    int Form_Type = Ethernet;
    // Outcome of the last echo request (see Ping_Result).
    int ping_res = Ping_None;

    // The echo client and clock of the reachability check; tests put
    // stand-ins here. The dialog does not own a client set from outside.
    void Set_Echo_Client(EchoClient* client) { echo_ = client; }
    void Set_Ping_Clock(PingClock clock) { clock_ = std::move(clock); }

    // The four octet texts joined with ".", exactly as typed.
    std::string Device_Address() const;
    bool Busy() const { return busy_; }

    // Controls.
    QFrame* P_IP_Address;
    QLabel* L_IP_Address;
    QLineEdit* E_IP1;
    QLineEdit* E_IP2;
    QLineEdit* E_IP3;
    QLineEdit* E_IP4;
    QFrame* P_Eth_Search;
    QLabel* L_List_Device;
    QPushButton* Btn_Search;
    QTableView* ACG_List_Devices;
    QCheckBox* CB_Find_All_Morvane;
    QFrame* P_Serial;
    QLabel* L_COM_Port;
    QComboBox* CB_COM_Port;
    QToolButton* Btn_COM_List;
    QFrame* P_Options;
    QLabel* L_Update_Option;
    QComboBox* CB_Update_Options;
    QCheckBox* CB_Update_Option_Read_Back;
    QPushButton* Btn_Update;  // the frame's OK button under its own name
    QLabel* L_Status;         // what runs right now (check or tool)

public slots:
    void Btn_UpdateClick();
    void Btn_COM_ListClick();
    // Escape and Cancel; ignored while the check or the tool runs.
    void reject() override;

protected:
    void FormShow();
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* obj, QEvent* e) override;
    void Layout_Buttons() override;

private:
    bool Send_Ping();
    bool KeyPress(QLineEdit* box, QChar key);
    void update_ComPort();
    void Update_Ethernet();
    void Set_Busy(const QString& status);
    void Clear_Busy();

    std::unique_ptr<EchoClient> own_echo_;
    EchoClient* echo_ = nullptr;
    PingClock clock_;
    bool busy_ = false;
};

} // namespace ks
