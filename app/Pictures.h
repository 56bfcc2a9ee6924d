#pragma once
// The decorative pictures: page icons, the help icon and the about picture, painted at start-up so the
// program ships no image files.

#include <QPixmap>

namespace vx::pictures {

QPixmap pageIcon(int size);      // a photo frame
QPixmap helpIcon(int size);      // a round "?" badge
QPixmap aboutPicture(QSize size);
QPixmap applicationIcon(int size);

} // namespace vx::pictures
