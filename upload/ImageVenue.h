#pragma once
// The image host the upload window posts to.

#include <QString>

namespace vx {

inline const QString kImageVenueUploadUrl = QStringLiteral("http://upload.imagevenue.com/upload.php");

} // namespace vx
