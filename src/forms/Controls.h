// The text boxes of the record windows.
//
// A TextBox limits what the user can type (its input limit) without ever
// cutting a text the program puts into it, and reports getting and losing
// the focus the way the windows' handlers need: lost focus only when the
// focus moves to another control of the same window, not when a menu, a
// message box or another window takes it.
#pragma once

#include "data/TankTexts.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <functional>

class QComboBox;

namespace corv {

class TextBox : public QLineEdit {
    Q_OBJECT
public:
    explicit TextBox(QWidget *parent = nullptr);

    // 0: no limit.
    void setInputLimit(int characters);
    int inputLimit() const { return m_limit; }

    std::function<void()> onGotFocus;
    std::function<void()> onLostFocus;

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    int m_limit = 0;
};

class MemoBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit MemoBox(QWidget *parent = nullptr);

    std::function<void()> onGotFocus;
    std::function<void()> onLostFocus;

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;
};

// True when the text holds a word (a run without blanks) of more than a
// thousand characters. Laid out to break only between words, such a word
// takes time that grows with its square: a note of one word of 300,000
// letters took 40 seconds to show, broken anywhere a fraction of a second.
bool hasHugeWord(const QString &text);
// Breaks the lines of `box` anywhere when `text` holds a huge word, between
// words otherwise; called before the text is put into the box.
void wrapForText(QPlainTextEdit *box, const QString &text);

// A list of a tank's type, shape or unit, with its tool tip.
QComboBox *tankListCombo(QWidget *parent, const QString &name, TankList list);

// Hands a box to the main window's SelectMe whenever it gets the focus.
void highlightOnFocus(TextBox *box);
void highlightOnFocus(MemoBox *box);

// True when a focus change with this reason is the user (or the window's
// code) moving between controls, as opposed to a menu or another window
// taking the focus for a while.
bool isFieldFocusChange(Qt::FocusReason reason);

} // namespace corv
