#include "DataControl.h"

#include "platform/Dialogs.h"

#include <QHBoxLayout>
#include <QIconEngine>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QToolButton>

namespace corv {

namespace {

// The four navigation glyphs, drawn as vectors so they stay sharp at any
// scale: a bar and a triangle for first/last, a triangle for previous/next.
class NavIconEngine : public QIconEngine {
public:
    enum Glyph { First, Previous, Next, Last };
    explicit NavIconEngine(Glyph g) : m_glyph(g) {}

    void paint(QPainter *p, const QRect &rect, QIcon::Mode mode, QIcon::State) override {
        p->save();
        p->setRenderHint(QPainter::Antialiasing);
        const QColor ink = mode == QIcon::Disabled ? QColor(160, 160, 160) : QColor(40, 70, 110);
        p->setPen(Qt::NoPen);
        p->setBrush(ink);
        const qreal s = qMin(rect.width(), rect.height());
        const QRectF box(rect.x() + (rect.width() - s) / 2.0, rect.y() + (rect.height() - s) / 2.0,
                         s, s);
        const qreal top = box.top() + s * 0.2, bottom = box.bottom() - s * 0.2;
        const qreal mid = box.center().y();
        auto triangle = [&](qreal tipX, qreal baseX) {
            QPainterPath path;
            path.moveTo(tipX, mid);
            path.lineTo(baseX, top);
            path.lineTo(baseX, bottom);
            path.closeSubpath();
            p->drawPath(path);
        };
        const qreal l = box.left(), w = s;
        switch (m_glyph) {
        case First:
            p->drawRect(QRectF(l + w * 0.22, top, w * 0.1, bottom - top));
            triangle(l + w * 0.34, l + w * 0.76);
            break;
        case Previous:
            triangle(l + w * 0.28, l + w * 0.70);
            break;
        case Next:
            triangle(l + w * 0.72, l + w * 0.30);
            break;
        case Last:
            triangle(l + w * 0.66, l + w * 0.24);
            p->drawRect(QRectF(l + w * 0.68, top, w * 0.1, bottom - top));
            break;
        }
        p->restore();
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap pm(size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        paint(&p, QRect(QPoint(0, 0), size), mode, state);
        return pm;
    }
    QIconEngine *clone() const override { return new NavIconEngine(m_glyph); }

private:
    Glyph m_glyph;
};

QToolButton *navButton(QWidget *parent, NavIconEngine::Glyph g, const QString &tip) {
    auto *b = new QToolButton(parent);
    b->setIcon(QIcon(new NavIconEngine(g)));
    b->setToolTip(tip);
    b->setAutoRaise(false);
    b->setFocusPolicy(Qt::NoFocus);
    b->setIconSize(QSize(14, 14));
    b->setFixedSize(24, 22);
    return b;
}

QString boxText(const QWidget *box) {
    if (auto *le = qobject_cast<const QLineEdit *>(box))
        return le->text();
    if (auto *pe = qobject_cast<const QPlainTextEdit *>(box))
        return pe->toPlainText();
    return QString();
}

void setBoxText(QWidget *box, const QString &text) {
    if (auto *le = qobject_cast<QLineEdit *>(box)) {
        if (le->text() != text)
            le->setText(text);
    } else if (auto *pe = qobject_cast<QPlainTextEdit *>(box)) {
        if (pe->toPlainText() != text)
            pe->setPlainText(text);
    }
}

} // namespace

// --- the record set as the windows use it ----------------------------------

int DataRecordset::AbsolutePosition() const {
    return d.m_records.absolutePosition();
}

bool DataRecordset::setAbsolutePosition(int position) {
    if (!d.leaveCurrent(ActionBookmark))
        return false;
    if (DbError e = d.m_records.setAbsolutePosition(position))
        return d.fail(e);
    d.fill();
    d.reposition();
    return true;
}

int DataRecordset::RecordCount() const {
    return d.m_records.recordCount();
}

bool DataRecordset::AddNew() {
    if (!d.m_records.isOpen())
        return d.fail({DbErr::NoCurrentRecord, QStringLiteral("The record source is not open.")});
    if (!d.leaveCurrent(ActionAddNew))
        return false;
    d.m_records.beginAdd();
    d.fill();
    d.reposition();
    return true;
}

bool DataRecordset::Update() {
    if (!d.m_records.isAdding() && !d.m_records.hasCurrent())
        return d.fail({DbErr::UpdateWithoutEdit,
                       QStringLiteral("There is no record being edited or added to store.")});
    bool save = d.DataChanged() || d.m_records.isAdding();
    if (d.onValidate)
        d.onValidate(ActionUpdate, save);
    if (!save) {
        d.m_changed.clear();
        return true;
    }
    return d.store();
}

bool DataRecordset::Edit() {
    if (!d.m_records.hasCurrent() && !d.m_records.isAdding())
        return d.fail({DbErr::NoCurrentRecord, QStringLiteral("No current record.")});
    return true;
}

void DataRecordset::CancelUpdate() {
    if (d.m_records.isAdding())
        d.m_records.cancelAdd();
    else
        d.m_records.reloadCurrent();
    d.fill();
    d.reposition();
}

bool DataRecordset::Delete() {
    if (!d.m_records.hasCurrent())
        return d.fail({DbErr::NoCurrentRecord, QStringLiteral("No current record.")});
    d.leaveCurrent(ActionDelete);
    if (DbError e = d.m_records.deleteCurrent())
        return d.fail(e);
    d.m_changed.clear();
    return true;
}

bool DataRecordset::MoveFirst() {
    return d.moveWith(ActionMoveFirst, &RecordSet::moveFirst);
}
bool DataRecordset::MoveLast() {
    return d.moveWith(ActionMoveLast, &RecordSet::moveLast);
}
bool DataRecordset::MoveNext() {
    return d.moveWith(ActionMoveNext, &RecordSet::moveNext);
}
bool DataRecordset::MovePrevious() {
    return d.moveWith(ActionMovePrevious, &RecordSet::movePrevious);
}

bool DataRecordset::FindFirst(const QString &criterion) {
    return d.find(criterion, true);
}
bool DataRecordset::FindNext(const QString &criterion) {
    return d.find(criterion, false);
}
bool DataRecordset::NoMatch() const {
    return d.m_noMatch;
}

QString DataRecordset::Fields(const QString &name) const {
    return d.m_records.text(d.m_records.fieldIndex(name));
}

QString DataRecordset::Fields(int index) const {
    return d.m_records.text(index);
}

QVariant DataRecordset::FieldValue(const QString &name) const {
    return d.m_records.value(d.m_records.fieldIndex(name));
}

int DataRecordset::FieldCount() const {
    return d.m_records.fields().size();
}

// --- the control -----------------------------------------------------------

DataControl::DataControl(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("DataControl"));
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(1);
    m_first = navButton(this, NavIconEngine::First, tr("First record"));
    m_previous = navButton(this, NavIconEngine::Previous, tr("Previous record"));
    m_next = navButton(this, NavIconEngine::Next, tr("Next record"));
    m_last = navButton(this, NavIconEngine::Last, tr("Last record"));
    m_caption = new QLabel(this);
    m_caption->setObjectName(QStringLiteral("caption"));
    m_caption->setFrameShape(QFrame::StyledPanel);
    m_caption->setFrameShadow(QFrame::Sunken);
    m_caption->setMinimumHeight(22);
    m_caption->setContentsMargins(6, 0, 6, 0);
    m_caption->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    row->addWidget(m_first);
    row->addWidget(m_previous);
    row->addWidget(m_caption, 1);
    row->addWidget(m_next);
    row->addWidget(m_last);
    connect(m_first, &QToolButton::clicked, this, &DataControl::clickFirst);
    connect(m_previous, &QToolButton::clicked, this, &DataControl::clickPrevious);
    connect(m_next, &QToolButton::clicked, this, &DataControl::clickNext);
    connect(m_last, &QToolButton::clicked, this, &DataControl::clickLast);
}

DataControl::~DataControl() {
    // The owning window is already gone: no events now. Edits still pending
    // are stored if they can be.
    onError = nullptr;
    onReposition = nullptr;
    onValidate = nullptr;
    if (m_records.isOpen() && (DataChanged() || m_records.isAdding())) {
        ErrorTrap quiet(*this);
        store();
    }
}

QString DataControl::Caption() const {
    return m_caption->text();
}

void DataControl::setCaption(const QString &caption) {
    m_caption->setText(caption);
}

void DataControl::bind(QLineEdit *box, const QString &field) {
    addBinding(box, field);
    connect(box, &QLineEdit::textChanged, this, [this, box] { boxChanged(box); });
}

void DataControl::bind(QPlainTextEdit *box, const QString &field) {
    addBinding(box, field);
    connect(box, &QPlainTextEdit::textChanged, this, [this, box] { boxChanged(box); });
}

void DataControl::addBinding(QWidget *box, const QString &field) {
    m_bindings.push_back({box, field});
    connect(box, &QObject::destroyed, this, [this, box] { m_changed.remove(box); });
}

void DataControl::boxChanged(QWidget *box) {
    if (!m_filling)
        m_changed.insert(box);
}

bool DataControl::DataChanged(const QWidget *box) const {
    return m_changed.contains(box);
}

void DataControl::fill() {
    m_filling = true;
    for (const Binding &b : std::as_const(m_bindings)) {
        if (!b.box)
            continue;
        const int idx = m_records.fieldIndex(b.field);
        if (idx < 0)
            continue; // the field is not in this record source
        setBoxText(b.box, m_records.text(idx));
    }
    m_filling = false;
    m_changed.clear();
}

QHash<int, QString> DataControl::pendingTexts(bool all) const {
    QHash<int, QString> texts;
    for (const Binding &b : m_bindings) {
        if (!b.box || (!all && !m_changed.contains(b.box)))
            continue;
        const int idx = m_records.fieldIndex(b.field);
        if (idx >= 0)
            texts.insert(idx, boxText(b.box));
    }
    return texts;
}

bool DataControl::store() {
    const bool adding = m_records.isAdding();
    DbError e = adding ? m_records.storeAdded(pendingTexts(true))
                       : m_records.storeCurrent(pendingTexts(false));
    if (e)
        return fail(e);
    m_changed.clear();
    return true;
}

bool DataControl::leaveCurrent(int action) {
    if (!m_records.hasCurrent() && !m_records.isAdding())
        return true;
    bool save = DataChanged();
    if (onValidate)
        onValidate(action, save);
    if (action == ActionDelete) {
        m_changed.clear();
        return true;
    }
    if (!save) {
        // Leaving without storing: a record being added is given up.
        if (m_records.isAdding())
            m_records.cancelAdd();
        m_changed.clear();
        return true;
    }
    return store();
}

bool DataControl::moveWith(int action, DbError (RecordSet::*op)()) {
    if (!m_records.isOpen())
        return fail({DbErr::NoCurrentRecord, QStringLiteral("The record source is not open.")});
    if (!leaveCurrent(action))
        return false;
    if (DbError e = (m_records.*op)()) {
        fill();
        return fail(e);
    }
    fill();
    reposition();
    return true;
}

bool DataControl::find(const QString &criterion, bool first) {
    if (!m_records.isOpen())
        return fail({DbErr::NoCurrentRecord, QStringLiteral("The record source is not open.")});
    if (!leaveCurrent(ActionFind))
        return false;
    int from = 0;
    if (!first) {
        const int p = m_records.absolutePosition();
        from = p >= 0 ? p + 1 : 0;
    }
    int found = -1;
    if (DbError e = m_records.find(criterion, from, &found))
        return fail(e);
    m_noMatch = found < 0;
    if (m_noMatch)
        return true;
    if (DbError e = m_records.setAbsolutePosition(found))
        return fail(e);
    fill();
    reposition();
    return true;
}

void DataControl::reposition() {
    if (onReposition)
        onReposition();
}

bool DataControl::Refresh() {
    if (m_records.isOpen() && !leaveCurrent(ActionClose))
        return false;
    m_noMatch = false;
    if (DbError e = m_records.open(m_databaseName, m_recordSource)) {
        fill();
        return fail(e);
    }
    fill();
    reposition();
    return true;
}

bool DataControl::UpdateRecord() {
    if (!m_records.isAdding() && !m_records.hasCurrent())
        return fail({DbErr::NoCurrentRecord, QStringLiteral("No current record.")});
    return store();
}

bool DataControl::UpdateControls() {
    if (DbError e = m_records.reloadCurrent())
        return fail(e);
    fill();
    return true;
}

void DataControl::DatabaseClose() {
    if (!m_records.isOpen())
        return;
    leaveCurrent(ActionClose);
    m_records.close();
}

bool DataControl::fail(const DbError &error) {
    m_lastError = error;
    if (!m_traps.isEmpty()) {
        if (m_traps.last()->m_error.ok())
            m_traps.last()->m_error = error;
        return false;
    }
    int response = 1;
    if (onError)
        onError(error, response);
    if (response != 0)
        msgBox(error.description, MsgButtons::Ok, MsgIcon::Exclamation);
    return false;
}

void DataControl::clickFirst() {
    m_recordset.MoveFirst();
}
void DataControl::clickPrevious() {
    m_recordset.MovePrevious();
}
void DataControl::clickNext() {
    m_recordset.MoveNext();
}
void DataControl::clickLast() {
    m_recordset.MoveLast();
}

DataControl::ErrorTrap::ErrorTrap(DataControl &control) : m_control(control) {
    m_control.m_traps.push_back(this);
}

DataControl::ErrorTrap::~ErrorTrap() {
    m_control.m_traps.removeOne(this);
}

} // namespace corv
