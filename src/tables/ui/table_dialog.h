#pragma once
// What the access-table dialogs share: the six buttons of the bottom band,
// the grid columns and texts from the column lists, the row commands with
// their questions, and the warning about rows that would not be saved.
#include <QPushButton>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/ui/ks_dialog.h"
#include "tables/access_column.h"
#include "tables/ui/grid_view.h"

namespace ks {

// Puts a window in the middle of its screen.
void Centre_On_Screen(QWidget* w);

class TableDialog : public KsDialog {
    Q_OBJECT
public:
    TableDialog(AppState& st, Messages& msg, QWidget* parent = nullptr);

    QPushButton* Btn_DelRow;
    QPushButton* Btn_InsRow;
    QPushButton* Btn_CopyRow;
    QPushButton* Btn_PasteRow;

    // The button handlers; each runs under the general error report.
    virtual void Btn_OKClick() = 0;
    virtual void Btn_DelRowClick() = 0;
    virtual void Btn_InsRowClick() = 0;
    virtual void Btn_CopyRowClick() = 0;
    virtual void Btn_PasteRowClick() = 0;

protected:
    // OK, Cancel, Delete, Insert, Copy, Paste from the left, 118 apart.
    void Layout_Buttons() override;
    // Gives the six buttons their style sheet when the dialog is first
    // polished (first showing), just before the buttons are: a sheet costs
    // its parsing and a style object per button, which the dialogs that are
    // never opened should not pay at start-up.
    bool event(QEvent* e) override;
    // Captions are texts first..first+5, hints first+6..first+11, in the
    // order OK, Cancel, Delete Row, Insert Row, Copy Row, Paste Row.
    void Apply_Button_Texts(int first);

    // A grid over `table` with the widths and colours of `cols` (grid
    // column k+1 shows cols[k]).
    template <class Row>
    GridView* Make_Grid(TableModel& table, const std::vector<Access_Column<Row>>& cols, QWidget* parent) {
        auto* g = new GridView(table, st_, parent);
        g->Set_Column_Look(0, 40, QColor());
        for (size_t k = 0; k < cols.size(); ++k)
            g->Set_Column_Look(static_cast<int>(k) + 1, cols[k].width, Colour(cols[k].colour));
        return g;
    }
    // Header texts (row 0) of the grid and its hint list from the texts.
    template <class Row>
    void Apply_Grid_Texts(GridView* g, int row_number_header, const std::vector<Access_Column<Row>>& cols,
                          std::vector<std::string>& hints) {
        TableModel& t = g->Table();
        t.Set_Cell(0, 0, st_.Text(row_number_header));
        hints.clear();
        for (size_t k = 0; k < cols.size(); ++k) {
            t.Set_Cell(static_cast<int>(k) + 1, 0, st_.Text(cols[k].header_text));
            hints.push_back(st_.Text(cols[k].hint_text));
        }
        g->Set_Hints(&hints);
        g->Headers_Changed();
    }

    // Delete Row: asks text 1460 with the row number, deletes on Yes.
    void Delete_Current_Row(GridView* g);
    void Insert_Current_Row(GridView* g);
    void Copy_Current_Row(GridView* g);
    void Paste_Current_Row(GridView* g, bool copied_flag);

    // Before a save: when rows below the first row with an empty key cell
    // still hold data, shows that row and asks (texts 1106 and 1107) whether
    // to save all the same. True to go on.
    bool Confirm_Rows_After_Empty(GridView* g, int key_col);

    static QColor Colour(uint32_t rgb);

private:
    QPushButton* Make_Button(const char* name, QStyle::StandardPixmap icon);

    bool buttons_styled_ = false;
};

} // namespace ks
