#include "tables/ui/table_dialog.h"

#include "app/ui/error_report.h"

#include <QEvent>
#include <QScreen>
#include <QStyle>

#include "app/ui/icons.h"
#include "core/messages.h"

namespace ks {

namespace {

// Flat buttons in the window's colour: yellow under the mouse, orange while
// pressed.
constexpr const char* Button_Style =
    "QPushButton { background: #F8F7ED; border: 1px solid #C8C6B8; border-radius: 2px; padding: 0 6px; }"
    "QPushButton:hover { background: #FFFF80; }"
    "QPushButton:pressed { background: #FF8000; }"
    "QPushButton:disabled { color: grey; }";

}  // namespace

void Centre_On_Screen(QWidget* w) {
    QScreen* scr = w->screen();
    if (!scr) return;
    QRect g = w->frameGeometry();
    g.moveCenter(scr->availableGeometry().center());
    w->move(g.topLeft());
}

TableDialog::TableDialog(AppState& st, Messages& msg, QWidget* parent) : KsDialog(st, msg, parent) {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowMaximizeButtonHint);
    Header()->setObjectName(QStringLiteral("P_Title"));
    Bottom()->setObjectName(QStringLiteral("P_Button"));
    L_SW_Code->setText(QString::fromLatin1(AppState::SW_Code));
    L_SW_Code->adjustSize();
    QFont desc = L_SW_Desc->font();
    desc.setBold(true);
    L_SW_Desc->setFont(desc);
    L_SW_Desc->move(16, 42);

    Btn_OK->setIcon(Standard_Icon(QStyle::SP_DialogApplyButton));
    Btn_Cancel->setIcon(Standard_Icon(QStyle::SP_DialogCancelButton));
    Btn_DelRow = Make_Button("Btn_DelRow", QStyle::SP_TrashIcon);
    Btn_InsRow = Make_Button("Btn_InsRow", QStyle::SP_FileDialogNewFolder);
    Btn_CopyRow = Make_Button("Btn_CopyRow", QStyle::SP_FileLinkIcon);
    Btn_PasteRow = Make_Button("Btn_PasteRow", QStyle::SP_DialogSaveButton);
    Btn_OK->setDefault(false);

    auto guarded = [this](void (TableDialog::*fn)()) {
        return [this, fn] { Run_Guarded([this, fn] { (this->*fn)(); }); };
    };
    connect(Btn_OK, &QPushButton::clicked, this, guarded(&TableDialog::Btn_OKClick));
    connect(Btn_DelRow, &QPushButton::clicked, this, guarded(&TableDialog::Btn_DelRowClick));
    connect(Btn_InsRow, &QPushButton::clicked, this, guarded(&TableDialog::Btn_InsRowClick));
    connect(Btn_CopyRow, &QPushButton::clicked, this, guarded(&TableDialog::Btn_CopyRowClick));
    connect(Btn_PasteRow, &QPushButton::clicked, this, guarded(&TableDialog::Btn_PasteRowClick));
}

QPushButton* TableDialog::Make_Button(const char* name, QStyle::StandardPixmap icon) {
    auto* b = new QPushButton(Bottom());
    b->setObjectName(QString::fromLatin1(name));
    b->setFixedSize(110, 28);
    b->setAutoDefault(false);
    b->setFocusPolicy(Qt::TabFocus);
    b->setIcon(Standard_Icon(icon));
    return b;
}

bool TableDialog::event(QEvent* e) {
    if (e->type() == QEvent::Polish && !buttons_styled_) {
        buttons_styled_ = true;
        const QString sheet = QString::fromLatin1(Button_Style);
        for (QPushButton* b : {Btn_OK, Btn_Cancel, Btn_DelRow, Btn_InsRow, Btn_CopyRow, Btn_PasteRow}) b->setStyleSheet(sheet);
    }
    return KsDialog::event(e);
}

void TableDialog::Layout_Buttons() {
    QPushButton* order[] = {Btn_OK, Btn_Cancel, Btn_DelRow, Btn_InsRow, Btn_CopyRow, Btn_PasteRow};
    for (int i = 0; i < 6; ++i)
        if (order[i]) order[i]->move(16 + 118 * i, 6);
}

void TableDialog::Apply_Button_Texts(int first) {
    QPushButton* order[] = {Btn_OK, Btn_Cancel, Btn_DelRow, Btn_InsRow, Btn_CopyRow, Btn_PasteRow};
    for (int i = 0; i < 6; ++i) {
        order[i]->setText(Tx(st_, first + i));
        order[i]->setToolTip(Tx(st_, first + 6 + i));
    }
}

void TableDialog::Delete_Current_Row(GridView* g) {
    const int row = g->Current_Row();
    if (!msg_.Confirm(st_.Text(1460) + std::to_string(row))) return;
    g->Delete_Row(row);
}

void TableDialog::Insert_Current_Row(GridView* g) { g->Insert_Row(g->Current_Row(), true); }

void TableDialog::Copy_Current_Row(GridView* g) { g->Copy_Row(g->Current_Row(), st_.Copied_Row); }

void TableDialog::Paste_Current_Row(GridView* g, bool copied_flag) {
    g->Paste_Row(g->Current_Row(), copied_flag, st_.Copied_Row, st_.Text_Table, msg_);
}

bool TableDialog::Confirm_Rows_After_Empty(GridView* g, int key_col) {
    const int row = First_Empty_Row_With_Data_After(g->Table(), key_col);
    if (row == 0) return true;
    g->Set_Current(key_col, row);
    return msg_.Confirm(st_.Text(1106) + std::to_string(row) + st_.Text(1107));
}

QColor TableDialog::Colour(uint32_t rgb) {
    if (rgb == Window_Colour) return QColor();
    return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

} // namespace ks
