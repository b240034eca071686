#pragma once

#include <QProxyStyle>
#include <QString>

namespace ui {

// The programs' own look: a style with a palette of its own, and a style
// sheet over it that draws menus, bars, buttons, edits and tabs.
class SkinStyle : public QProxyStyle
{
    Q_OBJECT

public:
    SkinStyle();
    QPalette standardPalette() const override;
};

QString skinStyleSheet();

// Puts the skin over every window of the application, those open and those
// still to come. Applying it again does nothing.
void applySkin();
bool skinApplied();

} // namespace ui
