#include "texts/ui/version_check.h"

#include <QEventLoop>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>
#include <QUrlQuery>

#include "app/app_state.h"
#include "app/vendor.h"
#include "texts/version.h"

namespace ks {

namespace {
// The answer is a dozen characters; anything far beyond that is not the service.
constexpr qint64 Max_Answer_Bytes = 64 * 1024;
}  // namespace

VersionCheck::VersionCheck(QObject* parent) : QObject(parent), host_(QString::fromLatin1(Vendor_Host)) {
    // Redirects are not followed: only the answer of the query itself counts.
    nam_.setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
}

void VersionCheck::Set_Server(const QString& host, int port) {
    host_ = host;
    port_ = port;
}

QString VersionCheck::Query_Url() const {
    QUrl url;
    url.setScheme(QStringLiteral("http"));
    url.setHost(host_);
    if (port_ != 80) url.setPort(port_);
    url.setPath(QString::fromLatin1(Version_Query_Path));
    QUrlQuery q;
    q.addQueryItem(QString::fromLatin1(Version_Query_Param), QString::fromLatin1(AppState::SW_Code));
    url.setQuery(q);
    return url.toString();
}

std::optional<QByteArray> VersionCheck::Fetch() {
    if (busy_) return std::nullopt;
    busy_ = true;
    emit busyChanged(true);

    QNetworkRequest req{QUrl(Query_Url())};
    req.setRawHeader("Accept", Version_Accept_Header);
    // Qt speaks HTTP/1.1 only; closing the connection after the answer gives
    // the one-request exchange of an HTTP/1.0 client.
    req.setRawHeader("Connection", "close");
    req.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
    req.setAttribute(QNetworkRequest::CookieLoadControlAttribute, QNetworkRequest::Manual);
    req.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
    req.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    req.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);

    QNetworkReply* reply = nam_.get(req);
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    bool timed_out = false;
    bool too_big = false;
    connect(&timer, &QTimer::timeout, &loop, [&] {
        timed_out = true;
        reply->abort();
    });
    connect(reply, &QNetworkReply::downloadProgress, &loop, [&](qint64 received, qint64) {
        if (received > Max_Answer_Bytes) {
            too_big = true;
            reply->abort();
        }
    });
    connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    timer.start(timeout_ms_);
    // The windows keep painting and answering while the query runs.
    if (!reply->isFinished()) loop.exec();
    timer.stop();

    std::optional<QByteArray> body;
    if (!reply->isFinished()) {
        // The loop was left without an answer (the program is ending).
        reply->abort();
    } else if (!timed_out && !too_big && reply->error() == QNetworkReply::NoError) {
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (status >= 200 && status < 300) body = reply->readAll();
    }
    reply->deleteLater();
    busy_ = false;
    emit busyChanged(false);
    return body;
}

bool VersionCheck::Check_Version() {
    const auto body = Fetch();
    if (!body) return false;
    return Is_Newer_Version(std::string_view(body->constData(), static_cast<size_t>(body->size())),
                            Program_Version);
}

} // namespace ks
