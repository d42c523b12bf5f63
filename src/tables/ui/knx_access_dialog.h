#pragma once
// The KNX access dialog: the KNX rules of the open project in one 1024-row
// grid. Each showing loads KNX_SetAccess.xml; OK validates and saves it.
#include <string>
#include <vector>

#include "tables/knx_table.h"
#include "tables/ui/table_dialog.h"

namespace ks {

class TFKNXAccess : public TableDialog {
    Q_OBJECT
public:
    TFKNXAccess(AppState& st, Messages& msg, QWidget* parent = nullptr);

    void Set_Lang() override;
    // Loads the open project's file into the grid (every showing).
    void FormShow();
    // Validates, asks about rows that would be dropped, saves and closes.
    void Btn_OKClick() override;
    void Btn_DelRowClick() override;
    void Btn_InsRowClick() override;
    void Btn_CopyRowClick() override;
    void Btn_PasteRowClick() override;
    // Moves the rows below `Num_Row` of `SGA` up and clears its last row.
    void Delete_Row(int Num_Row, GridView* SGA);

    // The list as the grid holds it.
    KNX_Access_Table Table_From_Grid() const;

    // Creates the grid if it does not exist yet. The dialog exists from the
    // program's start, its grid (the costly part) only from its first
    // showing or first use; until then ACG_KNX_in_Write is null.
    void Build_Grid();
    void setVisible(bool visible) override;

    GridView* ACG_KNX_in_Write = nullptr;
    std::vector<std::string> Hint;
    // One grid: only the write flag is ever set.
    bool Do_Copy_In_Read = false;
    bool Do_Copy_In_Write = false;

protected:
    void showEvent(QShowEvent* e) override;

private:
    TableModel grid_;
};

} // namespace ks
