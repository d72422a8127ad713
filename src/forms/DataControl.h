// The bound record source as a record window shows it: the navigation bar
// (first, previous, caption, next, last) along the bottom of the window,
// text boxes bound to the source's fields, and the message a record source
// gives when an error reaches nobody.
//
// What the source does with records, edits and errors is the widget-free
// BoundRecordSource; this adds only the boxes and the bar.
#pragma once

#include "data/BoundRecordSource.h"

#include <QHash>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QToolButton;

namespace corv {

class DataControl : public QWidget, public BoundRecordSource {
    Q_OBJECT
public:
    explicit DataControl(QWidget *parent = nullptr);
    // Edits still pending are stored; when that fails the user is told, the
    // way a failed save is told.
    ~DataControl() override;

    QString Caption() const;
    void setCaption(const QString &caption);

    // Binds a single- or multi-line text box to a field (letter case of the
    // name does not matter). Hidden boxes bind like visible ones.
    void bind(QLineEdit *box, const QString &field);
    void bind(QPlainTextEdit *box, const QString &field);
    // True when a bound box was changed since the source last filled it.
    using BoundRecordSource::DataChanged;
    bool DataChanged(const QWidget *box) const;

    // The box bound by a binding (nullptr when it is gone).
    QWidget *boundBox(int binding) const;

    // Asked before the bar's buttons (and the record keys) leave the record;
    // false keeps it.
    std::function<bool()> beforeMove;
    // Navigation as the bar's buttons do it (errors through the Error event).
    void clickFirst();
    void clickPrevious();
    void clickNext();
    void clickLast();

protected:
    // An error nobody handled: its description in a message box.
    void unhandledError(const DbError &error) override;

private:
    void trackBox(QWidget *box, int binding);

    QHash<const QWidget *, int> m_boxes;
    QLabel *m_caption = nullptr;
    QToolButton *m_first = nullptr;
    QToolButton *m_previous = nullptr;
    QToolButton *m_next = nullptr;
    QToolButton *m_last = nullptr;
};

} // namespace corv
