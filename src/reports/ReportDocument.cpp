#include "ReportDocument.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextDocument>
#include <QTextOption>
#include <algorithm>
#include <cmath>

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

void setUp(QTextDocument &doc, QPaintDevice *metrics) {
    doc.setUndoRedoEnabled(false);
    doc.setDocumentMargin(0);
    doc.setDefaultFont(reportFont());
    // A word too long for its column breaks rather than running off the page.
    QTextOption option = doc.defaultTextOption();
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    doc.setDefaultTextOption(option);
    doc.documentLayout()->setPaintDevice(metrics);
}

void drawDocument(QPainter &p, QTextDocument &doc, const QRectF &clip) {
    QAbstractTextDocumentLayout::PaintContext ctx;
    ctx.clip = clip;
    ctx.palette.setColor(QPalette::Text, Qt::black);
    doc.documentLayout()->draw(&p, ctx);
}

} // namespace

ReportDocument::ReportDocument(const RenderedReport &report, const QPageSize &pageSize)
    : m_report(report), m_metrics(std::make_unique<MetricsDevice>()) {
    const QPageSize size = pageSize.isValid() ? pageSize : QPageSize(QPageSize::Letter);
    m_layout = QPageLayout(size, report.orientation, QMarginsF(0, 0, 0, 0), QPageLayout::Point);
    const QSizeF points = m_layout.fullRectPoints().size();
    m_paper = QSizeF(points.width() / 72.0 * Resolution, points.height() / 72.0 * Resolution);
    const qreal margin = mmToUnits(std::clamp(report.marginMm, 0.0, 50.0));
    m_content = QRectF(QPointF(0, 0), m_paper).adjusted(margin, margin, -margin, -margin);
    m_gap = mmToUnits(3);

    // One stylesheet serves the whole template: the page header and footer
    // are documents of their own and get the body's style blocks.
    static const QRegularExpression styleBlock(QStringLiteral("<style[^>]*>(.*?)</style>"),
                                               QRegularExpression::CaseInsensitiveOption |
                                                   QRegularExpression::DotMatchesEverythingOption);
    for (auto it = styleBlock.globalMatch(report.bodyHtml); it.hasNext();)
        m_styleSheet += it.next().captured(1) + u'\n';

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

    m_doc = std::make_unique<QTextDocument>();
    setUp(*m_doc, m_metrics.get());
    m_doc->setHtml(report.bodyHtml);
    m_doc->setTextWidth(m_body.width());
    m_slices = paginate(*m_doc, m_body.height());
}

ReportDocument::~ReportDocument() {
    // The documents measure against the metrics device: they go first.
    m_doc.reset();
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
    const int pages = pageCount();
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
        auto strip = [&](qreal top, qreal bottom) {
            const QRectF area(m_body.left(), y, m_body.width(), bottom - top);
            p.save();
            p.setClipRect(area);
            p.translate(m_body.left(), y - top);
            // A block that only touches the cut belongs to the other page;
            // drawn here (though hidden by the painter's clip) its text would
            // be in the PDF twice. Within a block split between pages (a
            // record longer than a page) Qt still draws the one line above
            // the clip, hidden: that line's text is in the PDF twice.
            drawDocument(p, *m_doc,
                         QRectF(0, top + ClipMargin, m_body.width(),
                                std::max<qreal>(0, bottom - top - 2 * ClipMargin)));
            p.restore();
            y += bottom - top;
        };
        if (slice.headerHeight() > 0)
            strip(slice.headerTop, slice.headerBottom);
        strip(slice.top, slice.bottom);
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
}

bool ReportDocument::paint(QPagedPaintDevice &device, int from, int to, QString *error) const {
    if (from <= 0 || to <= 0) {
        from = 1;
        to = pageCount();
    }
    from = std::clamp(from, 1, pageCount());
    to = std::clamp(to, from, pageCount());
    QPainter p;
    if (!p.begin(&device)) {
        if (error)
            *error = QStringLiteral("the output could not be started");
        return false;
    }
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const qreal sx = qreal(device.logicalDpiX()) / Resolution;
    const qreal sy = qreal(device.logicalDpiY()) / Resolution;
    for (int page = from; page <= to; ++page) {
        if (page > from && !device.newPage()) {
            p.end();
            if (error)
                *error = QStringLiteral("a new page could not be started");
            return false;
        }
        p.save();
        p.scale(sx, sy);
        paintPage(p, page - 1);
        p.restore();
    }
    if (!p.end()) {
        if (error)
            *error = QStringLiteral("the output could not be finished");
        return false;
    }
    return true;
}

bool ReportDocument::writePdf(const QString &path, QString *error) const {
    // Written under a temporary name and put in place at the end, so a
    // failure never leaves half a file behind or spoils an existing one.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = QStringLiteral("The file %1 cannot be written: %2")
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
        if (!paint(writer, 0, 0, &why)) {
            file.cancelWriting();
            if (error)
                *error = QStringLiteral("The file %1 cannot be written: %2.")
                             .arg(QDir::toNativeSeparators(path), why);
            return false;
        }
    }
    if (!file.commit()) {
        if (error)
            *error = QStringLiteral("The file %1 cannot be written: %2")
                         .arg(QDir::toNativeSeparators(path), file.errorString());
        return false;
    }
    return true;
}

} // namespace corv
