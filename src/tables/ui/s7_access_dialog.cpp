#include "tables/ui/s7_access_dialog.h"

#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>
#include <cstring>

#include "app/ui/error_report.h"
#include "core/messages.h"

namespace ks {

namespace {

// Grid column of the field that ends a list when empty.
int Key_Column(S7_List list) {
    const auto& cols = S7_Columns(list);
    for (size_t k = 0; k < cols.size(); ++k)
        if (std::strcmp(cols[k].field, "PLC_Address") == 0) return static_cast<int>(k) + 1;
    return 2;
}

}  // namespace

TFS7_Protocol_Set_Access::TFS7_Protocol_Set_Access(AppState& st, Messages& msg, QWidget* parent)
    : TableDialog(st, msg, parent), read_(Make_S7_Grid(S7_List::Read)), write_(Make_S7_Grid(S7_List::Write)) {
    setObjectName(QStringLiteral("FS7_Protocol_Set_Access"));
    PageControl1 = new QTabWidget(Body());
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    auto* lay = new QVBoxLayout(Body());
    lay->setContentsMargins(0, 0, 0, 0);
    lay->addWidget(PageControl1);
    auto page = [](const char* name) {
        auto* p = new QWidget;
        p->setObjectName(QString::fromLatin1(name));
        auto* pl = new QVBoxLayout(p);
        pl->setContentsMargins(0, 0, 0, 0);
        return p;
    };
    TS_S7_Read = page("TS_S7_Read");
    TS_S7_Write = page("TS_S7_Write");
    PageControl1->addTab(TS_S7_Read, QString());
    PageControl1->addTab(TS_S7_Write, QString());

    // FormCreate.
    resize(1350, 337);
    Set_Lang();
}

void TFS7_Protocol_Set_Access::Build_Grids() {
    if (ACG_S7_Read) return;
    ACG_S7_Read = Make_Grid(read_, S7_Columns(S7_List::Read), TS_S7_Read);
    ACG_S7_Read->setObjectName(QStringLiteral("ACG_S7_Read"));
    TS_S7_Read->layout()->addWidget(ACG_S7_Read);
    ACG_S7_Write = Make_Grid(write_, S7_Columns(S7_List::Write), TS_S7_Write);
    ACG_S7_Write->setObjectName(QStringLiteral("ACG_S7_Write"));
    TS_S7_Write->layout()->addWidget(ACG_S7_Write);
    Apply_Grid_Texts(ACG_S7_Read, S7_Row_Number_Header(S7_List::Read), S7_Columns(S7_List::Read),
                     Hint_S7_Set_Access_Read);
    Apply_Grid_Texts(ACG_S7_Write, S7_Row_Number_Header(S7_List::Write), S7_Columns(S7_List::Write),
                     Hint_S7_Set_Access_Write);
}

void TFS7_Protocol_Set_Access::setVisible(bool visible) {
    // Before the base class shows the children, so the grids are shown and
    // laid out with the dialog.
    if (visible) Build_Grids();
    TableDialog::setVisible(visible);
}

void TFS7_Protocol_Set_Access::Set_Lang() {
    setWindowTitle(Tx(st_, 1200));
    L_SW_Desc->setText(Tx(st_, 1201));
    L_SW_Desc->adjustSize();
    Apply_Button_Texts(1202);
    PageControl1->setTabText(0, Tx(st_, 1214));
    PageControl1->setTabText(1, Tx(st_, 1215));
    // Grids not built yet take the texts when they are built.
    if (!ACG_S7_Read) return;
    Apply_Grid_Texts(ACG_S7_Read, S7_Row_Number_Header(S7_List::Read), S7_Columns(S7_List::Read),
                     Hint_S7_Set_Access_Read);
    Apply_Grid_Texts(ACG_S7_Write, S7_Row_Number_Header(S7_List::Write), S7_Columns(S7_List::Write),
                     Hint_S7_Set_Access_Write);
}

void TFS7_Protocol_Set_Access::FormShow() {
    Build_Grids();
    PageControl1->setCurrentWidget(TS_S7_Read);
    // Every row of both grids is rewritten: the rows read, the rest reset.
    S7_Load_Result r = Load_S7_Protocol(st_.Files.File_S7_Protocol);
    S7_List_To_Grid(r.table.S7_Protocol_Read, S7_List::Read, read_);
    S7_List_To_Grid(r.table.S7_Protocol_Write, S7_List::Write, write_);
    ACG_S7_Read->Reload();
    ACG_S7_Write->Reload();
    Do_Copy_In_Read = false;
    Do_Copy_In_Write = false;
    if (!r.error.empty()) {
        // Reported once the dialog stands, so the box lies over the rows read.
        const QString text = QString::fromStdString(r.error);
        QTimer::singleShot(0, this, [text] { Report_Error(text); });
    }
}

S7_Access_Table TFS7_Protocol_Set_Access::Table_From_Grids() const {
    S7_Access_Table t;
    t.S7_Protocol_Read = S7_List_From_Grid(read_, S7_List::Read);
    t.S7_Protocol_Write = S7_List_From_Grid(write_, S7_List::Write);
    return t;
}

GridView* TFS7_Protocol_Set_Access::Shown_Grid() {
    Build_Grids();
    return PageControl1->currentWidget() == TS_S7_Read ? ACG_S7_Read : ACG_S7_Write;
}

void TFS7_Protocol_Set_Access::Btn_OKClick() {
    Build_Grids();
    const S7_Access_Table t = Table_From_Grids();
    const std::string fault = Controllo_dati(t, st_.Text_Table, array_ip_Port);
    if (!fault.empty()) {
        msg_.Error(fault);
        return;
    }
    const std::pair<QWidget*, GridView*> pages[] = {{TS_S7_Read, ACG_S7_Read}, {TS_S7_Write, ACG_S7_Write}};
    const S7_List lists[] = {S7_List::Read, S7_List::Write};
    for (int i = 0; i < 2; ++i) {
        if (First_Empty_Row_With_Data_After(pages[i].second->Table(), Key_Column(lists[i])) == 0) continue;
        PageControl1->setCurrentWidget(pages[i].first);
        if (!Confirm_Rows_After_Empty(pages[i].second, Key_Column(lists[i]))) return;
    }
    const std::string err = Save_S7_Protocol(st_.Files.File_S7_Protocol, t);
    if (!err.empty()) {
        // The earlier file stays as it was; the grids keep every value.
        Report_Error(QString::fromStdString(err));
        return;
    }
    accept();
}

void TFS7_Protocol_Set_Access::Btn_DelRowClick() { Delete_Current_Row(Shown_Grid()); }

void TFS7_Protocol_Set_Access::Btn_InsRowClick() { Insert_Current_Row(Shown_Grid()); }

void TFS7_Protocol_Set_Access::Btn_CopyRowClick() {
    GridView* g = Shown_Grid();
    Copy_Current_Row(g);
    Do_Copy_In_Read = g == ACG_S7_Read;
    Do_Copy_In_Write = g == ACG_S7_Write;
}

void TFS7_Protocol_Set_Access::Btn_PasteRowClick() {
    GridView* g = Shown_Grid();
    Paste_Current_Row(g, g == ACG_S7_Read ? Do_Copy_In_Read : Do_Copy_In_Write);
}

void TFS7_Protocol_Set_Access::showEvent(QShowEvent* e) {
    TableDialog::showEvent(e);
    if (e->spontaneous()) return;
    Centre_On_Screen(this);
    FormShow();
}

} // namespace ks
