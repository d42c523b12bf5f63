#include "app/ui/ks_dialog.h"

#include <QResizeEvent>
#include <QVBoxLayout>

#include "app/app_state.h"

namespace ks {

QColor Window_Background() { return QColor(248, 247, 237); }

void Apply_Look(QWidget* w) {
    QFont f(QStringLiteral("Verdana"));
    f.setPixelSize(11);
    w->setFont(f);
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, Window_Background());
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

void Set_Text_Colour(QWidget* w, const QColor& c) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, c);
    pal.setColor(QPalette::Text, c);
    pal.setColor(QPalette::ButtonText, c);
    w->setPalette(pal);
}

QColor Label_Grey() { return QColor(128, 128, 128); }

void Set_Bold(QWidget* w, bool bold) {
    QFont f = w->font();
    f.setBold(bold);
    w->setFont(f);
}

QString Tx(const AppState& st, int i) { return QString::fromStdString(st.Text(i)); }

KsDialog::KsDialog(AppState& st, Messages& msg, QWidget* parent) : QDialog(parent), st_(st), msg_(msg) {
    Apply_Look(this);
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(0);

    header_ = new QFrame(this);
    header_->setObjectName(QStringLiteral("P_Header"));
    header_->setFixedHeight(69);
    header_->setAutoFillBackground(true);
    QPalette hp = header_->palette();
    hp.setColor(QPalette::Window, Qt::white);
    header_->setPalette(hp);
    L_SW_Code = new QLabel(QString::fromLatin1(AppState::SW_Code), header_);
    L_SW_Code->setObjectName(QStringLiteral("L_SW_Code"));
    QFont cf = font();
    cf.setPixelSize(32);
    L_SW_Code->setFont(cf);
    Set_Text_Colour(L_SW_Code, Label_Grey());
    L_SW_Code->move(16, 4);
    L_SW_Code->adjustSize();
    L_SW_Desc = new QLabel(header_);
    L_SW_Desc->setObjectName(QStringLiteral("L_SW_Desc"));
    Set_Text_Colour(L_SW_Desc, Label_Grey());
    L_SW_Desc->setGeometry(16, 44, 600, 17);

    body_ = new QWidget(this);
    body_->setObjectName(QStringLiteral("P_Body"));

    bottom_ = new QFrame(this);
    bottom_->setObjectName(QStringLiteral("P_Bottom"));
    bottom_->setFixedHeight(40);
    Btn_OK = new QPushButton(bottom_);
    Btn_OK->setObjectName(QStringLiteral("Btn_OK"));
    Btn_OK->setFixedSize(110, 28);
    Btn_OK->setAutoDefault(false);
    Btn_Cancel = new QPushButton(bottom_);
    Btn_Cancel->setObjectName(QStringLiteral("Btn_Cancel"));
    Btn_Cancel->setFixedSize(110, 28);
    Btn_Cancel->setAutoDefault(false);
    connect(Btn_Cancel, &QPushButton::clicked, this, &QDialog::reject);

    lay->addWidget(header_);
    lay->addWidget(body_, 1);
    lay->addWidget(bottom_);
}

void KsDialog::Layout_Buttons() {
    const int w = bottom_->width();
    Btn_Cancel->move(w - 16 - 110, 6);
    Btn_OK->move(w - 16 - 110 - 8 - 110, 6);
}

void KsDialog::resizeEvent(QResizeEvent* e) {
    QDialog::resizeEvent(e);
    Layout_Buttons();
}

} // namespace ks
