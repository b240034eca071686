#pragma once

#include <QApplication>

namespace ui {

// The application object of both programs. An error that escapes a window
// event anyway is caught where events are delivered and shown in the
// standard error box; the program goes on.
class Application : public QApplication
{
    Q_OBJECT

public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace ui
