#include "application.h"

#include "messagebox.h"

#include "common/data/dataerror.h"

#include <QFont>

namespace ui {

Application::Application(int& argc, char** argv) : QApplication(argc, argv)
{
    // The windows ask for "宋体"; where it is missing, the Song face's
    // nearest kin among the desktop's CJK fonts draws Latin and Chinese alike.
    QFont::insertSubstitutions(QStringLiteral("宋体"), {QStringLiteral("Noto Sans CJK SC"),
                                                        QStringLiteral("Noto Serif CJK SC"),
                                                        QStringLiteral("WenQuanYi Micro Hei")});
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const data::DataError& e) {
        MessageBox::error(nullptr, e.message());
    } catch (const std::exception& e) {
        MessageBox::error(nullptr, QString::fromUtf8(e.what()));
    }
    return false;
}

} // namespace ui
