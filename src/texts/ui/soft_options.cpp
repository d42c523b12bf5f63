#include "texts/ui/soft_options.h"

#include <QBitmap>
#include <QImage>
#include <QPixmap>
#include <QVBoxLayout>

#include "app/app_state.h"
#include "app/ui/click_label.h"
#include "app/vendor.h"
#include "core/messages.h"
#include "core/text_util.h"
#include "texts/language_files.h"
#include "texts/ui/version_check.h"

namespace ks {

namespace {

constexpr int Flag_Size = 48;

// A flag as a transparent picture: the colour of its bottom-left pixel
// stands for "no colour".
QPixmap Load_Flag(const std::string& path) {
    QImage img(QString::fromStdString(path));
    if (img.isNull()) return {};
    QPixmap pm = QPixmap::fromImage(img);
    const QColor key = img.pixelColor(0, img.height() - 1);
    pm.setMask(pm.createMaskFromColor(key, Qt::MaskInColor));
    if (pm.width() > Flag_Size || pm.height() > Flag_Size)
        pm = pm.scaled(Flag_Size, Flag_Size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return pm;
}

}  // namespace

TFSoftOptions::TFSoftOptions(AppState& st, Messages& msg, VersionCheck& check, QWidget* parent)
    : KsDialog(st, msg, parent), check_(check) {
    setObjectName(QStringLiteral("FSoftOptions"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(509, 373);

    auto* body_lay = new QVBoxLayout(Body());
    body_lay->setContentsMargins(0, 0, 0, 0);
    PC_Options = new QTabWidget(Body());
    PC_Options->setObjectName(QStringLiteral("PC_Options"));
    body_lay->addWidget(PC_Options);

    // Language page.
    TS_Language = new QWidget();
    TS_Language->setObjectName(QStringLiteral("TS_Language"));
    L_Sel_Lang = new QLabel(TS_Language);
    L_Sel_Lang->setObjectName(QStringLiteral("L_Sel_Lang"));
    L_Sel_Lang->move(12, 11);
    static const QPoint pictures[Slots] = {{24, 40}, {26, 94}, {24, 148}, {254, 40}, {254, 94}, {254, 148}};
    static const QPoint names[Slots] = {{80, 56}, {80, 110}, {80, 164}, {310, 56}, {310, 110}, {310, 164}};
    for (int i = 0; i < Slots; ++i) {
        const int k = i + 1;
        I_L[i] = new ClickLabel(TS_Language);
        I_L[i]->setObjectName(QStringLiteral("I_L%1").arg(k));
        I_L[i]->setGeometry(QRect(pictures[i], QSize(Flag_Size, Flag_Size)));
        I_L[i]->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        I_L[i]->setCursor(Qt::PointingHandCursor);
        L_L[i] = new ClickLabel(TS_Language);
        L_L[i]->setObjectName(QStringLiteral("L_L%1").arg(k));
        L_L[i]->move(names[i]);
        L_L[i]->setCursor(Qt::PointingHandCursor);
        connect(I_L[i], &ClickLabel::clicked, this, [this, k] { LangClick(k); });
        connect(L_L[i], &ClickLabel::clicked, this, [this, k] { LangClick(k); });
    }
    L_Page_Lang = new QLabel(TS_Language);
    L_Page_Lang->setObjectName(QStringLiteral("L_Page_Lang"));
    L_Page_Lang->move(220, 212);
    Btn_Prev = new QPushButton(TS_Language);
    Btn_Prev->setObjectName(QStringLiteral("Btn_Prev"));
    Btn_Prev->setGeometry(12, 204, 110, 28);
    Btn_Next = new QPushButton(TS_Language);
    Btn_Next->setObjectName(QStringLiteral("Btn_Next"));
    Btn_Next->setGeometry(379, 205, 110, 28);
    for (QPushButton* b : {Btn_Prev, Btn_Next}) b->setAutoDefault(false);
    connect(Btn_Prev, &QPushButton::clicked, this, [this] { Btn_NextClick(false); });
    connect(Btn_Next, &QPushButton::clicked, this, [this] { Btn_NextClick(true); });
    PC_Options->addTab(TS_Language, QString());

    // Connection page.
    TS_Con_Options = new QWidget();
    TS_Con_Options->setObjectName(QStringLiteral("TS_Con_Options"));
    CB_En_Con = new QCheckBox(TS_Con_Options);
    CB_En_Con->setObjectName(QStringLiteral("CB_En_Con"));
    CB_En_Con->move(12, 16);
    CB_Update = new QCheckBox(TS_Con_Options);
    CB_Update->setObjectName(QStringLiteral("CB_Update"));
    CB_Update->move(36, 47);
    Btn_Check_Update = new QPushButton(TS_Con_Options);
    Btn_Check_Update->setObjectName(QStringLiteral("Btn_Check_Update"));
    Btn_Check_Update->setGeometry(36, 78, 204, 28);
    Btn_Check_Update->setAutoDefault(false);
    connect(Btn_Check_Update, &QPushButton::clicked, this, &TFSoftOptions::Btn_Check_UpdateClick);
    LL_Check_Update = new QLabel(TS_Con_Options);
    LL_Check_Update->setObjectName(QStringLiteral("LL_Check_Update"));
    LL_Check_Update->move(40, 120);
    LL_Check_Update->setTextFormat(Qt::RichText);
    LL_Check_Update->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    LL_Check_Update->setOpenExternalLinks(false);
    LL_Check_Update->hide();
    connect(LL_Check_Update, &QLabel::linkActivated, this, [this](const QString& link) {
        if (open_url_) open_url_(link.toStdString());
    });
    PC_Options->addTab(TS_Con_Options, QString());

    // Table editor page.
    TS_Soft_Settings = new QWidget();
    TS_Soft_Settings->setObjectName(QStringLiteral("TS_Soft_Settings"));
    CB_Soft_Set_Jump_Table = new QCheckBox(TS_Soft_Settings);
    CB_Soft_Set_Jump_Table->setObjectName(QStringLiteral("CB_Soft_Set_Jump_Table"));
    CB_Soft_Set_Jump_Table->move(12, 16);
    CB_DoubleClick_Auto_Size = new QCheckBox(TS_Soft_Settings);
    CB_DoubleClick_Auto_Size->setObjectName(QStringLiteral("CB_DoubleClick_Auto_Size"));
    CB_DoubleClick_Auto_Size->move(12, 39);
    PC_Options->addTab(TS_Soft_Settings, QString());

    for (QCheckBox* cb : {CB_En_Con, CB_Update, CB_Soft_Set_Jump_Table, CB_DoubleClick_Auto_Size})
        connect(cb, &QCheckBox::toggled, this, &TFSoftOptions::Update_CheckBox);
    // No second check while one runs, from here or from the main window's timer.
    connect(&check_, &VersionCheck::busyChanged, this, &TFSoftOptions::Update_CheckBox);

    connect(Btn_OK, &QPushButton::clicked, this, &TFSoftOptions::Btn_OKClick);
    Set_Lang();
}

void TFSoftOptions::Set_Lang() {
    auto set = [](auto* w, const QString& text) {
        w->setText(text);
        w->adjustSize();
    };
    setWindowTitle(Tx(st_, 300));
    L_SW_Desc->setText(Tx(st_, 301));
    PC_Options->setTabText(0, Tx(st_, 302));
    PC_Options->setTabText(1, Tx(st_, 303));
    PC_Options->setTabText(2, Tx(st_, 319));
    set(L_Sel_Lang, Tx(st_, 304));
    set(L_Page_Lang, Tx(st_, 305) + QStringLiteral("1") + Tx(st_, 306) + QStringLiteral("1"));
    Btn_Prev->setText(Tx(st_, 307));
    Btn_Next->setText(Tx(st_, 308));
    set(CB_En_Con, Tx(st_, 309));
    set(CB_Update, Tx(st_, 310));
    Btn_Check_Update->setText(Tx(st_, 311));
    Btn_OK->setText(Tx(st_, 312));
    Btn_Cancel->setText(Tx(st_, 313));
    set(CB_Soft_Set_Jump_Table, Tx(st_, 320));
    set(CB_DoubleClick_Auto_Size, Tx(st_, 321));
}

void TFSoftOptions::Layout_Buttons() {
    Btn_OK->move(16, 6);
    Btn_Cancel->move(134, 6);
}

void TFSoftOptions::showEvent(QShowEvent* e) {
    KsDialog::showEvent(e);
    FormShow();
}

void TFSoftOptions::FormShow() {
    Language_In_Use = st_.Language_Name;
    Create_Lang_List();
    Update_CheckBox();
    LL_Check_Update->hide();
    PC_Options->setCurrentWidget(TS_Language);
    CB_En_Con->setChecked(st_.Enable_Internet);
    CB_Update->setChecked(st_.Enable_Update);
    CB_Soft_Set_Jump_Table->setChecked(st_.Enable_Jump_Field_Tables);
    CB_DoubleClick_Auto_Size->setChecked(st_.Enable_Double_Click_Auto_Size);
    Update_CheckBox();
}

void TFSoftOptions::Create_Lang_List() {
    SL_Languages = Language_Files(st_.Language_Dir);
    Show_Page = 1;
    Update_Lang_Page(Show_Page);
}

int TFSoftOptions::Page_Count() const { return (static_cast<int>(SL_Languages.size()) + Slots - 1) / Slots; }

void TFSoftOptions::Update_Lang_Page(int Num_Page) {
    const int pages = Page_Count();
    L_Sel_Lang->setText(Tx(st_, 304) + QString::fromStdString(Language_In_Use));
    L_Sel_Lang->adjustSize();
    L_Page_Lang->setText(Tx(st_, 305) + QString::number(Num_Page) + Tx(st_, 306) + QString::number(pages));
    L_Page_Lang->adjustSize();
    Btn_Prev->setVisible(Num_Page != 1);
    Btn_Next->setVisible(Num_Page < pages);

    const int first = (Num_Page - 1) * Slots;
    const int n = std::min(Slots, static_cast<int>(SL_Languages.size()) - first);
    for (int i = 0; i < Slots; ++i) {
        if (i >= n) {
            I_L[i]->hide();
            L_L[i]->hide();
            continue;
        }
        const std::string name = Language_Of_File(SL_Languages[static_cast<size_t>(first + i)]);
        L_L[i]->setText(QString::fromStdString(name));
        L_L[i]->adjustSize();
        L_L[i]->show();
        std::string flag = Join_Path(st_.Language_Dir, name + ".bmp");
        if (!Is_File(flag)) flag = Join_Path(st_.Language_Dir, "DefaultFlag.bmp");
        const QPixmap pm = Is_File(flag) ? Load_Flag(flag) : QPixmap();
        I_L[i]->setPixmap(pm);
        I_L[i]->setVisible(!pm.isNull());
    }
}

void TFSoftOptions::Btn_NextClick(bool next) {
    if (next) {
        if (Page_Count() >= Show_Page + 1) ++Show_Page;
    } else {
        if (Show_Page - 1 > 0) --Show_Page;
    }
    Update_Lang_Page(Show_Page);
}

void TFSoftOptions::LangClick(int k) {
    const int index = (Show_Page - 1) * Slots + k - 1;
    if (k < 1 || k > Slots || index < 0 || index >= static_cast<int>(SL_Languages.size())) return;
    const std::string name = Language_Of_File(SL_Languages[static_cast<size_t>(index)]);
    if (!msg_.Confirm(st_.Text(316) + Language_In_Use + st_.Text(317) + name + st_.Text(318))) return;
    Language_In_Use = name;

    // The table takes the new language now; the committed setting changes
    // only with OK.
    const std::string committed = st_.Language_Name;
    st_.Language_Name = name;
    Load_Texts(st_.Text_Table, st_.Language_Dir, st_.Language_Name);
    st_.Language_Name = committed;

    if (language_changed_)
        language_changed_();
    else
        Set_Lang();
    L_Sel_Lang->setText(Tx(st_, 304) + QString::fromStdString(Language_In_Use));
    L_Sel_Lang->adjustSize();
}

void TFSoftOptions::Update_CheckBox() {
    CB_Update->setEnabled(CB_En_Con->isChecked());
    Btn_Check_Update->setEnabled(CB_Update->isEnabled() && CB_Update->isChecked() && !check_.Busy());
}

void TFSoftOptions::Btn_Check_UpdateClick() {
    if (check_.Busy()) return;
    const bool newer = check_.Check_Version();
    if (newer) {
        LL_Check_Update->setText(QStringLiteral("<a href=\"%1\">%2</a>")
                                     .arg(QString::fromStdString(Download_Page_Url()).toHtmlEscaped(),
                                          Tx(st_, 314).toHtmlEscaped()));
    } else {
        LL_Check_Update->setText(Tx(st_, 315).toHtmlEscaped());
    }
    LL_Check_Update->adjustSize();
    LL_Check_Update->show();
}

void TFSoftOptions::Btn_OKClick() {
    st_.Language_Name = Language_In_Use;
    st_.Enable_Internet = CB_En_Con->isChecked();
    // The checked state counts even while the box is disabled.
    st_.Enable_Update = CB_Update->isChecked();
    if (timer_rule_) timer_rule_();
    st_.Enable_Jump_Field_Tables = CB_Soft_Set_Jump_Table->isChecked();
    st_.Enable_Double_Click_Auto_Size = CB_DoubleClick_Auto_Size->isChecked();
    accept();
}

} // namespace ks
