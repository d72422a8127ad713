// Target ranges of the journal values, per water type: the band a
// keeper wants each value in. The journal marks values outside it and the
// chart draws it behind the series. Marks only inform; nothing is refused.
//
// Kept in the user's settings, section "TargetRanges", one key per water
// type and value, e.g. "FreshWater.PH=6.5..7.8". Either bound may be left out
// ("..0.25" is at most 0.25, "5.." at least 5, ".." no range). A key that is
// missing or that does not read as a range (empty, a typing slip, low above
// high, a word, a list the INI reader split at a comma) gives the default
// range, so a hand-edited file can never break the journal.
#pragma once

#include <QString>
#include <QVector>
#include <array>
#include <functional>
#include <optional>

namespace corv {

// One of the measured values of a journal entry (data/Catalogue.h has all
// that is said of them).
struct JournalParameter {
    QString field; // the Journal table's field, e.g. "PH"
    QString label; // its name as the journal's label shows it, e.g. "pH"
};

// The values, in the journal window's (alphabetical) order.
const QVector<JournalParameter> &journalParameters();
// Index into journalParameters() of a field name, letter case ignored
// ("pH" and "PH" are the same field); -1 for any other name.
int journalParameterIndex(const QString &field);

// "Fresh Water", "Salt Water", "Cold Water", the tank types.
const QVector<QString> &waterTypes();
// Index into waterTypes(), letter case and surrounding blanks ignored; -1
// for any other text (an empty tank type, say).
int waterTypeIndex(const QString &waterType);

struct TargetRange {
    std::optional<double> low;
    std::optional<double> high;

    bool isEmpty() const { return !low && !high; }
    // "0–0.25", "at most 40", "at least 5", "8" (both bounds equal), or
    // an empty text for no range.
    QString text() const;
    friend bool operator==(const TargetRange &a, const TargetRange &b) {
        return a.low == b.low && a.high == b.high;
    }
    friend bool operator!=(const TargetRange &a, const TargetRange &b) { return !(a == b); }
};

enum class RangeMark {
    None,   // empty or not a number, unknown parameter or water type, no range
    Inside, // within the range, bounds included
    Below,
    Above,
};

struct RangeCheck {
    RangeMark mark = RangeMark::None;
    // Why a value is marked, e.g. "Nitrite 0.5 is above the target range
    // 0–0.25 for Fresh Water."; empty unless the mark is Below or Above.
    QString toolTip;
    bool outside() const { return mark == RangeMark::Below || mark == RangeMark::Above; }
};

// Where load() and save() keep the ranges: the texts of the keys of
// TargetRanges::settingsSection() in the user's settings. The program's
// settings store installs itself (app/Settings.cpp); this layer knows only
// the keys and the texts.
struct TargetRangeStore {
    // The stored text of a key, or nullopt when the key is absent.
    std::function<std::optional<QString>(const QString &key)> read;
    std::function<void(const QString &key, const QString &text)> write;
};

class TargetRanges {
public:
    static constexpr int WaterTypeCount = 3;

    // Starts with the defaults.
    TargetRanges();

    // The default range of a value in a water type (empty for unknown names).
    static TargetRange defaultRange(const QString &waterType, const QString &field);

    // The ranges kept in the store; defaults where a key is missing or
    // unreadable, and all of them while no store is installed.
    static TargetRanges load();
    // Writes every range to the store (nothing while none is installed).
    void save() const;
    static void setStore(TargetRangeStore store);

    TargetRange range(const QString &waterType, const QString &field) const;
    // False (and nothing changes) for an unknown water type or field, or a
    // range whose low bound lies above its high bound or that is not finite.
    bool setRange(const QString &waterType, const QString &field, const TargetRange &range);
    // Every value of one water type back to its default.
    void restoreDefaults(const QString &waterType);

    // Marks a value as typed in the journal. Values that are empty or are
    // not numbers are never marked.
    RangeCheck check(const QString &valueText, const QString &field,
                     const QString &waterType) const;

    // The settings key of a range, e.g. "FreshWater.PH".
    static QString settingsKey(const QString &waterType, const QString &field);
    static const QString &settingsSection(); // "TargetRanges"
    // A range as it is written to the store ("6.5..7.8", "..0.25").
    static QString toSettingsText(const TargetRange &range);
    // The range a stored text stands for; nullopt when it is not one.
    static std::optional<TargetRange> fromSettingsText(const QString &text);

    // Reads the two bounds as typed in the Target Ranges window: empty or a
    // finite number each, low not above high. On failure `why` says what is
    // wrong, naming the value by its label ("The low bound of pH is not a
    // number.").
    static std::optional<TargetRange> fromBoundTexts(const QString &lowText,
                                                     const QString &highText, const QString &field,
                                                     QString *why = nullptr);
    // A bound as the window shows it: the shortest text of the number, or
    // empty for no bound.
    static QString boundText(const std::optional<double> &bound);

private:
    static TargetRangeStore &store();
    static int parameterCount() { return int(journalParameters().size()); }

    // Per water type, one range per value of journalParameters().
    std::array<QVector<TargetRange>, WaterTypeCount> m_ranges;
};

} // namespace corv
