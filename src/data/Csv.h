// Comma-separated values as spreadsheets write them (RFC 4180): fields
// separated by commas, rows ended by CRLF, a field quoted when it holds a
// comma, a quote or a line break, and a quote inside a quoted field doubled.
//
// The writer streams rows to a device in UTF-8. The reader takes the whole
// text of a file (a journal of ten thousand entries is a few megabytes) and
// hands it out one row at a time, with the line each row starts on, so that
// a report can point at the line a spreadsheet shows.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class QIODevice;

namespace corv {

// The field as it goes into a file: quoted only when it must be.
QString csvField(const QString &value);

class CsvWriter {
public:
    // `withBom` starts the output with a UTF-8 byte order mark, by which
    // spreadsheet programs recognise the encoding.
    explicit CsvWriter(QIODevice *device, bool withBom = true);
    ~CsvWriter();
    CsvWriter(const CsvWriter &) = delete;
    CsvWriter &operator=(const CsvWriter &) = delete;

    void writeRow(const QStringList &fields);
    // Writes what is buffered; false when the device refused any of it.
    bool flush();
    bool ok() const { return m_ok; }

private:
    QIODevice *m_device;
    QByteArray m_buffer;
    bool m_ok = true;
};

// The text of a file's bytes: UTF-8 (a byte order mark is dropped), or, when
// the bytes are not valid UTF-8, Windows-1252, in which many spreadsheet
// programs save "CSV" files. `utf8` tells which was used.
QString decodeCsvBytes(const QByteArray &bytes, bool *utf8 = nullptr);

class CsvReader {
public:
    // Reads `text` (already decoded; a leading byte order mark is skipped).
    explicit CsvReader(QString text);

    // The next row; false at the end of the text. A line with nothing on it
    // is no row and is skipped. Line breaks end a row as CRLF, LF or a lone
    // CR; inside a quoted field they are kept as they stand.
    bool readRow(QStringList &fields);
    // The 1-based line on which the row last read starts (line breaks inside
    // quoted fields count, as a text editor counts them).
    int rowLine() const { return m_rowLine; }
    // True when the row last read ended inside a quoted field that was
    // never closed: it runs to the end of the text and is not trustworthy.
    bool rowUnterminated() const { return m_unterminated; }
    // True when the row last read had text between a closing quote and the
    // next comma or line end (such as "abc"def); that text is kept.
    bool rowMalformed() const { return m_malformed; }

private:
    bool atLineBreak(qsizetype i, qsizetype *length) const;

    QString m_text;
    qsizetype m_pos = 0;
    int m_line = 1;
    int m_rowLine = 0;
    bool m_unterminated = false;
    bool m_malformed = false;
};

} // namespace corv
