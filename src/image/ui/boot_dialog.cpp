#include "image/ui/boot_dialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScreen>
#include <QStandardItemModel>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

#include "app/app_state.h"
#include "app/ui/icons.h"
#include "core/messages.h"
#include "core/text_util.h"
#include "image/update_job.h"
#include "platform/serial_ports.h"
#include "platform/ui/start_program.h"
#include "platform/update_tool.h"
#include "tables/conversions.h"

namespace ks {

namespace {

constexpr int Client_Width = 449;
constexpr int Address_Panel_Height = 49;
constexpr int Search_Panel_Height = 160;
constexpr int Serial_Panel_Height = 49;
constexpr int Options_Panel_Height = 72;
constexpr int Right_Column = 220;  // where the input controls start

QFrame* Panel(QWidget* parent, const char* name, int height) {
    auto* p = new QFrame(parent);
    p->setObjectName(QString::fromLatin1(name));
    p->setFixedHeight(height);
    return p;
}

template <class W>
W* Named(W* w, const char* name) {
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

bool Can_Focus(const QWidget* w) { return w->isVisible() && w->isEnabled() && w->focusPolicy() != Qt::NoFocus; }

}  // namespace

TFBoot::TFBoot(AppState& st, Messages& msg, QWidget* parent)
    : KsDialog(st, msg, parent), clock_(System_Ping_Clock()) {
    setObjectName(QStringLiteral("FBoot"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    Header()->setObjectName(QStringLiteral("P_Title"));
    Bottom()->setObjectName(QStringLiteral("P_Button"));

    auto* body = new QVBoxLayout(Body());
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(0);

    // Address: a prompt and four octet boxes separated by dots.
    P_IP_Address = Panel(Body(), "P_IP_Address", Address_Panel_Height);
    L_IP_Address = Named(new QLabel(P_IP_Address), "L_IP_Address");
    L_IP_Address->setGeometry(16, 16, Right_Column - 24, 17);
    QLineEdit** boxes[] = {&E_IP1, &E_IP2, &E_IP3, &E_IP4};
    const char* box_names[] = {"E_IP1", "E_IP2", "E_IP3", "E_IP4"};
    for (int i = 0; i < 4; ++i) {
        auto* e = Named(new QLineEdit(QStringLiteral("0"), P_IP_Address), box_names[i]);
        e->setGeometry(Right_Column + i * 54, 13, 42, 22);
        e->setAlignment(Qt::AlignCenter);
        e->installEventFilter(this);
        *boxes[i] = e;
        if (i < 3) {
            auto* dot = new QLabel(QStringLiteral("."), P_IP_Address);
            dot->setGeometry(Right_Column + i * 54 + 44, 13, 8, 22);
            dot->setAlignment(Qt::AlignCenter);
        }
    }

    // Device search: carried by the dialog but shown by no layout of this model.
    P_Eth_Search = Panel(Body(), "P_Eth_Search", Search_Panel_Height);
    L_List_Device = Named(new QLabel(P_Eth_Search), "L_List_Device");
    L_List_Device->setGeometry(16, 8, 300, 17);
    Btn_Search = Named(new QPushButton(P_Eth_Search), "Btn_Search");
    Btn_Search->setGeometry(Client_Width - 16 - 110, 4, 110, 28);
    Btn_Search->setAutoDefault(false);
    ACG_List_Devices = Named(new QTableView(P_Eth_Search), "ACG_List_Devices");
    ACG_List_Devices->setModel(new QStandardItemModel(0, 2, ACG_List_Devices));
    ACG_List_Devices->setGeometry(16, 36, Client_Width - 32, 96);
    CB_Find_All_Morvane = Named(new QCheckBox(P_Eth_Search), "CB_Find_All_Morvane");
    CB_Find_All_Morvane->setGeometry(16, 136, 300, 20);

    // Serial port: the COM port list and its refresh button.
    P_Serial = Panel(Body(), "P_Serial", Serial_Panel_Height);
    L_COM_Port = Named(new QLabel(P_Serial), "L_COM_Port");
    L_COM_Port->setGeometry(16, 4, Right_Column - 24, 40);
    L_COM_Port->setWordWrap(true);  // the USB wording takes two lines
    CB_COM_Port = Named(new QComboBox(P_Serial), "CB_COM_Port");
    CB_COM_Port->setGeometry(Right_Column, 13, 180, 22);
    Btn_COM_List = Named(new QToolButton(P_Serial), "Btn_COM_List");
    Btn_COM_List->setIcon(Standard_Icon(QStyle::SP_BrowserReload));
    Btn_COM_List->setGeometry(Right_Column + 188, 12, 24, 24);
    connect(Btn_COM_List, &QToolButton::clicked, this, &TFBoot::Btn_COM_ListClick);

    // Options: what to load and whether to read it back.
    P_Options = Panel(Body(), "P_Options", Options_Panel_Height);
    L_Update_Option = Named(new QLabel(P_Options), "L_Update_Option");
    L_Update_Option->setGeometry(16, 16, Right_Column - 24, 17);
    CB_Update_Options = Named(new QComboBox(P_Options), "CB_Update_Options");
    CB_Update_Options->setGeometry(Right_Column, 13, 212, 22);
    CB_Update_Option_Read_Back = Named(new QCheckBox(P_Options), "CB_Update_Option_Read_Back");
    CB_Update_Option_Read_Back->setGeometry(Right_Column, 42, 212, 20);

    body->addWidget(P_IP_Address);
    body->addWidget(P_Eth_Search);
    body->addWidget(P_Serial);
    body->addWidget(P_Options);
    body->addStretch(1);

    Btn_Update = Btn_OK;
    Btn_Update->setObjectName(QStringLiteral("Btn_Update"));
    Btn_Update->setFixedSize(170, 28);
    connect(Btn_Update, &QPushButton::clicked, this, &TFBoot::Btn_UpdateClick);
    L_Status = Named(new QLabel(Bottom()), "L_Status");
    Set_Text_Colour(L_Status, Label_Grey());

    setWindowTitle(QString());
    Set_Lang();
}

TFBoot::~TFBoot() = default;

void TFBoot::Layout_Buttons() {
    const int w = Bottom()->width();
    Btn_Update->move(w - 16 - Btn_Update->width(), 6);
    Btn_Cancel->move(Btn_Update->x() - 8 - Btn_Cancel->width(), 6);
    L_Status->setGeometry(8, 6, std::max(0, Btn_Cancel->x() - 12), 28);
}

void TFBoot::Set_Lang() {
    auto tx = [this](int i) { return Tx(st_, i); };
    const int layout = std::clamp(Form_Type, 0, 2);
    setWindowTitle(tx(1000 + 2 * layout));
    L_SW_Desc->setText(tx(1001 + 2 * layout));

    L_IP_Address->setText(tx(1006));
    QLineEdit* boxes[] = {E_IP1, E_IP2, E_IP3, E_IP4};
    for (int i = 0; i < 4; ++i) boxes[i]->setToolTip(tx(1021 + i));

    L_Update_Option->setText(tx(1014));
    CB_Update_Options->clear();
    CB_Update_Options->addItems({tx(1015), tx(1016), tx(1017)});
    CB_Update_Options->setCurrentIndex(0);
    CB_Update_Options->setToolTip(tx(1032));
    CB_Update_Option_Read_Back->setText(tx(1018));
    CB_Update_Option_Read_Back->setToolTip(tx(1033));
    Btn_Cancel->setText(tx(1019));
    Btn_Cancel->setToolTip(tx(1034));
    Btn_Update->setText(tx(1020));
    Btn_Update->setToolTip(tx(1035));

    L_List_Device->setText(tx(1009));
    Btn_Search->setText(tx(1010));
    Btn_Search->setToolTip(tx(1029));
    auto* devices = static_cast<QStandardItemModel*>(ACG_List_Devices->model());
    devices->setHorizontalHeaderLabels({tx(1011), tx(1012)});
    ACG_List_Devices->setToolTip(tx(1030));
    CB_Find_All_Morvane->setText(tx(1013));
    CB_Find_All_Morvane->setToolTip(tx(1031));

    // The serial panel's prompts: the USB layout has its own wording.
    const bool usb = layout == Usb;
    L_COM_Port->setText(tx(usb ? 1008 : 1007));
    CB_COM_Port->setToolTip(tx(usb ? 1026 : 1025));
    Btn_COM_List->setToolTip(tx(usb ? 1028 : 1027));
}

void TFBoot::showEvent(QShowEvent* e) {
    FormShow();
    KsDialog::showEvent(e);
}

void TFBoot::FormShow() {
    Set_Lang();
    L_SW_Code->setText(QString::fromLatin1(AppState::SW_Code));

    P_IP_Address->hide();
    P_Eth_Search->hide();
    P_Options->hide();
    P_Serial->hide();
    int height = Header()->height() + Bottom()->height();
    if (Form_Type == Ethernet) {
        P_IP_Address->show();
        height += P_IP_Address->height();
    } else {
        // Serial and USB: the port list above the options.
        P_Serial->show();
        height += P_Serial->height();
    }
    P_Options->show();
    height += P_Options->height();
    setFixedSize(Client_Width, height);
    setTabOrder(E_IP1, E_IP2);
    setTabOrder(E_IP2, E_IP3);
    setTabOrder(E_IP3, E_IP4);
    setTabOrder(E_IP4, Btn_Search);
    setTabOrder(Btn_Search, CB_Find_All_Morvane);
    setTabOrder(CB_Find_All_Morvane, CB_Update_Options);
    setTabOrder(CB_Update_Options, CB_Update_Option_Read_Back);
    setTabOrder(CB_Update_Option_Read_Back, Btn_Cancel);
    setTabOrder(Btn_Cancel, Btn_Update);
    setTabOrder(Btn_Update, CB_COM_Port);
    setTabOrder(CB_COM_Port, Btn_COM_List);

    if (!st_.Last_IP_Address.empty()) {
        const IpParts parts = Check_IP_Text(st_.Last_IP_Address);
        if (parts.valid) {
            QLineEdit* boxes[] = {E_IP1, E_IP2, E_IP3, E_IP4};
            for (int i = 0; i < 4; ++i) boxes[i]->setText(QString::fromStdString(parts.parts[i]));
        }
    }
    const int option = st_.Update_Option_Index;
    CB_Update_Options->setCurrentIndex(option >= 0 && option < CB_Update_Options->count() ? option : 0);
    CB_Update_Option_Read_Back->setChecked(st_.Update_Read_Back);

    Btn_Update->setEnabled(Form_Type != Usb);  // the USB layout has no update of its own
    if (Form_Type != Ethernet) update_ComPort();

    if (const QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    if (Form_Type == Ethernet) E_IP1->setFocus();
}

bool TFBoot::eventFilter(QObject* obj, QEvent* e) {
    if (e->type() == QEvent::KeyPress) {
        auto* box = qobject_cast<QLineEdit*>(obj);
        const QString text = static_cast<QKeyEvent*>(e)->text();
        if (box && text.size() == 1 && KeyPress(box, text.at(0))) return true;
    }
    return KsDialog::eventFilter(obj, e);
}

bool TFBoot::KeyPress(QLineEdit* box, QChar key) {
    if (key != QLatin1Char('.')) return false;
    QLineEdit* next = box == E_IP1 ? E_IP2 : box == E_IP2 ? E_IP3 : box == E_IP3 ? E_IP4 : nullptr;
    if (next && Can_Focus(next)) {
        next->setFocus(Qt::TabFocusReason);
        next->selectAll();
    }
    return true;  // the dot itself is never typed into a box
}

std::string TFBoot::Device_Address() const {
    return (E_IP1->text() + QLatin1Char('.') + E_IP2->text() + QLatin1Char('.') + E_IP3->text() +
            QLatin1Char('.') + E_IP4->text())
        .toStdString();
}

void TFBoot::Set_Busy(const QString& status) {
    busy_ = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    L_Status->setText(status);
    Body()->setEnabled(false);
    Btn_Update->setEnabled(false);
    Btn_Cancel->setEnabled(false);
    QCoreApplication::processEvents();
}

void TFBoot::Clear_Busy() {
    // Clicks and keys that queued up while the tool ran reach the disabled
    // controls now and are dropped, rather than starting another update.
    QCoreApplication::processEvents();
    Body()->setEnabled(true);
    Btn_Update->setEnabled(Form_Type != Usb);
    Btn_Cancel->setEnabled(true);
    L_Status->clear();
    QApplication::restoreOverrideCursor();
    busy_ = false;
}

bool TFBoot::Send_Ping() {
    EchoClient* client = echo_;
    if (!client) {
        if (!own_echo_) own_echo_ = Make_System_Echo_Client();
        client = own_echo_.get();
    }
    const std::string address = Device_Address();
    ping_res = Ping_None;
    Set_Busy(QStringLiteral("Ping %1 ...").arg(QString::fromStdString(address)));
    const PingReport rep = ks::Send_Ping(*client, address, [] { QCoreApplication::processEvents(); }, clock_);
    Clear_Busy();
    ping_res = rep.ping_res;
    return rep.reachable;
}

void TFBoot::Btn_UpdateClick() {
    if (busy_) return;
    switch (Form_Type) {
    case Ethernet:
        Update_Ethernet();
        break;
    case Serial:
        // No transfer over the serial port in this model: only the choice is kept.
        st_.Update_Option_Index = CB_Update_Options->currentIndex();
        st_.Update_Read_Back = CB_Update_Option_Read_Back->isChecked();
        break;
    default:
        break;
    }
}

void TFBoot::Update_Ethernet() {
    const std::string address = Device_Address();
    if (!Send_Ping()) {
        if (ping_res == Ping_No_Data)
            msg_.Warning(st_.Text(1036));
        else
            msg_.Error(st_.Text(1037));
        return;
    }
    st_.Last_IP_Address = address;
    st_.Update_Option_Index = CB_Update_Options->currentIndex();
    st_.Update_Read_Back = CB_Update_Option_Read_Back->isChecked();

    UpdateJob job;
    job.Device_Address = address;
    job.Option_Index = st_.Update_Option_Index;
    job.Read_Back = st_.Update_Read_Back;
    job.Master_Dir = st_.Master_Dir;
    job.Project_Path = st_.Project_Path;
    const std::string failed = Compile_XML_Parameter_New_Boot(job, st_.Program_Dir);
    if (!failed.empty()) {
        msg_.Error(failed);
        return;
    }

    const std::string tool = Join_Path(st_.Program_Dir, Update_Tool_Name);
    if (!Is_File(tool)) {
        msg_.Error("The update tool was not found: " + tool);
        return;
    }
    Set_Busy(QString::fromLatin1(Update_Tool_Name) + QStringLiteral(" ..."));
    const StartOutcome outcome = Start_Program(tool, {}, false);
    Clear_Busy();
    if (outcome == StartOutcome::Not_Started) msg_.Error("The update tool could not be started: " + tool);
    // The dialog stays open for another update; Cancel closes it.
}

void TFBoot::update_ComPort() {
    CB_COM_Port->clear();
    for (const std::string& port : List_COM_Ports()) CB_COM_Port->addItem(QString::fromStdString(port));
    if (CB_COM_Port->count() > 0) CB_COM_Port->setCurrentIndex(0);
}

void TFBoot::Btn_COM_ListClick() { update_ComPort(); }

void TFBoot::closeEvent(QCloseEvent* e) {
    if (busy_) {
        e->ignore();  // the check or the tool is still running
        return;
    }
    KsDialog::closeEvent(e);
}

void TFBoot::reject() {
    if (!busy_) KsDialog::reject();
}

} // namespace ks
