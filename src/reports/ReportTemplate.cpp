#include "ReportTemplate.h"

#include "data/JetSql.h"
#include "data/MaintenanceLog.h"
#include "platform/Conversions.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <kainjow/mustache.hpp>

namespace mu = kainjow::mustache;

namespace corv {

namespace {

bool fail(ReportError *error, int number, const QString &text) {
    if (error) {
        error->number = number;
        error->text = text;
    }
    return false;
}

// HTML-safe text; a line break in a field (notes) stays a line break.
std::string escapeHtml(const std::string &s) {
    std::string out;
    out.reserve(s.size() + s.size() / 8);
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char ch = s[i];
        switch (ch) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&#39;";
            break;
        case '\r':
            if (i + 1 < s.size() && s[i + 1] == '\n')
                break;
            out += "<br>";
            break;
        case '\n':
            out += "<br>";
            break;
        default:
            out += ch;
        }
    }
    return out;
}

std::string u8(const QString &s) {
    return s.toStdString();
}

// A field's value in the template: its text, or false when it is empty so
// that {{#Notes}}...{{/Notes}} shows only for a record that has notes.
// A value as the reader of the report writes it: numbers with the user's
// decimal separator, dates in the user's form. The formula and the totals
// keep working on the fixed form reportText() gives.
QString shownText(const QString &fixed, ReportFieldKind kind) {
    if (userFormIsFixed())
        return fixed;
    switch (kind) {
    case ReportFieldKind::Number:
    case ReportFieldKind::Currency:
        return userNumberText(fixed);
    case ReportFieldKind::Date:
        if (const auto d = toDate(fixed))
            return userDateText(*d);
        return fixed;
    default:
        return fixed;
    }
}

mu::data textOrFalse(const QString &text) {
    if (text.isEmpty())
        return mu::data(false);
    return mu::data(u8(text));
}

// A sink that stops the rendering by throwing: Mustache cannot be told to.
struct StopRendering {};

struct Group {
    std::optional<qint64> tank;
    QString name;
    QVector<int> rows;
};

QString tankLabel(const ReportTable &t, std::optional<qint64> id) {
    if (!id)
        return QCoreApplication::translate("ReportTemplate", "No tank");
    const auto it = t.tankNames.constFind(*id);
    if (it != t.tankNames.constEnd() && !it.value().trimmed().isEmpty())
        return it.value();
    return QCoreApplication::translate("ReportTemplate", "Tank %1").arg(*id);
}

std::optional<qint64> tankOf(const ReportTable &t, int row) {
    const QVariant v = t.keyValue(row, t.tankColumn);
    if (v.isNull() || v.toString().trimmed().isEmpty())
        return std::nullopt;
    bool ok = false;
    const qint64 id = v.toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    return id;
}

// Totals of the money fields over `rows`, as "totalInitialCost" and so on.
void addTotals(mu::data &target, const ReportTable &t, const QVector<int> &rows) {
    for (int c = 0; c < t.columns.size(); ++c) {
        if (t.columns.at(c).kind != ReportFieldKind::Currency)
            continue;
        qint64 sum = 0;
        bool overflow = false;
        for (int r : rows) {
            const QVariant v = t.keyValue(r, c);
            if (v.isNull())
                continue;
            bool ok = false;
            const qint64 units = v.toLongLong(&ok);
            if (ok && __builtin_add_overflow(sum, units, &sum))
                overflow = true;
        }
        target.set(u8(QStringLiteral("total") + t.columns.at(c).name),
                   mu::data(overflow
                                ? u8(QCoreApplication::translate("ReportTemplate", "(too large)"))
                                : u8(userNumberText(moneyText(sum)))));
    }
}

// Blanks as the Mustache reader trims them around a tag's contents (the C
// library's, not Unicode's: a tag it reads as a variable must not be taken
// for a section here).
QString mustacheTrimmed(const QString &s) {
    auto blank = [](QChar c) {
        return c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r';
    };
    qsizetype from = 0, to = s.size();
    while (from < to && blank(s[from]))
        ++from;
    while (to > from && blank(s[to - 1]))
        --to;
    return s.mid(from, to - from);
}

// Reads the tags of a template as the Mustache reader does, following every
// change of delimiters ({{=<% %>=}}), and says what would make rendering it
// run away: sections nested absurdly deep (rendering is recursive), a list
// repeated inside itself (the records or tanks over again for each record or
// tank: the work multiplies with every level), and a value printed as raw
// markup ({{{name}}} or {{&name}}), which would let a record's text act as
// HTML.
QString tagProblem(const QString &text) {
    constexpr int MaxNesting = 50;
    QString open = QStringLiteral("{{"), close = QStringLiteral("}}");
    QStringList sections; // the open sections' lists (or nothing), innermost last
    auto isList = [](const QString &name) {
        return name == QLatin1String("records") || name == QLatin1String("tanks");
    };
    qsizetype pos = 0;
    while (true) {
        const qsizetype at = text.indexOf(open, pos);
        if (at < 0)
            break;
        qsizetype from = at + open.size();
        const bool braces = open == QLatin1String("{{") && close == QLatin1String("}}");
        const bool triple = braces && from < text.size() && text[from] == u'{';
        const QString closing = triple ? QStringLiteral("}}}") : close;
        if (triple)
            ++from;
        const qsizetype end = text.indexOf(closing, from);
        if (end < 0)
            break; // the Mustache reader names the unclosed tag
        const QString tag = mustacheTrimmed(text.mid(from, end - from));
        pos = end + closing.size();
        if (triple || tag.startsWith(u'&'))
            return QCoreApplication::translate(
                       "ReportTemplate", "%1 would print a value as markup; print it as text with "
                                         "%2name%3.")
                .arg(text.mid(at, pos - at).left(60), open, close);
        if (tag.startsWith(u'=')) {
            // "=<% %>=": the new delimiters, split at the first blank.
            if (tag.size() < 5 || !tag.endsWith(u'='))
                break; // refused by the Mustache reader
            const QString delimiters = mustacheTrimmed(tag.mid(1, tag.size() - 2));
            const qsizetype space = delimiters.indexOf(u' ');
            if (space < 0)
                break;
            qsizetype next = space;
            while (next < delimiters.size() && delimiters[next] == u' ')
                ++next;
            open = delimiters.left(space);
            close = delimiters.mid(next);
            if (open.isEmpty() || close.isEmpty())
                break;
            continue;
        }
        const QChar type = tag.isEmpty() ? QChar() : tag[0];
        if (type == u'#' || type == u'^') {
            if (sections.size() >= MaxNesting)
                return QCoreApplication::translate("ReportTemplate",
                                                   "its sections nest more than %1 deep.")
                    .arg(MaxNesting);
            const QString name = mustacheTrimmed(tag.mid(1));
            const bool list = type == u'#' && isList(name);
            if (list && sections.contains(name))
                return QCoreApplication::translate(
                           "ReportTemplate", "a section over the %1 lies inside another over the "
                                             "same %1.")
                    .arg(name);
            sections << (list ? name : QString());
        } else if (type == u'/' && !sections.isEmpty()) {
            sections.removeLast();
        }
    }
    return {};
}

} // namespace

// --- the template file -------------------------------------------------------

std::optional<ReportTemplate> ReportTemplate::load(const QString &path, ReportError *error) {
    if (path.trimmed().isEmpty()) {
        fail(error, ReportErr::NoReportFile,
             QCoreApplication::translate("ReportTemplate", "No report file was named."));
        return std::nullopt;
    }
    const QFileInfo info(path);
    if (!info.exists() || info.isDir()) {
        fail(error, ReportErr::ReportFileNotFound,
             QCoreApplication::translate("ReportTemplate", "The report file %1 does not exist.")
                 .arg(path));
        return std::nullopt;
    }
    QFile f(path);
    // A template is a page or two of HTML; anything far larger is not one.
    constexpr qint64 MaxSize = 4 * 1024 * 1024;
    if (!f.open(QIODevice::ReadOnly)) {
        fail(error, ReportErr::ReportFileUnreadable,
             QCoreApplication::translate("ReportTemplate", "The report file %1 cannot be read.")
                 .arg(path));
        return std::nullopt;
    }
    if (f.size() > MaxSize) {
        fail(error, ReportErr::ReportFileInvalid,
             QCoreApplication::translate("ReportTemplate",
                                         "The report file %1 is too large to be a report template.")
                 .arg(path));
        return std::nullopt;
    }
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        fail(error, ReportErr::ReportFileUnreadable,
             QCoreApplication::translate("ReportTemplate", "The report file %1 cannot be read.")
                 .arg(path));
        return std::nullopt;
    }
    return fromText(QString::fromUtf8(bytes), path, error);
}

std::optional<ReportTemplate> ReportTemplate::fromText(const QString &text, const QString &path,
                                                       ReportError *error) {
    ReportTemplate t;
    t.path = path;
    t.text = text;
    auto invalid = [&](const QString &why) {
        fail(error, ReportErr::ReportFileInvalid,
             QCoreApplication::translate("ReportTemplate",
                                         "The report file %1 is not a valid report template: %2")
                 .arg(path, why));
        return std::nullopt;
    };
    QString body = text;
    if (body.startsWith(QChar(0xFEFF)))
        body.remove(0, 1);
    body = body.trimmed();
    if (!body.startsWith(QLatin1String("{{!")))
        return invalid(QCoreApplication::translate(
            "ReportTemplate", "it must begin with a comment naming its table, such as "
                              "{{! table: Journal }}."));
    const qsizetype end = body.indexOf(QLatin1String("}}"));
    if (end < 0)
        return invalid(
            QCoreApplication::translate("ReportTemplate", "its first comment is never closed."));
    const QString settings = body.mid(3, end - 3);
    static const QRegularExpression separators(QStringLiteral("[\\n;]"));
    static const QRegularExpression setting(QStringLiteral("^\\s*([A-Za-z]+)\\s*:\\s*(.*?)\\s*$"));
    for (const QString &line : settings.split(separators)) {
        const auto m = setting.match(line);
        if (!m.hasMatch())
            continue;
        const QString key = m.captured(1).toLower();
        const QString value = m.captured(2);
        if (key == QLatin1String("table")) {
            static const QRegularExpression name(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
            if (!name.match(value).hasMatch())
                return invalid(
                    QCoreApplication::translate("ReportTemplate", "\"%1\" is not a table name.")
                        .arg(value));
            t.table = value;
        } else if (key == QLatin1String("title")) {
            t.title = value;
        } else if (key == QLatin1String("order")) {
            t.order.clear();
            for (const QString &field : value.split(u',', Qt::SkipEmptyParts))
                if (!field.trimmed().isEmpty())
                    t.order << field.trimmed();
        } else if (key == QLatin1String("orientation")) {
            if (value.compare(QLatin1String("landscape"), Qt::CaseInsensitive) == 0)
                t.orientation = QPageLayout::Landscape;
            else if (value.compare(QLatin1String("portrait"), Qt::CaseInsensitive) == 0)
                t.orientation = QPageLayout::Portrait;
            else
                return invalid(QCoreApplication::translate(
                                   "ReportTemplate",
                                   "the orientation must be portrait or landscape, not \"%1\".")
                                   .arg(value));
        } else if (key == QLatin1String("margins")) {
            bool ok = false;
            const double mm = value.toDouble(&ok);
            if (!ok || mm < 0 || mm > 50)
                return invalid(
                    QCoreApplication::translate("ReportTemplate",
                                                "the margins must be a number of millimetres from "
                                                "0 to 50, not \"%1\".")
                        .arg(value));
            t.marginMm = mm;
        }
    }
    if (t.table.isEmpty())
        return invalid(QCoreApplication::translate(
            "ReportTemplate", "its first comment names no table; add a line such as "
                              "\"table: Journal\"."));
    if (t.title.isEmpty())
        t.title = t.table;
    if (const QString why = tagProblem(text); !why.isEmpty())
        return invalid(why);
    const mu::mustache check(u8(text));
    if (!check.is_valid())
        return invalid(QString::fromStdString(check.error_message()) + u'.');
    return t;
}

// --- rendering -----------------------------------------------------------------

// The values of a report. A record's values are not kept: the lists of
// records hold a stand-in per record, and the context a template renders in
// makes the record's object when the template first asks for one of its
// values, keeping only the few it is in (a hundred thousand records' objects
// took gigabytes).
struct RenderedReport::Impl {
    std::shared_ptr<const ReportTable> table;
    mu::data global;
    // Each list of records: where its stand-ins lie, and the rows they are.
    struct RecordList {
        const mu::data *begin = nullptr;
        qsizetype size = 0;
        QVector<int> rows;
    };
    std::vector<RecordList> lists; // by `begin`
    QVector<int> numberOf;         // the record's number (1-based) by row
    bool byTank = false;
    std::string header, footer; // the raw sections, rendered per page
    bool hasHeader = false, hasFooter = false;

    // The record a stand-in is, as its list's index; nullptr when `item` is
    // no stand-in.
    const RecordList *listOf(const mu::data *item, qsizetype *index) const {
        auto it = std::upper_bound(lists.begin(), lists.end(), item,
                                   [](const mu::data *p, const RecordList &l) {
                                       return std::less<const mu::data *>()(p, l.begin);
                                   });
        if (it == lists.begin())
            return nullptr;
        --it;
        if (!std::less<const mu::data *>()(item, it->begin + it->size))
            return nullptr;
        *index = item - it->begin;
        return &*it;
    }

    mu::data recordObject(const RecordList &list, qsizetype i) const {
        const ReportTable &t = *table;
        const int r = list.rows.at(i);
        // A record not read yet is waited for; one that cannot be read
        // ends the rendering, which then says why.
        const QVector<QVariant> *row = t.record(r);
        if (!row)
            throw StopRendering();
        mu::data rec(mu::data::type::object);
        for (int c = 0; c < t.columns.size(); ++c) {
            const ReportColumn &col = t.columns.at(c);
            const QString text = reportText(row->value(c), col.kind, col.decimals);
            rec.set(u8(col.name),
                    textOrFalse(col.words ? shownKind(text) : shownText(text, col.kind)));
        }
        if (byTank)
            rec.set("TankName", textOrFalse(tankLabel(t, tankOf(t, r))));
        rec.set("recordNumber", mu::data(std::to_string(numberOf.at(r))));
        rec.set("first", mu::data(i == 0));
        rec.set("last", mu::data(i == list.size - 1));
        rec.set("odd", mu::data(i % 2 == 0)); // the 1st, 3rd, ... for striped rows
        return rec;
    }

    QString renderPart(const std::string &part, int page, int pages) const;
};

namespace {

// Names looked up as Mustache's own context does (innermost first, "a.b"
// through objects), a record's stand-in read as the record's object.
class ReportContext : public mu::basic_context<std::string> {
public:
    explicit ReportContext(const RenderedReport::Impl &d) : m_d(d) {}

    void push(const mu::data *data) override { m_items.insert(m_items.begin(), data); }
    void pop() override { m_items.erase(m_items.begin()); }

    const mu::data *get(const std::string &name) const override {
        if (name.size() == 1 && name[0] == '.')
            return m_items.empty() ? nullptr : resolve(m_items.front());
        if (name.find('.') == std::string::npos) {
            for (const mu::data *item : m_items)
                if (const mu::data *var = resolve(item)->get(name))
                    return var;
            return nullptr;
        }
        std::vector<std::string> names;
        for (std::size_t from = 0;;) {
            const std::size_t dot = name.find('.', from);
            names.push_back(name.substr(from, dot == std::string::npos ? dot : dot - from));
            if (dot == std::string::npos)
                break;
            from = dot + 1;
        }
        for (const mu::data *item : m_items) {
            const mu::data *var = resolve(item);
            for (const std::string &n : names) {
                var = var->get(n);
                if (!var)
                    break;
                var = resolve(var);
            }
            if (var)
                return var;
        }
        return nullptr;
    }

    const mu::data *get_partial(const std::string &name) const override {
        for (const mu::data *item : m_items)
            if (const mu::data *var = resolve(item)->get(name))
                return var;
        return nullptr;
    }

private:
    const mu::data *resolve(const mu::data *item) const {
        qsizetype index = 0;
        const RenderedReport::Impl::RecordList *list = m_d.listOf(item, &index);
        if (!list)
            return item;
        for (const Made &m : m_made)
            if (m.item == item)
                return m.object.get();
        // Objects of records no longer in the context are let go of; what
        // the template holds of a record it is in stays.
        constexpr std::size_t Keep = 8;
        for (auto it = m_made.begin(); m_made.size() >= Keep && it != m_made.end();) {
            if (std::find(m_items.begin(), m_items.end(), it->item) == m_items.end())
                it = m_made.erase(it);
            else
                ++it;
        }
        m_made.push_back({item, std::make_unique<mu::data>(m_d.recordObject(*list, index))});
        return m_made.back().object.get();
    }

    struct Made {
        const mu::data *item;
        std::unique_ptr<mu::data> object;
    };
    const RenderedReport::Impl &m_d;
    std::vector<const mu::data *> m_items;
    mutable std::vector<Made> m_made;
};

} // namespace

QString RenderedReport::Impl::renderPart(const std::string &part, int page, int pages) const {
    mu::mustache tmpl(part);
    tmpl.set_custom_escape(escapeHtml);
    mu::data pageValues(mu::data::type::object);
    pageValues.set("page", mu::data(std::to_string(page)));
    // Until the last page is known, the page count shows as an ellipsis.
    pageValues.set("pages", mu::data(pages > 0 ? std::to_string(pages) : std::string("\u2026")));
    pageValues.set("pageHeader", mu::data(false));
    pageValues.set("pageFooter", mu::data(false));
    ReportContext ctx(*this);
    ctx.push(&global);
    ctx.push(&pageValues);
    // A header drawn on every page has a bound of its own: one that
    // repeats every record is cut off rather than fill the memory.
    struct Sink {
        std::string out;
        Sink &operator<<(const std::string &piece) {
            if (out.size() + piece.size() > std::size_t(MaxRenderedReport / 32))
                throw StopRendering();
            out += piece;
            return *this;
        }
    } sink;
    try {
        tmpl.render(ctx, sink);
    } catch (const StopRendering &) {
        return QString();
    }
    return tmpl.is_valid() ? QString::fromStdString(sink.out) : QString();
}

RenderedReport::RenderedReport() = default;
RenderedReport::~RenderedReport() = default;
RenderedReport::RenderedReport(const RenderedReport &) = default;
RenderedReport &RenderedReport::operator=(const RenderedReport &) = default;

bool RenderedReport::hasPageHeader() const {
    return d && d->hasHeader;
}
bool RenderedReport::hasPageFooter() const {
    return d && d->hasFooter;
}

QString RenderedReport::pageHeader(int page, int pages) const {
    return hasPageHeader() ? d->renderPart(d->header, page, pages) : QString();
}

QString RenderedReport::pageFooter(int page, int pages) const {
    return hasPageFooter() ? d->renderPart(d->footer, page, pages) : QString();
}

QString htmlText(const QString &text) {
    return QString::fromStdString(escapeHtml(text.toStdString()));
}

qint64 maxStreamedReport(qsizetype records) {
    return qint64(MaxRenderedReport) + qint64(records) * MaxRenderedPerRecord;
}

std::optional<RenderedReport> renderReportBody(const ReportTemplate &tmpl, const ReportTable &table,
                                               const ReportValues &values, ReportBodySink &sink,
                                               qint64 maxChars, ReportError *error) {
    if (error)
        *error = ReportError();
    auto impl = std::make_shared<RenderedReport::Impl>();
    // A copy shares the rows (they are implicitly shared): the page parts
    // may list records long after the caller's table has gone.
    impl->table = std::make_shared<const ReportTable>(table);
    mu::data &g = impl->global;
    g = mu::data(mu::data::type::object);

    const int n = table.recordCount();
    const bool byTank = table.tankColumn >= 0;
    impl->byTank = byTank;

    // Records of a tank table print tank by tank, tanks in name order; the
    // order within a tank is the template's.
    QVector<Group> groups;
    if (byTank) {
        QHash<qint64, int> groupOfTank;
        int noTank = -1;
        for (int r = 0; r < n; ++r) {
            const auto id = tankOf(table, r);
            int gi = id ? groupOfTank.value(*id, -1) : noTank;
            if (gi < 0) {
                gi = int(groups.size());
                groups.push_back({id, tankLabel(table, id), {}});
                if (id)
                    groupOfTank.insert(*id, gi);
                else
                    noTank = gi;
            }
            groups[gi].rows.push_back(r);
        }
        std::stable_sort(groups.begin(), groups.end(), [](const Group &a, const Group &b) {
            if (a.tank.has_value() != b.tank.has_value())
                return a.tank.has_value();
            const int c = compareText(a.name, b.name);
            return c != 0 ? c < 0 : a.tank.value_or(0) < b.tank.value_or(0);
        });
    } else {
        Group all;
        all.rows.reserve(n);
        for (int r = 0; r < n; ++r)
            all.rows.push_back(r);
        groups.push_back(all);
    }

    QVector<int> order;
    order.reserve(n);
    for (const Group &grp : std::as_const(groups))
        order += grp.rows;
    impl->numberOf.resize(n);
    for (int i = 0; i < order.size(); ++i)
        impl->numberOf[order.at(i)] = i + 1;

    // A stand-in per record; ReportContext makes the record of it.
    auto standIns = [](qsizetype count) {
        mu::list items(std::size_t(count), mu::data(true));
        return mu::data(items);
    };

    g.set("title", mu::data(u8(tmpl.title)));
    g.set("table", mu::data(u8(table.table)));
    g.set("printedOn", mu::data(u8(userDateText(values.printedOn))));
    g.set("recordCount", mu::data(std::to_string(n)));
    g.set("oneRecord", mu::data(n == 1));
    g.set("records", standIns(n));
    addTotals(g, table, order);

    mu::list tanks;
    if (byTank) {
        for (int i = 0; i < groups.size(); ++i) {
            const Group &grp = groups.at(i);
            mu::data t(mu::data::type::object);
            t.set("tankName", mu::data(u8(grp.name)));
            t.set("TankID", grp.tank ? mu::data(std::to_string(*grp.tank)) : mu::data(false));
            t.set("recordCount", mu::data(std::to_string(grp.rows.size())));
            t.set("oneRecord", mu::data(grp.rows.size() == 1));
            t.set("records", standIns(grp.rows.size()));
            t.set("first", mu::data(i == 0));
            t.set("last", mu::data(i == groups.size() - 1));
            addTotals(t, table, grp.rows);
            tanks.push_back(std::move(t));
        }
    }
    g.set("tanks", mu::data(tanks));
    // The report's tank, when it has one: the tank the formula names, or the
    // only tank among the records.
    QString tankName;
    if (byTank && values.pinnedTank)
        tankName = tankLabel(table, values.pinnedTank);
    else if (byTank && groups.size() == 1)
        tankName = groups.front().name;
    g.set("tankName", textOrFalse(tankName));
    g.set("allTanks", mu::data(byTank && groups.size() > 1));

    // Where the stand-ins ended up, now that the values stand still.
    auto addList = [&](const mu::data *list, const QVector<int> &rows) {
        if (list && list->is_non_empty_list())
            impl->lists.push_back(
                {list->list_value().data(), qsizetype(list->list_value().size()), rows});
    };
    addList(g.get("records"), order);
    if (const mu::data *ts = g.get("tanks"); ts && ts->is_non_empty_list())
        for (std::size_t i = 0; i < ts->list_value().size(); ++i)
            addList(ts->list_value()[i].get("records"), groups.at(int(i)).rows);
    std::sort(impl->lists.begin(), impl->lists.end(), [](const auto &a, const auto &b) {
        return std::less<const mu::data *>()(a.begin, b.begin);
    });

    auto invalid = [&](const QString &why) {
        fail(error, ReportErr::ReportFileInvalid,
             QCoreApplication::translate("ReportTemplate",
                                         "The report file %1 is not a valid report template: %2")
                 .arg(tmpl.path, why));
        return std::nullopt;
    };

    // The page header and footer are kept aside and drawn on each page. A
    // template without one of them is known at once not to have it; the
    // others say so when the rendering first reaches them.
    static const QRegularExpression headerTag(QStringLiteral("[#^]\\s*pageHeader\\b"));
    static const QRegularExpression footerTag(QStringLiteral("[#^]\\s*pageFooter\\b"));
    bool headerPossible = tmpl.text.contains(headerTag);
    bool footerPossible = tmpl.text.contains(footerTag);
    std::string header, footer;
    bool sawHeader = false, sawFooter = false, told = false;
    QString partProblem;
    // Called when both parts are known (or at the end): checks them and
    // hands them to the sink.
    auto tell = [&]() -> bool {
        if (told)
            return true;
        told = true;
        for (const std::string *part : {&header, &footer}) {
            const mu::mustache check(*part);
            if (!check.is_valid()) {
                partProblem = QString::fromStdString(check.error_message()) + u'.';
                return false;
            }
            // A part is read again with the first delimiters: what the body's
            // changed delimiters hid is a tag there.
            if (const QString why = tagProblem(QString::fromStdString(*part)); !why.isEmpty()) {
                partProblem = why;
                return false;
            }
        }
        impl->header = header;
        impl->footer = footer;
        impl->hasHeader = sawHeader;
        impl->hasFooter = sawFooter;
        RenderedReport parts;
        parts.title = tmpl.title;
        parts.orientation = tmpl.orientation;
        parts.marginMm = tmpl.marginMm;
        parts.d = impl;
        sink.pagePartsKnown(parts);
        return true;
    };
    auto settled = [&] { return (sawHeader || !headerPossible) && (sawFooter || !footerPossible); };
    mu::data bodyValues(mu::data::type::object);
    bodyValues.set("pageHeader", mu::data(mu::lambda{[&](const std::string &text) {
                       if (!sawHeader) {
                           header = text;
                           sawHeader = true;
                       }
                       return std::string();
                   }}));
    bodyValues.set("pageFooter", mu::data(mu::lambda{[&](const std::string &text) {
                       if (!sawFooter) {
                           footer = text;
                           sawFooter = true;
                       }
                       return std::string();
                   }}));

    mu::mustache body(u8(tmpl.text));
    body.set_custom_escape(escapeHtml);
    // A template may repeat what it likes; the report it makes stays within
    // what a preview and a printer can take.
    struct Out {
        std::function<void(const std::string &)> put;
        Out &operator<<(const std::string &piece) {
            put(piece);
            return *this;
        }
    } out;
    qint64 written = 0;
    bool tooLarge = false, stopped = false;
    out.put = [&](const std::string &piece) {
        if (settled() && !tell())
            throw StopRendering();
        if (piece.empty())
            return;
        written += qint64(piece.size());
        if (written > maxChars) {
            tooLarge = true;
            throw StopRendering();
        }
        if (!sink.write(piece)) {
            stopped = true;
            throw StopRendering();
        }
    };
    {
        ReportContext ctx(*impl);
        ctx.push(&g);
        ctx.push(&bodyValues);
        try {
            if (settled() && !tell())
                throw StopRendering();
            body.render(ctx, out);
        } catch (const StopRendering &) {
        }
    }
    if (stopped)
        return std::nullopt;
    // The records read to the end, or the reason they were not.
    if (ReportError readError; !table.finishReading(&readError)) {
        if (error)
            *error = readError;
        return std::nullopt;
    }
    if (tooLarge) {
        fail(error, ReportErr::ReportFileInvalid,
             QCoreApplication::translate(
                 "ReportTemplate",
                 "The report file %1 makes a report too large to print (more than "
                 "%2 million characters).")
                 .arg(tmpl.path)
                 .arg(maxChars / 1000000));
        return std::nullopt;
    }
    if (!partProblem.isEmpty())
        return invalid(partProblem);
    if (!body.is_valid()) {
        fail(error, ReportErr::ReportFileInvalid,
             QCoreApplication::translate("ReportTemplate",
                                         "The report file %1 is not a valid report template: %2.")
                 .arg(tmpl.path, QString::fromStdString(body.error_message())));
        return std::nullopt;
    }
    if (!tell())
        return invalid(partProblem);

    RenderedReport done;
    done.title = tmpl.title;
    done.orientation = tmpl.orientation;
    done.marginMm = tmpl.marginMm;
    done.d = impl;
    return done;
}

std::optional<RenderedReport> renderReport(const ReportTemplate &tmpl, const ReportTable &table,
                                           const ReportValues &values, ReportError *error) {
    struct Whole : ReportBodySink {
        std::string html;
        bool write(const std::string &piece) override {
            html += piece;
            return true;
        }
        void pagePartsKnown(const RenderedReport &) override {}
    } whole;
    auto out = renderReportBody(tmpl, table, values, whole, MaxRenderedReport, error);
    if (out)
        out->bodyHtml = QString::fromStdString(whole.html);
    return out;
}

} // namespace corv
