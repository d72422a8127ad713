// The index list: every disease or glossary name in the order of its query;
// picking one moves the window that opened the list (the one SearchForm
// names) to that record, and closes the list.
#pragma once

#include "app/ChildWindow.h"
#include "data/BoundRecordSource.h"

class QListWidget;
class QListWidgetItem;

namespace corv {

class RecordForm;

class frmIndex : public ModalWindow {
    Q_OBJECT
public:
    explicit frmIndex(QWidget *parent = nullptr);

    QListWidget *IndexList;
    // Reads the names only; nothing is bound to it.
    BoundRecordSource IndexData;
    // The number of rows the query returned.
    int IndexCount = 0;

    // Fills the list for the window SearchForm names. False (after saying
    // why) when the names cannot be read.
    bool Form_Load() override;
    // Picks the selected name: the calling window finds it, the list closes.
    void IndexList_Click();
    bool picked() const { return m_picked; }

    // Makes and fills the list for the window SearchForm names, placed over
    // `caller`; nullptr when it cannot open. This is what the record
    // windows' Index buttons open (RecordForm::indexWindow).
    static frmIndex *make(QWidget *caller);
    // Opens the list for `caller` (SearchForm is set to it) and waits until
    // it closes. True when a name was picked.
    static bool showFor(RecordForm *caller);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void pick(const QListWidgetItem *item);
    QPoint m_clickedAt; // where the last click on the list ended
    bool m_picked = false;
    bool m_done = false;
};

} // namespace corv
