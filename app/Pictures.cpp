#include "app/Pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace vx::pictures {
namespace {
const QColor accent(0x2f, 0x6f, 0xb5);
const QColor accentLight(0x8c, 0xb8, 0xe8);
} // namespace

QPixmap pageIcon(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    p.setPen(QPen(accent, s / 16));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(s * 0.08, s * 0.18, s * 0.84, s * 0.64), s / 10, s / 10);
    QPainterPath hills;
    hills.moveTo(s * 0.14, s * 0.74);
    hills.lineTo(s * 0.38, s * 0.44);
    hills.lineTo(s * 0.56, s * 0.62);
    hills.lineTo(s * 0.68, s * 0.52);
    hills.lineTo(s * 0.86, s * 0.74);
    hills.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(accentLight);
    p.drawPath(hills);
    p.setBrush(QColor(0xf2, 0xb6, 0x3c));
    p.drawEllipse(QPointF(s * 0.72, s * 0.34), s * 0.07, s * 0.07);
    return pixmap;
}

QPixmap helpIcon(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(accent);
    p.drawEllipse(QRectF(1, 1, size - 2, size - 2));
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(size * 2 / 3);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, size, size), Qt::AlignCenter, QStringLiteral("?"));
    return pixmap;
}

QPixmap aboutPicture(QSize size)
{
    QPixmap pixmap(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gradient(0, 0, 0, size.height());
    gradient.setColorAt(0, accentLight);
    gradient.setColorAt(1, accent);
    p.fillRect(pixmap.rect(), gradient);
    const int icon = std::min(size.width(), size.height()) * 2 / 3;
    p.drawPixmap((size.width() - icon) / 2, (size.height() - icon) / 2 - 10, pageIcon(icon));
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(18);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(0, size.height() - 40, size.width(), 30), Qt::AlignCenter, QStringLiteral("Vorlinex"));
    return pixmap;
}

QPixmap applicationIcon(int size) { return pageIcon(size); }

} // namespace vx::pictures
