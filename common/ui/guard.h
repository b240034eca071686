#pragma once

#include "messagebox.h"

#include "common/data/dataerror.h"

#include <QObject>
#include <QWidget>

#include <exception>

namespace ui {

// Runs a window event's work; an error it raises goes to the standard error
// box and the program goes on. Returns false when it failed.
template <typename Fn> bool guard(QWidget* window, Fn&& work)
{
    try {
        work();
        return true;
    } catch (const data::DataError& e) {
        MessageBox::error(window, e.message());
    } catch (const std::exception& e) {
        MessageBox::error(window, QString::fromUtf8(e.what()));
    }
    return false;
}

// Binds a handler to a signal, under guard(). Exceptions must not cross Qt's
// own frames, so every handler of a window is bound this way.
template <typename Sender, typename Signal, typename Fn>
QMetaObject::Connection bindEvent(Sender* sender, Signal signal, QWidget* window, Fn handler)
{
    return QObject::connect(sender, signal, window,
                            [window, handler]() { guard(window, handler); });
}

} // namespace ui
