#include "tables/ui/knx_access_dialog.h"

#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>
#include <cstring>

#include "app/ui/error_report.h"
#include "core/messages.h"

namespace ks {

namespace {

// Grid column of the field that ends the list when empty.
int Key_Column() {
    const auto& cols = KNX_Columns();
    for (size_t k = 0; k < cols.size(); ++k)
        if (std::strcmp(cols[k].field, "Source_Address") == 0) return static_cast<int>(k) + 1;
    return 2;
}

constexpr int Length_Column = 16;

}  // namespace

TFKNXAccess::TFKNXAccess(AppState& st, Messages& msg, QWidget* parent)
    : TableDialog(st, msg, parent), grid_(Make_KNX_Grid()) {
    setObjectName(QStringLiteral("FKNXAccess"));
    auto* lay = new QVBoxLayout(Body());
    lay->setContentsMargins(0, 0, 0, 0);

    // FormCreate.
    resize(1141, 337);
    Set_Lang();
}

void TFKNXAccess::Build_Grid() {
    if (ACG_KNX_in_Write) return;
    ACG_KNX_in_Write = Make_Grid(grid_, KNX_Columns(), Body());
    ACG_KNX_in_Write->setObjectName(QStringLiteral("ACG_KNX_in_Write"));
    Body()->layout()->addWidget(ACG_KNX_in_Write);
    ACG_KNX_in_Write->setColumnWidth(Length_Column, 96);
    Apply_Grid_Texts(ACG_KNX_in_Write, KNX_Row_Number_Header, KNX_Columns(), Hint);
}

void TFKNXAccess::setVisible(bool visible) {
    // Before the base class shows the children, so the grid is shown and
    // laid out with the dialog.
    if (visible) Build_Grid();
    TableDialog::setVisible(visible);
}

void TFKNXAccess::Set_Lang() {
    setWindowTitle(Tx(st_, 1400));
    L_SW_Desc->setText(Tx(st_, 1401));
    L_SW_Desc->adjustSize();
    Apply_Button_Texts(1402);
    // A grid not built yet takes the texts when it is built.
    if (ACG_KNX_in_Write) Apply_Grid_Texts(ACG_KNX_in_Write, KNX_Row_Number_Header, KNX_Columns(), Hint);
}

void TFKNXAccess::FormShow() {
    Build_Grid();
    // Every row of the grid is rewritten: the rows read, the rest reset.
    KNX_Load_Result r = Load_KNX_SetAccess(st_.Files.File_KNX_SetAccess);
    KNX_List_To_Grid(r.table.KNX_in_Write, grid_);
    ACG_KNX_in_Write->Reload();
    Do_Copy_In_Read = false;
    Do_Copy_In_Write = false;
    if (!r.error.empty()) {
        // Reported once the dialog stands, so the box lies over the rows read.
        const QString text = QString::fromStdString(r.error);
        QTimer::singleShot(0, this, [text] { Report_Error(text); });
    }
}

KNX_Access_Table TFKNXAccess::Table_From_Grid() const {
    KNX_Access_Table t;
    t.KNX_in_Write = KNX_List_From_Grid(grid_);
    return t;
}

void TFKNXAccess::Btn_OKClick() {
    Build_Grid();
    const KNX_Access_Table t = Table_From_Grid();
    const std::string fault = Controllo_dati(t, st_.Text_Table);
    if (!fault.empty()) {
        msg_.Error(fault);
        return;
    }
    if (!Confirm_Rows_After_Empty(ACG_KNX_in_Write, Key_Column())) return;
    const std::string err = Save_KNX_SetAccess(st_.Files.File_KNX_SetAccess, t);
    if (!err.empty()) {
        // The earlier file stays as it was; the grid keeps every value.
        Report_Error(QString::fromStdString(err));
        return;
    }
    accept();
}

void TFKNXAccess::Delete_Row(int Num_Row, GridView* SGA) { SGA->Delete_Row(Num_Row); }

void TFKNXAccess::Btn_DelRowClick() {
    Build_Grid();
    const int row = ACG_KNX_in_Write->Current_Row();
    if (!msg_.Confirm(st_.Text(1460) + std::to_string(row))) return;
    Delete_Row(row, ACG_KNX_in_Write);
}

void TFKNXAccess::Btn_InsRowClick() {
    Build_Grid();
    Insert_Current_Row(ACG_KNX_in_Write);
}

void TFKNXAccess::Btn_CopyRowClick() {
    Build_Grid();
    Copy_Current_Row(ACG_KNX_in_Write);
    Do_Copy_In_Write = true;
    Do_Copy_In_Read = false;
}

void TFKNXAccess::Btn_PasteRowClick() {
    Build_Grid();
    Paste_Current_Row(ACG_KNX_in_Write, Do_Copy_In_Write);
}

void TFKNXAccess::showEvent(QShowEvent* e) {
    TableDialog::showEvent(e);
    if (e->spontaneous()) return;
    Centre_On_Screen(this);
    FormShow();
}

} // namespace ks
