#pragma once

#include "common/data/connection.h"
#include "common/data/querydataset.h"
#include "common/data/tabledataset.h"

#include <QObject>

namespace archiva {

// The one connection to tvurl.dat and the datasets every catalogue window
// shares. The main window owns it; the other windows borrow it.
class CatalogueStore : public QObject
{
    Q_OBJECT

public:
    explicit CatalogueStore(QObject* parent = nullptr);

    // "Provider=...;Password=\"\";Data Source=<folder>tvurl.dat;..."
    static QString connectionString(const QString& programFolder);

    // Disconnects, sets the string for the program folder, connects.
    void connectToCatalogue();

    data::Connection* const ADOConnection1;
    data::TableDataset* const ADOsheng;
    data::TableDataset* const ADOdiqu;
    data::TableDataset* const ADOpindao;
    data::QueryDataset* const ADOQuery1;
};

} // namespace archiva
