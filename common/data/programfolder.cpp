#include "programfolder.h"

#include <QCoreApplication>

namespace data {

namespace {
QString& overridePath()
{
    static QString path;
    return path;
}
} // namespace

QString ProgramFolder::path()
{
    if (!overridePath().isEmpty())
        return overridePath();
    return folderOf(QCoreApplication::applicationFilePath());
}

void ProgramFolder::setOverride(const QString& folder)
{
    QString f = folder;
    if (!f.isEmpty() && !f.endsWith(QLatin1Char('/')))
        f += QLatin1Char('/');
    overridePath() = f;
}

QString ProgramFolder::folderOf(const QString& executablePath)
{
    const qsizetype slash = executablePath.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : executablePath.left(slash + 1);
}

} // namespace data
