#pragma once

#include <QString>

namespace archiva {

class CatalogueStore;

// Receives the catalogue tree in walk order: each first-level menu, then its
// second-level menus, each followed by its document entries. A second-level
// menu belongs to the first-level menu reported last, an entry to the
// second-level menu reported last.
class CatalogueVisitor
{
public:
    virtual ~CatalogueVisitor() = default;
    virtual void firstLevel(const QString& sheng) = 0;
    virtual void secondLevel(const QString& diqu) = 0;
    // `key` is the entry's row key (编号), by which it is looked up again.
    virtual void entry(const QString& dtMing, qint64 key) = 0;
};

// Connects to the catalogue and walks it as the main window's creation does:
// ADOsheng row by row, ADOdiqu filtered on each first-level name, ADOpindao
// on each second-level name; then closes the three datasets, leaving their
// filters set. An error stops the walk where it arose: what the visitor was
// given so far stands, and datasets already opened stay open.
void walkCatalogue(CatalogueStore& store, CatalogueVisitor& visitor);

} // namespace archiva
