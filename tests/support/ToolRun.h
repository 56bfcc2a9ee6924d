#pragma once
// Runs a command-line tool with arguments given as bytes, the way a shell passes them: a name that is
// not UTF-8 reaches the tool as it is. On Windows, whose arguments are UTF-16, the bytes are UTF-8.

#include <QByteArray>
#include <QList>
#include <QString>

namespace vx::test {

struct ToolRun {
    int exitCode = -1; // -1 when the tool crashed or did not end within a minute
    QByteArray out;
    QByteArray err;
};

ToolRun runTool(const QString &program, const QList<QByteArray> &args);

} // namespace vx::test
