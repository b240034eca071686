#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

namespace archiva {

// The program's pictures, drawn from the SVGs compiled into it.
namespace artwork {

inline constexpr const char* splashBanner = ":/archiva/splash.svg";
inline constexpr const char* background = ":/archiva/background.svg";
inline constexpr const char* windowIcon = ":/archiva/icon.svg";

// The picture stretched to exactly `size` (the aspect ratio is not kept).
QPixmap render(const char* name, const QSize& size);

// The 32 x 32 window icon.
QIcon icon();

// The maker's line of the status bar.
QString makerLine();

} // namespace artwork
} // namespace archiva
