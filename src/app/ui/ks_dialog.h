#pragma once
// The common frame of every dialog: a 69-pixel header with the software code
// and a one-line description, a body, and a 40-pixel bottom panel with OK and
// Cancel (110 by 28). Colours and font follow the program's one look.
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QString>

namespace ks {

struct AppState;
class Messages;

// Background colour shared by every window (RGB 248, 247, 237).
QColor Window_Background();
// Applies the program's font and background to a top-level window.
void Apply_Look(QWidget* w);
// Colours a widget's text through its palette (cheaper than a style sheet,
// which would slow the start-up of every window).
void Set_Text_Colour(QWidget* w, const QColor& c);
// The grey of captions and labels on the common background.
QColor Label_Grey();
// Makes a widget's font bold.
void Set_Bold(QWidget* w, bool bold = true);
// Shorthand: entry i of the text table as a QString.
QString Tx(const AppState& st, int i);

class KsDialog : public QDialog {
    Q_OBJECT
public:
    KsDialog(AppState& st, Messages& msg, QWidget* parent = nullptr);

    // Re-applies every caption and hint from the text table; each dialog
    // overrides it and the main window calls it after a language change.
    virtual void Set_Lang() {}

    QWidget* Body() const { return body_; }
    QFrame* Header() const { return header_; }
    QFrame* Bottom() const { return bottom_; }
    QLabel* L_SW_Code;
    QLabel* L_SW_Desc;
    QPushButton* Btn_OK;
    QPushButton* Btn_Cancel;

protected:
    // Places OK and Cancel: by default OK 8 pixels left of Cancel, Cancel 16
    // from the right edge; dialogs with fixed positions override.
    virtual void Layout_Buttons();
    void resizeEvent(QResizeEvent* e) override;

    AppState& st_;
    Messages& msg_;

private:
    QFrame* header_;
    QWidget* body_;
    QFrame* bottom_;
};

} // namespace ks
