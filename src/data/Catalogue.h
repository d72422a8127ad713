// The fields of Corvella's tables, stated once, as data.
//
// Read from here: the tables' field lists (the database check), the columns
// of exported and imported files, the journal window's value boxes with
// their labels and messages, the chart's check boxes and labels, and the
// default target ranges. A new journal value is one row of the journal's
// value table in Catalogue.cpp (plus the schema change that gives existing
// databases its column); the windows, the chart, the ranges and the
// transfer code follow from it. The journal's report template and the help
// book are written by hand; a test holds them to this catalogue. The other
// record windows still lay out and name their own boxes.
#pragma once

#include "data/FieldKind.h"
#include "data/TargetRanges.h"

#include <QCoreApplication>
#include <QString>
#include <QVector>
#include <array>

namespace corv {

struct FieldSpec {
    QString name; // as the table spells it: "PH", "Temprature"
    FieldKind kind = FieldKind::Text;
    // The schema version whose migration added the field; 0: every
    // Corvella file has it. A file of an older version lacks it until it is
    // upgraded, and is a Corvella file all the same.
    int since = 0;
    // The most characters the field's box takes, 0 for no limit. For a text
    // field it is also what the field keeps (254).
    int length = 0;
    // In a file of Export and Import, with the field's name as its column
    // heading: every field but the keys ID and TankID.
    bool inFiles = true;
    // The fewest decimals a number of the field is shown with, in windows,
    // reports and files: what a test kit reads the value to, or a price to
    // the cent; more are shown when more were stored. 0: shortest form.
    int decimals = 0;
    // Corvella's own words (a kind, a unit): kept in English, so that a
    // file moves between languages unchanged, and shown in the user's
    // language; a word of the keeper's own is kept and shown as typed.
    bool words = false;
    // The journal's values only (empty elsewhere): the window's label
    // ("pH:"), its box ("txtpH") and the word of the box's message, "Please
    // enter a valid pH!".
    QString label;
    QString box;
    QString messageWord;

    QString numericMessage() const {
        return QCoreApplication::translate("corv::RecordForm", "Please enter a valid %1!")
            .arg(messageWord);
    }
};

struct TableSpec {
    QString name; // "Journal", "LiveStock", "Tank", "Disease", "Glossary", ...
    QVector<FieldSpec> fields;
    // The schema version whose migration added the table (as FieldSpec).
    int since = 0;

    // The field of that name, letter case ignored; nullptr when there is none.
    const FieldSpec *field(const QString &fieldName) const;
    QStringList fieldNames() const;
    // The fields a file of schema version `version` has.
    QStringList fieldNamesAt(int version) const;
};

// The tables in the order the database check reads them: the five of the
// first release, then the care log's Maintenance and Tasks.
const QVector<TableSpec> &catalogue();
// The table of that name (letter case ignored); nullptr for any other name.
const TableSpec *catalogueTable(const QString &tableName);

// One measured value of a journal entry: its field with the journal
// window's box, and what the chart and the target ranges say of it.
struct JournalValue {
    FieldSpec field;
    // The value's name as the user reads it: the journal's label without its
    // colon, the chart's check-box caption and the name the target ranges
    // and their tool tips give ("Specific Gravity", "Temprature").
    QString name;
    QString chartBox;   // "ckSpecificGravity"
    QString chartLabel; // the column's label in the chart: "SpecGravity", "CO2"
    QString chartField; // the field as the chart binds it: "pH" (letter case does not matter)
    bool chartedAtFirst = false; // ticked when the chart window opens
    // The default target range per water type, in the order of waterTypes().
    std::array<TargetRange, 3> defaultRanges;
};

// The journal's values in the window's (alphabetical) order, which is also
// their order in the Journal table, the chart and the files.
const QVector<JournalValue> &journalValues();

} // namespace corv
