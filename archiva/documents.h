#pragma once

#include <QString>

class QWidget;

namespace archiva {

// The full path of a catalogued document: the program folder followed
// directly by the stored relative path ('\' read as a separator).
QString documentPath(const QString& relative);

// Opens a catalogued document with the desktop's application for it. When
// there is no file at that path nothing is opened and the user is told.
void openDocument(QWidget* parent, const QString& relative);

} // namespace archiva
