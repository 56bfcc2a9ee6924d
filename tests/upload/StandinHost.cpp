#include "tests/upload/StandinHost.h"
#include "tests/support/SourcePaths.h"

#include <QUrl>

namespace vx::test {

StandinHost::StandinHost()
{
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start(QStringLiteral("python3"), {sourcePath(QStringLiteral("tests/upload/standin_host.py"))});
    if (!process_.waitForStarted(10000)) {
        error_ = QStringLiteral("python3 did not start");
        return;
    }
    QByteArray line;
    while (!line.contains('\n') && process_.waitForReadyRead(10000))
        line += process_.readAll();
    if (line.startsWith("port "))
        port_ = static_cast<quint16>(line.mid(5).trimmed().toUInt());
    if (port_ == 0)
        error_ = QStringLiteral("stand-in host gave no port: ") + QString::fromUtf8(line);
}

StandinHost::~StandinHost()
{
    process_.closeWriteChannel();
    if (!process_.waitForFinished(3000)) {
        process_.kill();
        process_.waitForFinished(3000);
    }
}

QString StandinHost::url(const QString &mode, const QString &moreQuery) const
{
    return QStringLiteral("http://127.0.0.1:%1/upload.php?mode=%2%3").arg(port_).arg(mode, moreQuery);
}

QString StandinHost::dirQuery(const QString &folder)
{
    return QStringLiteral("&dir=") + QString::fromLatin1(QUrl::toPercentEncoding(folder));
}

} // namespace vx::test
