#pragma once

#include <QPointer>
#include <QWidget>

class QToolButton;

#include "common/data/dataset.h"

namespace ui {

// Buttons that move a dataset's current row: first, prior, next, last, and
// refresh (reads the rows again).
class DBNavigator : public QWidget
{
    Q_OBJECT

public:
    enum Button { First, Prior, Next, Last, Refresh, ButtonCount };

    explicit DBNavigator(QWidget* parent = nullptr);

    void setDataset(data::Dataset* dataset);
    QToolButton* button(Button which) const { return m_buttons[which]; }

private:
    void press(Button which);
    void updateButtons();

    QPointer<data::Dataset> m_dataset;
    QToolButton* m_buttons[ButtonCount] = {};
};

} // namespace ui
