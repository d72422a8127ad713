#include "Controls.h"

#include "app/mdiCorvella.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QMimeData>
#include <QTextCursor>
#include <QValidator>

namespace corv {

namespace {

// Refuses typing and pasting that would make the text longer than the
// limit. Texts set by the program are not checked by QLineEdit's
// validation, so a longer stored value is shown in full, and deleting from
// it is always allowed.
class LimitValidator : public QValidator {
public:
    LimitValidator(QLineEdit *box, int limit) : QValidator(box), m_limit(limit) {
        m_lastLength = box->text().size();
        connect(box, &QLineEdit::textChanged, this,
                [this](const QString &t) { m_lastLength = t.size(); });
    }
    State validate(QString &input, int &) const override {
        if (input.size() > m_limit && input.size() > m_lastLength)
            return Invalid;
        return Acceptable;
    }

private:
    int m_limit;
    qsizetype m_lastLength = 0;
};

// The new focus widget is in the same window as `w`.
bool focusStaysInWindow(const QWidget *w) {
    const QWidget *next = QApplication::focusWidget();
    if (!next)
        return false;
    // The record windows are child windows of the main frame: compare the
    // nearest window-like ancestors (the form inside its frame).
    auto formOf = [](const QWidget *x) {
        while (x && x->parentWidget() && !x->isWindow() &&
               !x->parentWidget()->inherits("QMdiSubWindow"))
            x = x->parentWidget();
        return x;
    };
    return formOf(next) == formOf(w);
}

bool autoHighlightOff() {
    const mdiCorvella *main = mdiCorvella::instance();
    return main && !main->AutoHighlight;
}

} // namespace

bool isFieldFocusChange(Qt::FocusReason reason) {
    switch (reason) {
    case Qt::MouseFocusReason:
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::ShortcutFocusReason:
    case Qt::OtherFocusReason:
        return true;
    default:
        return false;
    }
}

void highlightOnFocus(TextBox *box) {
    box->onGotFocus = [box] {
        if (mdiCorvella *m = mdiCorvella::instance())
            m->SelectMe(box);
    };
}

void highlightOnFocus(MemoBox *box) {
    box->onGotFocus = [box] {
        if (mdiCorvella *m = mdiCorvella::instance())
            m->SelectMe(box);
    };
}

QComboBox *tankListCombo(QWidget *parent, const QString &name, TankList list) {
    auto *combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->addItems(tanktexts::shownItems(list));
    combo->setToolTip(tanktexts::toolTip(list));
    return combo;
}

TextBox::TextBox(QWidget *parent) : QLineEdit(parent) {}

void TextBox::setInputLimit(int characters) {
    m_limit = characters;
    delete validator();
    setValidator(characters > 0 ? new LimitValidator(this, characters) : nullptr);
}

void TextBox::focusInEvent(QFocusEvent *event) {
    QLineEdit::focusInEvent(event);
    // Qt selects a box's text when it is tabbed into; with Auto Highlight off
    // the text is left unselected.
    if (autoHighlightOff() &&
        (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason))
        deselect();
    if (onGotFocus && isFieldFocusChange(event->reason()))
        onGotFocus();
}

void TextBox::focusOutEvent(QFocusEvent *event) {
    QLineEdit::focusOutEvent(event);
    if (onLostFocus && isFieldFocusChange(event->reason()) && focusStaysInWindow(this))
        onLostFocus();
}

bool hasHugeWord(const QString &text) {
    constexpr int Huge = 1000;
    int run = 0;
    for (const QChar c : text) {
        run = c.isSpace() ? 0 : run + 1;
        if (run > Huge)
            return true;
    }
    return false;
}

void wrapForText(QPlainTextEdit *box, const QString &text) {
    const auto mode =
        hasHugeWord(text) ? QTextOption::WrapAnywhere : QTextOption::WrapAtWordBoundaryOrAnywhere;
    if (box->wordWrapMode() != mode)
        box->setWordWrapMode(mode);
}

MemoBox::MemoBox(QWidget *parent) : QPlainTextEdit(parent) {
    setTabChangesFocus(true);
    // A word wider than the box is broken where the box ends.
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
}

void MemoBox::insertFromMimeData(const QMimeData *source) {
    // A pasted word of many thousand letters is laid out at once, too.
    if (source && source->hasText() && hasHugeWord(source->text()))
        setWordWrapMode(QTextOption::WrapAnywhere);
    QPlainTextEdit::insertFromMimeData(source);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

void MemoBox::focusInEvent(QFocusEvent *event) {
    QPlainTextEdit::focusInEvent(event);
    if (onGotFocus && isFieldFocusChange(event->reason()))
        onGotFocus();
}

void MemoBox::focusOutEvent(QFocusEvent *event) {
    QPlainTextEdit::focusOutEvent(event);
    // A long text keeps showing its selection after the focus has gone on,
    // unlike a one-line box; a window tabbed through would show every text
    // it passed highlighted.
    if (isFieldFocusChange(event->reason()) && textCursor().hasSelection()) {
        QTextCursor cursor = textCursor();
        cursor.clearSelection();
        setTextCursor(cursor);
    }
    if (onLostFocus && isFieldFocusChange(event->reason()) && focusStaysInWindow(this))
        onLostFocus();
}

} // namespace corv
