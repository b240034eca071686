#pragma once

// A temporary program folder for Archiva tests: the program is moved there
// for the fixture's lifetime, with tvurl.dat made from a few SQL rows and
// document files where a test wants them.
#include "common/data/programfolder.h"
#include "support/dbfixture.h"
#include "tools/schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace archivatest {

class ProgramFolder
{
public:
    ProgramFolder() { data::ProgramFolder::setOverride(m_dir.path()); }
    ~ProgramFolder() { data::ProgramFolder::setOverride(QString()); }
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;

    // Ends in '/', as the program folder does.
    QString path() const { return m_dir.path() + QLatin1Char('/'); }
    QString catalogue() const { return path() + QStringLiteral("tvurl.dat"); }

    // tvurl.dat with the three tables and these rows.
    void makeCatalogue(const QString& rows = {}) const
    {
        fixture::makeDatabase(catalogue(), QString::fromUtf8(schema::catalogue) + rows);
    }

    // A document file at a path relative to the folder ('/' separated).
    QString addFile(const QString& relative) const
    {
        const QString full = path() + relative;
        QDir().mkpath(QFileInfo(full).path());
        QFile file(full);
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(full));
        file.write("document");
        return full;
    }

private:
    QTemporaryDir m_dir;
};

} // namespace archivatest
