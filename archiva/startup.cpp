#include "startup.h"

#include "fac.h"
#include "frmmain.h"

#include "common/ui/messagebox.h"

#include <QLabel>
#include <QPointer>
#include <QThread>

namespace archiva {

void showSplash(int waitMs)
{
    QPointer<Tfac> fac = new Tfac;
    fac->Label4->setVisible(true);
    fac->showPainted();
    // A fixed pause however fast the database is; nothing runs meanwhile.
    QThread::msleep(static_cast<unsigned long>(waitMs));
    fac->Label4->setText(QStringLiteral("数据库链接成功！请继续操作"));
    fac->close();
    delete fac.data();
}

std::unique_ptr<TFrmMain> createMainWindow()
{
    ui::setApplicationTitle(QStringLiteral("Buildoc"));
    return std::make_unique<TFrmMain>();
}

std::unique_ptr<TFrmMain> startUp(int splashMs)
{
    showSplash(splashMs);
    std::unique_ptr<TFrmMain> window = createMainWindow();
    window->show();
    return window;
}

} // namespace archiva
