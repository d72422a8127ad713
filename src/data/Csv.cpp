#include "Csv.h"

#include <QIODevice>
#include <QStringDecoder>

namespace corv {

namespace {

constexpr qsizetype FlushAt = 64 * 1024;

bool needsQuotes(const QString &value) {
    for (const QChar c : value)
        if (c == u',' || c == u'"' || c == u'\n' || c == u'\r')
            return true;
    // Blanks at either end survive a spreadsheet only inside quotes.
    return !value.isEmpty() && (value.front().isSpace() || value.back().isSpace());
}

// Windows-1252's letters for 0x80..0x9F; the rest of the code page is
// Latin-1. The five unassigned bytes keep their Latin-1 control meaning.
const char16_t cp1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

QString csvField(const QString &value) {
    if (!needsQuotes(value))
        return value;
    QString out;
    out.reserve(value.size() + 2);
    out.append(u'"');
    for (const QChar c : value) {
        if (c == u'"')
            out.append(u'"');
        out.append(c);
    }
    out.append(u'"');
    return out;
}

CsvWriter::CsvWriter(QIODevice *device, bool withBom) : m_device(device) {
    m_buffer.reserve(FlushAt + 4096);
    if (withBom)
        m_buffer.append("\xEF\xBB\xBF");
}

CsvWriter::~CsvWriter() {
    flush();
}

void CsvWriter::writeRow(const QStringList &fields) {
    QString line;
    // A row of one empty field would be an empty line, which a reader skips.
    if (fields.size() == 1 && fields[0].isEmpty())
        line.append(QLatin1String("\"\""));
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i)
            line.append(u',');
        line.append(csvField(fields[i]));
    }
    line.append(QLatin1String("\r\n"));
    m_buffer.append(line.toUtf8());
    if (m_buffer.size() >= FlushAt)
        flush();
}

bool CsvWriter::flush() {
    if (!m_buffer.isEmpty()) {
        if (!m_device || m_device->write(m_buffer) != m_buffer.size())
            m_ok = false;
        m_buffer.clear();
    }
    return m_ok;
}

QString decodeCsvBytes(const QByteArray &bytes, bool *utf8) {
    QByteArrayView view(bytes);
    if (view.startsWith("\xEF\xBB\xBF"))
        view = view.sliced(3);
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(view);
    if (!decoder.hasError()) {
        if (utf8)
            *utf8 = true;
        return text;
    }
    if (utf8)
        *utf8 = false;
    text.clear();
    text.reserve(view.size());
    for (const char ch : view) {
        const uchar b = uchar(ch);
        text.append(b >= 0x80 && b < 0xA0 ? QChar(cp1252High[b - 0x80]) : QChar(b));
    }
    return text;
}

CsvReader::CsvReader(QString text) : m_text(std::move(text)) {
    if (m_text.startsWith(QChar(0xFEFF)))
        m_pos = 1;
}

bool CsvReader::atLineBreak(qsizetype i, qsizetype *length) const {
    const QChar c = m_text[i];
    if (c == u'\n') {
        *length = 1;
        return true;
    }
    if (c == u'\r') {
        *length = (i + 1 < m_text.size() && m_text[i + 1] == u'\n') ? 2 : 1;
        return true;
    }
    return false;
}

bool CsvReader::readRow(QStringList &fields) {
    // Read through a const reference: no detach check on every character.
    const QString &t = m_text;
    fields.clear();
    m_unterminated = false;
    m_malformed = false;
    const qsizetype n = t.size();
    qsizetype brk = 0;
    // Lines with nothing on them are no rows.
    while (m_pos < n && atLineBreak(m_pos, &brk)) {
        m_pos += brk;
        ++m_line;
    }
    if (m_pos >= n)
        return false;
    m_rowLine = m_line;

    QString field;
    while (true) {
        field.clear();
        if (m_pos < n && t[m_pos] == u'"') {
            // Quoted: everything up to the lone closing quote, line breaks
            // and commas included; "" stands for one quote.
            ++m_pos;
            bool closed = false;
            while (m_pos < n) {
                const QChar c = t[m_pos];
                if (c == u'"') {
                    if (m_pos + 1 < n && t[m_pos + 1] == u'"') {
                        field.append(u'"');
                        m_pos += 2;
                        continue;
                    }
                    ++m_pos;
                    closed = true;
                    break;
                }
                if (atLineBreak(m_pos, &brk)) {
                    field.append(t.mid(m_pos, brk));
                    m_pos += brk;
                    ++m_line;
                    continue;
                }
                // Copy a run of ordinary characters at once.
                qsizetype end = m_pos + 1;
                while (end < n && t[end] != u'"' && t[end] != u'\n' && t[end] != u'\r')
                    ++end;
                field.append(QStringView(t).mid(m_pos, end - m_pos));
                m_pos = end;
            }
            if (!closed) {
                m_unterminated = true;
                fields.append(field);
                return true;
            }
            // Text after the closing quote: kept, but the row is marked.
            const qsizetype start = m_pos;
            while (m_pos < n && t[m_pos] != u',' && t[m_pos] != u'\n' && t[m_pos] != u'\r')
                ++m_pos;
            if (m_pos > start) {
                m_malformed = true;
                field.append(QStringView(t).mid(start, m_pos - start));
            }
        } else {
            const qsizetype start = m_pos;
            while (m_pos < n && t[m_pos] != u',' && t[m_pos] != u'\n' && t[m_pos] != u'\r')
                ++m_pos;
            field = t.mid(start, m_pos - start);
        }
        fields.append(field);
        if (m_pos >= n)
            return true;
        if (t[m_pos] == u',') {
            ++m_pos;
            continue;
        }
        atLineBreak(m_pos, &brk);
        m_pos += brk;
        ++m_line;
        return true;
    }
}

} // namespace corv
