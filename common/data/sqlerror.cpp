#include "sqlerror.h"

#include "sqlite3_shim.h"

namespace data {

QString describeResult(int code)
{
    switch (code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("文件正被其他程序锁定，请稍后再试");
    case SQLITE_NOTADB:
        return QStringLiteral("不是有效的数据库文件，或数据库密码不正确");
    case SQLITE_CANTOPEN:
        return QStringLiteral("无法打开文件，请检查文件是否存在以及读写权限");
    case SQLITE_READONLY:
        return QStringLiteral("文件是只读的，不能写入");
    case SQLITE_CORRUPT:
        return QStringLiteral("数据库文件已损坏");
    case SQLITE_FULL:
        return QStringLiteral("磁盘已满");
    case SQLITE_IOERR:
        return QStringLiteral("读写文件时出错");
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return QStringLiteral("没有访问权限");
    case SQLITE_NOMEM:
        return QStringLiteral("内存不足");
    case SQLITE_CONSTRAINT:
        return QStringLiteral("违反了数据表的约束");
    case SQLITE_TOOBIG:
        return QStringLiteral("数据过长");
    case SQLITE_ERROR:
        return QStringLiteral("SQL 语句有误");
    default:
        return QStringLiteral("数据库引擎报告错误 %1").arg(code);
    }
}

void throwEngineError(sqlite3* db, int code, const QString& what)
{
    QString text = what + QStringLiteral("：") + describeResult(code);
    const char* detail = db ? sqlite3_errmsg(db) : nullptr;
    if (detail && *detail && (code & 0xff) != SQLITE_NOTADB)
        text += QStringLiteral("（%1）").arg(QString::fromUtf8(detail));
    throw DataError(text);
}

QString quoteIdentifier(const QString& name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace data
