#pragma once
// The information box: program, version and manual, in fixed English texts.
#include <QDialog>
#include <QLabel>
#include <QPushButton>

#include "platform/ui/browser.h"

namespace ks {

class ClickLabel;

class TFAbout : public QDialog {
    Q_OBJECT
public:
    explicit TFAbout(UrlOpener open_url, QWidget* parent = nullptr);

    // Opens the vendor's home page (the picture and the web address).
    void Label4Click();

    ClickLabel* Image2;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label6;
    QLabel* Label9;
    QLabel* Label3;
    QLabel* Label10;
    QLabel* Label8;
    QLabel* Label12;
    ClickLabel* Label4;
    QPushButton* LbButton1;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void FormShow();
    void Set_Values();
    QLabel* Text_Label(const char* name, int left, int top, const QString& text);

    UrlOpener open_url_;
};

} // namespace ks
