// The reference content of a new database: the fish diseases and the
// aquarist glossary. It is kept as plain text, one row per line, so that a
// change to it can be read in a diff:
//
//   - UTF-8, lines ending in "\n" (a "\r" before it is dropped);
//   - the first line names the table's columns, separated by tabs;
//   - every other line is one row with exactly that many tab-separated fields;
//   - inside a field, "\n" stands for a line break, "\t" for a tab and "\\"
//     for a backslash; any other backslash is an error.
//
// Parsing is strict: any line that breaks a rule is an error naming the file
// and the line, and nothing of that file is used.
#pragma once

#include <QByteArray>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

namespace corv {

// What a file of one table must hold.
struct ReferenceLayout {
    QString table;         // Disease or Glossary
    QString fileName;      // Disease.tsv
    QStringList columns;   // the header, in order
    QStringList required;  // columns that may not be empty
    QString key;           // a column whose values must be unique (letter case ignored)
    QStringList shortText; // columns of at most 254 characters
    QString rowNoun;       // "diseases", "glossary terms"
};

// The layouts of Disease.tsv and Glossary.tsv.
const ReferenceLayout &diseaseLayout();
const ReferenceLayout &glossaryLayout();

struct ReferenceTable {
    ReferenceLayout layout;
    QVector<QStringList> rows; // each with layout.columns.size() fields
};

struct ReferenceContent {
    ReferenceTable diseases;
    ReferenceTable glossary;
};

// Undoes the escapes of one field. Returns nothing for a bad escape and puts
// a description of it into `why`.
std::optional<QString> unescapeReferenceField(const QString &field, QString *why = nullptr);
// The field as it is written in a file (the inverse of the above).
QString escapeReferenceField(const QString &text);

// Parses the text of one file. `fileName` names the file in error messages.
std::optional<ReferenceTable> parseReferenceTable(const QByteArray &data,
                                                  const ReferenceLayout &layout,
                                                  const QString &fileName, QString *error);

// Reads Disease.tsv and Glossary.tsv from `folder`.
std::optional<ReferenceContent> readReferenceContent(const QString &folder, QString *error);
// The content built into the program.
std::optional<ReferenceContent> builtInReferenceContent(QString *error);

// Inserts the rows of `table` into its table through `db`, which must
// already be inside a transaction: the caller commits or rolls back.
bool insertReferenceRows(QSqlDatabase &db, const ReferenceTable &table, QString *error);

// What addReferenceContent did.
struct ReferenceAddition {
    int diseasesAdded = 0;
    int termsAdded = 0;
    // Rows a table already had; such a table is left alone.
    int diseaseRowsBefore = 0;
    int glossaryRowsBefore = 0;
    // One or two sentences for the user.
    QString summary(const QString &fileName) const;
};

// Adds the content to an existing Corvella database at `path`, filling
// only a Disease or Glossary table that is empty, in one transaction: on
// any failure nothing is added. Refuses a file that is not a Corvella
// database.
bool addReferenceContent(const QString &path, const ReferenceContent &content,
                         ReferenceAddition *result, QString *error);

} // namespace corv
