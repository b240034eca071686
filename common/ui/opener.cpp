#include "opener.h"

#include <QDesktopServices>
#include <QUrl>

namespace ui {

namespace {
Opener::Handler& handler()
{
    static Opener::Handler h;
    return h;
}
} // namespace

void Opener::open(const QString& path)
{
    if (handler()) {
        handler()(path);
        return;
    }
    // Whether the desktop could open it is not reported back.
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void Opener::setHandler(Handler h)
{
    handler() = std::move(h);
}

void Opener::reset()
{
    handler() = nullptr;
}

} // namespace ui
