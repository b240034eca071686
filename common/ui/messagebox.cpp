#include "messagebox.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

#include <deque>

namespace ui {

namespace {

QString& title()
{
    static QString t;
    return t;
}

std::deque<QMessageBox::StandardButton>& answers()
{
    static std::deque<QMessageBox::StandardButton> a;
    return a;
}

bool& autoAnswer()
{
    static bool on = false;
    return on;
}

QList<MessageBox::Record>& records()
{
    static QList<MessageBox::Record> r;
    return r;
}

} // namespace

QString applicationTitle()
{
    return title().isEmpty() ? QApplication::applicationName() : title();
}

void setApplicationTitle(const QString& t)
{
    title() = t;
}

void MessageBox::notice(QWidget* parent, const QString& text)
{
    ask(parent, Kind::Notice, QMessageBox::Information, QStringLiteral("提示"), text,
        QMessageBox::Ok, QMessageBox::Ok);
}

bool MessageBox::confirmDelete(QWidget* parent, const QString& text)
{
    return ask(parent, Kind::Question, QMessageBox::Critical, QStringLiteral("警告"), text,
               QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

void MessageBox::plain(QWidget* parent, const QString& text, const QString& caption)
{
    ask(parent, Kind::Plain, QMessageBox::NoIcon, caption.isEmpty() ? applicationTitle() : caption,
        text, QMessageBox::Ok, QMessageBox::Ok);
}

QString MessageBox::errorText(const QString& message)
{
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

void MessageBox::error(QWidget* parent, const QString& message)
{
    ask(parent, Kind::Error, QMessageBox::Critical, applicationTitle(), errorText(message),
        QMessageBox::Ok, QMessageBox::Ok);
}

std::unique_ptr<QMessageBox> MessageBox::build(QWidget* parent, QMessageBox::Icon icon,
                                               const QString& caption, const QString& text,
                                               QMessageBox::StandardButtons buttons,
                                               QMessageBox::StandardButton defaultButton)
{
    auto box = std::make_unique<QMessageBox>(icon, caption, text, buttons, parent);
    box->setTextFormat(Qt::PlainText);
    box->setDefaultButton(defaultButton);
    // Esc answers No in a Yes/No question, as in the system's own boxes.
    if (buttons.testFlag(QMessageBox::No))
        box->setEscapeButton(QMessageBox::No);
    return box;
}

QMessageBox::StandardButton MessageBox::ask(QWidget* parent, Kind kind, QMessageBox::Icon icon,
                                            const QString& caption, const QString& text,
                                            QMessageBox::StandardButtons buttons,
                                            QMessageBox::StandardButton defaultButton)
{
    Record record{kind, icon, caption, text, buttons, defaultButton, QMessageBox::NoButton};
    if (!answers().empty()) {
        record.answer = answers().front();
        answers().pop_front();
    } else if (autoAnswer()) {
        record.answer = defaultButton;
    } else {
        if (!parent)
            parent = QApplication::activeWindow();
        auto box = build(kind == Kind::Plain ? nullptr : parent, icon, caption, text, buttons,
                         defaultButton);
        if (kind == Kind::Plain) {
            // A plain message stands in the middle of the screen.
            box->adjustSize();
            if (const QScreen* screen = QGuiApplication::primaryScreen()) {
                QRect frame = box->frameGeometry();
                frame.moveCenter(screen->availableGeometry().center());
                box->move(frame.topLeft());
            }
        }
        record.answer = QMessageBox::StandardButton(box->exec());
    }
    records().append(record);
    return record.answer;
}

void MessageBox::setNextAnswer(QMessageBox::StandardButton answer)
{
    answers().push_back(answer);
}

void MessageBox::setAutoAnswer(bool on)
{
    autoAnswer() = on;
}

const QList<MessageBox::Record>& MessageBox::history()
{
    return records();
}

void MessageBox::clearHistory()
{
    records().clear();
    answers().clear();
}

} // namespace ui
