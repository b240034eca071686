#pragma once

#include <QString>

namespace data {

// The folder of the running executable, ending in '/'. Every file the
// programs use is named relative to it; the working folder plays no part.
class ProgramFolder
{
public:
    static QString path();

    // Tests put the program into a temporary folder; an empty path restores
    // the executable's folder.
    static void setOverride(const QString& folder);

    // The folder part of an executable's full path, up to and including the
    // last separator.
    static QString folderOf(const QString& executablePath);
};

} // namespace data
