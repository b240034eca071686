#pragma once

#include <QString>
#include <QStringList>
#include <QVariantList>

namespace firmbook {

// The statement that lists the whole directory; a search appends its
// condition to it.
inline constexpr const char* wholeTable = "select * from  cominfo ";

// The searched columns, in the order their conditions are written.
const QStringList& searchColumns();

// A statement and the values bound to its '?' marks, in order.
struct Statement
{
    QString text;
    QVariantList values;
};

// Removes characters of code 32 or less (blanks and control characters)
// from both ends; anything else, the ideographic space included, is text.
QString trimmed(const QString& text);

// The search over the nine fields, given in the order of searchColumns().
// Every filled field adds "<column> like ?" with "%" + text + "%" bound, so
// '%' and '_' typed stay wildcards and quotes are ordinary text.
Statement searchStatement(const QStringList& fields);

// "共找到记录 25条".
QString countText(int count);

} // namespace firmbook
