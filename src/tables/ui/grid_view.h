#pragma once
// The editable grid shared by every table dialog: a Qt model over the core
// TableModel, a delegate that edits each column with its own editor kind,
// and a table view that adds the row commands, the Enter jump and the header
// auto-size. No widget is created per cell: the view paints the cells and
// creates one editor only while a cell is being edited.
#include <QAbstractTableModel>
#include <QColor>
#include <QStyledItemDelegate>
#include <QTableView>
#include <string>
#include <vector>

#include "tables/table_model.h"

namespace ks {

struct AppState;
class Messages;
class TextTable;

// Qt model over a TableModel. Model columns are the table's columns (column 0,
// the row numbers, is hidden by the view and shown as its vertical header);
// model row i is table row i+1, the table's row 0 supplies the header texts.
class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    GridModel(TableModel& table, QObject* parent = nullptr);

    TableModel& Table() { return table_; }
    const TableModel& Table() const { return table_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Cell background of a column; an invalid colour leaves the view's own.
    void Set_Column_Colour(int col, const QColor& colour);
    // The header hint of data column k is entry k-1; the list belongs to the
    // dialog, which refills it on a change of language.
    void Set_Hints(const std::vector<std::string>* hints) { hints_ = hints; }

    // Tells the view that table rows first..last changed behind its back.
    void Rows_Changed(int first, int last);
    // Tells the view that the header texts (table row 0) changed.
    void Headers_Changed();
    // Tells the view that the whole table was refilled.
    void Reload();

    // Flips a yes/no cell between "Y" and "N"; an empty cell becomes "Y".
    void Toggle_Check(const QModelIndex& index);

private:
    TableModel& table_;
    std::vector<QColor> colours_;
    const std::vector<std::string>* hints_ = nullptr;
};

class GridView;

// Creates the in-place editor of a cell after its column's kind: a line edit
// (with the column's length limit), a fixed list, a list with free text; a
// yes/no column has no editor and toggles on a click or the space bar.
class GridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit GridDelegate(GridView* view);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

protected:
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;
    bool eventFilter(QObject* editor, QEvent* event) override;

private:
    GridView* view_;
};

class GridView : public QTableView {
    Q_OBJECT
public:
    // The options of `st` are read at each key press and double click, so a
    // change in the options dialog acts at once.
    GridView(TableModel& table, const AppState& st, QWidget* parent = nullptr);

    GridModel* Grid_Model() const { return model_; }
    TableModel& Table() { return model_->Table(); }
    const TableModel& Table() const { return model_->Table(); }

    // Width in pixels and cell colour of a column (0: the row-number column).
    void Set_Column_Look(int col, int width, const QColor& colour);
    void Set_Hints(const std::vector<std::string>* hints) { model_->Set_Hints(hints); }

    // The current cell in table coordinates (row 1.. , column 1..).
    int Current_Row() const;
    int Current_Col() const;
    void Set_Current(int col, int row);
    // Selects the whole row, as a click on its row number does.
    void Select_Row(int row);
    int Last_Visible_Col() const;
    // True while an in-place editor is open.
    bool Is_Editing() const { return state() == QAbstractItemView::EditingState; }

    // Row commands on the table through the core helpers; the view follows.
    void Delete_Row(int row);
    void Insert_Row(int row, bool enable);
    void Copy_Row(int row, std::vector<std::string>& copied_row) const;
    void Paste_Row(int row, bool copied_flag, const std::vector<std::string>& copied_row, const TextTable& texts,
                   Messages& msg);

    // With the auto-size option on, a double click on a header cell (row 0)
    // fits the column to its texts; other double clicks change nothing.
    void Grid_Auto_Size_Column(int row, int col);
    // Enter pressed in the grid or in its editor: with the jump option on,
    // moves the current cell and returns true (the key is used up).
    bool Enter_Jump();
    bool Enter_Jump_Enabled() const;

    // Call after the table was refilled: repaints and puts the current cell
    // on row 1, column 1.
    void Reload();
    void Headers_Changed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    GridModel* model_;
    const AppState& st_;
    QWidget* corner_ = nullptr;
};

} // namespace ks
