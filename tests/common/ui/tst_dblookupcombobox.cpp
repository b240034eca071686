#include "catalogue.h"

#include "common/ui/dblookupcombobox.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>

using ui::DBLookupComboBox;

class TestDBLookupComboBox : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void listsEveryRowAndStartsEmpty();
    void pickMovesTheDataset();
    void pickedTextStaysWhenTheListChanges();
    void reopenReturnsToThePickedRow();

private:
    std::unique_ptr<Catalogue> m_catalogue;
    std::unique_ptr<data::TableDataset> m_diqu;
    std::unique_ptr<DBLookupComboBox> m_combo;
};

void TestDBLookupComboBox::init()
{
    m_catalogue = std::make_unique<Catalogue>(QString::fromUtf8(sampleRows));
    m_diqu = m_catalogue->table(
        QStringLiteral("ADOdiqu"), QStringLiteral("diqu"),
        {QStringLiteral("diqu"), QStringLiteral("sheng"), QStringLiteral("编号")});
    m_combo = std::make_unique<DBLookupComboBox>();
    m_combo->setListSource(m_diqu.get(), QStringLiteral("diqu"));
    m_diqu->open();
    m_combo->show();
}

void TestDBLookupComboBox::cleanup()
{
    m_combo.reset();
    m_diqu.reset();
    m_catalogue.reset();
}

void TestDBLookupComboBox::listsEveryRowAndStartsEmpty()
{
    QCOMPARE(m_combo->count(), 4);
    QCOMPARE(m_combo->itemText(3), QStringLiteral("钢结构"));
    QCOMPARE(m_combo->text(), QString());
    QCOMPARE(m_combo->maxVisibleItems(), 15);
}

void TestDBLookupComboBox::pickMovesTheDataset()
{
    QSignalSpy picked(m_combo.get(), &DBLookupComboBox::picked);
    m_combo->setFocus();
    m_combo->activated(2);
    QCOMPARE(m_combo->text(), QStringLiteral("模板"));
    QCOMPARE(m_diqu->currentRow(), 2);
    QCOMPARE(picked.count(), 1);
    QCOMPARE(picked.first().at(0).toString(), QStringLiteral("模板"));

    // By keyboard on the closed list.
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("混"));
    QApplication::sendEvent(m_combo.get(), &press);
    QCOMPARE(m_combo->text(), QStringLiteral("混凝土"));
    QCOMPARE(m_diqu->currentRow(), 0);
    QCOMPARE(picked.count(), 2);
}

void TestDBLookupComboBox::pickedTextStaysWhenTheListChanges()
{
    m_combo->activated(2); // 模板
    m_diqu->setFilter(QStringLiteral("sheng"), QStringLiteral("设计规范"));
    m_diqu->setFiltered(true);
    QCOMPARE(m_combo->count(), 2);
    QCOMPARE(m_combo->text(), QStringLiteral("模板"));
    QCOMPARE(m_diqu->currentRow(), 0); // the filter moved to the first row
}

void TestDBLookupComboBox::reopenReturnsToThePickedRow()
{
    m_combo->activated(3);
    m_diqu->setCurrentRow(0);
    m_diqu->close();
    m_diqu->open();
    QCOMPARE(m_diqu->currentRow(), 1); // the first row holding "钢结构"
}

QTEST_MAIN(TestDBLookupComboBox)
#include "tst_dblookupcombobox.moc"
