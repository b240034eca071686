#include "cataloguestore.h"

#include "common/data/programfolder.h"

namespace archiva {

CatalogueStore::CatalogueStore(QObject* parent)
    : QObject(parent), ADOConnection1(new data::Connection(this)),
      ADOsheng(new data::TableDataset(QStringLiteral("ADOsheng"), ADOConnection1,
                                      QStringLiteral("sheng"),
                                      {QStringLiteral("sheng"), QStringLiteral("编号")}, this)),
      ADOdiqu(new data::TableDataset(
          QStringLiteral("ADOdiqu"), ADOConnection1, QStringLiteral("diqu"),
          {QStringLiteral("diqu"), QStringLiteral("sheng"), QStringLiteral("编号")}, this)),
      ADOpindao(new data::TableDataset(QStringLiteral("ADOpindao"), ADOConnection1,
                                       QStringLiteral("diantai"),
                                       {QStringLiteral("dt_ming"), QStringLiteral("dt_wangzhi"),
                                        QStringLiteral("diqu"), QStringLiteral("编号")},
                                       this)),
      ADOQuery1(new data::QueryDataset(QStringLiteral("ADOQuery1"), ADOConnection1, this))
{
    ADOConnection1->setObjectName(QStringLiteral("ADOConnection1"));
    ADOConnection1->setLoginPrompt(false);
    // The filter the second-level table is loaded with; start-up replaces it
    // as soon as there is a first-level row.
    ADOdiqu->setFilter(QStringLiteral("sheng"), QStringLiteral("[国内电视]"));
    ADOdiqu->setFiltered(true);
}

QString CatalogueStore::connectionString(const QString& programFolder)
{
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Password=") + QStringLiteral("\"\"") +
           QStringLiteral(";Data Source=") + programFolder + QStringLiteral("tvurl.dat") +
           QStringLiteral(";Persist Security Info=True");
}

void CatalogueStore::connectToCatalogue()
{
    ADOConnection1->setConnected(false);
    ADOConnection1->setConnectionString(connectionString(data::ProgramFolder::path()));
    ADOConnection1->setLoginPrompt(false);
    ADOConnection1->setConnected(true);
}

} // namespace archiva
