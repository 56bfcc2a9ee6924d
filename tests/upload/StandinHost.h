#pragma once
// Starts the stand-in image host (standin_host.py) on a free loopback port for one test program and
// stops it with the program. The host connects back to a listener of ours, names its port there and
// ends when that connection closes, however this program ends: a Windows test program under Wine
// starts the Linux script but cannot give it pipes.

#include "platform/os/Socket.h"
#include "tests/support/PeerProgram.h"

#include <QString>

namespace vx::test {

class StandinHost {
public:
    StandinHost();
    ~StandinHost() = default;
    StandinHost(const StandinHost &) = delete;
    StandinHost &operator=(const StandinHost &) = delete;

    bool running() const { return port_ != 0; }
    quint16 port() const { return port_; }
    // "http://127.0.0.1:PORT/upload.php?mode=MODE" plus further query text ("&dir=...").
    QString url(const QString &mode, const QString &moreQuery = {}) const;
    QString errorText() const { return error_; }

    // The query text that names the folder whose files the parts must equal.
    static QString dirQuery(const QString &folder);
    // A file or folder of this program as the host names it (a drive path under Wine is mapped).
    static QString hostPath(const QString &path);

private:
    vx::os::TcpSocket lifeline_;
    quint16 port_ = 0;
    QString error_;
};

} // namespace vx::test
