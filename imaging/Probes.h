#pragma once
// The scaled probes that the example runs use for their orientation filters. Their results are
// program-wide: each pair keeps its values until the next probe that writes it, and a probe that fails or
// writes nothing leaves the previous values.

#include <QByteArray>
#include <QString>

#include <filesystem>

namespace vx {

// The scaled size of the photo file probed last, and of the archive entry probed last; 0 at start.
extern int ProbeWidth, ProbeHeight, ArchiveImageWidth, ArchiveImageHeight;

// No file at path: writes nothing. Otherwise writes ProbeWidth and ProbeHeight or throws vx::Error.
void ProbeScaledJpegSize(const std::filesystem::path &path);
void ProbeScaledJpegSize(const QString &path);
// The data are buffer's bytes from readPosition to the end (an archive entry unpacked into memory).
// Writes ArchiveImageWidth and ArchiveImageHeight or throws vx::Error.
void ProbeScaledJpegData(const QByteArray &buffer, qsizetype readPosition = 0);

} // namespace vx
