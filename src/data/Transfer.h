// Taking records out to a spreadsheet and back: export of the current tank's
// journal, livestock or maintenance log, or of the whole disease or glossary table, to a CSV
// file, and import of such a file.
//
// A file has a header row of field names (the table's fields without ID and
// TankID) and one row per record: dates as yyyy-mm-dd, numbers with a dot,
// costs with at least two decimals, empty fields empty.
//
// Import is done in two steps so that the user can see what would happen
// before anything is stored: analyse() reads the file and checks every row
// as the record window checks what is typed, and reports line by line what
// it refuses and why; commit() then stores all accepted rows in one
// transaction, or nothing at all. A row is never stored in part.
#pragma once

#include "RecordSet.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>

class QIODevice;

namespace corv {

enum class TransferTable { Journal, LiveStock, Disease, Glossary, Maintenance };

// "Journal", "LiveStock", "Disease", "Glossary", "Maintenance".
QString transferTableName(TransferTable table);
// Journal, livestock and maintenance belong to a tank; the reference tables
// do not.
bool isTankTable(TransferTable table);
// The fields a file of this table holds, in the table's order, with the kind
// of value each takes.
const QVector<FieldInfo> &transferFields(TransferTable table);

// A stored value as a file shows it: dates yyyy-mm-dd, numbers with a dot,
// costs with at least two decimals. A text a spreadsheet would take for a
// formula (beginning with =, +, -, @, a tab or a carriage return) gets an
// apostrophe in front, which import takes away again.
QString exportFieldText(const FieldInfo &field, const QVariant &value);

// The longest text an import takes into one field, in characters; a longer
// one is refused with its line.
constexpr int MaxImportedText = 65535;

struct TransferResult {
    bool ok = false;
    int records = 0;        // written or stored
    QString error;          // why it failed, in words for the user
    bool cancelled = false; // stopped on request: nothing written or stored
};

// Asked now and then during a long export or import with how many records
// are done of how many; false stops the work, which then leaves everything
// as it was.
using TransferProgress = std::function<bool(qint64 done, qint64 total)>;

// Writes the records (of tank `tankId` for journal and livestock; the id is
// ignored otherwise) in the windows' order: journal by date, livestock by
// date acquired, diseases by common name, glossary by term.
TransferResult exportCsv(const QString &databasePath, TransferTable table, const QString &tankId,
                         QIODevice *out, const TransferProgress &progress = {});
// The same into a file; the file is replaced only when all was written.
TransferResult exportCsvFile(const QString &databasePath, TransferTable table,
                             const QString &tankId, const QString &filePath,
                             const TransferProgress &progress = {});

// A line of the import report. `line` is the line in the file (the header
// is line 1; 0 when the file could not be read at all); `refused` is false for a note that refuses
// nothing (an ignored column, a file read as Windows-1252).
struct ImportNote {
    int line = 0;
    QString text;
    bool refused = true;
};

class CsvImport {
public:
    explicit CsvImport(TransferTable table);

    // Reads and checks a whole file (its text, its bytes, or the file at
    // `path`). Returns usable(). Each call starts afresh.
    bool analyse(const QString &text);
    bool analyseBytes(const QByteArray &bytes);
    bool analyseFile(const QString &path);

    // False when the file as a whole cannot be imported (unreadable, empty,
    // a required column missing, a column twice): then no row is accepted.
    bool usable() const { return m_usable; }
    TransferTable table() const { return m_table; }
    // The fields the file fills, in the table's order.
    QStringList columns() const;
    int rowCount() const { return m_rowCount; }
    int acceptedCount() const { return int(m_rows.size()); }
    int refusedCount() const { return m_refused; }
    // The values of the accepted row `i`, one per entry of columns().
    QVector<QVariant> acceptedValues(int i) const { return m_rows.value(i).values; }

    // Every refusal and note, in the order of the file, each text beginning
    // "Line N: ".
    const QVector<ImportNote> &report() const { return m_report; }
    QStringList reportLines() const;
    // One sentence for the top of the report ("12 records can be imported;
    // 1 line is refused.").
    QString summary() const;

    // Leaves out the accepted rows whose record is stored already, field for
    // field (in tank `tankId` for journal and livestock), each with a note: a
    // stored record equal in every field the file has and empty in every
    // field it has not. Importing the same file twice would otherwise store
    // everything twice.
    // Returns how many it left out; when the database cannot be read it
    // leaves out nothing (storing then says what is wrong).
    int leaveOutStored(const QString &databasePath, const QString &tankId);
    int alreadyStoredCount() const { return m_alreadyStored; }

    // Stores every accepted row into `databasePath` (journal and livestock
    // rows for tank `tankId`) in one transaction. On any failure nothing is
    // stored and the result says why.
    // `progress`, when given, may stop it: then nothing is stored either.
    TransferResult commit(const QString &databasePath, const QString &tankId,
                          const TransferProgress &progress = {}) const;

private:
    struct Row {
        int line;
        QVector<QVariant> values; // one per entry of m_fields
    };
    void note(int line, const QString &text, bool refused = true);
    void clear();

    TransferTable m_table;
    bool m_usable = false;
    QVector<int> m_fields;  // index into transferFields() of each used column
    QVector<int> m_columns; // the file's column of each entry of m_fields
    int m_width = 0;        // number of columns of the header
    QVector<Row> m_rows;
    int m_rowCount = 0;
    int m_refused = 0;
    int m_alreadyStored = 0;
    QVector<ImportNote> m_report;
};

} // namespace corv
