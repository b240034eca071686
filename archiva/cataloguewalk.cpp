#include "cataloguewalk.h"

#include "cataloguestore.h"

namespace archiva {

void walkCatalogue(CatalogueStore& store, CatalogueVisitor& visitor)
{
    store.connectToCatalogue();

    data::TableDataset& sheng = *store.ADOsheng;
    data::TableDataset& diqu = *store.ADOdiqu;
    data::TableDataset& pindao = *store.ADOpindao;
    sheng.open();
    diqu.open();
    pindao.open();

    const QString shengField = QStringLiteral("sheng");
    const QString diquField = QStringLiteral("diqu");
    for (sheng.first(); !sheng.eof(); sheng.next()) {
        const QString first = sheng.fieldText(shengField);
        visitor.firstLevel(first);
        diqu.setFilter(shengField, first);
        diqu.setFiltered(true);
        for (diqu.first(); !diqu.eof(); diqu.next()) {
            const QString second = diqu.fieldText(diquField);
            visitor.secondLevel(second);
            pindao.setFilter(diquField, second);
            pindao.setFiltered(true);
            for (pindao.first(); !pindao.eof(); pindao.next()) {
                visitor.entry(pindao.fieldText(QStringLiteral("dt_ming")),
                              pindao.fieldText(QStringLiteral("编号")).toLongLong());
            }
        }
    }

    sheng.close();
    diqu.close();
    pindao.close();
}

} // namespace archiva
