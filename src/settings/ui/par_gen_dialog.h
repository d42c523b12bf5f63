#pragma once
// The communication settings dialog: the converter's Ethernet connection,
// S7comm address and KNX identity of the open project, in a scrolling group
// of collapsible panels. Each showing loads ParGen.xml; OK validates and
// saves it.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <array>
#include <map>

#include "app/ui/ks_dialog.h"
#include "settings/par_gen.h"

class QVBoxLayout;

namespace ks {

// A panel with a clickable header (numbered title and chevron) that
// collapses or expands its body; controls sit at fixed places in the body.
class CollapsiblePanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int Header_Height = 24;

    explicit CollapsiblePanel(QWidget* parent = nullptr);
    QWidget* Body() const { return body_; }
    void Set_Title(const QString& title);
    QString Title() const { return title_; }
    // Height of the whole panel when expanded (header included).
    void Set_Panel_Height(int h);
    int Panel_Height() const { return height_; }
    bool Collapsed() const { return collapsed_; }
    void Set_Collapsed(bool c);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    QWidget* body_;
    QString title_;
    int height_ = Header_Height;
    bool collapsed_ = false;
};

class TFParGen : public KsDialog {
    Q_OBJECT
public:
    // The family model this build fixes.
    static constexpr int Model = 82411;

    TFParGen(AppState& st, Messages& msg, QWidget* parent = nullptr);

    void Set_Lang() override;
    // Loads the open project's file into the controls (every showing).
    void FormShow();
    // Panel order, numbering and tab order of the model.
    void Order_TAB_Panels();
    // Panel heights and enabling of the model.
    void Move_GroupBoxs();
    // Validates, saves and closes; stays open on a fault.
    void Btn_OKClick();

    ParGenSettings Settings_From_Controls() const;
    void Settings_To_Controls(const ParGenSettings& s);

    QScrollArea* CPG;
    CollapsiblePanel* CP_Ethernet_Connection;
    CollapsiblePanel* CP_S7_Protocol;
    CollapsiblePanel* CP_KNX;

    QLabel* L_EthConn_Device_Name;
    QLineEdit* E_EthConn_Device_Name;
    QCheckBox* CB_EthConn_En_DHCP_Cable;
    QCheckBox* CB_EthConn_En_DHCP_WiFi;
    QCheckBox* CB_EthConn_Enable_DNS;
    QLabel* L_EthConn_Primary_DNS;
    std::array<QLineEdit*, 4> E_EthConn_Pri_DNS_IP;  // bytes 1 to 4
    QLabel* L_EthConn_Secondary_DNS;
    std::array<QLineEdit*, 4> E_EthConn_Sec_DNS_IP;

    QLabel* L_S7_Protocol_IP;
    std::array<QLineEdit*, 4> E_S7_Protocol_IP;
    QLabel* L_S7_Protocol_SM;
    std::array<QLineEdit*, 4> E_S7_Protocol_SM;
    QCheckBox* CB_S7_Protocol_En_GAT;
    std::array<QLineEdit*, 4> E_S7_Protocol_GAT;

    QLabel* L_KNX_Type;
    QComboBox* CB_KNX_Type;
    QLabel* L_KNX_IDDevice;
    QLineEdit* E_KNX_IDDevice;

protected:
    void Layout_Buttons() override;
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void Order_TAB_Panels_82411();
    void RePosition_Objects_82411();
    void RePosition_Object_Ethernet_Connection();
    void RePosition_Object_S7_Protocol();
    void RePosition_Object_KNX();
    void On_Click(QCheckBox* box);
    // The "." key in a byte field; true when the key was used up.
    bool KeyPress(QLineEdit* field, QKeyEvent* e);
    // The mouse wheel anywhere over the window; true when handled.
    bool FormMouseWheel(QWidget* target, QWheelEvent* e);

    QLabel* Add_Label(QWidget* body, const char* name, int left, int top);
    QLineEdit* Add_Edit(QWidget* body, const char* name, int left, int top, int width);
    QCheckBox* Add_Check(QWidget* body, const char* name, int left, int top, int width);
    void Add_Bytes(QWidget* body, const char* name, int top, std::array<QLineEdit*, 4>& fields);

    std::map<QLineEdit*, QLineEdit*> successor_;  // byte field -> field after "." (or null)
    QVBoxLayout* group_layout_ = nullptr;
    int wheel_rest_ = 0;  // wheel turn not yet worth a notch
};

} // namespace ks
