#include "tests/upload/StandinHost.h"
#include "tests/support/SourcePaths.h"

#include <QUrl>

namespace vx::test {

namespace {
constexpr int kStartLimitMs = 20000;

const PeerProgram &python()
{
    static const PeerProgram program(QStringLiteral("python3"));
    return program;
}
} // namespace

StandinHost::StandinHost()
{
    vx::os::TcpListener listener;
    std::error_code error;
    if (!listener.listen(0, error)) {
        error_ = QStringLiteral("no listener for the host: ") + QString::fromStdString(error.message());
        return;
    }
    const QStringList args{hostPath(sourcePath(QStringLiteral("tests/upload/standin_host.py"))),
                           QStringLiteral("--lifeline"), QString::number(listener.port())};
    if (!python().startDetached(args)) {
        error_ = QStringLiteral("python3 did not start");
        return;
    }
    if (!listener.accept(lifeline_, kStartLimitMs, error)) {
        error_ = QStringLiteral("the stand-in host did not call back: ") + QString::fromStdString(error.message());
        return;
    }
    QByteArray line;
    char buffer[64];
    while (!line.contains('\n') && line.size() < 64) {
        const vx::os::Received got = lifeline_.receive(buffer, sizeof buffer, kStartLimitMs, error);
        if (got.status != vx::os::TransferStatus::Done)
            break;
        line.append(buffer, qsizetype(got.size));
    }
    if (line.startsWith("port "))
        port_ = static_cast<quint16>(line.mid(5).trimmed().toUInt());
    if (port_ == 0)
        error_ = QStringLiteral("stand-in host gave no port: ") + QString::fromUtf8(line);
}

QString StandinHost::url(const QString &mode, const QString &moreQuery) const
{
    return QStringLiteral("http://127.0.0.1:%1/upload.php?mode=%2%3").arg(port_).arg(mode, moreQuery);
}

QString StandinHost::dirQuery(const QString &folder)
{
    return QStringLiteral("&dir=") + QString::fromLatin1(QUrl::toPercentEncoding(hostPath(folder)));
}

QString StandinHost::hostPath(const QString &path) { return python().pathFor(path); }

} // namespace vx::test
