#include "tests/support/ToolRun.h"

#include <QProcess>

namespace vx::test {

ToolRun runTool(const QString &program, const QList<QByteArray> &args)
{
    QProcess tool;
#ifdef Q_OS_WIN
    QStringList texts;
    for (const QByteArray &arg : args)
        texts << QString::fromUtf8(arg);
    tool.start(program, texts);
#else
    // Each argument travels through the environment as octal escapes that the shell's printf turns
    // back into its bytes.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    QString script = QStringLiteral("exec \"$0\"");
    for (int i = 0; i < args.size(); ++i) {
        QString escaped;
        for (char c : args[i])
            escaped += QStringLiteral("\\%1").arg(uint(uchar(c)), 3, 8, QLatin1Char('0'));
        env.insert(QStringLiteral("VX_ARG%1").arg(i), escaped);
        script += QStringLiteral(" \"$(printf \"$VX_ARG%1\")\"").arg(i);
    }
    tool.setProcessEnvironment(env);
    tool.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), script, program});
#endif
    ToolRun run;
    if (!tool.waitForFinished(60000) || tool.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = tool.exitCode();
    run.out = tool.readAllStandardOutput();
    run.err = tool.readAllStandardError();
    return run;
}

} // namespace vx::test
