#pragma once

#include <QFont>
#include <QIcon>
#include <QString>

namespace ui {

// The programs' typeface, "宋体", at a pixel height.
QFont songti(int pixels, bool bold = false);

// A button glyph drawn from an SVG strip that holds two side x side images
// side by side: the normal one, then the disabled one.
QIcon glyphIcon(const QString& svgResource, int side, qreal ratio);

} // namespace ui
