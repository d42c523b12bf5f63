#include "app/ui/open_conf.h"

#include <QResizeEvent>

#include "app/app_state.h"
#include "app/projects.h"

namespace ks {

TFOpenConf::TFOpenConf(AppState& st, Messages& msg, QWidget* parent) : KsDialog(st, msg, parent) {
    setObjectName(QStringLiteral("FOpenConf"));
    resize(377, 351);

    Label1 = new QLabel(Body());
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(16, 70 - 69);
    ListBox1 = new QListWidget(Body());
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(ListBox1, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && row < static_cast<int>(SL.size())) Name_Conf = SL[static_cast<size_t>(row)];
    });
    connect(Btn_OK, &QPushButton::clicked, this, &QDialog::accept);

    Set_Lang();
}

void TFOpenConf::Set_Lang() {
    setWindowTitle(Tx(st_, 200));
    L_SW_Desc->setText(Tx(st_, 201));
    Label1->setText(Tx(st_, 202));
    Label1->adjustSize();
    Btn_OK->setText(Tx(st_, 203));
    Btn_Cancel->setText(Tx(st_, 204));
    ListBox1->setToolTip(Tx(st_, 205));
    Btn_OK->setToolTip(Tx(st_, 206));
    Btn_Cancel->setToolTip(Tx(st_, 207));
}

void TFOpenConf::Load_Existing_Configuration() { SL = ks::Load_Existing_Configuration(st_.Projects_Dir); }

int TFOpenConf::Search_Open_Conf(const std::string& name) const { return ks::Search_Open_Conf(SL, name); }

void TFOpenConf::FormShow() {
    Load_Existing_Configuration();
    {
        const QSignalBlocker block(ListBox1);
        ListBox1->clear();
        for (const auto& name : SL) ListBox1->addItem(QString::fromStdString(name));
    }
    int row = Search_Open_Conf(Current_Project_Folder(st_));
    if (row < 0 && !SL.empty()) row = 0;
    if (row >= 0) {
        Name_Conf = SL[static_cast<size_t>(row)];
        const QSignalBlocker block(ListBox1);
        ListBox1->setCurrentRow(row);
    } else {
        Name_Conf.clear();
    }
    ListBox1->setFocus();
}

void TFOpenConf::showEvent(QShowEvent* e) {
    KsDialog::showEvent(e);
    FormShow();
}

void TFOpenConf::resizeEvent(QResizeEvent* e) {
    KsDialog::resizeEvent(e);
    // The list grows with the window: 16 from the right edge, 46 from the
    // bottom (body coordinates; the body ends 40 above the bottom).
    const int body_h = height() - 69 - 40;
    ListBox1->setGeometry(16, 94 - 69, width() - 32, body_h - (94 - 69) - 6);
}

} // namespace ks
