#pragma once
// The program's pictures, drawn at run time so no image file is needed.
#include <QIcon>
#include <QPixmap>
#include <QStyle>

namespace ks {

QIcon Info_Icon();
// A standard icon of the application's style, read only when it is first
// drawn or measured: the style reads its picture files afresh for every
// standard icon, which cost each dialog with such buttons a noticeable part
// of the start-up although most dialogs are never opened.
QIcon Standard_Icon(QStyle::StandardPixmap which);
QIcon Options_Icon();
QIcon Close_Icon();
// The program's emblem, a stylised bird of prey over the code "K".
QPixmap Logo_Pixmap(int size);

} // namespace ks
