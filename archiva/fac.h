#pragma once

#include <QFrame>
#include <QWidget>

class QLabel;

namespace archiva {

// The splash window shown for a fixed time before the main window. It only
// marks the start; it does no work. Closing it destroys it.
class Tfac : public QWidget
{
    Q_OBJECT

public:
    explicit Tfac(QWidget* parent = nullptr);

    // Shows the window and paints it completely at once, so that the picture
    // and the label are on screen before the GUI thread blocks.
    void showPainted();

    QFrame* Panel1;
    QLabel* Image1;
    QLabel* Label4;
};

} // namespace archiva
