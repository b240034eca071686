#pragma once

#include <QMainWindow>

#include "search.h"

class QDateTime;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSplitter;
class QStatusBar;
class QTimer;

namespace data {
class Connection;
class QueryDataset;
} // namespace data

namespace ui {
class DBGrid;
class DBMemo;
class DBNavigator;
} // namespace ui

namespace firmbook {

// The directory window: nine search fields over the table cominfo, the
// matches in a grid with the business description beside it, the count and
// a clock in the status bar. It owns the connection and the query; start-up
// sets the connection string and connects.
class TForm1 : public QMainWindow
{
    Q_OBJECT

public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // The nine search texts as typed, in the order of searchColumns().
    QStringList searchFields() const;

    // Close, set the statement, open, and show the count. A failure raises
    // and leaves the count as it was.
    void runStatement(const Statement& statement);

    // Status panels: 0 the count, 1 the clock, 2 the maker's line.
    QLabel* statusPanel(int index) const;
    // The clock's text for a given moment, put into panel 1.
    void showClock(const QDateTime& now);

    // --- handlers, bound to their events
    void FormShow();
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
    void Timer1Timer();

    data::Connection* ADOConnection1;
    data::QueryDataset* ADOQuery1;

    QGroupBox* GroupBox2;
    QLabel* Label1;
    QLineEdit* Edit1;
    QLabel* Label2;
    QLineEdit* Edit2;
    QLabel* Label3;
    QLineEdit* Edit3;
    QLabel* Label4;
    QLineEdit* Edit4;
    QLabel* Label13;
    QLineEdit* Edit13;
    QLabel* Label6;
    QLineEdit* Edit10;
    QLabel* Label5;
    QLineEdit* Edit7;
    QLabel* Label11;
    QLineEdit* Edit6;
    QLabel* Label7;
    QLineEdit* Edit5;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    QPushButton* BitBtn3;
    ui::DBNavigator* DBNavigator1;

    QGroupBox* GroupBox1;
    ui::DBGrid* DBGrid1;
    QSplitter* Splitter1;
    ui::DBMemo* DBMemo1;

    QStatusBar* StatusBar1;
    QTimer* Timer1;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildQueryArea();
    void buildResultArea();
    void buildStatusBar();
    void arrangeTabOrder();

    QLabel* m_panels[3] = {};
};

// The directory window made at start-up; null before and after.
extern TForm1* Form1;

} // namespace firmbook
