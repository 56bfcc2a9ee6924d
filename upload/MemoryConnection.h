#pragma once
// A connection that serves a scripted reply from memory and keeps what the client sent: the unit tests
// compare requests with golden bytes through it, and the fuzzer feeds replies through it.

#include "upload/Connection.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <deque>
#include <memory>

namespace vx::http {

struct ScriptedReply {
    QByteArray bytes;
    int pieceSize = 0;          // bytes per read at most; 0 = as much as the reader asks for
    bool silentAtEnd = false;   // after the bytes: time-outs instead of a close
    bool refuseConnect = false; // the connect itself fails
};

class MemoryConnector final : public Connector {
public:
    // One scripted reply per connect, in order; a connect with none left is refused.
    std::deque<ScriptedReply> replies;

    struct Record {
        QString host;
        quint16 port = 0;
        QByteArray sent;      // everything the client wrote
        QList<qint64> writes; // the size of every write
        bool closedByClient = false;
        qint64 maxSentKept = 1 << 20; // sent bytes beyond this are counted, not kept
        qint64 sentTotal = 0;
        int connectTimeoutMs = 0;
        QList<int> readTimeoutsMs; // the wait asked for by every read, the first 1000 of them
        std::shared_ptr<QStringList> events; // the connector's
        int number = 0;                      // 1-based, in connect order
    };
    QList<std::shared_ptr<Record>> connections;
    // Connects and the client's closes in the order they happened: "connect N", "close N".
    std::shared_ptr<QStringList> events = std::make_shared<QStringList>();

    std::unique_ptr<Connection> connect(const QString &host, quint16 port, int timeoutMs) override;
};

} // namespace vx::http
