#include "data/Catalogue.h"

#include <QCoreApplication>

#include <cmath>
#include <limits>

namespace corv {

namespace {

constexpr double None = std::numeric_limits<double>::quiet_NaN();

// The journal's values, one row each, in the window's alphabetical order:
// the field, the value's name (the window's label without its colon), the
// box and the word of its message, the box's input limit (0: none), the
// chart's check box, column label and spelling of the field, whether the
// chart opens with it ticked, and the default target ranges. Two boxes and
// their messages keep the spellings the window has always had
// (txtSepcificGravity, txtStrotium), the temperature field is spelled
// Temprature throughout, and the chart binds the pH field as "pH".
//
// The default ranges give fresh, salt and cold water a low and a high bound
// each; None leaves a bound out. They follow the ranges the help book gives
// for an established tank, a little wider where a keeper would not act yet
// (pH and temperature), and keep to 0 for metals that have no place in a
// tank. A concentration with only a ceiling still starts at 0, so that a
// mistyped negative value is marked too. Temperatures are in degrees
// Fahrenheit.
struct ValueRow {
    const char *field;
    const char *name;
    const char *box;
    const char *messageWord;
    int limit;
    int decimals; // "dec" below
    const char *chartBox;
    const char *chartLabel;
    const char *chartField;
    bool chartedAtFirst; // "ticked" below
    double ranges[3][2];
    int since = 0; // the schema version that added the field (FieldSpec)
};
// clang-format off
const ValueRow valueRows[] = {
//   field              name                box                   message word        len dec chart box            chart label    chart field        ticked  fresh         salt             cold
    {"Alkalinity",      QT_TRANSLATE_NOOP("corv::JournalValue", "Alkalinity"),       "txtAlkalinity",      QT_TRANSLATE_NOOP("corv::JournalValue", "Alkalinity"),       9, 1,  "ckAlkalinity",      QT_TRANSLATE_NOOP("corv::JournalValue", "Alkalinity"),  "Alkalinity",      false, {{3, 8},       {7, 11},         {3, 8}}},
    {"Ammonia",         QT_TRANSLATE_NOOP("corv::JournalValue", "Ammonia"),          "txtAmmonia",         QT_TRANSLATE_NOOP("corv::JournalValue", "Ammonia"),          9, 2,  "ckAmmonia",         QT_TRANSLATE_NOOP("corv::JournalValue", "Ammonia"),     "Ammonia",         true,  {{0, 0.25},    {0, 0.25},       {0, 0.25}}},
    {"Calcium",         QT_TRANSLATE_NOOP("corv::JournalValue", "Calcium"),          "txtCalcium",         QT_TRANSLATE_NOOP("corv::JournalValue", "Calcium"),          9, 0,  "ckCalcium",         QT_TRANSLATE_NOOP("corv::JournalValue", "Calcium"),     "Calcium",         false, {{None, None}, {380, 450},      {None, None}}},
    {"CarbonDioxide",   QT_TRANSLATE_NOOP("corv::JournalValue", "Carbon Dioxide"),   "txtCarbonDioxide",   QT_TRANSLATE_NOOP("corv::JournalValue", "Carbon Dioxide"),   0, 0,  "ckCarbonDioxide",   QT_TRANSLATE_NOOP("corv::JournalValue", "CO2"),         "CarbonDioxide",   false, {{0, 30},      {None, None},    {0, 30}}},
    {"Copper",          QT_TRANSLATE_NOOP("corv::JournalValue", "Copper"),           "txtCopper",          QT_TRANSLATE_NOOP("corv::JournalValue", "Copper"),           9, 2,  "ckCopper",          QT_TRANSLATE_NOOP("corv::JournalValue", "Copper"),      "Copper",          false, {{0, 0},       {0, 0},          {0, 0}}},
    {"DissolvedOxygen", QT_TRANSLATE_NOOP("corv::JournalValue", "Dissolved Oxygen"), "txtDissolvedOxygen", QT_TRANSLATE_NOOP("corv::JournalValue", "Dissolved Oxygen"), 0, 1,  "ckDissolvedOxygen", QT_TRANSLATE_NOOP("corv::JournalValue", "O2"),          "DissolvedOxygen", false, {{5, None},    {5, None},       {5, None}}},
    {"Hardness",        QT_TRANSLATE_NOOP("corv::JournalValue", "Hardness"),         "txtHardness",        QT_TRANSLATE_NOOP("corv::JournalValue", "Hardness"),         9, 0,  "ckHardness",        QT_TRANSLATE_NOOP("corv::JournalValue", "Hardness"),    "Hardness",        false, {{4, 12},      {None, None},    {5, 19}}},
    {"Iodine",          QT_TRANSLATE_NOOP("corv::JournalValue", "Iodine"),           "txtIodine",          QT_TRANSLATE_NOOP("corv::JournalValue", "Iodine"),           9, 2,  "ckIodine",          QT_TRANSLATE_NOOP("corv::JournalValue", "Iodine"),      "Iodine",          false, {{None, None}, {0.04, 0.08},    {None, None}}},
    {"Iron",            QT_TRANSLATE_NOOP("corv::JournalValue", "Iron"),             "txtIron",            QT_TRANSLATE_NOOP("corv::JournalValue", "Iron"),             9, 2,  "ckIron",            QT_TRANSLATE_NOOP("corv::JournalValue", "Iron"),        "Iron",            false, {{0, 0.1},     {None, None},    {0, 0.1}}},
    {"Lead",            QT_TRANSLATE_NOOP("corv::JournalValue", "Lead"),             "txtLead",            QT_TRANSLATE_NOOP("corv::JournalValue", "Lead"),             9, 2,  "ckLead",            QT_TRANSLATE_NOOP("corv::JournalValue", "Lead"),        "Lead",            false, {{0, 0},       {0, 0},          {0, 0}}},
    {"Magnesium",       QT_TRANSLATE_NOOP("corv::JournalValue", "Magnesium"),        "txtMagnesium",       QT_TRANSLATE_NOOP("corv::JournalValue", "Magnesium"),        9, 0,  "ckMagnesium",       QT_TRANSLATE_NOOP("corv::JournalValue", "Magnesium"),   "Magnesium",       false, {{None, None}, {1250, 1400},    {None, None}}},
    {"Molybdenum",      QT_TRANSLATE_NOOP("corv::JournalValue", "Molybdenum"),       "txtMolybdenum",      QT_TRANSLATE_NOOP("corv::JournalValue", "Molybdenum"),       9, 2,  "ckMolybdenum",      QT_TRANSLATE_NOOP("corv::JournalValue", "Molybdenum"),  "Molybdenum",      false, {{None, None}, {0, 0.02},       {None, None}}},
    {"Nitrate",         QT_TRANSLATE_NOOP("corv::JournalValue", "Nitrate"),          "txtNitrate",         QT_TRANSLATE_NOOP("corv::JournalValue", "Nitrate"),          9, 0,  "ckNitrate",         QT_TRANSLATE_NOOP("corv::JournalValue", "Nitrate"),     "Nitrate",         true,  {{0, 40},      {0, 20},         {0, 40}}},
    {"Nitrite",         QT_TRANSLATE_NOOP("corv::JournalValue", "Nitrite"),          "txtNitrite",         QT_TRANSLATE_NOOP("corv::JournalValue", "Nitrite"),          9, 2,  "ckNitrite",         QT_TRANSLATE_NOOP("corv::JournalValue", "Nitrite"),     "Nitrite",         false, {{0, 0.25},    {0, 0.25},       {0, 0.25}}},
    {"PH",              QT_TRANSLATE_NOOP("corv::JournalValue", "pH"),               "txtpH",              QT_TRANSLATE_NOOP("corv::JournalValue", "pH"),               9, 1,  "ckpH",              QT_TRANSLATE_NOOP("corv::JournalValue", "pH"),          "pH",              true,  {{6.5, 7.8},   {8.0, 8.4},      {7.0, 8.0}}},
    {"Phosphate",       QT_TRANSLATE_NOOP("corv::JournalValue", "Phosphate"),        "txtPhosphate",       QT_TRANSLATE_NOOP("corv::JournalValue", "Phosphate"),        9, 2,  "ckPhosphate",       QT_TRANSLATE_NOOP("corv::JournalValue", "Phosphate"),   "Phosphate",       false, {{0, 1},       {0, 0.1},        {0, 1}}},
    {"SpecificGravity", QT_TRANSLATE_NOOP("corv::JournalValue", "Specific Gravity"), "txtSepcificGravity", QT_TRANSLATE_NOOP("corv::JournalValue", "Sepcific Gravity"), 9, 3,  "ckSpecificGravity", QT_TRANSLATE_NOOP("corv::JournalValue", "SpecGravity"), "SpecificGravity", false, {{None, None}, {1.020, 1.026},  {None, None}}},
    {"Strontium",       QT_TRANSLATE_NOOP("corv::JournalValue", "Strontium"),        "txtStrotium",        QT_TRANSLATE_NOOP("corv::JournalValue", "Strotium"),         9, 0,  "ckStrontium",       QT_TRANSLATE_NOOP("corv::JournalValue", "Strontium"),   "Strontium",       false, {{None, None}, {8, 10},         {None, None}}},
    {"Temprature",      QT_TRANSLATE_NOOP("corv::JournalValue", "Temprature"),       "txtTemprature",      QT_TRANSLATE_NOOP("corv::JournalValue", "Temprature"),       9, 0,  "ckTemprature",      QT_TRANSLATE_NOOP("corv::JournalValue", "Temprature"),  "Temprature",      false, {{72, 82},     {75, 82},        {60, 72}}},
    {"Zinc",            QT_TRANSLATE_NOOP("corv::JournalValue", "Zinc"),             "txtZinc",            QT_TRANSLATE_NOOP("corv::JournalValue", "Zinc"),             9, 2,  "ckZinc",            QT_TRANSLATE_NOOP("corv::JournalValue", "Zinc"),        "Zinc",            false, {{0, 0},       {0, 0},          {0, 0}}},
};
// clang-format on

QString tr(const char *text) {
    return QCoreApplication::translate("corv::JournalValue", text);
}

std::optional<double> bound(double v) {
    return std::isnan(v) ? std::nullopt : std::optional<double>(v);
}

FieldSpec plain(const char *name, FieldKind kind, int length = 0) {
    FieldSpec f;
    f.name = QString::fromLatin1(name);
    f.kind = kind;
    f.length = length;
    return f;
}

FieldSpec key(const char *name) {
    FieldSpec f = plain(name, FieldKind::Integer);
    f.inFiles = false;
    return f;
}

// A price, shown to the cent.
FieldSpec money(const char *name) {
    FieldSpec f = plain(name, FieldKind::Currency);
    f.decimals = 2;
    return f;
}

FieldSpec text(const char *name) {
    return plain(name, FieldKind::Text, 254);
}

FieldSpec words(const char *name) {
    FieldSpec f = text(name);
    f.words = true;
    return f;
}

} // namespace

const FieldSpec *TableSpec::field(const QString &fieldName) const {
    for (const FieldSpec &f : fields)
        if (f.name.compare(fieldName, Qt::CaseInsensitive) == 0)
            return &f;
    return nullptr;
}

QStringList TableSpec::fieldNames() const {
    QStringList names;
    for (const FieldSpec &f : fields)
        names << f.name;
    return names;
}

QStringList TableSpec::fieldNamesAt(int version) const {
    QStringList names;
    for (const FieldSpec &f : fields)
        if (f.since <= version)
            names << f.name;
    return names;
}

const QVector<JournalValue> &journalValues() {
    static const QVector<JournalValue> values = [] {
        QVector<JournalValue> v;
        for (const ValueRow &row : valueRows) {
            JournalValue j;
            // Names are read in the user's language; the fields stay as they are.
            j.name = tr(row.name);
            j.field = plain(row.field, FieldKind::Number, row.limit);
            j.field.decimals = row.decimals;
            j.field.since = row.since;
            j.field.label = j.name + u':';
            j.field.box = QString::fromLatin1(row.box);
            j.field.messageWord = tr(row.messageWord);
            j.chartBox = QString::fromLatin1(row.chartBox);
            j.chartLabel = tr(row.chartLabel);
            j.chartField = QString::fromLatin1(row.chartField);
            j.chartedAtFirst = row.chartedAtFirst;
            for (int t = 0; t < 3; ++t)
                j.defaultRanges[size_t(t)] = {bound(row.ranges[t][0]), bound(row.ranges[t][1])};
            v.push_back(j);
        }
        return v;
    }();
    return values;
}

const QVector<TableSpec> &catalogue() {
    using K = FieldKind;
    static const QVector<TableSpec> tables = [] {
        TableSpec journal{QStringLiteral("Journal"),
                          {key("ID"), key("TankID"), plain("EntryDate", K::Date)}};
        for (const JournalValue &v : journalValues())
            journal.fields.push_back(v.field);
        journal.fields.push_back(plain("Notes", K::Memo));
        return QVector<TableSpec>{
            journal,
            {QStringLiteral("LiveStock"),
             {key("ID"), key("TankID"), text("CommonName"), text("ScientificName"),
              plain("DateAcquired", K::Date), plain("DateLost", K::Date), text("AcquiredFrom"),
              text("Condition"), text("Other"), money("InitialCost"), plain("Notes", K::Memo)}},
            {QStringLiteral("Tank"),
             {key("ID"), text("TankName"), text("TankType"), text("TankShape"), text("UnitMeasure"),
              plain("TankLength", K::Number), plain("TankWidth", K::Number),
              plain("TankHeight", K::Number), plain("TankRadius", K::Number),
              plain("LightDistance", K::Number), plain("DateEstablished", K::Date),
              plain("Equipment", K::Memo), plain("Notes", K::Memo)}},
            {QStringLiteral("Disease"),
             {key("ID"), text("CommonName"), text("ScientificName"), plain("Symptoms", K::Memo),
              plain("Treatment", K::Memo), plain("Notes", K::Memo)}},
            {QStringLiteral("Glossary"), {key("ID"), text("Term"), plain("Definition", K::Memo)}},
            // What was done to a tank. A water change keeps the share of the
            // tank's water it replaced beside its amount, so that the chart
            // and the report need not work it out again from a tank whose
            // size may have changed since.
            {QStringLiteral("Maintenance"),
             {key("ID"), key("TankID"), plain("EntryDate", K::Date), words("Kind"),
              plain("Amount", K::Number), words("Unit"), text("Product"),
              plain("SharePercent", K::Number), plain("Notes", K::Memo)},
             2},
            // What is to be done, and how often. TankID is empty for a task
            // of every tank. A task is done by a maintenance entry of its
            // kind, or by a journal entry when its kind is "Water Test".
            {QStringLiteral("Tasks"),
             {key("ID"), key("TankID"), text("Title"), words("Kind"), plain("Interval", K::Number),
              text("IntervalUnit"), text("Rhythm"), plain("StartDate", K::Date),
              plain("SnoozedUntil", K::Date), plain("Notes", K::Memo)},
             2},
        };
    }();
    return tables;
}

const TableSpec *catalogueTable(const QString &tableName) {
    for (const TableSpec &t : catalogue())
        if (t.name.compare(tableName, Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

} // namespace corv
