#include "platform/ui/browser.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

namespace ks {

bool Open_Url(const std::string& url) {
    return QDesktopServices::openUrl(QUrl(QString::fromStdString(url), QUrl::StrictMode));
}

} // namespace ks
