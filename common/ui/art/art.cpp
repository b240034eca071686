#include "art.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace ui {

QFont songti(int pixels, bool bold)
{
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QIcon glyphIcon(const QString& svgResource, int side, qreal ratio)
{
    QImage strip(QSize(2 * side, side) * ratio, QImage::Format_ARGB32_Premultiplied);
    strip.fill(Qt::transparent);
    {
        QSvgRenderer renderer(svgResource);
        QPainter painter(&strip);
        renderer.render(&painter);
    }
    const int pixels = strip.height();
    auto half = [&](int index) {
        QPixmap pixmap = QPixmap::fromImage(strip.copy(index * pixels, 0, pixels, pixels));
        pixmap.setDevicePixelRatio(ratio);
        return pixmap;
    };
    QIcon icon;
    icon.addPixmap(half(0), QIcon::Normal);
    icon.addPixmap(half(1), QIcon::Disabled);
    return icon;
}

} // namespace ui
