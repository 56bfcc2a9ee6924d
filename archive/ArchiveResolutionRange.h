#pragma once
// The resolution range of an archive release, estimated from two photos per archive. Each end of the
// range is replaced as a whole pair, so the width and height reported for it come from one photo: a
// candidate that is wider, or higher though narrower, becomes the maximum; one that is narrower, or
// lower though wider, becomes the minimum. The minimum starts from the first archive's measurement
// (0x0 when that measured nothing), never from a later archive.

#include <QStringList>

namespace vx::archive {

// Camera photos stay far below this; a header claiming 20000 pixels or more is taken for a panorama
// stitch or a damaged header and must not set the upper end of the range. The lower end takes it.
inline constexpr int MaximumResolutionLimit = 20000;

struct Resolution {
    int width = 0;
    int height = 0;
};

struct ArchiveResolutionRange {
    Resolution minimum, maximum;

    void offerMaximum(const Resolution &candidate);
    void offerMinimum(const Resolution &candidate);
};

// "Архивов: " archives, "Всего фото: " photos, "Разрешение: " minimum " - " maximum, each as WxH.
QStringList ArchiveTechDataLines(int archives, int photos, const ArchiveResolutionRange &range);

} // namespace vx::archive
