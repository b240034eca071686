#pragma once

#include <QString>

class QWidget;

namespace ui {

// The file-open dialog. Tests set the next file name in advance.
class FileDialog
{
public:
    // The chosen file's full name; empty when the user cancels.
    static QString getOpenFileName(QWidget* parent, const QString& filter);

    // The next call returns this name (empty: as if cancelled) without
    // showing a dialog.
    static void setNextFileName(const QString& name);
    // The filter the last call offered.
    static QString lastFilter();
};

} // namespace ui
