#include "clocktext.h"

#include <QRegularExpression>

namespace ui {

QString clockText(const QDateTime& moment, const QLocale& locale)
{
    QString text = locale.toString(moment.date(), QLocale::ShortFormat);
    const QTime time = moment.time();
    if (time.hour() == 0 && time.minute() == 0 && time.second() == 0)
        return text;
    // The long time format, less its time-zone part.
    QString format = locale.timeFormat(QLocale::LongFormat);
    static const QRegularExpression zone(QStringLiteral("\\s*t+\\s*"));
    format.replace(zone, QStringLiteral(" "));
    format = format.trimmed();
    return text + QLatin1Char(' ') + locale.toString(time, format);
}

} // namespace ui
