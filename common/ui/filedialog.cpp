#include "filedialog.h"

#include <QFileDialog>

#include <optional>

namespace ui {

namespace {
std::optional<QString>& nextName()
{
    static std::optional<QString> name;
    return name;
}
QString& lastFilterText()
{
    static QString filter;
    return filter;
}
} // namespace

QString FileDialog::getOpenFileName(QWidget* parent, const QString& filter)
{
    lastFilterText() = filter;
    if (nextName()) {
        const QString name = *nextName();
        nextName().reset();
        return name;
    }
    return QFileDialog::getOpenFileName(parent, QString(), QString(), filter);
}

void FileDialog::setNextFileName(const QString& name)
{
    nextName() = name;
}

QString FileDialog::lastFilter()
{
    return lastFilterText();
}

} // namespace ui
