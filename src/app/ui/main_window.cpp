#include "app/ui/main_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>

#include "app/app_state.h"
#include "app/projects.h"
#include "app/startup.h"
#include "app/ui/about.h"
#include "app/ui/click_label.h"
#include "app/ui/error_report.h"
#include "app/ui/icons.h"
#include "app/ui/ks_dialog.h"
#include "app/ui/new_project.h"
#include "app/ui/open_conf.h"
#include "app/vendor.h"
#include "core/messages.h"
#include "image/config_image.h"
#include "image/ui/boot_dialog.h"
#include "settings/ui/par_gen_dialog.h"
#include "tables/ui/knx_access_dialog.h"
#include "tables/ui/s7_access_dialog.h"
#include "texts/ui/soft_options.h"

namespace ks {

namespace {

constexpr int Client_Width = 694;
constexpr int Step_Left = 80;
constexpr int Step_Top = 112;      // top of the step-1 buttons
constexpr int Step_Pitch = 44;     // steps are this far apart
constexpr int Step_Width = 170;
constexpr int Step_Height = 36;
constexpr int Label_Drop = 16;     // a step label stands this far below its button's top
constexpr int Step5_Top = Step_Top + 4 * Step_Pitch;
constexpr int Client_Height = Step5_Top + 152;

constexpr int First_Check_Ms = 60000;      // one minute after start-up
constexpr int Next_Check_Ms = 7200000;     // then every two hours


}  // namespace

TFKeystrelFirmWare::TFKeystrelFirmWare(AppState& st, Messages& msg, const std::string& program_dir,
                                       QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      st_(st),
      msg_(msg),
      open_url_([](const std::string& url) { Open_Url(url); }) {
    setObjectName(QStringLiteral("FKeystrelFirmWare"));
    Apply_Look(this);
    setFixedSize(Client_Width, Client_Height);

    // Controls of this model.
    L_SW_Code = Label("L_SW_Code", 16, 8, false);
    QFont code_font = font();
    code_font.setPixelSize(32);
    L_SW_Code->setFont(code_font);
    L_SW_Desc = Label("L_SW_Desc", 16, 42, true);

    LL_Update = new QLabel(this);
    LL_Update->setObjectName(QStringLiteral("LL_Update"));
    LL_Update->setGeometry(208, 19, 294, 17);
    LL_Update->setTextFormat(Qt::RichText);
    LL_Update->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    LL_Update->setOpenExternalLinks(false);
    LL_Update->hide();
    connect(LL_Update, &QLabel::linkActivated, this,
            [this](const QString& link) { open_url_(link.toStdString()); });

    Btn_Info = Icon_Button("Btn_Info", 516, Info_Icon());
    Btn_Opz = Icon_Button("Btn_Opz", 574, Options_Icon());
    Btn_Close = Icon_Button("Btn_Close", 632, Close_Icon());

    L_Begin = Label("L_Begin", 16, 84, true);
    Shape2 = new QFrame(this);
    Shape2->setObjectName(QStringLiteral("Shape2"));
    Shape2->setGeometry(80, 70, 348, 36);
    Shape2->setFrameStyle(QFrame::Box | QFrame::Plain);
    Shape2->setLineWidth(1);
    Set_Text_Colour(Shape2, QColor(192, 192, 192));  // a plain frame is drawn in the text colour
    L_Name_Conf = Label("L_Name_Conf", 87, 75, false);
    L_Name_Conf_L2 = Label("L_Name_Conf_L2", 87, 88, false);
    for (QLabel* l : {L_Name_Conf, L_Name_Conf_L2}) l->resize(336, 15);

    Btn_New = Step_Button("Btn_New", Step_Left, Step_Top);
    Btn_Open = Step_Button("Btn_Open", Step_Left + 178, Step_Top);
    Btn_Prm_Gen = Step_Button("Btn_Prm_Gen", Step_Left, Step_Top + Step_Pitch);
    Btn_S7_Protocol_Access = Step_Button("Btn_S7_Protocol_Access", Step_Left, Step_Top + 2 * Step_Pitch);
    Btn_KNX_Access = Step_Button("Btn_KNX_Access", Step_Left, Step_Top + 3 * Step_Pitch);
    Btn_CreateBin = Step_Button("Btn_CreateBin", Step_Left, Step5_Top);

    QLabel** step_labels[] = {&L_Step_1, &L_Step_2, &L_Step_3, &L_Step_4,
                              &L_Step_5, &L_Step_6, &L_Step_7, &L_Step_8};
    for (int i = 0; i < 8; ++i) {
        const std::string name = "L_Step_" + std::to_string(i + 1);
        *step_labels[i] = Label(name.c_str(), 16, Step_Top + i * Step_Pitch + Label_Drop, true, i < 5);
    }

    L_Morvane = new ClickLabel(QString::fromLatin1(Vendor_Host), this);
    L_Morvane->setObjectName(QStringLiteral("L_Morvane"));
    Set_Text_Colour(L_Morvane, Label_Grey());
    Set_Bold(L_Morvane);
    L_Morvane->move(565, L_Step_5->y());
    L_Morvane->adjustSize();
    L_Morvane->setCursor(Qt::PointingHandCursor);
    connect(L_Morvane, &ClickLabel::clicked, this, [this] { open_url_(Home_Page_Url()); });

    Shape1 = new QFrame(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setGeometry(10, Step5_Top + 51, 674, 1);
    Shape1->setAutoFillBackground(true);
    QPalette line = Shape1->palette();
    line.setColor(QPalette::Window, QColor(192, 192, 192));
    Shape1->setPalette(line);

    // Steps of the sibling models share the buttons' places but stay hidden.
    Btn_PROFIBUS_GSD = Step_Button("Btn_PROFIBUS_GSD", Step_Left + 178, Step_Top + Step_Pitch, false);
    Btn_IEC61850_Access = Step_Button("Btn_IEC61850_Access", Step_Left, Step_Top + 2 * Step_Pitch, false);
    Btn_TLS_List_Certificates =
        Step_Button("Btn_TLS_List_Certificates", Step_Left + 178, Step_Top + 2 * Step_Pitch, false);
    Btn_CAN_Rec_Frame = Step_Button("Btn_CAN_Rec_Frame", Step_Left, Step_Top + 2 * Step_Pitch, false);
    Btn_CAN_Send_Frame = Step_Button("Btn_CAN_Send_Frame", Step_Left + 178, Step_Top + 2 * Step_Pitch, false);
    Btn_SDO_Server_CANopen = Step_Button("Btn_SDO_Server_CANopen", Step_Left, Step_Top + 3 * Step_Pitch, false);
    Btn_SDO_Client_CANopen =
        Step_Button("Btn_SDO_Client_CANopen", Step_Left + 178, Step_Top + 3 * Step_Pitch, false);
    Btn_PDO_CANopen = Step_Button("Btn_PDO_CANopen", Step_Left + 356, Step_Top + 3 * Step_Pitch, false);
    Btn_CANopen_EDS = Step_Button("Btn_CANopen_EDS", Step_Left + 178, Step5_Top, false);
    Btn_SNMP_Trap = Step_Button("Btn_SNMP_Trap", Step_Left, Step_Top + 2 * Step_Pitch, false);
    Btn_SNMP_MIB = Step_Button("Btn_SNMP_MIB", Step_Left + 178, Step5_Top, false);
    Btn_MQTT_Set_Topic = Step_Button("Btn_MQTT_Set_Topic", Step_Left, Step_Top + 2 * Step_Pitch, false);
    Btn_OPC_UA_Server_Access =
        Step_Button("Btn_OPC_UA_Server_Access", Step_Left + 178, Step_Top + 2 * Step_Pitch, false);
    Btn_PROFINET_XML = Step_Button("Btn_PROFINET_XML", Step_Left + 178, Step5_Top, false);
    Btn_BACnet_SetAccess = Step_Button("Btn_BACnet_SetAccess", Step_Left, Step_Top + 2 * Step_Pitch, false);
    Btn_BACnet_EDE_File = Step_Button("Btn_BACnet_EDE_File", Step_Left + 178, Step5_Top, false);

    Timer_Update.setObjectName(QStringLiteral("Timer_Update"));
    Timer_Update.setInterval(First_Check_Ms);
    connect(&Timer_Update, &QTimer::timeout, this, [this] { Run_Guarded(msg_, [this] { Timer_UpdateTimer(); }); });

    // Start-up without windows: folders, settings, texts, remembered project,
    // file paths.
    Startup(st_, program_dir);

    Apply_Timer_Rule();
    setWindowTitle(QString::fromLatin1(AppState::Main_Caption));
    L_SW_Code->setText(QString::fromLatin1(AppState::SW_Code));
    L_SW_Code->adjustSize();
    L_SW_Desc->setText(QString::fromLatin1(AppState::SW_Desc));
    L_SW_Desc->adjustSize();
    Set_Lang();
}

TFKeystrelFirmWare::~TFKeystrelFirmWare() = default;

QLabel* TFKeystrelFirmWare::Label(const char* name, int left, int top, bool bold, bool shown) {
    auto* l = new QLabel(this);
    l->setObjectName(QString::fromLatin1(name));
    l->move(left, top);
    Set_Text_Colour(l, Label_Grey());
    Set_Bold(l, bold);
    l->setVisible(shown);
    return l;
}

QPushButton* TFKeystrelFirmWare::Step_Button(const char* name, int left, int top, bool shown) {
    auto* b = new QPushButton(this);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(left, top, Step_Width, Step_Height);
    Set_Text_Colour(b, QColor(0x23, 0x34, 0x4d));
    Set_Bold(b);
    b->setCursor(Qt::PointingHandCursor);
    b->setVisible(shown);
    connect(b, &QPushButton::clicked, this, [this, b] { Btn_Click(b); });
    return b;
}

QToolButton* TFKeystrelFirmWare::Icon_Button(const char* name, int left, const QIcon& icon) {
    auto* b = new QToolButton(this);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(left, 8, 50, 50);
    b->setIcon(icon);
    b->setIconSize(QSize(40, 40));
    b->setAutoRaise(true);
    b->setCursor(Qt::PointingHandCursor);
    connect(b, &QToolButton::clicked, this, [this, b] { Btn_Click(b); });
    return b;
}

void TFKeystrelFirmWare::Create_Dialogs() {
    // Every window is created once, in this order, and lives until the
    // program ends. The text table and the software code are ready by now.
    // Each subsystem adds its dialog at its place in this list.
    // This window is polished before its dialogs exist: polishing a widget
    // polishes all its children, hidden windows included, so the first
    // showing would otherwise polish every dialog too. Each dialog is
    // polished when it is first shown.
    ensurePolished();
    FAbout = Keep(new TFAbout([this](const std::string& url) { open_url_(url); }, this));
    FNew_Project = Keep(new TFNew_Project(st_, msg_, this));
    FOpenConf = Keep(new TFOpenConf(st_, msg_, this));
    FSoftOptions = Keep(new TFSoftOptions(st_, msg_, Version_Check, this));
    FSoftOptions->Set_Url_Opener([this](const std::string& url) { open_url_(url); });
    FSoftOptions->Set_Language_Changed([this] { Change_Language(); });
    FSoftOptions->Set_Timer_Rule([this] { Apply_Timer_Rule(); });
    FParGen = Keep(new TFParGen(st_, msg_, this));
    FBoot = Keep(new TFBoot(st_, msg_, this));
    FS7_Protocol_Set_Access = Keep(new TFS7_Protocol_Set_Access(st_, msg_, this));
    FKNXAccess = Keep(new TFKNXAccess(st_, msg_, this));
    // The editors of the sibling models (IEC 61850 ... OPC UA) follow here.

    // Every new widget asks to be polished at the next pass of the event
    // loop; for the hidden dialogs that would mean styling them all (style
    // sheets included) before this window is on screen. A dialog is polished
    // when it is first shown or measured instead; this window is already.
    QCoreApplication::removePostedEvents(nullptr, QEvent::PolishRequest);
}

void TFKeystrelFirmWare::Change_Language() {
    Set_Lang();
    // The information box keeps its English texts and is left out.
    KsDialog* const order[] = {FNew_Project, FOpenConf, FSoftOptions, FBoot, FParGen, FS7_Protocol_Set_Access,
                               FKNXAccess};
    for (KsDialog* d : order)
        if (d) d->Set_Lang();
}

void TFKeystrelFirmWare::Set_Lang() {
    auto tx = [this](int i) { return Tx(st_, i); };
    L_Begin->setText(tx(0));
    QLabel* steps[] = {L_Step_1, L_Step_2, L_Step_3, L_Step_4, L_Step_5, L_Step_6, L_Step_7, L_Step_8};
    for (int i = 0; i < 8; ++i) {
        steps[i]->setText(tx(i + 1));
        steps[i]->adjustSize();
    }
    L_Begin->adjustSize();
    Btn_Info->setToolTip(tx(12));
    Btn_Opz->setToolTip(tx(13));
    Btn_Close->setToolTip(tx(14));

    struct Caption {
        QPushButton* button;
        int text;
        int hint;
    };
    const Caption captions[] = {
        {Btn_New, 15, 22},
        {Btn_Open, 16, 23},
        {Btn_Prm_Gen, 20, 24},
        {Btn_S7_Protocol_Access, 21, 25},
        {Btn_KNX_Access, 29, 30},
        {Btn_CreateBin, 17, 26},
        {Btn_PROFIBUS_GSD, 27, 28},
        {Btn_IEC61850_Access, 31, 32},
        {Btn_TLS_List_Certificates, 33, 34},
        {Btn_CAN_Rec_Frame, 35, 37},
        {Btn_CAN_Send_Frame, 36, 38},
        {Btn_SDO_Server_CANopen, 43, 44},
        {Btn_SDO_Client_CANopen, 45, 46},
        {Btn_PDO_CANopen, 47, 48},
        {Btn_CANopen_EDS, 49, 50},
        {Btn_SNMP_Trap, 51, 52},
        {Btn_SNMP_MIB, 53, 54},
        {Btn_MQTT_Set_Topic, 55, 56},
        {Btn_OPC_UA_Server_Access, 57, 58},
        {Btn_PROFINET_XML, 59, 60},
    };
    for (const Caption& c : captions) {
        c.button->setText(tx(c.text));
        c.button->setToolTip(tx(c.hint));
    }
    if (update_known_) Show_Update_Link(true);
    Update_Project_Labels();
}

void TFKeystrelFirmWare::Update_Project_Labels() {
    if (st_.Project_Open()) {
        L_Name_Conf->setText(Tx(st_, 11));
        L_Name_Conf_L2->setText(QString::fromStdString(st_.Project_Name));
    } else {
        L_Name_Conf->setText(Tx(st_, 9));
        L_Name_Conf_L2->setText(Tx(st_, 10));
    }
}

bool TFKeystrelFirmWare::Save_Setting() {
    const std::string err = ks::Save_Setting(st_);
    if (err.empty()) return true;
    msg_.Error(err);
    return false;
}

void TFKeystrelFirmWare::Set_Files() { ks::Set_Files(st_); }

void TFKeystrelFirmWare::Show_Modal(QWidget* dialog) {
    if (auto* d = qobject_cast<QDialog*>(dialog)) d->exec();
}

void TFKeystrelFirmWare::Btn_Click(QAbstractButton* b) {
    if (b == Btn_New) {
        Create_New_Project();
    } else if (b == Btn_Open) {
        Open_Project();
    } else if (b == Btn_Close) {
        close();
    } else if (b == Btn_Info) {
        Show_Modal(FAbout);
    } else if (b == Btn_Opz) {
        if (FSoftOptions && FSoftOptions->exec() == QDialog::Accepted) {
            Save_Setting();
            Apply_Timer_Rule();
        }
    } else if (!st_.Project_Open()) {
        msg_.Error(st_.Text(18));
    } else if (b == Btn_Prm_Gen) {
        Show_Modal(FParGen);
    } else if (b == Btn_S7_Protocol_Access) {
        Show_Modal(FS7_Protocol_Set_Access);
    } else if (b == Btn_KNX_Access) {
        Show_Modal(FKNXAccess);
    } else if (b == Btn_CreateBin) {
        Update_Device();
    }
    // The sibling models' steps have no dialog in this build.
}

void TFKeystrelFirmWare::Create_New_Project() {
    if (FNew_Project && FNew_Project->exec() == QDialog::Accepted) Update_Project_Labels();
}

void TFKeystrelFirmWare::Open_Project() {
    if (!FOpenConf || FOpenConf->exec() != QDialog::Accepted) return;
    ks::Open_Project(st_, FOpenConf->Name_Conf);
    Update_Project_Labels();
}

void TFKeystrelFirmWare::Update_Device() {
    // The image files are rewritten on every press, before the update dialog
    // opens. A project that does not compile, or banks that cannot be
    // written, end the step with the error's text.
    bool written = false;
    Run_Guarded(msg_, [&] {
        const CompileResult compiled = Compile_Bin(Image_Sources(st_.Files));
        if (!compiled.Ok()) return msg_.Error(compiled.Error);
        const std::string err = Save_Bin(compiled.Image, st_.Project_Path);
        if (!err.empty()) return msg_.Error(err);
        written = true;
    });
    if (!written) return;
    if (!FBoot) return;
    FBoot->Form_Type = TFBoot::Ethernet;  // the update over Ethernet
    Show_Modal(FBoot);
}

void TFKeystrelFirmWare::Apply_Timer_Rule() {
    if (st_.Enable_Internet && st_.Enable_Update) {
        if (!Timer_Update.isActive()) Timer_Update.start();
    } else {
        Timer_Update.stop();
    }
}

void TFKeystrelFirmWare::Show_Update_Link(bool newer) {
    update_known_ = newer;
    if (newer) {
        LL_Update->setText(QStringLiteral("<a href=\"%1\">%2</a>")
                               .arg(QString::fromStdString(Download_Page_Url()).toHtmlEscaped(),
                                    Tx(st_, 19).toHtmlEscaped()));
    }
    LL_Update->setVisible(newer);
}

void TFKeystrelFirmWare::Timer_UpdateTimer() {
    Timer_Update.stop();
    // A check started from the options dialog is still running: this tick
    // leaves the link as it is.
    if (!Version_Check.Busy()) Show_Update_Link(Version_Check.Check_Version());
    Timer_Update.setInterval(Next_Check_Ms);
    // The window keeps running during the check, so the options may have been
    // switched off meanwhile.
    Apply_Timer_Rule();
}

void TFKeystrelFirmWare::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    if (centred_) return;
    centred_ = true;
    if (QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
}

void TFKeystrelFirmWare::closeEvent(QCloseEvent* e) {
    // A settings file that cannot be written is reported but never keeps the
    // program from closing.
    Save_Setting();
    e->accept();
}

} // namespace ks
