#include "BoundRecordSource.h"

#include "platform/Conversions.h"

#include <QCoreApplication>

namespace corv {

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
        return d.fail(
            {DbErr::NoCurrentRecord,
             QCoreApplication::translate("BoundRecordSource", "The record source is not open.")});
    if (!d.leaveCurrent(ActionAddNew))
        return false;
    d.m_records.beginAdd();
    d.fill();
    d.reposition();
    return true;
}

bool DataRecordset::Update() {
    if (!d.m_records.isAdding() && !d.m_records.hasCurrent())
        return d.fail(
            {DbErr::UpdateWithoutEdit,
             QCoreApplication::translate("BoundRecordSource",
                                         "There is no record being edited or added to store.")});
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
        return d.fail({DbErr::NoCurrentRecord,
                       QCoreApplication::translate("BoundRecordSource", "No current record.")});
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
        return d.fail({DbErr::NoCurrentRecord,
                       QCoreApplication::translate("BoundRecordSource", "No current record.")});
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

// --- the source -------------------------------------------------------------

namespace {

// A box shows and takes numbers and dates the user's way; the record set
// reads and writes the fixed form. A text that is no number or date passes
// unchanged, so that storing it fails as it would have.
QString userText(FieldKind kind, const QString &fixed) {
    if (userFormIsFixed())
        return fixed;
    switch (kind) {
    case FieldKind::Integer:
    case FieldKind::Number:
    case FieldKind::Currency:
        return userNumberText(fixed);
    case FieldKind::Date:
        if (const auto d = toDate(fixed))
            return userDateText(*d);
        return fixed;
    default:
        return fixed;
    }
}

QString fixedText(FieldKind kind, const QString &typed) {
    if (userFormIsFixed())
        return typed;
    switch (kind) {
    case FieldKind::Integer:
    case FieldKind::Number:
    case FieldKind::Currency:
        return fixedNumberText(typed);
    case FieldKind::Date:
        if (const auto d = toUserDate(typed))
            return dateText(*d);
        return typed;
    default:
        return typed;
    }
}

} // namespace

BoundRecordSource::BoundRecordSource() = default;

BoundRecordSource::~BoundRecordSource() = default;

int BoundRecordSource::bindField(const QString &field, std::function<QString()> read,
                                 std::function<void(const QString &)> show) {
    m_bindings.push_back({field, std::move(read), std::move(show)});
    return int(m_bindings.size()) - 1;
}

void BoundRecordSource::unbindField(int binding) {
    if (binding < 0 || binding >= m_bindings.size())
        return;
    Binding &b = m_bindings[binding];
    b.bound = false;
    b.read = nullptr;
    b.show = nullptr;
    m_changed.remove(binding);
}

void BoundRecordSource::fieldEdited(int binding) {
    if (!m_filling)
        m_changed.insert(binding);
}

void BoundRecordSource::fill() {
    m_filling = true;
    for (const Binding &b : std::as_const(m_bindings)) {
        if (!b.bound)
            continue;
        const int idx = m_records.fieldIndex(b.field);
        if (idx < 0)
            continue; // the field is not in this record source
        b.show(userText(m_records.fields()[idx].kind, m_records.text(idx)));
    }
    m_filling = false;
    m_changed.clear();
}

QHash<int, QString> BoundRecordSource::pendingTexts(bool all) const {
    QHash<int, QString> texts;
    for (int i = 0; i < m_bindings.size(); ++i) {
        const Binding &b = m_bindings[i];
        if (!b.bound || (!all && !m_changed.contains(i)))
            continue;
        const int idx = m_records.fieldIndex(b.field);
        if (idx >= 0)
            texts.insert(idx, fixedText(m_records.fields()[idx].kind, b.read()));
    }
    return texts;
}

int BoundRecordSource::unstorableBinding(FieldInfo *field) const {
    if (!m_records.isOpen())
        return -1;
    const bool all = m_records.isAdding();
    for (int i = 0; i < m_bindings.size(); ++i) {
        const Binding &b = m_bindings[i];
        if (!b.bound || (!all && !m_changed.contains(i)))
            continue;
        const int idx = m_records.fieldIndex(b.field);
        if (idx < 0 || b.field.compare(QLatin1String("ID"), Qt::CaseInsensitive) == 0)
            continue;
        QVariant stored;
        if (RecordSet::toStored(m_records.fields()[idx],
                                fixedText(m_records.fields()[idx].kind, b.read()), stored)) {
            if (field)
                *field = m_records.fields()[idx];
            return i;
        }
    }
    return -1;
}

bool BoundRecordSource::store() {
    const bool adding = m_records.isAdding();
    DbError e = adding ? m_records.storeAdded(pendingTexts(true))
                       : m_records.storeCurrent(pendingTexts(false));
    if (e)
        return fail(e);
    m_changed.clear();
    return true;
}

DbError BoundRecordSource::storePending() {
    // With no record current (the last one deleted) there is nothing the
    // boxes could be stored into.
    if (!m_records.isAdding() && !(m_records.hasCurrent() && DataChanged()))
        return {};
    ErrorTrap trap(*this);
    store();
    return trap.error();
}

bool BoundRecordSource::leaveCurrent(int action) {
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

bool BoundRecordSource::moveWith(int action, DbError (RecordSet::*op)()) {
    if (!m_records.isOpen())
        return fail(
            {DbErr::NoCurrentRecord,
             QCoreApplication::translate("BoundRecordSource", "The record source is not open.")});
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

bool BoundRecordSource::find(const QString &criterion, bool first) {
    if (!m_records.isOpen())
        return fail(
            {DbErr::NoCurrentRecord,
             QCoreApplication::translate("BoundRecordSource", "The record source is not open.")});
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

void BoundRecordSource::reposition() {
    if (onReposition)
        onReposition();
}

bool BoundRecordSource::Refresh() {
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

bool BoundRecordSource::UpdateRecord() {
    if (!m_records.isAdding() && !m_records.hasCurrent())
        return fail({DbErr::NoCurrentRecord,
                     QCoreApplication::translate("BoundRecordSource", "No current record.")});
    return store();
}

bool BoundRecordSource::UpdateControls() {
    if (DbError e = m_records.reloadCurrent())
        return fail(e);
    fill();
    return true;
}

void BoundRecordSource::DatabaseClose() {
    if (!m_records.isOpen())
        return;
    leaveCurrent(ActionClose);
    m_records.close();
}

bool BoundRecordSource::fail(const DbError &error) {
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
        unhandledError(error);
    return false;
}

BoundRecordSource::ErrorTrap::ErrorTrap(BoundRecordSource &source) : m_source(source) {
    m_source.m_traps.push_back(this);
}

BoundRecordSource::ErrorTrap::~ErrorTrap() {
    m_source.m_traps.removeOne(this);
}

} // namespace corv
