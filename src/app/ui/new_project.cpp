#include "app/ui/new_project.h"

#include "app/app_state.h"
#include "app/projects.h"
#include "core/messages.h"

namespace ks {

TFNew_Project::TFNew_Project(AppState& st, Messages& msg, QWidget* parent) : KsDialog(st, msg, parent) {
    setObjectName(QStringLiteral("FNew_Project"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(331, 162);

    // Body coordinates: the body starts under the 69-pixel header.
    Label1 = new QLabel(Body());
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(16, 70 - 69);
    E_New_Proj = new QLineEdit(Body());
    E_New_Proj->setObjectName(QStringLiteral("E_New_Proj"));
    E_New_Proj->setGeometry(16, 94 - 69, 297, 21);
    connect(E_New_Proj, &QLineEdit::returnPressed, this, &TFNew_Project::Btn_OKClick);
    connect(Btn_OK, &QPushButton::clicked, this, &TFNew_Project::Btn_OKClick);

    Set_Lang();
}

void TFNew_Project::Set_Lang() {
    setWindowTitle(Tx(st_, 100));
    L_SW_Desc->setText(Tx(st_, 101));
    Label1->setText(Tx(st_, 102));
    Label1->adjustSize();
    Btn_OK->setText(Tx(st_, 103));
    Btn_Cancel->setText(Tx(st_, 104));
    E_New_Proj->setToolTip(Tx(st_, 108));
    Btn_OK->setToolTip(Tx(st_, 109));
    Btn_Cancel->setToolTip(Tx(st_, 110));
}

void TFNew_Project::showEvent(QShowEvent* e) {
    KsDialog::showEvent(e);
    E_New_Proj->clear();
    E_New_Proj->setFocus();
}

void TFNew_Project::Layout_Buttons() {
    Btn_OK->move(85, 6);
    Btn_Cancel->move(203, 6);
}

void TFNew_Project::Btn_OKClick() {
    // The name is taken exactly as typed.
    const CreateResult r = Create_Project(st_, E_New_Proj->text().toStdString());
    if (r != CreateResult::Ok) {
        msg_.Error(st_.Text(static_cast<int>(r)));
        E_New_Proj->setFocus();
        return;
    }
    accept();
}

} // namespace ks
