#include "tests/support/SourcePaths.h"

namespace vx::test {

QString sourcePath(const QString &relative) { return QStringLiteral(VX_SOURCE_DIR "/") + relative; }

QString testDataPath(const QString &relative) { return sourcePath(QStringLiteral("../shared/testdata/") + relative); }

} // namespace vx::test
