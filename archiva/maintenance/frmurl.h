#pragma once

#include "cataloguelevel.h"

#include <QDialog>

#include <optional>
#include <vector>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace data {
class TableDataset;
}

namespace ui {
class DBGrid;
class DBLookupComboBox;
} // namespace ui

namespace archiva {

class CatalogueStore;

// The catalogue maintenance window: one tab per level, each adding,
// changing and deleting rows of its table in the catalogue store. Every
// change is in tvurl.dat at once; the main window's menus show it from the
// next start on. The three tables are open exactly while the window exists.
class TFrmUrl : public QDialog
{
    Q_OBJECT

public:
    explicit TFrmUrl(CatalogueStore& store, QWidget* owner = nullptr);
    ~TFrmUrl() override;

    // --- handlers, bound to their events
    void FormCreate();
    void FormClose();
    void Button4Click();
    void Button5Click();
    void Button6Click();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button7Click();
    void Button8Click();
    void Button9Click();
    void DBGrid2CellClick();
    void DBGrid1CellClick();
    void DBGrid3CellClick();
    void DBLookupComboBox2Click();

    // The store's datasets, as this window's data sources show them.
    data::TableDataset* const DataSource1;
    data::TableDataset* const DataSource2;
    data::TableDataset* const DataSource3;

    QTabWidget* PageControl1;

    QWidget* TabSheet1;
    QFrame* Panel2;
    QLabel* Label2;
    QLineEdit* Edit2;
    QPushButton* Button4;
    QPushButton* Button5;
    QPushButton* Button6;
    ui::DBGrid* DBGrid2;

    QWidget* TabSheet2;
    QFrame* Panel1;
    QLabel* Label1;
    ui::DBLookupComboBox* DBLookupComboBox1;
    QLabel* Label3;
    QLineEdit* Edit1;
    QPushButton* Button1;
    QPushButton* Button2;
    QPushButton* Button3;
    ui::DBGrid* DBGrid1;

    QWidget* TabSheet3;
    QFrame* Panel3;
    QLabel* Label4;
    ui::DBLookupComboBox* DBLookupComboBox2;
    QLabel* Label7;
    ui::DBLookupComboBox* DBLookupComboBox3;
    QLabel* Label5;
    QLineEdit* Edit3;
    QLabel* Label6;
    QLineEdit* Edit4;
    QPushButton* Button7;
    QPushButton* Button8;
    QPushButton* Button9;
    ui::DBGrid* DBGrid3;

public slots:
    // Closing runs FormClose once, whichever way the window goes.
    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // What differs between the three tabs; one implementation serves them
    // all.
    struct Tab
    {
        CatalogueLevel level;
        QLineEdit* nameEdit;
        ui::DBLookupComboBox* parentList; // none on the first tab
        QLineEdit* addressEdit;           // the third tab only
        QPushButton* modifyButton;
        QPushButton* deleteButton;
        QString duplicateMessage;
        // After Add the re-read table no longer has the chosen row current.
        bool addEndsChoice;
        // The key of the row the user clicked: Modify changes that row.
        std::optional<qint64> chosenKey;
    };

    void buildFirstTab();
    void buildSecondTab();
    void buildThirdTab();
    void bindHandlers();

    LevelEntry entryOf(const Tab& tab) const;
    void addRow(Tab& tab);
    void modifyRow(Tab& tab);
    void deleteRow(Tab& tab);
    void rowClick(Tab& tab);

    std::vector<Tab> m_tabs;
    bool m_closed = false;
};

// "修改数据库": a new maintenance window owned by owner, centred over it with
// its icon, shown modally and destroyed when it closes.
void showMaintenanceWindow(QWidget* owner, CatalogueStore& store);

} // namespace archiva
