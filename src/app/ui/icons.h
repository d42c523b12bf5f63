#pragma once
// The program's pictures, drawn at run time so no image file is needed.
#include <QIcon>
#include <QPixmap>

namespace ks {

QIcon Info_Icon();
QIcon Options_Icon();
QIcon Close_Icon();
// The program's emblem, a stylised bird of prey over the code "K".
QPixmap Logo_Pixmap(int size);

} // namespace ks
