#pragma once

#include <QMainWindow>

class QAction;
class QDateTime;
class QLabel;
class QMdiArea;
class QMenu;
class QStatusBar;
class QTimer;

namespace archiva {

class CatalogueStore;

// The main window: the fixed command menu, the catalogue as menus, the
// status-bar clock. It owns the catalogue store that the other windows
// borrow. Creating it connects and builds the menus (FormCreate); an error
// there is shown at once and the window keeps what was built.
class TFrmMain : public QMainWindow
{
    Q_OBJECT

public:
    explicit TFrmMain(QWidget* parent = nullptr);
    ~TFrmMain() override;

    CatalogueStore* store() const { return m_store; }

    // The status bar's two panels: 0 the clock, 1 the maker's line.
    QLabel* statusPanel(int index) const;

    // A document entry's row key and stored name, kept with its menu item.
    static qint64 entryKey(const QAction* item);
    static QString entryName(const QAction* item);

    // The clock's text for a given moment, put into panel 0.
    void showClock(const QDateTime& now);

    // --- handlers, bound to their events
    void FormCreate();
    void MyClick(QAction* sender);
    void N1Click();
    void N111Click();
    void N6Click();
    void N2Click();
    void N221Click();
    void Timer1Timer();

    QMenu* aa1 = nullptr;
    QAction* N1 = nullptr;
    QAction* N111 = nullptr;
    QAction* N6 = nullptr;
    QAction* N3 = nullptr;
    QAction* N2 = nullptr;
    QAction* N221 = nullptr;
    QMdiArea* Image1;
    QStatusBar* StatusBar1;
    QTimer* Timer1;

private:
    class MenuBuilder;

    void buildFixedMenu();
    QAction* addFirstLevel(const QString& sheng);
    QAction* addSecondLevel(QAction* firstLevel, const QString& diqu);
    void addEntry(QAction* secondLevel, const QString& dtMing, qint64 key);
    QMenu* dropDownOf(QAction* item);

    CatalogueStore* m_store;
    QLabel* m_panel0;
    QLabel* m_panel1;
};

} // namespace archiva
