#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

namespace ui {

// The status-bar clock: the date in the locale's short format and, unless
// the time is exactly 00:00:00, a blank and the time with hours, minutes and
// seconds in the locale's order (no time zone).
QString clockText(const QDateTime& moment, const QLocale& locale = QLocale());

} // namespace ui
