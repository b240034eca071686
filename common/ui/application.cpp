#include "application.h"

#include "messagebox.h"

#include "common/data/dataerror.h"

namespace ui {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

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
