#include "app/ui/about.h"

#include "app/app_state.h"
#include "app/ui/click_label.h"
#include "app/ui/icons.h"
#include "app/ui/ks_dialog.h"
#include "app/vendor.h"

namespace ks {

namespace {
const char* Manual_Code = "UM82411";
}

TFAbout::TFAbout(UrlOpener open_url, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      open_url_(std::move(open_url)) {
    setObjectName(QStringLiteral("FAbout"));
    Apply_Look(this);
    Set_Text_Colour(this, QColor(0x33, 0x33, 0x33));  // dark grey text
    setWindowTitle(QStringLiteral("About..."));
    setFixedSize(425, 148);

    Image2 = new ClickLabel(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setGeometry(32, 24, 81, 81);
    Image2->setScaledContents(true);
    Image2->setCursor(Qt::PointingHandCursor);
    connect(Image2, &ClickLabel::clicked, this, &TFAbout::Label4Click);

    Label1 = Text_Label("Label1", 128, 24, QStringLiteral("Software Keystrel "));
    QFont bold = font();
    bold.setPixelSize(13);
    bold.setBold(true);
    Label1->setFont(bold);
    Label1->adjustSize();
    Label2 = Text_Label("Label2", 128, 39, QString());
    Label6 = Text_Label("Label6", 128, 62, QStringLiteral("Software Code : "));
    Label9 = Text_Label("Label9", 240, 62, QString());
    Label3 = Text_Label("Label3", 128, 77, QStringLiteral("Version :"));
    Label10 = Text_Label("Label10", 240, 77, QString());
    Label8 = Text_Label("Label8", 128, 93, QStringLiteral("Document Code :"));
    Label12 = Text_Label("Label12", 240, 93, QString());

    Label4 = new ClickLabel(QString::fromLatin1(Vendor_Host), this);
    Label4->setObjectName(QStringLiteral("Label4"));
    Set_Text_Colour(Label4, Qt::blue);
    QFont link_font = Label4->font();
    link_font.setUnderline(true);
    Label4->setFont(link_font);
    Label4->setCursor(Qt::PointingHandCursor);
    Label4->adjustSize();
    // Right-aligned so the whole address stays inside the box.
    Label4->move(std::min(316, 425 - 8 - Label4->width()), 131);
    connect(Label4, &ClickLabel::clicked, this, &TFAbout::Label4Click);

    LbButton1 = new QPushButton(QStringLiteral("OK"), this);
    LbButton1->setObjectName(QStringLiteral("LbButton1"));
    LbButton1->setGeometry(32, 115, 81, 22);
    LbButton1->setDefault(true);
    connect(LbButton1, &QPushButton::clicked, this, &QDialog::accept);
    Set_Values();
}

QLabel* TFAbout::Text_Label(const char* name, int left, int top, const QString& text) {
    auto* l = new QLabel(text, this);
    l->setObjectName(QString::fromLatin1(name));
    l->move(left, top);
    l->adjustSize();
    return l;
}

void TFAbout::FormShow() {
    // Drawn on the first showing: the box exists from start-up but is rarely opened.
    if (Image2->pixmap().isNull()) Image2->setPixmap(Logo_Pixmap(81));
    Set_Values();
}

void TFAbout::Set_Values() {
    Label2->setText(QString::fromLatin1(AppState::SW_Desc));
    Label9->setText(QString::fromLatin1(AppState::SW_Code));
    Label10->setText(QString::fromLatin1(Program_Version));
    Label12->setText(QString::fromLatin1(Manual_Code));
    for (QLabel* l : {Label2, Label9, Label10, Label12}) l->adjustSize();
    setFixedSize(425, 148);
}

void TFAbout::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    FormShow();
}

void TFAbout::Label4Click() {
    if (open_url_) open_url_(Home_Page_Url());
}

} // namespace ks
