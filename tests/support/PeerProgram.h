#pragma once
// Programs of the Linux machine the tests run on that a test talks to or compares with (python3 for
// the stand-in host, unzip), started alike from a Linux test program and from a Windows one under
// Wine. Wine starts a Linux program by its path on drive Z: (the Linux root), but hands it neither
// pipes nor a process to wait for: its standard output and exit code come back through files, and
// every file it is given must be named by its Linux path.

#include "tests/support/ToolRun.h"

#include <QString>
#include <QStringList>

namespace vx::test {

class PeerProgram {
public:
    // The machine's program of that name: on Windows the Linux one under Wine, else a native one.
    explicit PeerProgram(const QString &name);

    bool found() const { return !path_.isEmpty(); }
    QString path() const { return path_; }
    // The name by which the program finds a file of the test program (a drive path under Wine).
    QString pathFor(const QString &file) const;
    // Runs it to its end, a minute at most (exitCode -1 then), with UTF-8 as the locale's encoding.
    ToolRun run(const QStringList &args) const;
    // Starts it to live on its own; it must end by itself. False when it did not start.
    bool startDetached(const QStringList &args) const;

private:
    QString path_;
    bool acrossWine_ = false;
};

} // namespace vx::test
