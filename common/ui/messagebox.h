#pragma once

#include <QList>
#include <QMessageBox>
#include <QString>

#include <memory>

namespace ui {

// The caption of every message box: "Buildoc" or "公司信息".
QString applicationTitle();
void setApplicationTitle(const QString& title);

// Every message box of the programs goes through here, so that a test can
// answer the next box in advance and read what was shown.
class MessageBox
{
public:
    enum class Kind { Notice, Question, Plain, Error };

    struct Record
    {
        Kind kind;
        QMessageBox::Icon icon;
        QString caption;
        QString text;
        QMessageBox::StandardButtons buttons;
        QMessageBox::StandardButton defaultButton;
        QMessageBox::StandardButton answer;
    };

    // A notice: caption "提示", information icon, OK.
    static void notice(QWidget* parent, const QString& text);

    // The question before deleting: caption "警告", Yes and No, stop icon,
    // No the default. True on Yes.
    static bool confirmDelete(QWidget* parent, const QString& text);

    // A plain message dialog: no icon, OK, centred on the screen; the
    // application title is the caption unless another is given.
    static void plain(QWidget* parent, const QString& text, const QString& caption = {});

    // The standard error box: stop icon, OK, the application title, the
    // error's text with a full stop appended when its last character sorts
    // after ".".
    static void error(QWidget* parent, const QString& message);
    static QString errorText(const QString& message);

    // Any other box.
    static QMessageBox::StandardButton ask(QWidget* parent, Kind kind, QMessageBox::Icon icon,
                                           const QString& caption, const QString& text,
                                           QMessageBox::StandardButtons buttons,
                                           QMessageBox::StandardButton defaultButton);

    // The real box that ask() would show, for a look at it.
    static std::unique_ptr<QMessageBox> build(QWidget* parent, QMessageBox::Icon icon,
                                              const QString& caption, const QString& text,
                                              QMessageBox::StandardButtons buttons,
                                              QMessageBox::StandardButton defaultButton);

    // --- for tests
    // The next box is not shown and returns this answer.
    static void setNextAnswer(QMessageBox::StandardButton answer);
    // Every box without a prepared answer is not shown and returns its
    // default button.
    static void setAutoAnswer(bool on);
    static const QList<Record>& history();
    static void clearHistory();
};

} // namespace ui
