#include "frmIndex.h"

#include "RecordForm.h"

#include "app/CorvModule.h"
#include "app/Forms.h"
#include "data/IndexList.h"
#include "platform/Dialogs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace corv {

namespace {

// The record window SearchForm names, if it is open.
RecordForm *callingWindow() {
    const WindowKind *kind = windowByMarker(CorvModule::SearchForm);
    return kind ? dynamic_cast<RecordForm *>(Forms::get(kind->kind)) : nullptr;
}

// A click on a name closes the list at once, so the second click of a
// double click would land on whatever lay beneath the list: a button of the
// calling window, say. For the double-click time after a pick, this eats a
// press at the picked spot and the rest of that click.
class SecondClickEater : public QObject {
public:
    explicit SecondClickEater(QPoint at) : m_at(at) {
        m_clock.start();
        qApp->installEventFilter(this);
        QTimer::singleShot(QApplication::doubleClickInterval() + 50, this, &QObject::deleteLater);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        const QEvent::Type type = event->type();
        if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
            type != QEvent::MouseButtonRelease)
            return false;
        if (type == QEvent::MouseButtonRelease) {
            if (!m_eating)
                return false;
            deleteLater(); // the second click is over
            return true;
        }
        const QPoint at = static_cast<QMouseEvent *>(event)->globalPosition().toPoint();
        if (m_clock.elapsed() <= QApplication::doubleClickInterval() &&
            (at - m_at).manhattanLength() <= QApplication::startDragDistance()) {
            m_eating = true;
            return true;
        }
        deleteLater(); // a click of its own
        return false;
    }

private:
    QPoint m_at;
    QElapsedTimer m_clock;
    bool m_eating = false;
};

// The eater of the last pick; a list opened again starts afresh.
QPointer<SecondClickEater> lastEater;

} // namespace

frmIndex::frmIndex(QWidget *parent) : ModalWindow(parent) {
    delete lastEater;
    setObjectName(QStringLiteral("frmIndex"));
    setWindowTitle(QStringLiteral("Index"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    // The list leaves the status line as the calling window set it.
    idleLineOnUnload = false;

    IndexList = new QListWidget(this);
    IndexList->setObjectName(QStringLiteral("IndexList"));
    // The list is the whole window; it has no label to take a name from.
    IndexList->setAccessibleName(tr("Index"));
    IndexList->setSelectionMode(QAbstractItemView::SingleSelection);
    IndexList->setUniformItemSizes(true); // long lists fill and scroll quickly
    // A click picks; Enter and a double click pick the selected name too
    // (the double click's first half has already picked it).
    connect(IndexList, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) {
        if (!m_done)
            lastEater = new SecondClickEater(m_clickedAt);
        pick(item);
    });
    connect(IndexList, &QListWidget::itemActivated, this,
            [this](QListWidgetItem *item) { pick(item); });

    IndexList->viewport()->installEventFilter(this);

    auto *all = new QVBoxLayout(this);
    all->setContentsMargins(8, 8, 8, 8);
    all->addWidget(IndexList);
    // Tall enough to browse some twenty names at a time.
    resize(320, 500);
    setMinimumSize(220, 240);
}

bool frmIndex::Form_Load() {
    IndexData.setDatabaseName(CorvModule::DatabasePath);
    const auto target = indexlist::targetFor(CorvModule::SearchForm);
    if (!target)
        return true; // no index for that window: the list stays empty
    QStringList names;
    if (const DbError e = indexlist::readNames(IndexData, *target, names)) {
        msgBox(QStringLiteral("Unable to read the index: ") + e.description, MsgButtons::Ok,
               MsgIcon::Exclamation);
        return false;
    }
    IndexCount = IndexData.Recordset().RecordCount();
    IndexData.DatabaseClose();
    IndexList->addItems(names);

    // Browsing starts at the name the calling window shows.
    int row = 0;
    if (RecordForm *caller = callingWindow()) {
        const QString current = caller->data()->Recordset().Fields(target->field);
        if (!current.isEmpty())
            row = std::max(0, int(names.indexOf(current)));
    }
    if (IndexList->count() > 0)
        IndexList->setCurrentRow(row);
    IndexList->setFocus(Qt::OtherFocusReason);
    return true;
}

bool frmIndex::eventFilter(QObject *watched, QEvent *event) {
    if (watched == IndexList->viewport() && event->type() == QEvent::MouseButtonRelease)
        m_clickedAt = static_cast<QMouseEvent *>(event)->globalPosition().toPoint();
    return ModalWindow::eventFilter(watched, event);
}

void frmIndex::IndexList_Click() {
    pick(IndexList->currentItem());
}

void frmIndex::pick(const QListWidgetItem *item) {
    // One pick per list: the release of a click and the activation that
    // follows it (a double click, a platform that activates on click) are
    // the same pick.
    if (m_done)
        return;
    m_done = true;
    if (item) {
        const auto target = indexlist::targetFor(CorvModule::SearchForm);
        RecordForm *caller = callingWindow();
        if (target && caller) {
            CorvModule::SearchCriteria = indexlist::criterion(*target, item->text());
            caller->data()->Recordset().FindFirst(CorvModule::SearchCriteria);
            m_picked = true;
        }
    }
    done(m_picked ? Accepted : Rejected);
}

frmIndex *frmIndex::make(QWidget *caller) {
    frmIndex *list = ModalWindow::open<frmIndex>(caller);
    if (!list || !caller)
        return list;
    // Over the calling window, level with its top, inside the screen.
    QRect r = list->frameGeometry();
    const QRect over(caller->mapToGlobal(QPoint(0, 0)), caller->size());
    r.moveCenter(over.center());
    r.moveTop(over.top());
    if (const QScreen *screen = caller->screen()) {
        const QRect avail = screen->availableGeometry();
        r.moveLeft(
            std::clamp(r.left(), avail.left(), std::max(avail.left(), avail.right() - r.width())));
        r.moveTop(
            std::clamp(r.top(), avail.top(), std::max(avail.top(), avail.bottom() - r.height())));
    }
    list->move(r.topLeft());
    return list;
}

bool frmIndex::showFor(RecordForm *caller) {
    if (caller)
        CorvModule::SearchForm = caller->kindInfo().markerText();
    frmIndex *list = make(caller);
    if (!list)
        return false;
    dialogs().execModal(*list);
    const bool picked = list->picked();
    delete list;
    return picked;
}

} // namespace corv
