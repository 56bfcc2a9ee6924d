#pragma once
// Files of the source tree and the shared test data, found from any working directory: the source
// folder is compiled in, so a test program started by hand or by a debugger reads the same fixtures
// as under CTest.

#include <QString>

namespace vx::test {

// relative to the project root, e.g. "tests/tools/jpeg_testdata.expected"
QString sourcePath(const QString &relative);
// relative to the shared test data beside the project, e.g. "jpeg/Canon_40D.jpg"
QString testDataPath(const QString &relative);

} // namespace vx::test
