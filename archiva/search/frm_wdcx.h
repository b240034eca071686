#pragma once

#include <QDialog>
#include <QString>
#include <QVariantList>

class QLabel;
class QLineEdit;
class QPushButton;

namespace data {
class QueryDataset;
}

namespace ui {
class DBGrid;
}

namespace archiva {

class CatalogueStore;

// The search of document entries by part of their name. The typed text goes
// in as a bound value: a quote in it is ordinary text, while "%" and "_" stay
// the pattern's wildcards.
struct SearchStatement
{
    QString text;
    QVariantList values;
};
SearchStatement searchStatement(const QString& typed);

// "共找到查询结果 " + count + " 条"
QString resultCountText(int count);

// The document search window: finds entries of diantai by part of their
// name, lists them in an editable grid and opens the chosen one's file. It
// runs its own query on the catalogue connection and touches none of the
// store's datasets.
class TFrm_wdcx : public QDialog
{
    Q_OBJECT

public:
    // What the close button ends the modal run with ("ignore"); the opener
    // does not read it.
    static constexpr int closeResult = 5;

    explicit TFrm_wdcx(CatalogueStore& store, QWidget* owner = nullptr);
    ~TFrm_wdcx() override;

    // Closing stores a grid row still being edited, whatever has the focus.
    void done(int result) override;

    // --- handlers, bound to their events
    void FormShow();
    void Button1Click();
    void Edit1KeyDown(int key);
    void Button2Click();
    void DBGrid1DblClick();
    void BitBtn3Click();

    QLabel* Label1;
    QLineEdit* Edit1;
    QPushButton* Button1;
    QPushButton* Button2;
    QPushButton* BitBtn3;
    ui::DBGrid* DBGrid1;
    QLabel* Label2;
    data::QueryDataset* ADOQuery1;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void centreOnScreen();
    void storeGridEdit();
};

// "查询资料": a new search window owned by owner, shown modally and destroyed
// as soon as it closes.
void showSearchWindow(QWidget* owner, CatalogueStore& store);

} // namespace archiva
