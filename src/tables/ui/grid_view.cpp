#include "tables/ui/grid_view.h"

#include <algorithm>

#include <QAbstractButton>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionHeader>

#include "app/app_state.h"
#include "core/text_util.h"

namespace ks {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

bool Is_Enter(const QEvent* e) {
    if (e->type() != QEvent::KeyPress) return false;
    const int k = static_cast<const QKeyEvent*>(e)->key();
    return k == Qt::Key_Return || k == Qt::Key_Enter;
}

// The length limit of a column for one edit. A longer text from a file is
// shown whole (a plain limit would cut it, and the cut text would be saved)
// and may only get shorter.
void Limit_Length(QLineEdit* edit, int max_length, const QString& text) {
    if (max_length > 0) edit->setMaxLength(std::max<int>(max_length, static_cast<int>(text.size())));
}

QFont Grid_Font() {
    QFont f(QStringLiteral("Tahoma"));
    f.setPointSize(8);
    return f;
}

// A header whose thickness is fixed answers its size hint without measuring
// sections: the plain header measures up to 200 row numbers (or every column
// caption) each time the grid lays itself out, which made the table dialogs
// slow to create. The length is the sum of the sections, as before.
class GridHeader : public QHeaderView {
public:
    GridHeader(Qt::Orientation o, QWidget* parent) : QHeaderView(o, parent) {
        setSectionsClickable(true);
        setHighlightSections(true);
    }

    QSize sizeHint() const override {
        if (orientation() == Qt::Vertical) {
            if (minimumWidth() == maximumWidth()) return {minimumWidth(), length()};
        } else if (minimumHeight() == maximumHeight()) {
            return {length(), minimumHeight()};
        }
        return QHeaderView::sizeHint();
    }
};

}  // namespace

// ---------------------------------------------------------------- GridModel

GridModel::GridModel(TableModel& table, QObject* parent)
    : QAbstractTableModel(parent), table_(table), colours_(static_cast<size_t>(table.Col_Count())) {}

int GridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : table_.Data_Rows(); }

int GridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : table_.Col_Count(); }

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int col = index.column();
    const int row = index.row() + 1;
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return Q(table_.Cell(col, row));
        case Qt::BackgroundRole: {
            const QColor& c = colours_[static_cast<size_t>(col)];
            return c.isValid() ? QVariant(c) : QVariant();
        }
        case Qt::TextAlignmentRole:
            return table_.Kind(col) == EditorKind::Check ? int(Qt::AlignCenter)
                                                           : int(Qt::AlignLeft | Qt::AlignVCenter);
        default:
            return {};
    }
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || index.column() == 0) return false;
    std::string text = value.toString().toStdString();
    if (table_.Cell(index.column(), index.row() + 1) == text) return true;
    table_.Set_Cell(index.column(), index.row() + 1, std::move(text));
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() > 0 && table_.Kind(index.column()) != EditorKind::Check) f |= Qt::ItemIsEditable;
    return f;
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Vertical) {
        if (role == Qt::DisplayRole && section >= 0 && section < table_.Data_Rows())
            return Q(table_.Cell(0, section + 1));
        return {};
    }
    if (section < 0 || section >= table_.Col_Count()) return {};
    if (role == Qt::DisplayRole) return Q(table_.Cell(section, 0));
    if (role == Qt::ToolTipRole && section > 0 && hints_ && static_cast<size_t>(section - 1) < hints_->size()) {
        const std::string& h = (*hints_)[static_cast<size_t>(section - 1)];
        return h.empty() ? QVariant() : QVariant(Q(h));
    }
    return {};
}

void GridModel::Set_Column_Colour(int col, const QColor& colour) {
    if (col < 0 || col >= table_.Col_Count()) return;
    colours_[static_cast<size_t>(col)] = colour;
    if (table_.Data_Rows() > 0) emit dataChanged(index(0, col), index(table_.Data_Rows() - 1, col), {Qt::BackgroundRole});
}

void GridModel::Rows_Changed(int first, int last) {
    first = std::max(first, 1);
    last = std::min(last, table_.Data_Rows());
    if (first > last) return;
    emit dataChanged(index(first - 1, 0), index(last - 1, table_.Col_Count() - 1), {Qt::DisplayRole, Qt::EditRole});
}

void GridModel::Headers_Changed() {
    emit headerDataChanged(Qt::Horizontal, 0, table_.Col_Count() - 1);
}

void GridModel::Reload() {
    beginResetModel();
    endResetModel();
}

void GridModel::Toggle_Check(const QModelIndex& index) {
    if (!index.isValid()) return;
    setData(index, table_.Is_Yes(index.column(), index.row() + 1) ? QStringLiteral("N") : QStringLiteral("Y"));
}

// ------------------------------------------------------------- GridDelegate

GridDelegate::GridDelegate(GridView* view) : QStyledItemDelegate(view), view_(view) {}

QWidget* GridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const {
    const ColumnSpec& spec = view_->Table().Column(index.column());
    switch (spec.kind) {
        case EditorKind::Check:
            return nullptr;
        case EditorKind::List:
        case EditorKind::ListFree: {
            auto* cb = new QComboBox(parent);
            cb->setEditable(spec.kind == EditorKind::ListFree);
            cb->setMaxVisibleItems(16);
            QStringList items;
            items.reserve(static_cast<qsizetype>(spec.choices.size()));
            for (const auto& c : spec.choices) items << Q(c);
            cb->addItems(items);
            if (cb->isEditable()) {
                // A typed text must not be completed into a list item or
                // added to the list.
                cb->setCompleter(nullptr);
                cb->setInsertPolicy(QComboBox::NoInsert);
                Limit_Length(cb->lineEdit(), spec.max_length, index.data(Qt::EditRole).toString());
            }
            return cb;
        }
        case EditorKind::Text:
        default: {
            auto* w = QStyledItemDelegate::createEditor(parent, option, index);
            if (auto* le = qobject_cast<QLineEdit*>(w)) {
                Limit_Length(le, spec.max_length, index.data(Qt::EditRole).toString());
                le->setFrame(false);
            }
            return w;
        }
    }
}

void GridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    const QString text = index.data(Qt::EditRole).toString();
    if (auto* cb = qobject_cast<QComboBox*>(editor)) {
        if (cb->isEditable()) {
            cb->setCurrentIndex(cb->findText(text, Qt::MatchExactly));
            cb->setEditText(text);
        } else {
            cb->setCurrentIndex(cb->findText(text, Qt::MatchExactly));
        }
        return;
    }
    if (auto* le = qobject_cast<QLineEdit*>(editor)) {
        // A key that opened the editor replaces the text afterwards; the
        // editor starts from the cell text in every case.
        le->setText(text);
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void GridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const {
    if (auto* cb = qobject_cast<QComboBox*>(editor)) {
        if (cb->isEditable()) {
            model->setData(index, cb->currentText());
        } else if (cb->currentIndex() >= 0) {
            // A value from outside the list (a hand-edited file) stays as it
            // is until the user picks an item.
            model->setData(index, cb->currentText());
        }
        return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
}

void GridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    if (view_->Table().Kind(index.column()) != EditorKind::Check) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    opt.text.clear();
    const QWidget* w = opt.widget;
    QStyle* style = w ? w->style() : nullptr;
    if (!style) return;
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, w);
    QStyleOptionButton box;
    const int iw = style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, w);
    const int ih = style->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, w);
    box.rect = QRect(opt.rect.x() + (opt.rect.width() - iw) / 2, opt.rect.y() + (opt.rect.height() - ih) / 2, iw, ih);
    box.state = QStyle::State_Enabled;
    box.state |= view_->Table().Is_Yes(index.column(), index.row() + 1) ? QStyle::State_On : QStyle::State_Off;
    style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, painter, w);
}

bool GridDelegate::editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                               const QModelIndex& index) {
    if (!index.isValid() || view_->Table().Kind(index.column()) != EditorKind::Check)
        return QStyledItemDelegate::editorEvent(event, model, option, index);
    auto* gm = static_cast<GridModel*>(model);
    switch (event->type()) {
        case QEvent::MouseButtonRelease: {
            auto* me = static_cast<QMouseEvent*>(event);
            if (me->button() != Qt::LeftButton || !option.rect.contains(me->position().toPoint())) return false;
            gm->Toggle_Check(index);
            return true;
        }
        case QEvent::MouseButtonDblClick:
            // The two clicks of a double click toggle twice; the double click
            // itself opens nothing.
            return true;
        case QEvent::KeyPress: {
            const int k = static_cast<QKeyEvent*>(event)->key();
            if (k != Qt::Key_Space && k != Qt::Key_Select) return false;
            gm->Toggle_Check(index);
            return true;
        }
        default:
            return false;
    }
}

bool GridDelegate::eventFilter(QObject* editor, QEvent* event) {
    if (Is_Enter(event)) {
        auto* w = qobject_cast<QWidget*>(editor);
        auto* cb = qobject_cast<QComboBox*>(editor);
        const bool popup_open = cb && cb->view() && cb->view()->isVisible();
        if (w && !popup_open && view_->Enter_Jump_Enabled()) {
            // Keep what was typed, then move on as Enter does outside the editor.
            emit commitData(w);
            emit closeEditor(w, QAbstractItemDelegate::NoHint);
            view_->Enter_Jump();
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(editor, event);
}

// ----------------------------------------------------------------- GridView

GridView::GridView(TableModel& table, const AppState& st, QWidget* parent)
    : QTableView(parent), model_(new GridModel(table, this)), st_(st) {
    setVerticalHeader(new GridHeader(Qt::Vertical, this));
    setHorizontalHeader(new GridHeader(Qt::Horizontal, this));
    // Thickness first, so no layout below ever measures the sections.
    verticalHeader()->setFixedWidth(40);
    horizontalHeader()->setFixedHeight(22);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(20);
    setModel(model_);
    setItemDelegate(new GridDelegate(this));
    setFont(Grid_Font());
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setShowGrid(true);
    setWordWrap(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    // Column 0 holds the row numbers; the vertical header shows them and
    // stays in place while the grid scrolls sideways.
    setColumnHidden(0, true);
    QHeaderView* vh = verticalHeader();
    vh->setDefaultAlignment(Qt::AlignCenter);
    vh->setFont(Grid_Font());

    QHeaderView* hh = horizontalHeader();
    QFont bold = Grid_Font();
    bold.setBold(true);
    hh->setFont(bold);
    hh->setSectionResizeMode(QHeaderView::Interactive);
    hh->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    hh->setHighlightSections(false);
    hh->setStretchLastSection(false);
    // Header double clicks, on a section or on its border, size the column
    // only when the option says so.
    disconnect(hh, SIGNAL(sectionHandleDoubleClicked(int)), this, SLOT(resizeColumnToContents(int)));
    connect(hh, &QHeaderView::sectionDoubleClicked, this, [this](int col) { Grid_Auto_Size_Column(0, col); });
    connect(hh, &QHeaderView::sectionHandleDoubleClicked, this, [this](int col) { Grid_Auto_Size_Column(0, col); });

    // The corner above the row numbers shows the header of column 0.
    corner_ = findChild<QAbstractButton*>();
    if (corner_) corner_->installEventFilter(this);

    Reload();
}

void GridView::Set_Column_Look(int col, int width, const QColor& colour) {
    if (col < 0 || col >= Table().Col_Count()) return;
    if (col == 0) {
        verticalHeader()->setFixedWidth(width);
    } else {
        setColumnWidth(col, width);
    }
    model_->Set_Column_Colour(col, colour);
}

int GridView::Current_Row() const {
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.row() + 1 : Table().Row;
}

int GridView::Current_Col() const {
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.column() : Table().Col;
}

void GridView::Set_Current(int col, int row) {
    if (row < 1 || row > Table().Data_Rows() || col < 1 || col >= Table().Col_Count()) return;
    const QModelIndex i = model_->index(row - 1, col);
    selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect);
    scrollTo(i);
}

void GridView::Select_Row(int row) {
    if (row < 1 || row > Table().Data_Rows()) return;
    selectRow(row - 1);
}

int GridView::Last_Visible_Col() const {
    for (int c = Table().Col_Count() - 1; c > 0; --c)
        if (!isColumnHidden(c)) return c;
    return 0;
}

void GridView::Delete_Row(int row) {
    Grid_Delete_Row(Table(), row);
    model_->Rows_Changed(row, Table().Data_Rows());
}

void GridView::Insert_Row(int row, bool enable) {
    Grid_Insert_Row(Table(), row, enable);
    model_->Rows_Changed(row, Table().Data_Rows());
}

void GridView::Copy_Row(int row, std::vector<std::string>& copied_row) const { Grid_Copy_Row(Table(), row, copied_row); }

void GridView::Paste_Row(int row, bool copied_flag, const std::vector<std::string>& copied_row,
                         const TextTable& texts, Messages& msg) {
    Grid_Paste_Row(Table(), row, copied_flag, copied_row, texts, msg);
    model_->Rows_Changed(row, row);
}

void GridView::Grid_Auto_Size_Column(int row, int col) {
    if (!st_.Enable_Double_Click_Auto_Size || row != 0) return;
    if (col < 1 || col >= Table().Col_Count()) return;
    resizeColumnToContents(col);
}

bool GridView::Enter_Jump_Enabled() const { return st_.Enable_Jump_Field_Tables; }

bool GridView::Enter_Jump() {
    TableModel& t = Table();
    t.Col = Current_Col();
    t.Row = Current_Row();
    int key = 13;
    Grid_Enter_Jump(t, key, st_.Enable_Jump_Field_Tables, Last_Visible_Col());
    if (key != 0) return false;
    Set_Current(t.Col, t.Row);
    return true;
}

void GridView::Reload() {
    model_->Reload();
    Table().Col = 1;
    Table().Row = 1;
    if (Table().Data_Rows() > 0 && Table().Col_Count() > 1) {
        selectionModel()->setCurrentIndex(model_->index(0, 1), QItemSelectionModel::NoUpdate);
        scrollToTop();
    }
}

void GridView::Headers_Changed() {
    model_->Headers_Changed();
    if (corner_) corner_->update();
}

void GridView::keyPressEvent(QKeyEvent* event) {
    if (Is_Enter(event) && state() != QAbstractItemView::EditingState && Enter_Jump()) {
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void GridView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (current.isValid()) {
        Table().Col = current.column();
        Table().Row = current.row() + 1;
    }
}

bool GridView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == corner_ && event->type() == QEvent::Paint) {
        QPainter p(corner_);
        QStyleOptionHeader opt;
        opt.initFrom(corner_);
        opt.rect = corner_->rect();
        opt.position = QStyleOptionHeader::OnlyOneSection;
        opt.text = Q(Table().Cell(0, 0));
        opt.textAlignment = Qt::AlignCenter;
        p.setFont(horizontalHeader()->font());
        style()->drawControl(QStyle::CE_Header, &opt, &p, corner_);
        return true;
    }
    return QTableView::eventFilter(watched, event);
}

}  // namespace ks
