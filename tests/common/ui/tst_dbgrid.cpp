#include "catalogue.h"

#include "common/ui/dbgrid.h"
#include "common/ui/messagebox.h"

#include <QApplication>
#include <QDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

using ui::DBGrid;
using ui::MessageBox;

class TestDBGrid : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void columnsAndRows();
    void currentRowFollowsBothWays();
    void cellEditStoredOnEnter();
    void cellEditStoredWhenRowLeft();
    void cellEditStoredWhenFocusLeaves();
    void refusedStoreLosesNothing_data();
    void refusedStoreLosesNothing();
    void ctrlDeleteAsksFirst_data();
    void ctrlDeleteAsksFirst();
    void readOnlyGrid();
    void escapeReachesTheWindow();

private:
    void editCell(int row, int column, const QString& text, Qt::Key finish);

    std::unique_ptr<Catalogue> m_catalogue;
    std::unique_ptr<data::QueryDataset> m_query;
    std::unique_ptr<QDialog> m_window;
    DBGrid* m_grid = nullptr;
    QPushButton* m_button = nullptr;
};

void TestDBGrid::init()
{
    MessageBox::clearHistory();
    MessageBox::setAutoAnswer(true);
    m_catalogue = std::make_unique<Catalogue>(QString::fromUtf8(sampleRows));
    m_query =
        std::make_unique<data::QueryDataset>(QStringLiteral("ADOQuery1"), &m_catalogue->connection);
    m_query->setSql(QStringLiteral("select * from diantai"));
    m_window = std::make_unique<QDialog>();
    auto* layout = new QVBoxLayout(m_window.get());
    m_grid = new DBGrid(m_window.get());
    m_button = new QPushButton(QStringLiteral("查询"), m_window.get());
    layout->addWidget(m_grid);
    layout->addWidget(m_button);
    m_grid->setDataset(m_query.get(), {{"dt_ming", "文档名称", 120, true},
                                       {"dt_wangzhi", "文档地址", 100, true},
                                       {"diqu", "所在菜单", -1, true},
                                       {"编号", "", -1, false}});
    m_window->resize(500, 300);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_query->open();
}

void TestDBGrid::cleanup()
{
    MessageBox::setAutoAnswer(false);
    m_window.reset();
    m_query.reset();
    m_catalogue.reset();
}

void TestDBGrid::columnsAndRows()
{
    auto* model = m_grid->datasetModel();
    QCOMPARE(model->rowCount(), 3);
    QCOMPARE(model->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
             QStringLiteral("文档名称"));
    QCOMPARE(model->headerData(2, Qt::Horizontal, Qt::TextAlignmentRole).toInt(),
             int(Qt::AlignCenter));
    QCOMPARE(m_grid->columnWidth(0), 120);
    QVERIFY(m_grid->columnWidth(2) > 0);
    QVERIFY(m_grid->isColumnHidden(3));
    QCOMPARE(model->index(2, 0).data().toString(), QStringLiteral("柱"));
    // The current row is marked in the indicator column.
    QCOMPARE(model->headerData(0, Qt::Vertical, Qt::DisplayRole).toString(), QStringLiteral("▶"));
    QCOMPARE(model->headerData(1, Qt::Vertical, Qt::DisplayRole).toString(), QString());
    m_query->close();
    QCOMPARE(model->rowCount(), 0);
}

void TestDBGrid::currentRowFollowsBothWays()
{
    QCOMPARE(m_grid->currentIndex().row(), 0);
    m_query->setCurrentRow(2);
    QCOMPARE(m_grid->currentIndex().row(), 2);
    const QRect cell = m_grid->visualRect(m_grid->datasetModel()->index(1, 1));
    QSignalSpy clicks(m_grid, &DBGrid::cellClicked);
    QTest::mouseClick(m_grid->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(m_query->currentRow(), 1);
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(clicks.first().at(0).toInt(), 1);
    QTest::keyClick(m_grid, Qt::Key_Down);
    QCOMPARE(m_query->currentRow(), 2);
}

void TestDBGrid::editCell(int row, int column, const QString& text, Qt::Key finish)
{
    const QModelIndex index = m_grid->datasetModel()->index(row, column);
    m_grid->setFocus();
    m_grid->setCurrentIndex(index);
    m_grid->edit(index);
    auto* editor = m_grid->findChild<QLineEdit*>();
    QVERIFY(editor);
    editor->selectAll();
    editor->insert(text); // typed text; QTest types ASCII only
    if (finish != Qt::Key_unknown)
        QTest::keyClick(editor, finish);
    // The delegate commits an editor through a queued call.
    QCoreApplication::processEvents();
}

void TestDBGrid::cellEditStoredOnEnter()
{
    editCell(1, 1, QStringLiteral("b\\新.doc"), Qt::Key_Return);
    QCOMPARE(m_catalogue->scalar(QStringLiteral("SELECT dt_wangzhi FROM diantai WHERE 编号 = 2")),
             QStringLiteral("b\\新.doc"));
    QCOMPARE(m_query->state(), data::Dataset::State::Browse);
}

void TestDBGrid::cellEditStoredWhenRowLeft()
{
    editCell(0, 0, QStringLiteral("大梁"), Qt::Key_Tab); // Tab: next cell, same row
    QCOMPARE(m_catalogue->scalar(QStringLiteral("SELECT dt_ming FROM diantai WHERE 编号 = 1")),
             QStringLiteral("梁"));
    QCOMPARE(m_query->state(), data::Dataset::State::Edit);
    QCOMPARE(m_grid->datasetModel()->index(0, 0).data().toString(), QStringLiteral("大梁"));
    // The next cell's editor is open; the user clicks another row.
    const QRect other = m_grid->visualRect(m_grid->datasetModel()->index(2, 1));
    QTest::mouseClick(m_grid->viewport(), Qt::LeftButton, {}, other.center());
    QCOMPARE(m_catalogue->scalar(QStringLiteral("SELECT dt_ming FROM diantai WHERE 编号 = 1")),
             QStringLiteral("大梁"));
}

void TestDBGrid::cellEditStoredWhenFocusLeaves()
{
    editCell(2, 2, QStringLiteral("钢结构2"), Qt::Key_unknown);
    m_button->setFocus();
    QTRY_COMPARE(m_catalogue->scalar(QStringLiteral("SELECT diqu FROM diantai WHERE 编号 = 3")),
                 QStringLiteral("钢结构2"));
}

void TestDBGrid::refusedStoreLosesNothing_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("changedElsewhere");
    QTest::addColumn<QString>("message");
    QTest::newRow("too long") << QString(51, QChar(0x6881)) << false << "最多只能保存 50 个字符";
    QTest::newRow("changed elsewhere") << "新名" << true << "其他用户";
}

void TestDBGrid::refusedStoreLosesNothing()
{
    QFETCH(QString, text);
    QFETCH(bool, changedElsewhere);
    QFETCH(QString, message);
    if (changedElsewhere)
        fixture::execute(m_catalogue->path,
                         QStringLiteral("UPDATE diantai SET diqu = '别处' WHERE 编号 = 1"));
    editCell(0, 0, text, Qt::Key_Return);
    QCOMPARE(MessageBox::history().size(), 1);
    QVERIFY2(MessageBox::history().first().text.contains(message),
             qPrintable(MessageBox::history().first().text));
    QCOMPARE(MessageBox::history().first().kind, MessageBox::Kind::Error);
    QCOMPARE(m_query->state(), data::Dataset::State::Browse);
    QCOMPARE(
        m_catalogue->scalar(QStringLiteral("SELECT dt_ming || diqu FROM diantai WHERE 编号 = 1")),
        changedElsewhere ? QStringLiteral("梁别处") : QStringLiteral("梁混凝土"));
    QCOMPARE(m_grid->datasetModel()->index(0, 0).data().toString(), QStringLiteral("梁"));
}

void TestDBGrid::ctrlDeleteAsksFirst_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("left");
    QTest::newRow("OK") << int(QMessageBox::Ok) << "2";
    QTest::newRow("Cancel") << int(QMessageBox::Cancel) << "3";
}

void TestDBGrid::ctrlDeleteAsksFirst()
{
    QFETCH(int, answer);
    m_query->setCurrentRow(1);
    MessageBox::setNextAnswer(QMessageBox::StandardButton(answer));
    QTest::keyClick(m_grid, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(MessageBox::history().size(), 1);
    QCOMPARE(MessageBox::history().first().kind, MessageBox::Kind::Question);
    QTEST(m_catalogue->scalar(QStringLiteral("SELECT count(*) FROM diantai")), "left");
    QCOMPARE(m_grid->datasetModel()->rowCount(), m_query->recordCount());
}

void TestDBGrid::readOnlyGrid()
{
    m_grid->setReadOnly(true);
    QVERIFY(!(m_grid->datasetModel()->index(0, 0).flags() & Qt::ItemIsEditable));
    QTest::keyClick(m_grid, Qt::Key_Delete, Qt::ControlModifier);
    QTest::keyClicks(m_grid, QStringLiteral("x"));
    QVERIFY(MessageBox::history().isEmpty());
    QCOMPARE(m_catalogue->scalar(QStringLiteral("SELECT count(*) FROM diantai")),
             QStringLiteral("3"));
    QCOMPARE(m_query->state(), data::Dataset::State::Browse);
}

void TestDBGrid::escapeReachesTheWindow()
{
    m_grid->setFocus();
    QTest::keyClick(m_grid, Qt::Key_Escape);
    QVERIFY(!m_window->isVisible());
}

QTEST_MAIN(TestDBGrid)
#include "tst_dbgrid.moc"
