#pragma once
// The version query to the vendor's web service over HTTP.
#include <QByteArray>
#include <QNetworkAccessManager>
#include <QObject>
#include <QString>
#include <optional>

namespace ks {

class VersionCheck : public QObject {
    Q_OBJECT
public:
    explicit VersionCheck(QObject* parent = nullptr);

    // Where the query goes; the vendor's host on port 80 unless a test points
    // it elsewhere (e.g. "127.0.0.1" and its own port).
    void Set_Server(const QString& host, int port);
    QString Host() const { return host_; }
    int Port() const { return port_; }
    // Longest wait for an answer; then the query counts as failed.
    void Set_Timeout(int ms) { timeout_ms_ = ms; }
    int Timeout() const { return timeout_ms_; }

    // True while a query runs; a second query is refused meanwhile.
    bool Busy() const { return busy_; }

    // The full address of the query.
    QString Query_Url() const;

    // Sends the query and waits for the answer while the windows keep
    // running. Empty when the request failed (no connection, HTTP error
    // status, time-out) or another query was still running.
    std::optional<QByteArray> Fetch();

    // True when the service reports a version newer than the program's own.
    // Never reports an error: a failed request counts as "not newer".
    bool Check_Version();

signals:
    void busyChanged(bool busy);

private:
    QNetworkAccessManager nam_;
    QString host_;
    int port_ = 80;
    int timeout_ms_ = 10000;
    bool busy_ = false;
};

} // namespace ks
