#pragma once
// Starts the stand-in image host (standin_host.py) on a free loopback port for one test program and
// stops it with the program: the script ends when its stdin closes.

#include <QProcess>
#include <QString>

namespace vx::test {

class StandinHost {
public:
    StandinHost();
    ~StandinHost();
    StandinHost(const StandinHost &) = delete;
    StandinHost &operator=(const StandinHost &) = delete;

    bool running() const { return port_ != 0; }
    quint16 port() const { return port_; }
    // "http://127.0.0.1:PORT/upload.php?mode=MODE" plus further query text ("&dir=...").
    QString url(const QString &mode, const QString &moreQuery = {}) const;
    QString errorText() const { return error_; }

    // The query text that names the folder whose files the parts must equal.
    static QString dirQuery(const QString &folder);

private:
    QProcess process_;
    quint16 port_ = 0;
    QString error_;
};

} // namespace vx::test
