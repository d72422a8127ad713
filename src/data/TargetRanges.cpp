#include "data/TargetRanges.h"

#include "data/Catalogue.h"
#include "platform/Conversions.h"

#include <cmath>

#include <QCoreApplication>

namespace corv {

namespace {

TargetRange defaultAt(int type, int parameter) {
    return journalValues()[parameter].defaultRanges[size_t(type)];
}

bool valid(const TargetRange &r) {
    if ((r.low && !std::isfinite(*r.low)) || (r.high && !std::isfinite(*r.high)))
        return false;
    return !(r.low && r.high && *r.low > *r.high);
}

// A bound read from the store or typed: empty, or one finite number.
bool readBound(const QString &text, std::optional<double> &out) {
    const QString t = text.trimmed();
    if (t.isEmpty()) {
        out.reset();
        return true;
    }
    const auto n = toNumber(t);
    if (!n || !std::isfinite(*n))
        return false;
    out = *n;
    return true;
}

const QLatin1String separator("..");

} // namespace

const QVector<JournalParameter> &journalParameters() {
    static const QVector<JournalParameter> list = [] {
        QVector<JournalParameter> v;
        for (const JournalValue &j : journalValues())
            v.push_back({j.field.name, j.name});
        return v;
    }();
    return list;
}

int journalParameterIndex(const QString &field) {
    const auto &list = journalParameters();
    for (int i = 0; i < list.size(); ++i)
        if (list[i].field.compare(field, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

const QVector<QString> &waterTypes() {
    static const QVector<QString> types = {
        QStringLiteral("Fresh Water"), QStringLiteral("Salt Water"), QStringLiteral("Cold Water")};
    return types;
}

int waterTypeIndex(const QString &waterType) {
    const QString t = waterType.trimmed();
    const auto &types = waterTypes();
    for (int i = 0; i < types.size(); ++i)
        if (types[i].compare(t, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QString TargetRange::text() const {
    if (low && high) {
        if (*low == *high)
            return numberText(*low);
        return numberText(*low) + QChar(0x2013) + numberText(*high);
    }
    if (high)
        return QCoreApplication::translate("TargetRanges", "at most ") + numberText(*high);
    if (low)
        return QCoreApplication::translate("TargetRanges", "at least ") + numberText(*low);
    return QString();
}

TargetRanges::TargetRanges() {
    for (int t = 0; t < WaterTypeCount; ++t)
        restoreDefaults(waterTypes()[t]);
}

TargetRange TargetRanges::defaultRange(const QString &waterType, const QString &field) {
    const int t = waterTypeIndex(waterType), p = journalParameterIndex(field);
    return (t < 0 || p < 0) ? TargetRange{} : defaultAt(t, p);
}

const QString &TargetRanges::settingsSection() {
    static const QString section = QStringLiteral("TargetRanges");
    return section;
}

QString TargetRanges::settingsKey(const QString &waterType, const QString &field) {
    const int t = waterTypeIndex(waterType), p = journalParameterIndex(field);
    if (t < 0 || p < 0)
        return QString();
    // INI keys with blanks are written escaped; "FreshWater" reads plainly.
    QString type = waterTypes()[t];
    type.remove(u' ');
    return type + u'.' + journalParameters()[p].field;
}

QString TargetRanges::toSettingsText(const TargetRange &range) {
    return boundText(range.low) + separator + boundText(range.high);
}

std::optional<TargetRange> TargetRanges::fromSettingsText(const QString &text) {
    const QString t = text.trimmed();
    const qsizetype at = t.indexOf(separator);
    if (at < 0)
        return std::nullopt;
    TargetRange r;
    if (!readBound(t.left(at), r.low) || !readBound(t.mid(at + separator.size()), r.high))
        return std::nullopt;
    if (!valid(r))
        return std::nullopt;
    return r;
}

TargetRangeStore &TargetRanges::store() {
    static TargetRangeStore installed;
    return installed;
}

void TargetRanges::setStore(TargetRangeStore store) {
    TargetRanges::store() = std::move(store);
}

TargetRanges TargetRanges::load() {
    TargetRanges ranges;
    const TargetRangeStore &from = store();
    if (!from.read)
        return ranges;
    for (int t = 0; t < WaterTypeCount; ++t) {
        for (int p = 0; p < parameterCount(); ++p) {
            const auto stored =
                from.read(settingsKey(waterTypes()[t], journalParameters()[p].field));
            if (!stored)
                continue;
            if (const auto r = fromSettingsText(*stored))
                ranges.m_ranges[t][p] = *r;
        }
    }
    return ranges;
}

void TargetRanges::save() const {
    const TargetRangeStore &to = store();
    if (!to.write)
        return;
    for (int t = 0; t < WaterTypeCount; ++t)
        for (int p = 0; p < parameterCount(); ++p)
            to.write(settingsKey(waterTypes()[t], journalParameters()[p].field),
                     toSettingsText(m_ranges[t][p]));
}

TargetRange TargetRanges::range(const QString &waterType, const QString &field) const {
    const int t = waterTypeIndex(waterType), p = journalParameterIndex(field);
    return (t < 0 || p < 0) ? TargetRange{} : m_ranges[t][p];
}

bool TargetRanges::setRange(const QString &waterType, const QString &field,
                            const TargetRange &range) {
    const int t = waterTypeIndex(waterType), p = journalParameterIndex(field);
    if (t < 0 || p < 0 || !valid(range))
        return false;
    m_ranges[t][p] = range;
    return true;
}

void TargetRanges::restoreDefaults(const QString &waterType) {
    const int t = waterTypeIndex(waterType);
    if (t < 0)
        return;
    m_ranges[t].resize(parameterCount());
    for (int p = 0; p < parameterCount(); ++p)
        m_ranges[t][p] = defaultAt(t, p);
}

RangeCheck TargetRanges::check(const QString &valueText, const QString &field,
                               const QString &waterType) const {
    const int t = waterTypeIndex(waterType), p = journalParameterIndex(field);
    if (t < 0 || p < 0)
        return {};
    const TargetRange &r = m_ranges[t][p];
    const QString typed = valueText.trimmed();
    // The value is as the journal's box shows it, the user's way.
    const auto value = toUserNumber(typed);
    // A value too large to hold is no number the journal can store.
    if (r.isEmpty() || !value || !std::isfinite(*value))
        return {};
    RangeMark mark = RangeMark::Inside;
    if (r.low && *value < *r.low)
        mark = RangeMark::Below;
    else if (r.high && *value > *r.high)
        mark = RangeMark::Above;
    if (mark == RangeMark::Inside)
        return {mark, QString()};
    const QString shownRange = userNumberText(r.text());
    const QString range = (r.low && r.high)
                              ? shownRange
                              : QCoreApplication::translate("TargetRanges", "of ") + shownRange;
    return {mark,
            QCoreApplication::translate("TargetRanges", "%1 %2 is %3 the target range %4 for %5.")
                .arg(journalParameters()[p].label, typed,
                     mark == RangeMark::Below
                         ? QCoreApplication::translate("TargetRanges", "below")
                         : QCoreApplication::translate("TargetRanges", "above"),
                     range,
                     QCoreApplication::translate("corv::TankTexts",
                                                 waterTypes()[t].toUtf8().constData()))};
}

std::optional<TargetRange> TargetRanges::fromBoundTexts(const QString &lowText,
                                                        const QString &highText,
                                                        const QString &field, QString *why) {
    const int p = journalParameterIndex(field);
    const QString name = p >= 0 ? journalParameters()[p].label : field;
    auto fail = [&](const QString &text) -> std::optional<TargetRange> {
        if (why)
            *why = text;
        return std::nullopt;
    };
    TargetRange r;
    // A number too large for any measurement (1e999) is a number all the
    // same: say so rather than call it no number.
    auto refused = [&](const char *bound, const QString &text) {
        const QString t = text.trimmed();
        if (readsAsNumber(t))
            return fail(QCoreApplication::translate("TargetRanges",
                                                    "The %1 bound of %2 (%3) is out of range.")
                            .arg(QCoreApplication::translate("TargetRanges", bound), name,
                                 userNumberText(t.size() > 40 ? t.left(40) + u'…' : t)));
        return fail(
            QCoreApplication::translate("TargetRanges", "The %1 bound of %2 is not a number.")
                .arg(QCoreApplication::translate("TargetRanges", bound), name));
    };
    if (!readBound(lowText, r.low))
        return refused(QT_TRANSLATE_NOOP("TargetRanges", "low"), lowText);
    if (!readBound(highText, r.high))
        return refused(QT_TRANSLATE_NOOP("TargetRanges", "high"), highText);
    if (r.low && r.high && *r.low > *r.high)
        return fail(QCoreApplication::translate(
                        "TargetRanges", "The low bound of %1 (%2) is above its high bound (%3).")
                        .arg(name, userNumberText(numberText(*r.low)),
                             userNumberText(numberText(*r.high))));
    return r;
}

QString TargetRanges::boundText(const std::optional<double> &bound) {
    return bound ? numberText(*bound) : QString();
}

} // namespace corv
