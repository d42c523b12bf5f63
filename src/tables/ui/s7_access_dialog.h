#pragma once
// The S7 access dialog: the read and write request lists of the open project
// on two tab pages, each a 512-row grid. Each showing loads S7_Protocol.xml;
// OK validates and saves it.
#include <QTabWidget>
#include <QWidget>
#include <string>
#include <vector>

#include "tables/s7_table.h"
#include "tables/ui/table_dialog.h"

namespace ks {

class TFS7_Protocol_Set_Access : public TableDialog {
    Q_OBJECT
public:
    TFS7_Protocol_Set_Access(AppState& st, Messages& msg, QWidget* parent = nullptr);

    void Set_Lang() override;
    // Loads the open project's file into the grids (every showing).
    void FormShow();
    // Validates, asks about rows that would be dropped, saves and closes.
    void Btn_OKClick() override;
    void Btn_DelRowClick() override;
    void Btn_InsRowClick() override;
    void Btn_CopyRowClick() override;
    void Btn_PasteRowClick() override;

    // The grid of the page shown.
    GridView* Shown_Grid();
    // Both lists as the grids hold them.
    S7_Access_Table Table_From_Grids() const;

    // Creates the grids if they do not exist yet. The dialog exists from the
    // program's start, its grids (the costly part) only from its first
    // showing or first use; until then ACG_S7_Read and ACG_S7_Write are null.
    void Build_Grids();
    void setVisible(bool visible) override;

    QTabWidget* PageControl1;
    QWidget* TS_S7_Read;
    QWidget* TS_S7_Write;
    GridView* ACG_S7_Read = nullptr;
    GridView* ACG_S7_Write = nullptr;

    std::vector<std::string> Hint_S7_Set_Access_Read;
    std::vector<std::string> Hint_S7_Set_Access_Write;
    bool Do_Copy_In_Read = false;
    bool Do_Copy_In_Write = false;
    IP_Port_Array array_ip_Port;

protected:
    void showEvent(QShowEvent* e) override;

private:
    TableModel read_;
    TableModel write_;
};

} // namespace ks
