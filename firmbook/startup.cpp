#include "startup.h"

#include "form1.h"

#include "common/data/connection.h"
#include "common/data/programfolder.h"
#include "common/ui/messagebox.h"

namespace firmbook {

namespace {
const char* const databasePassword = "2917061";
}

QString connectionString(const QString& programFolder)
{
    const QString database = programFolder + QStringLiteral("data\\com.mdb");
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + database +
           QStringLiteral(";Persist Security Info=True;Jet OLEDB:Database Password=") +
           QString::fromLatin1(databasePassword);
}

bool connectToDirectory(TForm1& window)
{
    try {
        window.ADOConnection1->setConnectionString(connectionString(data::ProgramFolder::path()));
        window.ADOConnection1->open();
        return true;
    } catch (...) {
        // Whatever went wrong, the user gets this one message; the window's
        // first query tries again and reports the cause.
        ui::MessageBox::plain(nullptr, QStringLiteral("数据库链接失败，请检验后台数据库状态！"),
                              QStringLiteral("公司信息"));
        return false;
    }
}

std::unique_ptr<TForm1> startUp()
{
    ui::setApplicationTitle(QStringLiteral("公司信息"));
    auto window = std::make_unique<TForm1>();
    Form1 = window.get();
    connectToDirectory(*window);
    window->show();
    return window;
}

} // namespace firmbook
