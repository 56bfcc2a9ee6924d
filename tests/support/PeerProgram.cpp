#include "tests/support/PeerProgram.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

namespace vx::test {

namespace {

constexpr int kRunLimitMs = 60000;

QProcessEnvironment utf8Environment()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    return env;
}

QByteArray contentOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

#ifdef Q_OS_WIN
// "name=Z:/usr/bin/name,..." as found when the build was configured on Linux.
QString wineProgram(const QString &name)
{
    for (const QString &entry : QStringLiteral(VX_WINE_PEERS).split(QLatin1Char(','), Qt::SkipEmptyParts))
        if (entry.section(QLatin1Char('='), 0, 0) == name)
            return entry.section(QLatin1Char('='), 1);
    return {};
}
#endif

} // namespace

PeerProgram::PeerProgram(const QString &name)
{
#ifdef Q_OS_WIN
    const QString underWine = wineProgram(name);
    if (!underWine.isEmpty() && QFileInfo(underWine).isFile() && QFileInfo(wineProgram(QStringLiteral("sh"))).isFile()) {
        path_ = underWine;
        acrossWine_ = true;
        return;
    }
#endif
    // The system's program first: a version manager's shim costs a second per start.
    path_ = QStandardPaths::findExecutable(name, {QStringLiteral("/usr/bin")});
    if (path_.isEmpty())
        path_ = QStandardPaths::findExecutable(name);
}

QString PeerProgram::pathFor(const QString &file) const
{
    if (!acrossWine_)
        return file;
    // Wine keeps its drives as links in the prefix: Z: is "/", C: its drive_c, and so on.
    const QString path = QDir::fromNativeSeparators(file);
    if (path.size() < 3 || path[1] != QLatin1Char(':') || path[2] != QLatin1Char('/'))
        return path; // "/work/...": on the current drive, which is Z:
    const QChar drive = path[0].toLower();
    if (drive == QLatin1Char('z'))
        return path.mid(2);
    QString prefix = qEnvironmentVariable("WINEPREFIX");
    if (prefix.isEmpty())
        prefix = qEnvironmentVariable("HOME") + QStringLiteral("/.wine");
    return prefix + QStringLiteral("/dosdevices/") + drive + QLatin1Char(':') + path.mid(2);
}

ToolRun PeerProgram::run(const QStringList &args) const
{
    ToolRun run;
    if (!acrossWine_) {
        QProcess p;
        p.setProcessEnvironment(utf8Environment());
        p.start(path_, args);
        if (!p.waitForFinished(kRunLimitMs) || p.exitStatus() != QProcess::NormalExit)
            return run;
        run.exitCode = p.exitCode();
        run.out = p.readAllStandardOutput();
        run.err = p.readAllStandardError();
        return run;
    }
    // A Linux shell runs it with its output in files and writes the exit code last, by a rename, so
    // the status file is whole once it exists.
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("out")), err = dir.filePath(QStringLiteral("err")),
                  status = dir.filePath(QStringLiteral("status"));
    const PeerProgram sh(QStringLiteral("sh"));
    QStringList shArgs{QStringLiteral("-c"),
                       QStringLiteral("\"$@\" >\"$OUT\" 2>\"$ERR\"; echo $? >\"$STATUS.part\"; mv \"$STATUS.part\" \"$STATUS\""),
                       QStringLiteral("sh"), pathFor(path_)};
    shArgs += args;
    QProcess p;
    QProcessEnvironment env = utf8Environment();
    env.insert(QStringLiteral("OUT"), pathFor(out));
    env.insert(QStringLiteral("ERR"), pathFor(err));
    env.insert(QStringLiteral("STATUS"), pathFor(status));
    p.setProcessEnvironment(env);
    p.setProgram(sh.path());
    p.setArguments(shArgs);
    if (!dir.isValid() || !p.startDetached())
        return run;
    QDeadlineTimer deadline(kRunLimitMs);
    while (!QFileInfo::exists(status) && !deadline.hasExpired())
        QThread::msleep(10);
    bool ok = false;
    const int code = contentOf(status).trimmed().toInt(&ok);
    if (!ok)
        return run;
    run.exitCode = code;
    run.out = contentOf(out);
    run.err = contentOf(err);
    return run;
}

bool PeerProgram::startDetached(const QStringList &args) const
{
    return found() && QProcess::startDetached(path_, args);
}

} // namespace vx::test
