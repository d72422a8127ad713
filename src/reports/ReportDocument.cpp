#include "ReportDocument.h"
#include "ReportParts.h"

#include "platform/Disposal.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSemaphore>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextOption>
#include <QThread>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <utility>

namespace corv {

namespace {

// Fonts are measured against a PDF device, whose metrics are unhinted and
// independent of the screen; nothing is ever painted on it.
class MetricsDevice : public QPdfWriter {
public:
    MetricsDevice() : QPdfWriter(&m_sink) { setResolution(ReportDocument::Resolution); }

private:
    QBuffer m_sink;
};

// How far inside a page's cuts a block must reach to be drawn on it: more
// than the rounding of positions, far less than a line.
constexpr qreal ClipMargin = 4;

qreal mmToUnits(qreal mm) {
    return mm / 25.4 * ReportDocument::Resolution;
}

QFont reportFont() {
    QFont f;
    // TrueType faces first: the PDF writer embeds them as searchable text.
    f.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                   QStringLiteral("DejaVu Sans")});
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(10);
    return f;
}

// What the text is read with: set before the HTML is read.
void setUpText(QTextDocument &doc) {
    doc.setUndoRedoEnabled(false);
    doc.setDocumentMargin(0);
    doc.setDefaultFont(reportFont());
    // A word too long for its column breaks rather than running off the page.
    QTextOption option = doc.defaultTextOption();
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    doc.setDefaultTextOption(option);
}

void setUp(QTextDocument &doc, QPaintDevice *metrics) {
    setUpText(doc);
    doc.documentLayout()->setPaintDevice(metrics);
}

// Runs `work` beside the event loop when there is a `keepGoing` to ask
// meanwhile (false: stop; `work` still ends, and its result is not used);
// at once otherwise. False when stopped.
bool runBeside(const std::function<void()> &work, const ReportDocument::LayoutProgress &keepGoing,
               int done, int total) {
    if (!keepGoing) {
        work();
        return true;
    }
    std::unique_ptr<QThread> worker(QThread::create(work));
    worker->start();
    bool going = true;
    while (!worker->wait(QDeadlineTimer(10)))
        going = going && keepGoing(done, total);
    return going;
}

// The style blocks of `html`, one after the other.
QString styleSheetOf(const QString &html) {
    static const QRegularExpression styleBlock(QStringLiteral("<style[^>]*>(.*?)</style>"),
                                               QRegularExpression::CaseInsensitiveOption |
                                                   QRegularExpression::DotMatchesEverythingOption);
    QString out;
    for (auto it = styleBlock.globalMatch(html); it.hasNext();)
        out += it.next().captured(1) + u'\n';
    return out;
}

void drawDocument(QPainter &p, QTextDocument &doc, const QRectF &clip) {
    QAbstractTextDocumentLayout::PaintContext ctx;
    ctx.clip = clip;
    ctx.palette.setColor(QPalette::Text, Qt::black);
    doc.documentLayout()->draw(&p, ctx);
}

} // namespace

void ReportDocument::setPaper(const QPageSize &pageSize, const RenderedReport &report) {
    const QPageSize size = pageSize.isValid() ? pageSize : QPageSize(QPageSize::Letter);
    m_layout = QPageLayout(size, report.orientation, QMarginsF(0, 0, 0, 0), QPageLayout::Point);
    const QSizeF points = m_layout.fullRectPoints().size();
    m_paper = QSizeF(points.width() / 72.0 * Resolution, points.height() / 72.0 * Resolution);
    const qreal margin = mmToUnits(std::clamp(report.marginMm, 0.0, 50.0));
    m_content = QRectF(QPointF(0, 0), m_paper).adjusted(margin, margin, -margin, -margin);
    m_gap = mmToUnits(3);
    // Across, the body is known at once; its height once the page header
    // and footer are.
    m_body = m_content;
}

void ReportDocument::setPageParts(const RenderedReport &report) {
    m_report = report;
    m_partsKnown = true;
    // The header and footer are measured with the widest page numbers they
    // will show, so that no page's header grows into the body.
    auto heightOf = [&](const QString &html) {
        if (html.isEmpty())
            return qreal(0);
        std::unique_ptr<QTextDocument> part(pagePart(html));
        return part->size().height();
    };
    if (report.hasPageHeader())
        m_headerHeight =
            std::max(heightOf(report.pageHeader(1, 1)), heightOf(report.pageHeader(99999, 99999)));
    if (report.hasPageFooter())
        m_footerHeight =
            std::max(heightOf(report.pageFooter(1, 1)), heightOf(report.pageFooter(99999, 99999)));
    // Header and footer never take more than half the page between them.
    const qreal room = m_content.height() / 4;
    m_headerHeight = std::min(m_headerHeight, room);
    m_footerHeight = std::min(m_footerHeight, room);
    const qreal top = m_content.top() + (m_headerHeight > 0 ? m_headerHeight + m_gap : 0);
    const qreal bottom = m_content.bottom() - (m_footerHeight > 0 ? m_footerHeight + m_gap : 0);
    m_body = QRectF(m_content.left(), top, m_content.width(), bottom - top);
}

ReportDocument::ReportDocument(const RenderedReport &report, const QPageSize &pageSize, int parts,
                               int rowsPerTable, const LayoutProgress &keepGoing)
    : m_report(report), m_metrics(std::make_unique<MetricsDevice>()) {
    setPaper(pageSize, report);
    // One stylesheet serves the whole template: the page header and footer
    // are documents of their own and get the body's style blocks.
    m_styleSheet = styleSheetOf(report.bodyHtml);
    setPageParts(report);
    layOutBody(parts, rowsPerTable, keepGoing);
}

void ReportDocument::layOutBody(int parts, int rowsPerTable, const LayoutProgress &keepGoing) {
    const int processors = std::clamp(QThread::idealThreadCount(), 1, 8);
    if (parts <= 0) {
        // Parts of about 64 KB of HTML (some 100 journal entries): small
        // enough that the first is soon read, large enough that a part's
        // own costs do not count.
        const int wanted = int(m_report.bodyHtml.size() / 64'000) + 1;
        // Laid out in pieces for a window that goes on answering, every
        // part must be small (some 25 entries, read and laid out in a few
        // hundredths of a second), however long the report.
        if (keepGoing)
            parts = int(m_report.bodyHtml.size() / 16'000) + 1;
        else
            parts = processors > 1 ? std::clamp(wanted, 1, 16) : 1;
    }
    QStringList html;
    // Cutting a long report's HTML takes a while; it is plain text work.
    if (!runBeside([&] { html = splitReportHtml(m_report.bodyHtml, rowsPerTable, parts); },
                   keepGoing, 0, 1)) {
        m_incomplete = true;
        return;
    }
    const size_t count = size_t(html.size());
    m_parts.resize(count);

    // Reading HTML takes longer than laying it out, and only reading can be
    // shared out: a thread's layout keeps pointers into its own font cache,
    // which goes with the thread. So the other threads read the parts after
    // the first, with layout held off (a null page size), and hand each over
    // to this thread, which reads the first and lays out each part as soon
    // as it is there.
    QThread *home = QThread::currentThread();
    auto read = [&](size_t i) {
        auto doc = std::make_unique<QTextDocument>();
        setUpText(*doc);
        doc->setPageSize(QSizeF(0, 0));
        doc->setHtml(html.at(qsizetype(i)));
        if (doc->thread() != home)
            doc->moveToThread(home);
        m_parts[i].doc = std::move(doc);
    };
    std::vector<std::unique_ptr<QSemaphore>> ready;
    for (size_t i = 0; i < count; ++i)
        ready.push_back(std::make_unique<QSemaphore>());
    // Set when the layout is stopped: the readers leave the rest unread.
    std::atomic<bool> stop{false};
    const size_t threads = count > 1 ? std::clamp<size_t>(size_t(processors) - 1, 1, count - 1) : 0;
    // QThreads rather than plain ones: a document may start timers, which
    // need a thread Qt knows.
    std::vector<std::unique_ptr<QThread>> workers;
    for (size_t w = 0; w < threads; ++w) {
        workers.emplace_back(QThread::create([&, w] {
            for (size_t i = 1 + w; i < count && !stop; i += threads) {
                read(i);
                ready[i]->release();
            }
        }));
        workers.back()->start();
    }
    read(0);
    // Waiting for a part being read, the caller is asked now and then
    // whether to go on, so the window keeps answering.
    auto stopped = [&](size_t done) {
        if (stop || !keepGoing || keepGoing(int(done), int(count)))
            return bool(stop);
        stop = true;
        return true;
    };
    for (size_t i = 0; i < count; ++i) {
        if (i > 0) {
            if (!keepGoing)
                ready[i]->acquire();
            else
                while (!ready[i]->tryAcquire(1, 10))
                    if (stopped(i))
                        break;
            if (stop || stopped(i))
                break;
        }
        Part &part = m_parts[i];
        QTextDocument &doc = *part.doc;
        doc.documentLayout()->setPaintDevice(m_metrics.get());
        doc.setTextWidth(m_body.width());
        QAbstractTextDocumentLayout *layout = doc.documentLayout();
        const qreal height = layout->documentSize().height();
        // A part after the first begins with a piece of a cut table, below
        // the document's empty first line; it shows from that table's top.
        const QList<QTextFrame *> frames = doc.rootFrame()->childFrames();
        part.top = i > 0 && !frames.isEmpty() ? frameStart(frames.first()) : 0;
        part.bottom = height;
    }
    for (auto &t : workers)
        t->wait();
    if (stop) {
        // Nothing half-made is shown: no pages at all.
        m_incomplete = true;
        m_parts.clear();
        return;
    }

    QVector<StripPart> strip;
    qreal offset = 0;
    for (Part &part : m_parts) {
        part.offset = offset;
        offset += std::max<qreal>(0, part.bottom - part.top);
        strip.push_back({part.doc.get(), part.top, part.bottom});
    }
    // Cutting thousands of records into pages takes a while too. It only
    // reads the finished layout (it shapes no text), and nothing else
    // touches these documents meanwhile, so it may run beside the event
    // loop.
    QVector<PageSlice> slices;
    if (!runBeside([&] { slices = paginate(strip, m_body.height()); }, keepGoing, int(count),
                   int(count))) {
        m_incomplete = true;
        m_parts.clear();
        return;
    }
    m_slices = slices;
}

// --- laid out piece by piece -----------------------------------------------------

namespace {

// About a dozen journal entries: laid out in a few hundredths of a second,
// so the window answers between two.
constexpr qsizetype PartChars = 8'000;
// Parts read ahead of the layout, at most.
constexpr std::size_t PartsAhead = 6;

std::unique_ptr<QTextDocument> readPart(const QString &html) {
    auto doc = std::make_unique<QTextDocument>();
    setUpText(*doc);
    doc->setPageSize(QSizeF(0, 0)); // laid out on the thread that shows it
    doc->setHtml(html);
    return doc;
}

} // namespace

// What the rendering thread hands to the layout.
struct ReportDocument::Stream {
    struct Ready {
        std::unique_ptr<QTextDocument> doc;
        QByteArray packed;
        qsizetype chars = 0;
        QString styles;
    };
    std::mutex mutex;
    std::condition_variable wake;
    std::deque<Ready> parts;
    std::optional<RenderedReport> pageParts;
    bool restart = false; // the parts so far are void: they come again
    bool ended = false;
    ReportError error;
    std::atomic<bool> stop{false};
    std::unique_ptr<QThread> thread;
    std::shared_ptr<ReportFeed> feed; // the records, while they are read

    // False when told to stop.
    bool hand(Ready ready) {
        std::unique_lock<std::mutex> lock(mutex);
        wake.wait(lock, [&] { return stop || parts.size() < PartsAhead; });
        if (stop)
            return false;
        parts.push_back(std::move(ready));
        wake.notify_all();
        return true;
    }

    bool handPart(const QString &html, const QString &styleText, QThread *home) {
        Ready ready;
        ready.doc = readPart(html);
        ready.doc->moveToThread(home);
        ready.packed = qCompress(html.toUtf8(), 1);
        ready.chars = html.size();
        ready.styles = styleSheetOf(styleText);
        return hand(std::move(ready));
    }

    void run(const ReportSource &source, int rowsPerTable, QThread *home) {
        struct Sink : ReportBodySink {
            Stream &s;
            QThread *home;
            HtmlCutter cutter;
            std::string batch;
            QString part;
            bool headGiven = false, cutFailed = false;
            Sink(Stream &stream, QThread *thread, int rows)
                : s(stream), home(thread), cutter(rows) {}
            bool write(const std::string &html) override {
                batch += html;
                return batch.size() < 16'384 ? !s.stop : flush(false);
            }
            void pagePartsKnown(const RenderedReport &parts) override {
                std::lock_guard<std::mutex> lock(s.mutex);
                if (!s.pageParts)
                    s.pageParts = parts;
                s.wake.notify_all();
            }
            bool give(const QString &tail) {
                const QString html = cutter.head() + part + tail;
                // The head's style blocks go with the first part only.
                const bool ok = s.handPart(html, headGiven ? part + tail : html, home);
                headGiven = true;
                part.clear();
                return ok;
            }
            bool flush(bool end) {
                cutter.add(QString::fromStdString(batch));
                batch.clear();
                if (end)
                    cutter.finish();
                if (cutter.failed()) {
                    cutFailed = true;
                    return false;
                }
                // A part is given once the piece after it is there: the last
                // part is never empty, and gets the tail.
                for (const QString &piece : cutter.takePieces()) {
                    if (part.size() >= PartChars && !give(QString()))
                        return false;
                    part += piece;
                }
                if (end)
                    return give(cutter.tail());
                return !s.stop;
            }
        } sink(*this, home, rowsPerTable);

        ReportError error;
        const qint64 bound = maxStreamedReport(source.table.recordCount());
        auto done = renderReportBody(source.tmpl, source.table, source.values, sink, bound, &error);
        if (done && !sink.flush(true) && !sink.cutFailed)
            return; // stopped
        if (!done && error.number == 0 && !sink.cutFailed)
            return; // stopped
        if (sink.cutFailed) {
            // Cut where the whole would not be: made again, whole.
            {
                std::lock_guard<std::mutex> lock(mutex);
                parts.clear();
                restart = true;
                wake.notify_all();
            }
            struct Whole : ReportBodySink {
                Stream &s;
                std::string html;
                explicit Whole(Stream &stream) : s(stream) {}
                bool write(const std::string &piece) override {
                    html += piece;
                    return !s.stop;
                }
                void pagePartsKnown(const RenderedReport &) override {}
            } whole(*this);
            done = renderReportBody(source.tmpl, source.table, source.values, whole, bound, &error);
            if (!done && error.number == 0)
                return; // stopped
            if (done) {
                const QString html = QString::fromStdString(whole.html);
                whole.html = std::string();
                const QStringList cut =
                    splitReportHtml(html, rowsPerTable, int(html.size() / PartChars) + 1);
                for (int i = 0; i < cut.size(); ++i)
                    if (!handPart(cut[i], i == 0 ? html : QString(), home))
                        return;
            }
        }
        std::lock_guard<std::mutex> lock(mutex);
        this->error = done ? ReportError() : error;
        ended = true;
        wake.notify_all();
    }

    void halt() {
        {
            std::lock_guard<std::mutex> lock(mutex);
            stop = true;
            wake.notify_all();
        }
        // Rendering may be waiting for a record.
        if (feed)
            feed->stop();
        if (thread)
            thread->wait();
    }
};

ReportDocument::ReportDocument(ReportSource source, const QPageSize &pageSize, int rowsPerTable,
                               qsizetype keptChars)
    : m_metrics(std::make_unique<MetricsDevice>()), m_keptChars(keptChars) {
    m_report.title = source.tmpl.title;
    m_report.orientation = source.tmpl.orientation;
    m_report.marginMm = source.tmpl.marginMm;
    setPaper(pageSize, m_report);
    m_complete = false;
    m_stream = std::make_shared<Stream>();
    QThread *home = QThread::currentThread();
    // The document outlives the thread (it waits for it): the thread must
    // not keep the stream, which keeps the thread.
    Stream *stream = m_stream.get();
    stream->feed = source.table.feed;
    rowsPerTable = std::max(rowsPerTable, 1);
    // QThread rather than a plain one: a document may start timers, which
    // need a thread Qt knows. The records are let go of when it ends.
    m_stream->thread.reset(
        QThread::create([stream, source = std::move(source), rowsPerTable, home]() mutable {
            const ReportSource own = std::move(source);
            stream->run(own, rowsPerTable, home);
        }));
    m_stream->thread->start();
}

ReportDocument::ReportDocument(const ReportDocument &other, const QPageSize &pageSize)
    : m_report(other.m_report), m_styleSheet(other.m_styleSheet),
      m_metrics(std::make_unique<MetricsDevice>()) {
    setPaper(pageSize, m_report);
    setPageParts(m_report);
    m_complete = false;
    for (const Part &part : other.m_parts) {
        QString html;
        if (part.packed.isEmpty())
            html = part.doc ? part.doc->toHtml() : QString();
        else
            html = QString::fromUtf8(qUncompress(part.packed));
        addPart(readPart(html), part.packed.isEmpty() ? QByteArray() : part.packed, html.size());
    }
    startPages();
    if (m_paginator)
        m_paginator->paginate(true, &m_slices);
    m_complete = true;
}

void ReportDocument::addPart(std::unique_ptr<QTextDocument> doc, QByteArray packed,
                             qsizetype chars) {
    Part part;
    doc->documentLayout()->setPaintDevice(m_metrics.get());
    doc->setTextWidth(m_body.width());
    const qreal height = doc->documentLayout()->documentSize().height();
    // A part after the first begins with a piece of a cut table, below the
    // document's empty first line; it shows from that table's top.
    const QList<QTextFrame *> frames = doc->rootFrame()->childFrames();
    part.top = !m_parts.empty() && !frames.isEmpty() ? frameStart(frames.first()) : 0;
    part.bottom = height;
    part.offset = m_stripEnd;
    m_stripEnd += std::max<qreal>(0, part.bottom - part.top);
    part.doc = std::move(doc);
    part.packed = std::move(packed);
    part.chars = chars;
    part.used = ++m_clock;
    m_liveChars += chars;
    m_parts.push_back(std::move(part));
    if (m_paginator) {
        const Part &added = m_parts.back();
        m_paginator->add({added.doc.get(), added.top, added.bottom});
        m_paginator->paginate(false, &m_slices);
        letGo();
    }
}

// Once the page header and footer are known, the pages can be cut.
void ReportDocument::startPages() {
    if (m_paginator || !m_partsKnown)
        return;
    m_paginator = std::make_unique<StripPaginator>(m_body.height());
    for (const Part &part : m_parts)
        m_paginator->add({part.doc.get(), part.top, part.bottom});
    m_paginator->paginate(false, &m_slices);
    letGo();
}

void ReportDocument::dropParts() {
    m_paginator.reset();
    m_parts.clear();
    m_slices.clear();
    m_stripEnd = 0;
    m_liveChars = 0;
}

bool ReportDocument::layOutMore(int budgetMs) {
    if (m_complete || m_failed)
        return true;
    Stream &s = *m_stream;
    QDeadlineTimer deadline(budgetMs);
    bool laidOne = false;
    while (!laidOne || !deadline.hasExpired()) {
        std::optional<Stream::Ready> ready;
        std::optional<RenderedReport> pageParts;
        bool ended = false, restart = false;
        ReportError error;
        {
            std::unique_lock<std::mutex> lock(s.mutex);
            if (!s.restart && s.parts.empty() && !s.ended) {
                const qint64 left = std::max<qint64>(1, deadline.remainingTime());
                s.wake.wait_for(lock, std::chrono::milliseconds(std::min<qint64>(left, 20)));
            }
            restart = std::exchange(s.restart, false);
            if (!m_partsKnown && s.pageParts)
                pageParts = s.pageParts;
            if (!restart && !s.parts.empty()) {
                ready = std::move(s.parts.front());
                s.parts.pop_front();
                s.wake.notify_all();
            } else if (!restart) {
                ended = s.ended;
                error = s.error;
            }
        }
        if (restart) {
            dropParts();
            m_styleSheet.clear();
            continue;
        }
        if (ready) {
            m_styleSheet += ready->styles;
            addPart(std::move(ready->doc), std::move(ready->packed), ready->chars);
            laidOne = true;
        }
        // The page parts are measured with the head's style sheet, which
        // comes with the first part.
        if (pageParts && !m_partsKnown && (!m_parts.empty() || ended)) {
            setPageParts(*pageParts);
            startPages();
        }
        if (ended) {
            s.thread->wait();
            if (error.number != 0) {
                // Nothing half-made is shown.
                m_failed = true;
                m_error = error;
                dropParts();
                return true;
            }
            startPages();
            if (m_paginator)
                m_paginator->paginate(true, &m_slices);
            m_complete = true;
            letGo();
            return true;
        }
        if (!ready && deadline.hasExpired())
            break;
    }
    return false;
}

bool ReportDocument::finish(const LayoutProgress &keepGoing) {
    while (!layOutMore(50))
        if (keepGoing && !keepGoing(pageCount(), 0))
            return false;
    return m_complete;
}

// Reads parts that were let go of ahead of the pages that show them, on a
// thread of its own, while the pages before are painted: painting a long
// report page by page then only lays the parts out.
class ReportDocument::PartReader {
public:
    explicit PartReader(QThread *home) : m_home(home) {
        m_thread.reset(QThread::create([this] { run(); }));
        m_thread->start();
    }
    ~PartReader() {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_stop = true;
            m_wake.notify_all();
        }
        m_thread->wait();
    }

    void want(std::size_t index, const QByteArray &packed) {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_asked.count(index))
            return;
        m_asked.insert(index);
        m_jobs.push_back({index, packed});
        m_wake.notify_all();
    }

    // The part read, waiting for it when it is being read; nullptr when it
    // was never asked for.
    std::unique_ptr<QTextDocument> take(std::size_t index) {
        std::unique_lock<std::mutex> lock(m_mutex);
        if (!m_asked.count(index))
            return nullptr;
        m_wake.wait(lock, [&] { return m_ready.count(index) > 0; });
        auto doc = std::move(m_ready[index]);
        m_ready.erase(index);
        m_asked.erase(index);
        return doc;
    }

private:
    void run() {
        while (true) {
            std::pair<std::size_t, QByteArray> job;
            {
                std::unique_lock<std::mutex> lock(m_mutex);
                m_wake.wait(lock, [&] { return m_stop || !m_jobs.empty(); });
                if (m_stop)
                    return;
                job = std::move(m_jobs.front());
                m_jobs.pop_front();
            }
            auto doc = readPart(QString::fromUtf8(qUncompress(job.second)));
            doc->moveToThread(m_home);
            std::lock_guard<std::mutex> lock(m_mutex);
            m_ready[job.first] = std::move(doc);
            m_wake.notify_all();
        }
    }

    QThread *m_home;
    std::unique_ptr<QThread> m_thread;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::pair<std::size_t, QByteArray>> m_jobs;
    std::set<std::size_t> m_asked;
    std::map<std::size_t, std::unique_ptr<QTextDocument>> m_ready;
    bool m_stop = false;
};

void ReportDocument::readAhead(int index) const {
    if (!m_reader || index < 0 || index >= pageCount())
        return;
    const PageSlice &slice = m_slices.at(index);
    auto want = [&](qreal top, qreal bottom) {
        if (bottom <= top)
            return;
        auto it =
            std::upper_bound(m_parts.begin(), m_parts.end(), top, [](qreal y, const Part &part) {
                return y < part.offset + (part.bottom - part.top);
            });
        for (; it != m_parts.end() && it->offset < bottom; ++it)
            if (!it->doc && !it->packed.isEmpty())
                m_reader->want(std::size_t(it - m_parts.begin()), it->packed);
    };
    want(slice.headerTop, slice.headerBottom);
    want(slice.top, slice.bottom);
    want(slice.labelTop, slice.labelBottom);
}

QTextDocument *ReportDocument::partDoc(std::size_t index) const {
    Part &part = m_parts[index];
    part.used = m_painting ? m_painting : ++m_clock;
    if (!part.doc) {
        std::unique_ptr<QTextDocument> doc = m_reader ? m_reader->take(index) : nullptr;
        if (!doc)
            doc = readPart(QString::fromUtf8(qUncompress(part.packed)));
        doc->documentLayout()->setPaintDevice(m_metrics.get());
        doc->setTextWidth(m_body.width());
        doc->documentLayout()->documentSize();
        part.doc = std::move(doc);
        m_liveChars += part.chars;
        letGo();
    }
    return part.doc.get();
}

// Lets go of the least recently used parts beyond the bound: never one the
// pages painted last show, nor one whose pages are still being cut.
void ReportDocument::letGo() const {
    if (m_liveChars <= m_keptChars)
        return;
    const qreal cut = m_complete ? m_stripEnd : m_slices.isEmpty() ? 0 : m_slices.last().bottom;
    std::vector<std::size_t> candidates;
    for (std::size_t i = 0; i < m_parts.size(); ++i) {
        const Part &p = m_parts[i];
        // The parts of the pages painted last are kept: the pages in view.
        const bool inView =
            std::find(m_recentPaints.begin(), m_recentPaints.end(), p.used) != m_recentPaints.end();
        if (p.doc && !p.packed.isEmpty() && !inView && p.offset + (p.bottom - p.top) < cut)
            candidates.push_back(i);
    }
    std::sort(candidates.begin(), candidates.end(),
              [&](std::size_t a, std::size_t b) { return m_parts[a].used < m_parts[b].used; });
    for (std::size_t i : candidates) {
        // One at a time: letting go of a document takes a while too.
        if (m_liveChars <= m_keptChars)
            break;
        Part &p = m_parts[i];
        if (m_paginator)
            m_paginator->forget(p.doc.get());
        p.doc.reset();
        m_liveChars -= p.chars;
    }
}

// The parts are declared after the metrics device they measure against,
// so they go first.
ReportDocument::~ReportDocument() {
    if (m_stream)
        m_stream->halt();
    // A long report's documents and records take a while to let go of (a
    // quarter second for a hundred thousand entries): that is done on
    // another thread, so that closing the preview does not freeze it. The
    // documents are taken from this thread first.
    if (m_parts.size() < 16)
        return;
    struct Leftovers {
        // In the order they may go: the documents before the device they
        // measure against.
        std::unique_ptr<QPagedPaintDevice> metrics;
        RenderedReport report;
        std::vector<Part> parts;
        std::unique_ptr<StripPaginator> paginator;
        std::shared_ptr<Stream> stream;
    };
    auto left = std::make_shared<Leftovers>();
    QList<QObject *> objects;
    for (Part &part : m_parts)
        if (part.doc)
            objects << part.doc.get();
    if (m_stream)
        for (Stream::Ready &ready : m_stream->parts)
            if (ready.doc)
                objects << ready.doc.get();
    if (auto *writer = dynamic_cast<QObject *>(m_metrics.get()))
        objects << writer;
    m_reader.reset();
    left->metrics = std::move(m_metrics);
    left->report = std::exchange(m_report, RenderedReport());
    left->parts = std::move(m_parts);
    left->paginator = std::move(m_paginator);
    left->stream = std::move(m_stream);
    releaseOffThread(objects, [left]() mutable { left.reset(); });
}

QPageLayout ReportDocument::pageLayout() const {
    return m_layout;
}

QTextDocument *ReportDocument::pagePart(const QString &html) const {
    auto *doc = new QTextDocument;
    setUp(*doc, m_metrics.get());
    doc->setDefaultStyleSheet(m_styleSheet);
    doc->setTextWidth(m_content.width());
    doc->setHtml(html);
    return doc;
}

void ReportDocument::paintPage(QPainter &p, int index) const {
    if (index < 0 || index >= pageCount())
        return;
    // Until the last page is cut, the page count is not known.
    const int pages = m_complete ? pageCount() : 0;
    m_painting = ++m_clock;
    m_recentPaints[m_paintCount++ % m_recentPaints.size()] = m_painting;
    p.save();
    if (m_headerHeight > 0) {
        std::unique_ptr<QTextDocument> header(pagePart(m_report.pageHeader(index + 1, pages)));
        const QRectF area(m_content.left(), m_content.top(), m_content.width(), m_headerHeight);
        p.save();
        p.setClipRect(area);
        p.translate(area.topLeft());
        drawDocument(p, *header, QRectF(QPointF(0, 0), area.size()));
        p.restore();
    }
    {
        // The table header a continued table repeats, then the page's part
        // of the strip.
        const PageSlice &slice = m_slices.at(index);
        qreal y = m_body.top();
        // The strip from `top` to `bottom` at `y`, between `left` and `right`
        // across the body.
        auto strip = [&](qreal top, qreal bottom, qreal left = 0, qreal right = -1) {
            if (right < 0)
                right = m_body.width();
            // The parts lie in order along the strip: from the first that
            // reaches below `top`.
            auto it = std::upper_bound(m_parts.begin(), m_parts.end(), top,
                                       [](qreal y, const Part &part) {
                                           return y < part.offset + (part.bottom - part.top);
                                       });
            for (; it != m_parts.end() && it->offset < bottom; ++it) {
                const Part &part = *it;
                const qreal from = std::max(top, part.offset);
                const qreal to = std::min(bottom, part.offset + (part.bottom - part.top));
                if (to <= from)
                    continue;
                const qreal local = part.top + (from - part.offset); // `from` in the part
                const QRectF area(m_body.left() + left, y + (from - top), right - left, to - from);
                p.save();
                p.setClipRect(area);
                p.translate(m_body.left(), area.top() - local);
                // A block that only touches the cut belongs to the other
                // page; drawn here (though hidden by the painter's clip) its
                // text would be in the PDF twice. Within a block split
                // between pages (a record longer than a page) Qt still draws
                // the one line above the clip, hidden: that line's text is in
                // the PDF twice.
                drawDocument(p, *partDoc(std::size_t(it - m_parts.begin())),
                             QRectF(left, local + ClipMargin, right - left,
                                    std::max<qreal>(0, to - from - 2 * ClipMargin)));
                p.restore();
            }
            y += bottom - top;
        };
        if (slice.headerHeight() > 0)
            strip(slice.headerTop, slice.headerBottom);
        const qreal sliceTop = y;
        strip(slice.top, slice.bottom);
        // A record carried over from the page before: its first cell again,
        // over that cell's empty continuation.
        if (slice.labelHeight() > 0) {
            y = sliceTop;
            strip(slice.labelTop, slice.labelBottom, slice.labelLeft, slice.labelRight);
        }
    }
    if (m_footerHeight > 0) {
        std::unique_ptr<QTextDocument> footer(pagePart(m_report.pageFooter(index + 1, pages)));
        const QRectF area(m_content.left(), m_content.bottom() - m_footerHeight, m_content.width(),
                          m_footerHeight);
        p.save();
        p.setClipRect(area);
        p.translate(area.topLeft());
        drawDocument(p, *footer, QRectF(QPointF(0, 0), area.size()));
        p.restore();
    }
    p.restore();
    m_painting = 0;
    letGo();
}

bool ReportDocument::paint(QPagedPaintDevice &device, int from, int to, QString *error,
                           const LayoutProgress &keepGoing) const {
    if (!m_complete) {
        // Every page is needed, and the page count: the rest is laid out
        // first.
        if (!const_cast<ReportDocument *>(this)->finish(keepGoing)) {
            if (error)
                *error = m_failed ? m_error.text : QString();
            return false;
        }
    }
    if (pageCount() == 0) { // failed: nothing to print
        if (error)
            *error = m_error.text;
        return false;
    }
    if (from <= 0 || to <= 0) {
        from = 1;
        to = pageCount();
    }
    from = std::clamp(from, 1, pageCount());
    to = std::clamp(to, from, pageCount());
    QPainter p;
    if (!p.begin(&device)) {
        if (error)
            *error =
                QCoreApplication::translate("ReportDocument", "the output could not be started");
        return false;
    }
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const qreal sx = qreal(device.logicalDpiX()) / Resolution;
    const qreal sy = qreal(device.logicalDpiY()) / Resolution;
    // Parts let go of are read a page ahead.
    m_reader = std::make_unique<PartReader>(QThread::currentThread());
    struct Done {
        std::unique_ptr<PartReader> &reader;
        ~Done() { reader.reset(); }
    } done{m_reader};
    for (int page = from; page <= to; ++page) {
        readAhead(page);     // the next page, 0-based
        readAhead(page + 1); // and the one after
        if (page > from && !device.newPage()) {
            p.end();
            if (error)
                *error = QCoreApplication::translate("ReportDocument",
                                                     "a new page could not be started");
            return false;
        }
        p.save();
        p.scale(sx, sy);
        paintPage(p, page - 1);
        p.restore();
        if (keepGoing && !keepGoing(page - from + 1, to - from + 1)) {
            p.end();
            if (error)
                error->clear();
            return false;
        }
    }
    if (!p.end()) {
        if (error)
            *error =
                QCoreApplication::translate("ReportDocument", "the output could not be finished");
        return false;
    }
    return true;
}

bool ReportDocument::writePdf(const QString &path, QString *error,
                              const LayoutProgress &keepGoing) const {
    // Written under a temporary name and put in place at the end, so a
    // failure never leaves half a file behind or spoils an existing one.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error =
                QCoreApplication::translate("ReportDocument", "The file %1 cannot be written: %2")
                    .arg(QDir::toNativeSeparators(path), file.errorString());
        return false;
    }
    QString why;
    {
        QPdfWriter writer(&file);
        writer.setResolution(Resolution);
        writer.setPageLayout(m_layout);
        writer.setTitle(m_report.title);
        writer.setCreator(QStringLiteral("Corvella"));
        if (!paint(writer, 0, 0, &why, keepGoing)) {
            file.cancelWriting();
            if (why.isEmpty()) { // stopped
                if (error)
                    error->clear();
                return false;
            }
            if (error)
                *error = QCoreApplication::translate("ReportDocument",
                                                     "The file %1 cannot be written: %2.")
                             .arg(QDir::toNativeSeparators(path), why);
            return false;
        }
    }
    if (!file.commit()) {
        if (error)
            *error =
                QCoreApplication::translate("ReportDocument", "The file %1 cannot be written: %2")
                    .arg(QDir::toNativeSeparators(path), file.errorString());
        return false;
    }
    return true;
}

} // namespace corv
