#include "documents.h"

#include "common/data/connectionstring.h"
#include "common/data/programfolder.h"
#include "common/ui/messagebox.h"
#include "common/ui/opener.h"

#include <QFileInfo>

namespace archiva {

QString documentPath(const QString& relative)
{
    return data::ProgramFolder::path() + data::toNativeSeparators(relative);
}

void openDocument(QWidget* parent, const QString& relative)
{
    const QString path = documentPath(relative);
    if (QFileInfo(path).isFile()) {
        ui::Opener::open(path);
        return;
    }
    if (relative.isEmpty())
        ui::MessageBox::notice(parent, QStringLiteral("这个条目没有登记文档文件。"));
    else
        ui::MessageBox::notice(parent, QStringLiteral("找不到文档文件：\n%1").arg(path));
}

} // namespace archiva
