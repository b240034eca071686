#include "search.h"

namespace firmbook {

const QStringList& searchColumns()
{
    static const QStringList columns{
        QStringLiteral("name"),  QStringLiteral("lxr"),     QStringLiteral("tel"),
        QStringLiteral("fax"),   QStringLiteral("address"), QStringLiteral("postcode"),
        QStringLiteral("email"), QStringLiteral("url"),     QStringLiteral("jj")};
    return columns;
}

QString trimmed(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= 32)
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= 32)
        --end;
    return text.mid(begin, end - begin);
}

Statement searchStatement(const QStringList& fields)
{
    Statement statement;
    QString condition;
    const QStringList& columns = searchColumns();
    for (qsizetype i = 0; i < columns.size() && i < fields.size(); ++i) {
        const QString value = trimmed(fields.at(i));
        if (value.isEmpty())
            continue;
        // The first filled field, wherever it stands, gets no join.
        if (!condition.isEmpty())
            condition += QStringLiteral(" and ");
        condition += columns.at(i) + QStringLiteral(" like ?");
        statement.values << QString(QLatin1Char('%') + value + QLatin1Char('%'));
    }
    statement.text = QString::fromLatin1(wholeTable);
    if (!condition.isEmpty())
        statement.text += QStringLiteral("where ") + condition;
    return statement;
}

QString countText(int count)
{
    return QStringLiteral("共找到记录 ") + QString::number(count) + QStringLiteral("条");
}

} // namespace firmbook
