#include "settings/ui/par_gen_dialog.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOption>
#include <QTimer>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "app/app_state.h"
#include "app/ui/error_report.h"
#include "core/messages.h"
#include "tables/ui/table_dialog.h"

namespace ks {

namespace {

constexpr int Client_Width = 460;
constexpr int Client_Height = 700;
constexpr int Byte_Lefts[4] = {191, 252, 313, 374};
constexpr int Dot_Lefts[3] = {247, 308, 369};
constexpr int Byte_Width = 55;
constexpr int Byte_Height = 21;
constexpr int Device_Name_Length = 31;

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }

}  // namespace

// --------------------------------------------------------- CollapsiblePanel

CollapsiblePanel::CollapsiblePanel(QWidget* parent) : QWidget(parent), body_(new QWidget(this)) {
    setMinimumWidth(440);
    setFixedHeight(height_);
    body_->move(0, Header_Height);
    setCursor(Qt::ArrowCursor);
}

void CollapsiblePanel::Set_Title(const QString& title) {
    title_ = title;
    update();
}

void CollapsiblePanel::Set_Panel_Height(int h) {
    height_ = std::max(h, Header_Height);
    body_->resize(width(), height_ - Header_Height);
    setFixedHeight(collapsed_ ? Header_Height : height_);
}

void CollapsiblePanel::Set_Collapsed(bool c) {
    collapsed_ = c;
    body_->setVisible(!c);
    setFixedHeight(collapsed_ ? Header_Height : height_);
    update();
}

void CollapsiblePanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect head(0, 0, width(), Header_Height);
    QLinearGradient g(head.topLeft(), head.bottomLeft());
    g.setColorAt(0, QColor(252, 252, 248));
    g.setColorAt(1, QColor(228, 226, 214));
    p.fillRect(head, g);
    p.setPen(QColor(200, 198, 186));
    p.drawLine(head.bottomLeft(), head.bottomRight());
    QFont f = font();
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::gray);
    p.drawText(head.adjusted(8, 0, -28, 0), Qt::AlignVCenter | Qt::AlignLeft, title_);
    QStyleOption arrow;
    arrow.initFrom(this);
    arrow.rect = QRect(width() - 22, 5, 14, 14);
    arrow.palette.setColor(QPalette::ButtonText, Qt::gray);
    style()->drawPrimitive(collapsed_ ? QStyle::PE_IndicatorArrowDown : QStyle::PE_IndicatorArrowUp, &arrow, &p,
                           this);
    body_->resize(width(), height_ - Header_Height);
}

void CollapsiblePanel::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && e->position().y() < Header_Height) {
        Set_Collapsed(!collapsed_);
        e->accept();
        return;
    }
    QWidget::mousePressEvent(e);
}

// ------------------------------------------------------------------ TFParGen

TFParGen::TFParGen(AppState& st, Messages& msg, QWidget* parent) : KsDialog(st, msg, parent) {
    setObjectName(QStringLiteral("FParGen"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    Header()->setObjectName(QStringLiteral("P_Title"));
    Bottom()->setObjectName(QStringLiteral("P_Button"));
    QFont desc = L_SW_Desc->font();
    desc.setBold(true);
    L_SW_Desc->setFont(desc);

    CPG = new QScrollArea(Body());
    CPG->setObjectName(QStringLiteral("CPG"));
    CPG->setWidgetResizable(true);
    CPG->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    CPG->setFrameShape(QFrame::NoFrame);
    auto* body_lay = new QVBoxLayout(Body());
    body_lay->setContentsMargins(0, 0, 0, 0);
    body_lay->addWidget(CPG);
    auto* group = new QWidget;
    group_layout_ = new QVBoxLayout(group);
    group_layout_->setContentsMargins(0, 0, 0, 0);
    group_layout_->setSpacing(0);
    CPG->setWidget(group);

    // Panel 1: Ethernet connection.
    CP_Ethernet_Connection = new CollapsiblePanel(group);
    CP_Ethernet_Connection->setObjectName(QStringLiteral("CP_Ethernet_Connection"));
    QWidget* b = CP_Ethernet_Connection->Body();
    L_EthConn_Device_Name = Add_Label(b, "L_EthConn_Device_Name", 14, 12);
    E_EthConn_Device_Name = Add_Edit(b, "E_EthConn_Device_Name", 191, 9, 238);
    E_EthConn_Device_Name->setMaxLength(Device_Name_Length);
    CB_EthConn_En_DHCP_Cable = Add_Check(b, "CB_EthConn_En_DHCP_Cable", 14, 40, 415);
    CB_EthConn_En_DHCP_WiFi = Add_Check(b, "CB_EthConn_En_DHCP_WiFi", 14, 68, 415);
    CB_EthConn_Enable_DNS = Add_Check(b, "CB_EthConn_Enable_DNS", 14, 96, 415);
    L_EthConn_Primary_DNS = Add_Label(b, "L_EthConn_Primary_DNS", 14, 124);
    Add_Bytes(b, "E_EthConn_Pri_DNS_IP", 121, E_EthConn_Pri_DNS_IP);
    L_EthConn_Secondary_DNS = Add_Label(b, "L_EthConn_Secondary_DNS", 14, 152);
    Add_Bytes(b, "E_EthConn_Sec_DNS_IP", 149, E_EthConn_Sec_DNS_IP);

    // Panel 2: S7comm.
    CP_S7_Protocol = new CollapsiblePanel(group);
    CP_S7_Protocol->setObjectName(QStringLiteral("CP_S7_Protocol"));
    b = CP_S7_Protocol->Body();
    L_S7_Protocol_IP = Add_Label(b, "L_S7_Protocol_IP", 14, 12);
    Add_Bytes(b, "E_S7_Protocol_IP", 9, E_S7_Protocol_IP);
    L_S7_Protocol_SM = Add_Label(b, "L_S7_Protocol_SM", 14, 40);
    Add_Bytes(b, "E_S7_Protocol_SM", 37, E_S7_Protocol_SM);
    E_S7_Protocol_SM[3]->move(E_S7_Protocol_SM[3]->x(), 36);
    CB_S7_Protocol_En_GAT = Add_Check(b, "CB_S7_Protocol_En_GAT", 14, 68, 175);
    Add_Bytes(b, "E_S7_Protocol_GAT", 66, E_S7_Protocol_GAT);

    // Panel 3: KNX. The medium is fixed by the device; the list only shows it.
    CP_KNX = new CollapsiblePanel(group);
    CP_KNX->setObjectName(QStringLiteral("CP_KNX"));
    b = CP_KNX->Body();
    L_KNX_Type = Add_Label(b, "L_KNX_Type", 14, 12);
    CB_KNX_Type = new QComboBox(b);
    CB_KNX_Type->setObjectName(QStringLiteral("CB_KNX_Type"));
    CB_KNX_Type->setGeometry(191, 9, 238, Byte_Height);
    CB_KNX_Type->addItems({QStringLiteral("KNX TP"), QStringLiteral("KNXnet/IP")});
    CB_KNX_Type->setEnabled(false);
    L_KNX_IDDevice = Add_Label(b, "L_KNX_IDDevice", 14, 40);
    E_KNX_IDDevice = Add_Edit(b, "E_KNX_IDDevice", 191, 37, 238);

    // Successor of each byte field at ".".
    auto chain = [this](std::array<QLineEdit*, 4>& f, QLineEdit* after) {
        for (int i = 0; i < 3; ++i) successor_[f[i]] = f[i + 1];
        successor_[f[3]] = after;
    };
    chain(E_EthConn_Pri_DNS_IP, E_EthConn_Sec_DNS_IP[0]);
    chain(E_EthConn_Sec_DNS_IP, nullptr);
    chain(E_S7_Protocol_IP, E_S7_Protocol_SM[0]);
    chain(E_S7_Protocol_SM, E_S7_Protocol_GAT[0]);
    chain(E_S7_Protocol_GAT, nullptr);
    for (auto& [field, next] : successor_) field->installEventFilter(this);

    // Wi-Fi DHCP belongs to sibling models: never checkable here.
    CB_EthConn_En_DHCP_WiFi->setEnabled(false);
    for (QCheckBox* cb : {CB_EthConn_En_DHCP_Cable, CB_EthConn_En_DHCP_WiFi, CB_EthConn_Enable_DNS,
                          CB_S7_Protocol_En_GAT})
        connect(cb, &QCheckBox::clicked, this, [this, cb] { On_Click(cb); });
    connect(Btn_OK, &QPushButton::clicked, this, [this] { Run_Guarded([this] { Btn_OKClick(); }); });

    // FormCreate.
    L_SW_Code->setText(QString::fromLatin1(AppState::SW_Code));
    L_SW_Code->adjustSize();
    setMinimumSize(Client_Width, Header()->height() + Bottom()->height() + 60);
    setMaximumWidth(Client_Width);
    resize(Client_Width, Client_Height);
    for (CollapsiblePanel* p : {CP_Ethernet_Connection, CP_S7_Protocol, CP_KNX}) p->hide();
    Order_TAB_Panels();
    Move_GroupBoxs();
    Set_Lang();

    // The wheel rule applies over the whole panel group, its controls included.
    CPG->viewport()->installEventFilter(this);
    for (QWidget* w : CPG->viewport()->findChildren<QWidget*>()) w->installEventFilter(this);
}

QLabel* TFParGen::Add_Label(QWidget* body, const char* name, int left, int top) {
    auto* l = new QLabel(body);
    l->setObjectName(QString::fromLatin1(name));
    l->move(left, top);
    return l;
}

QLineEdit* TFParGen::Add_Edit(QWidget* body, const char* name, int left, int top, int width) {
    auto* e = new QLineEdit(body);
    e->setObjectName(QString::fromLatin1(name));
    e->setGeometry(left, top, width, Byte_Height);
    return e;
}

QCheckBox* TFParGen::Add_Check(QWidget* body, const char* name, int left, int top, int width) {
    auto* c = new QCheckBox(body);
    c->setObjectName(QString::fromLatin1(name));
    c->setGeometry(left, top, width, 17);
    return c;
}

void TFParGen::Add_Bytes(QWidget* body, const char* name, int top, std::array<QLineEdit*, 4>& fields) {
    for (int i = 0; i < 4; ++i) {
        const QString n = QString::fromLatin1(name) + QString::number(i + 1);
        fields[i] = Add_Edit(body, n.toLatin1().constData(), Byte_Lefts[i], top, Byte_Width);
    }
    for (int i = 0; i < 3; ++i) {
        auto* dot = new QLabel(QStringLiteral("."), body);
        dot->move(Dot_Lefts[i], top + 3);
    }
}

void TFParGen::Layout_Buttons() {
    // Anchored to the right: 219 and 335 in the 460-wide window.
    const int w = Bottom()->width();
    Btn_OK->move(w - Client_Width + 219, 6);
    Btn_Cancel->move(w - Client_Width + 335, 6);
}

void TFParGen::Set_Lang() {
    setWindowTitle(Tx(st_, 400));
    L_SW_Desc->setText(Tx(st_, 401));
    Btn_OK->setText(Tx(st_, 402));
    Btn_Cancel->setText(Tx(st_, 403));
    Btn_OK->setToolTip(Tx(st_, 404));
    Btn_Cancel->setToolTip(Tx(st_, 405));

    L_S7_Protocol_IP->setText(Tx(st_, 407));
    for (int i = 0; i < 4; ++i) E_S7_Protocol_IP[i]->setToolTip(Tx(st_, 408 + i));
    L_S7_Protocol_SM->setText(Tx(st_, 412));
    for (int i = 0; i < 4; ++i) E_S7_Protocol_SM[i]->setToolTip(Tx(st_, 413 + i));
    CB_S7_Protocol_En_GAT->setText(Tx(st_, 417));
    CB_S7_Protocol_En_GAT->setToolTip(Tx(st_, 418));
    for (int i = 0; i < 4; ++i) E_S7_Protocol_GAT[i]->setToolTip(Tx(st_, 419 + i));

    L_KNX_Type->setText(Tx(st_, 628));
    CB_KNX_Type->setToolTip(Tx(st_, 629));
    L_KNX_IDDevice->setText(Tx(st_, 630));
    E_KNX_IDDevice->setToolTip(Tx(st_, 631));

    L_EthConn_Device_Name->setText(Tx(st_, 930));
    E_EthConn_Device_Name->setToolTip(Tx(st_, 931));
    CB_EthConn_En_DHCP_Cable->setText(Tx(st_, 932));
    CB_EthConn_En_DHCP_Cable->setToolTip(Tx(st_, 933));
    CB_EthConn_En_DHCP_WiFi->setText(Tx(st_, 934));
    CB_EthConn_En_DHCP_WiFi->setToolTip(Tx(st_, 935));
    CB_EthConn_Enable_DNS->setText(Tx(st_, 936));
    CB_EthConn_Enable_DNS->setToolTip(Tx(st_, 937));
    L_EthConn_Primary_DNS->setText(Tx(st_, 938));
    for (int i = 0; i < 4; ++i) E_EthConn_Pri_DNS_IP[i]->setToolTip(Tx(st_, 939 + i));
    L_EthConn_Secondary_DNS->setText(Tx(st_, 943));
    for (int i = 0; i < 4; ++i) E_EthConn_Sec_DNS_IP[i]->setToolTip(Tx(st_, 944 + i));

    for (QLabel* l : {L_EthConn_Device_Name, L_EthConn_Primary_DNS, L_EthConn_Secondary_DNS, L_S7_Protocol_IP,
                      L_S7_Protocol_SM, L_KNX_Type, L_KNX_IDDevice})
        l->adjustSize();
    // The panel headers keep the texts they were numbered with at creation.
}

void TFParGen::Order_TAB_Panels() {
    switch (Model) {
        case 82411:
            Order_TAB_Panels_82411();
            break;
        default:
            // The panels of the sibling models belong to their own builds.
            break;
    }
}

void TFParGen::Move_GroupBoxs() {
    switch (Model) {
        case 82411:
            RePosition_Objects_82411();
            break;
        default:
            break;
    }
}

void TFParGen::Order_TAB_Panels_82411() {
    const std::array<std::pair<CollapsiblePanel*, int>, 3> panels{
        {{CP_Ethernet_Connection, 929}, {CP_S7_Protocol, 406}, {CP_KNX, 627}}};
    // Stacked top to bottom in display order, numbered from 1.
    for (size_t i = 0; i < panels.size(); ++i) {
        auto [panel, text] = panels[i];
        panel->Set_Title(QString::number(i + 1) + QStringLiteral(". ") + Tx(st_, text));
        group_layout_->addWidget(panel);
        panel->show();
    }
    group_layout_->addStretch(1);

    // Tab order: panel after panel, inside each in the order of its fields.
    std::vector<QWidget*> order{E_EthConn_Device_Name, CB_EthConn_En_DHCP_Cable, CB_EthConn_En_DHCP_WiFi,
                                CB_EthConn_Enable_DNS};
    for (auto* f : E_EthConn_Pri_DNS_IP) order.push_back(f);
    for (auto* f : E_EthConn_Sec_DNS_IP) order.push_back(f);
    for (auto* f : E_S7_Protocol_IP) order.push_back(f);
    for (auto* f : E_S7_Protocol_SM) order.push_back(f);
    order.push_back(CB_S7_Protocol_En_GAT);
    for (auto* f : E_S7_Protocol_GAT) order.push_back(f);
    order.push_back(CB_KNX_Type);
    order.push_back(E_KNX_IDDevice);
    order.push_back(Btn_OK);
    order.push_back(Btn_Cancel);
    for (size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

void TFParGen::RePosition_Objects_82411() {
    RePosition_Object_Ethernet_Connection();
    RePosition_Object_S7_Protocol();
    RePosition_Object_KNX();
}

void TFParGen::RePosition_Object_Ethernet_Connection() {
    QLineEdit* last = E_EthConn_Sec_DNS_IP[3];
    CP_Ethernet_Connection->Set_Panel_Height(last->y() + last->height() + CollapsiblePanel::Header_Height + 12);
    CB_EthConn_En_DHCP_WiFi->setEnabled(false);
}

void TFParGen::RePosition_Object_S7_Protocol() {
    QLineEdit* last = E_S7_Protocol_GAT[3];
    CP_S7_Protocol->Set_Panel_Height(last->y() + last->height() + CollapsiblePanel::Header_Height + 12);
    // With DHCP on the cable the address comes from the server.
    const bool fixed_address = !CB_EthConn_En_DHCP_Cable->isChecked();
    for (auto* group : {&E_S7_Protocol_IP, &E_S7_Protocol_SM, &E_S7_Protocol_GAT})
        for (QLineEdit* f : *group) f->setEnabled(fixed_address);
    CB_S7_Protocol_En_GAT->setEnabled(fixed_address);
}

void TFParGen::RePosition_Object_KNX() {
    CP_KNX->Set_Panel_Height(E_KNX_IDDevice->y() + E_KNX_IDDevice->height() + CollapsiblePanel::Header_Height + 12);
}

void TFParGen::On_Click(QCheckBox* box) {
    if (box == CB_EthConn_En_DHCP_Cable || box == CB_EthConn_En_DHCP_WiFi) Move_GroupBoxs();
}

void TFParGen::Settings_To_Controls(const ParGenSettings& s) {
    auto put = [](std::array<QLineEdit*, 4>& f, const std::string& a, const std::string& b, const std::string& c,
                  const std::string& d) {
        f[0]->setText(Q(a));
        f[1]->setText(Q(b));
        f[2]->setText(Q(c));
        f[3]->setText(Q(d));
    };
    put(E_S7_Protocol_IP, s.S7_Protocol_IP1, s.S7_Protocol_IP2, s.S7_Protocol_IP3, s.S7_Protocol_IP4);
    put(E_S7_Protocol_SM, s.S7_Protocol_SM1, s.S7_Protocol_SM2, s.S7_Protocol_SM3, s.S7_Protocol_SM4);
    put(E_S7_Protocol_GAT, s.S7_Protocol_GAT1, s.S7_Protocol_GAT2, s.S7_Protocol_GAT3, s.S7_Protocol_GAT4);
    CB_S7_Protocol_En_GAT->setChecked(s.S7_Protocol_EN_GAT);
    // A longer name written by hand is shown whole rather than cut (and the
    // cut name saved); it can only get shorter.
    const QString name = Q(s.Eth_Conn_Device_Name);
    E_EthConn_Device_Name->setMaxLength(std::max<int>(Device_Name_Length, static_cast<int>(name.size())));
    E_EthConn_Device_Name->setText(name);
    CB_EthConn_En_DHCP_Cable->setChecked(s.Eth_Conn_DHCP_Cable);
    CB_EthConn_En_DHCP_WiFi->setChecked(false);
    CB_EthConn_Enable_DNS->setChecked(s.Eth_Conn_Enable_DNS);
    put(E_EthConn_Pri_DNS_IP, s.Eth_Conn_Primary_DNS1, s.Eth_Conn_Primary_DNS2, s.Eth_Conn_Primary_DNS3,
        s.Eth_Conn_Primary_DNS4);
    put(E_EthConn_Sec_DNS_IP, s.Eth_Conn_Secondary_DNS1, s.Eth_Conn_Secondary_DNS2, s.Eth_Conn_Secondary_DNS3,
        s.Eth_Conn_Secondary_DNS4);
    CB_KNX_Type->setCurrentIndex(s.KNX_TYPE >= 0 && s.KNX_TYPE < CB_KNX_Type->count() ? s.KNX_TYPE : 0);
    E_KNX_IDDevice->setText(Q(s.KNX_ID_DEV));
}

ParGenSettings TFParGen::Settings_From_Controls() const {
    ParGenSettings s;
    s.S7_Protocol_IP1 = S(E_S7_Protocol_IP[0]->text());
    s.S7_Protocol_IP2 = S(E_S7_Protocol_IP[1]->text());
    s.S7_Protocol_IP3 = S(E_S7_Protocol_IP[2]->text());
    s.S7_Protocol_IP4 = S(E_S7_Protocol_IP[3]->text());
    s.S7_Protocol_SM1 = S(E_S7_Protocol_SM[0]->text());
    s.S7_Protocol_SM2 = S(E_S7_Protocol_SM[1]->text());
    s.S7_Protocol_SM3 = S(E_S7_Protocol_SM[2]->text());
    s.S7_Protocol_SM4 = S(E_S7_Protocol_SM[3]->text());
    s.S7_Protocol_GAT1 = S(E_S7_Protocol_GAT[0]->text());
    s.S7_Protocol_GAT2 = S(E_S7_Protocol_GAT[1]->text());
    s.S7_Protocol_GAT3 = S(E_S7_Protocol_GAT[2]->text());
    s.S7_Protocol_GAT4 = S(E_S7_Protocol_GAT[3]->text());
    s.S7_Protocol_EN_GAT = CB_S7_Protocol_En_GAT->isChecked();
    s.Eth_Conn_Device_Name = S(E_EthConn_Device_Name->text());
    s.Eth_Conn_DHCP_Cable = CB_EthConn_En_DHCP_Cable->isChecked();
    s.Eth_Conn_DHCP_WiFi = false;
    s.Eth_Conn_Enable_DNS = CB_EthConn_Enable_DNS->isChecked();
    s.Eth_Conn_Primary_DNS1 = S(E_EthConn_Pri_DNS_IP[0]->text());
    s.Eth_Conn_Primary_DNS2 = S(E_EthConn_Pri_DNS_IP[1]->text());
    s.Eth_Conn_Primary_DNS3 = S(E_EthConn_Pri_DNS_IP[2]->text());
    s.Eth_Conn_Primary_DNS4 = S(E_EthConn_Pri_DNS_IP[3]->text());
    s.Eth_Conn_Secondary_DNS1 = S(E_EthConn_Sec_DNS_IP[0]->text());
    s.Eth_Conn_Secondary_DNS2 = S(E_EthConn_Sec_DNS_IP[1]->text());
    s.Eth_Conn_Secondary_DNS3 = S(E_EthConn_Sec_DNS_IP[2]->text());
    s.Eth_Conn_Secondary_DNS4 = S(E_EthConn_Sec_DNS_IP[3]->text());
    s.KNX_TYPE = std::max(CB_KNX_Type->currentIndex(), 0);
    s.KNX_ID_DEV = S(E_KNX_IDDevice->text());
    return s;
}

void TFParGen::FormShow() {
    ParGenLoad r = Load_ParGen(st_.Files.File_ParGen);
    // A damaged file shows the defaults after the report; OK replaces it.
    Settings_To_Controls(r.settings);
    Move_GroupBoxs();
    CPG->verticalScrollBar()->setValue(0);
    if (!r.error.empty()) {
        // Reported once the dialog stands, so the box lies over it.
        const QString text = Q(r.error);
        QTimer::singleShot(0, this, [text] { Report_Error(text); });
    }
}

void TFParGen::Btn_OKClick() {
    const ParGenSettings s = Settings_From_Controls();
    const int fault = Controllo_Dati(s);
    if (fault != ParGen_Valid) {
        msg_.Error(st_.Text(fault));
        return;
    }
    const std::string err = Save_ParGen(st_.Files.File_ParGen, s);
    if (!err.empty()) {
        // Nothing was replaced on disk; the user keeps every value typed.
        Report_Error(Q(err));
        return;
    }
    accept();
}

void TFParGen::showEvent(QShowEvent* e) {
    KsDialog::showEvent(e);
    if (e->spontaneous()) return;
    Centre_On_Screen(this);
    FormShow();
}

void TFParGen::resizeEvent(QResizeEvent* e) {
    KsDialog::resizeEvent(e);
    // FormResize: the width always returns to 460, the height is the user's.
    if (width() != Client_Width) resize(Client_Width, height());
}

bool TFParGen::KeyPress(QLineEdit* field, QKeyEvent* e) {
    if (e->text() != QStringLiteral(".")) return false;
    QLineEdit* next = successor_[field];
    if (next && next->isEnabled() && next->isVisible()) {
        next->setFocus(Qt::TabFocusReason);
        CPG->ensureWidgetVisible(next);
    }
    return true;
}

bool TFParGen::FormMouseWheel(QWidget* target, QWheelEvent* e) {
    const QPoint p = CPG->mapFromGlobal(target->mapToGlobal(e->position().toPoint()));
    if (!CPG->viewport()->geometry().contains(p)) return false;
    e->accept();
    const int dy = e->angleDelta().y();
    if (dy == 0) return true;
    // A notch is 120; finer wheels add up until they make one.
    wheel_rest_ += dy;
    const int lines = QApplication::wheelScrollLines();
    QScrollBar* bar = CPG->verticalScrollBar();
    while (wheel_rest_ >= 120 || wheel_rest_ <= -120) {
        const bool up = wheel_rest_ > 0;
        wheel_rest_ += up ? -120 : 120;
        for (int i = 0; i < lines; ++i)
            bar->triggerAction(up ? QAbstractSlider::SliderSingleStepSub : QAbstractSlider::SliderSingleStepAdd);
    }
    return true;
}

bool TFParGen::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::KeyPress) {
        auto* field = qobject_cast<QLineEdit*>(watched);
        if (field && successor_.count(field)) return KeyPress(field, static_cast<QKeyEvent*>(e));
    } else if (e->type() == QEvent::Wheel) {
        auto* w = qobject_cast<QWidget*>(watched);
        if (w) return FormMouseWheel(w, static_cast<QWheelEvent*>(e));
    }
    return KsDialog::eventFilter(watched, e);
}

} // namespace ks
