#include "artwork.h"

#include <QPainter>
#include <QSvgRenderer>

// Resources of a static library are registered by hand, once.
static void registerArtwork()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(archiva);
        return true;
    }();
    Q_UNUSED(done);
}

namespace archiva::artwork {

QPixmap render(const char* name, const QSize& size)
{
    registerArtwork();
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(QString::fromLatin1(name));
    renderer.setAspectRatioMode(Qt::IgnoreAspectRatio);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return pixmap;
}

QIcon icon()
{
    QIcon result;
    result.addPixmap(render(windowIcon, QSize(32, 32)));
    result.addPixmap(render(windowIcon, QSize(16, 16)));
    return result;
}

QString makerLine()
{
    return QStringLiteral("Buildoc 开发组  网址：www.buildoc.example  "
                          "电子邮件：support@buildoc.example");
}

} // namespace archiva::artwork
