#include "ReportPreview.h"

#include "ReportDocument.h"
#include "ReportPrinters.h"
#include "platform/Accessibility.h"
#include "platform/Dialogs.h"
#include "platform/Progress.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QCache>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QScreen>
#include <QScrollBar>
#include <QSpinBox>
#include <QStandardPaths>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>

namespace corv {

// The pages, stacked with a margin of desk around each; a page is drawn into
// an image the first time it is seen at the current zoom and kept a while.
class PageView : public QAbstractScrollArea {
public:
    static constexpr int Gap = 16;
    static constexpr double MinZoom = 0.1, MaxZoom = 4.0;
    // Pages larger than this (in bytes, at high zoom) are drawn straight
    // into the window, only the part in view, instead of kept as images.
    static constexpr qsizetype MaxImageBytes = 24 * 1024 * 1024;

    explicit PageView(const ReportDocument &doc, QWidget *parent)
        : QAbstractScrollArea(parent), m_doc(doc), m_cache(96 * 1024) { // KiB of images
        setFocusPolicy(Qt::StrongFocus);
        viewport()->setAutoFillBackground(false);
        verticalScrollBar()->setSingleStep(40);
        horizontalScrollBar()->setSingleStep(40);
    }

    std::function<void()> onChange;
    // Called after the view was first painted.
    std::function<void()> onPainted;

    bool fitWidthMode() const { return m_mode == FitWidth; }
    bool fitPageMode() const { return m_mode == FitPage; }
    // 1 = the paper's real size on this screen.
    double zoom() const { return m_scale / unitScale(); }

    void setFitWidth() { setMode(FitWidth, 0); }
    void setFitPage() { setMode(FitPage, 0); }
    void setZoom(double factor) { setMode(Custom, std::clamp(factor, MinZoom, MaxZoom)); }

    int currentPage() const { // 0-based
        // The page asked for, even where the view cannot scroll its top up
        // to the window's (the last pages, when several fit).
        if (m_asked >= 0 && verticalScrollBar()->value() == m_askedScroll)
            return m_asked;
        const double y = verticalScrollBar()->value() + viewport()->height() / 3.0;
        const int page = int(std::floor((y - Gap / 2.0) / (pageHeight() + Gap)));
        return std::clamp(page, 0, std::max(0, m_doc.pageCount() - 1));
    }

    void showPage(int page) {
        page = std::clamp(page, 0, std::max(0, m_doc.pageCount() - 1));
        verticalScrollBar()->setValue(int(std::lround(page * (pageHeight() + Gap))));
        m_asked = page;
        m_askedScroll = verticalScrollBar()->value();
        viewport()->update();
    }

    int pagesDrawn() const { return m_drawn; }

    // More pages are cut, or the last: the scroll range grows, and pages
    // drawn before the page count was known are drawn again.
    void pagesChanged(bool final) {
        if (final)
            m_cache.clear();
        relayout(currentPage());
        viewport()->update();
    }

protected:
    void resizeEvent(QResizeEvent *event) override {
        QAbstractScrollArea::resizeEvent(event);
        relayout(currentPage());
    }

    void scrollContentsBy(int, int) override {
        viewport()->update();
        if (onChange)
            onChange();
    }

    void wheelEvent(QWheelEvent *event) override {
        if (event->modifiers() & Qt::ControlModifier) {
            const double steps = event->angleDelta().y() / 120.0;
            setZoom(zoom() * std::pow(1.15, steps));
            event->accept();
            return;
        }
        QAbstractScrollArea::wheelEvent(event);
    }

    void keyPressEvent(QKeyEvent *event) override {
        switch (event->key()) {
        case Qt::Key_Home:
            showPage(0);
            return;
        case Qt::Key_End:
            showPage(m_doc.pageCount() - 1);
            return;
        default:
            QAbstractScrollArea::keyPressEvent(event);
        }
    }

    void paintEvent(QPaintEvent *) override {
        QPainter p(viewport());
        p.fillRect(viewport()->rect(), QColor(0x80, 0x86, 0x8c));
        const int x0 = pageLeft() - horizontalScrollBar()->value();
        const double h = pageHeight();
        const int w = int(std::lround(pageWidth()));
        const int top = verticalScrollBar()->value();
        const int first = std::max(0, int((top - Gap) / (h + Gap)));
        for (int i = first; i < m_doc.pageCount(); ++i) {
            const int y = int(std::lround(Gap + i * (h + Gap))) - top;
            if (y > viewport()->height())
                break;
            const QRect page(x0, y, w, int(std::lround(h)));
            p.fillRect(page.translated(3, 3), QColor(0, 0, 0, 90));
            if (imageBytes() <= MaxImageBytes) {
                p.drawImage(page.topLeft(), pageImage(i));
            } else {
                p.save();
                p.setClipRect(page.intersected(viewport()->rect()));
                p.fillRect(page, Qt::white);
                p.setRenderHint(QPainter::Antialiasing);
                p.setRenderHint(QPainter::TextAntialiasing);
                p.translate(page.topLeft());
                p.scale(m_scale, m_scale);
                m_doc.paintPage(p, i);
                p.restore();
                ++m_drawn;
            }
            p.setPen(QColor(0x50, 0x50, 0x50));
            p.drawRect(page.adjusted(0, 0, -1, -1));
        }
        if (onPainted)
            std::exchange(onPainted, nullptr)();
    }

private:
    enum Mode { FitWidth, FitPage, Custom };

    // Screen pixels per layout unit at zoom 1.
    double unitScale() const { return logicalDpiX() / double(ReportDocument::Resolution); }
    qsizetype imageBytes() const {
        const qreal dpr = devicePixelRatioF();
        return qsizetype(pageWidth() * dpr) * qsizetype(pageHeight() * dpr) * 4;
    }
    double pageWidth() const { return m_doc.paperSize().width() * m_scale; }
    double pageHeight() const { return m_doc.paperSize().height() * m_scale; }
    int pageLeft() const {
        const int free = viewport()->width() - int(std::lround(pageWidth()));
        return free > 2 * Gap ? free / 2 : Gap;
    }

    void setMode(Mode mode, double factor) {
        const int page = currentPage();
        m_mode = mode;
        if (mode == Custom)
            m_scale = factor * unitScale();
        relayout(page);
    }

    void relayout(int keepPage) {
        const QSizeF paper = m_doc.paperSize();
        const double fitW = (viewport()->width() - 2.0 * Gap) / paper.width();
        const double fitH = (viewport()->height() - 2.0 * Gap) / paper.height();
        double scale = m_scale;
        if (m_mode == FitWidth)
            scale = fitW;
        else if (m_mode == FitPage)
            scale = std::min(fitW, fitH);
        scale = std::clamp(scale, MinZoom * unitScale(), MaxZoom * unitScale());
        m_scale = scale;
        const double total = m_doc.pageCount() * (pageHeight() + Gap) + Gap;
        verticalScrollBar()->setPageStep(viewport()->height());
        verticalScrollBar()->setRange(0, std::max(0, int(std::ceil(total)) - viewport()->height()));
        const int width = int(std::ceil(pageWidth())) + 2 * Gap;
        horizontalScrollBar()->setPageStep(viewport()->width());
        horizontalScrollBar()->setRange(0, std::max(0, width - viewport()->width()));
        showPage(keepPage);
        if (onChange)
            onChange();
    }

    QImage pageImage(int index) {
        if (m_imageScale != m_scale) { // drawn at another zoom
            m_cache.clear();
            m_imageScale = m_scale;
        }
        if (QImage *cached = m_cache.object(index))
            return *cached;
        const qreal dpr = devicePixelRatioF();
        const QSize size(int(std::lround(pageWidth() * dpr)), int(std::lround(pageHeight() * dpr)));
        auto *image = new QImage(size, QImage::Format_ARGB32_Premultiplied);
        image->setDevicePixelRatio(dpr);
        image->fill(Qt::white);
        {
            QPainter p(image);
            p.setRenderHint(QPainter::Antialiasing);
            p.setRenderHint(QPainter::TextAntialiasing);
            p.setRenderHint(QPainter::SmoothPixmapTransform);
            p.scale(m_scale, m_scale);
            m_doc.paintPage(p, index);
        }
        ++m_drawn;
        const QImage copy = *image;
        m_cache.insert(index, image, int(std::max<qsizetype>(1, image->sizeInBytes() / 1024)));
        return copy;
    }

    const ReportDocument &m_doc;
    QCache<int, QImage> m_cache;
    Mode m_mode = FitWidth;
    double m_scale = 0.1;
    double m_imageScale = 0; // the zoom of the images in the cache
    int m_drawn = 0;
    int m_asked = -1, m_askedScroll = -1;
};

ReportPreview::ReportPreview(std::shared_ptr<ReportDocument> document, QWidget *parent)
    : QDialog(parent), m_doc(std::move(document)) {
    setObjectName(QStringLiteral("ReportPreview"));
    setWindowTitle(
        QCoreApplication::translate("ReportPreview", "%1 - Print Preview").arg(m_doc->title()));
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    m_toolBar = new QToolBar(this);
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_view = new PageView(*m_doc, this);
    // The pages are drawn, not made of widgets: the view reads as the
    // document it shows.
    setAccessibleRole(m_view, QAccessible::Document);
    m_view->setAccessibleName(tr("Report pages"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_toolBar);
    layout->addWidget(m_view, 1);

    QStyle *st = style();
    auto icon = [](const QString &file, const QIcon &fallback) {
        return QFile::exists(file) ? QIcon(file) : fallback;
    };
    printAction = m_toolBar->addAction(icon(QStringLiteral(":/icons/print.svg"), QIcon()),
                                       QCoreApplication::translate("ReportPreview", "&Print..."));
    printAction->setShortcut(QKeySequence::Print);
    printAction->setToolTip(
        QCoreApplication::translate("ReportPreview", "Print the report (Ctrl+P)"));
    pdfAction =
        m_toolBar->addAction(st->standardIcon(QStyle::SP_DialogSaveButton),
                             QCoreApplication::translate("ReportPreview", "Save as P&DF..."));
    pdfAction->setShortcut(QKeySequence::Save);
    pdfAction->setToolTip(
        QCoreApplication::translate("ReportPreview", "Save the report as a PDF file (Ctrl+S)"));
    m_toolBar->addSeparator();

    firstAction = m_toolBar->addAction(st->standardIcon(QStyle::SP_MediaSkipBackward),
                                       QCoreApplication::translate("ReportPreview", "First Page"));
    firstAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Home));
    previousAction =
        m_toolBar->addAction(st->standardIcon(QStyle::SP_MediaSeekBackward),
                             QCoreApplication::translate("ReportPreview", "Previous Page"));
    previousAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageUp));
    pageBox = new QSpinBox(this);
    pageBox->setRange(1, pageCount());
    pageBox->setAccessibleName(QCoreApplication::translate("ReportPreview", "Page"));
    pageBox->setToolTip(QCoreApplication::translate("ReportPreview", "Page shown"));
    pageBox->setKeyboardTracking(false);
    m_toolBar->addWidget(pageBox);
    pageCountLabel = new QLabel(this);
    m_toolBar->addWidget(pageCountLabel);
    nextAction = m_toolBar->addAction(st->standardIcon(QStyle::SP_MediaSeekForward),
                                      QCoreApplication::translate("ReportPreview", "Next Page"));
    nextAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageDown));
    lastAction = m_toolBar->addAction(st->standardIcon(QStyle::SP_MediaSkipForward),
                                      QCoreApplication::translate("ReportPreview", "Last Page"));
    lastAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_End));
    for (QAction *a : {firstAction, previousAction, nextAction, lastAction})
        a->setToolTip(QStringLiteral("%1 (%2)").arg(
            a->text(), a->shortcut().toString(QKeySequence::NativeText)));
    m_toolBar->addSeparator();

    zoomOutAction = m_toolBar->addAction(QCoreApplication::translate("ReportPreview", "Zoom Out"));
    zoomOutAction->setShortcut(QKeySequence::ZoomOut);
    zoomBox = new QComboBox(this);
    zoomBox->setEditable(true);
    zoomBox->setInsertPolicy(QComboBox::NoInsert);
    zoomBox->addItems({QCoreApplication::translate("ReportPreview", "Fit Width"),
                       QCoreApplication::translate("ReportPreview", "Whole Page"),
                       QStringLiteral("50%"), QStringLiteral("75%"), QStringLiteral("100%"),
                       QStringLiteral("125%"), QStringLiteral("150%"), QStringLiteral("200%"),
                       QStringLiteral("300%")});
    zoomBox->setMinimumContentsLength(10);
    zoomBox->setAccessibleName(QCoreApplication::translate("ReportPreview", "Zoom"));
    // Typing a zoom goes into the box's own line, which takes the focus.
    zoomBox->lineEdit()->setAccessibleName(tr("Zoom"));
    zoomBox->setToolTip(QCoreApplication::translate("ReportPreview", "Zoom"));
    m_toolBar->addWidget(zoomBox);
    zoomInAction = m_toolBar->addAction(QCoreApplication::translate("ReportPreview", "Zoom In"));
    zoomInAction->setShortcut(QKeySequence::ZoomIn);
    m_toolBar->addSeparator();
    closeAction = m_toolBar->addAction(QCoreApplication::translate("ReportPreview", "&Close"));

    connect(printAction, &QAction::triggered, this, &ReportPreview::printReport);
    connect(pdfAction, &QAction::triggered, this, &ReportPreview::saveAsPdf);
    connect(firstAction, &QAction::triggered, this, [this] { setCurrentPage(1); });
    connect(previousAction, &QAction::triggered, this,
            [this] { setCurrentPage(currentPage() - 1); });
    connect(nextAction, &QAction::triggered, this, [this] { setCurrentPage(currentPage() + 1); });
    connect(lastAction, &QAction::triggered, this, [this] { setCurrentPage(pageCount()); });
    connect(pageBox, &QSpinBox::valueChanged, this, [this](int page) {
        if (!m_syncing)
            setCurrentPage(page);
    });
    connect(zoomInAction, &QAction::triggered, this,
            [this] { setZoomFactor(zoomFactor() * 1.25); });
    connect(zoomOutAction, &QAction::triggered, this,
            [this] { setZoomFactor(zoomFactor() / 1.25); });
    connect(zoomBox, &QComboBox::textActivated, this, &ReportPreview::applyZoomText);
    connect(zoomBox->lineEdit(), &QLineEdit::editingFinished, this,
            [this] { applyZoomText(zoomBox->currentText()); });
    connect(closeAction, &QAction::triggered, this, &QDialog::reject);
    m_view->onChange = [this] { syncControls(); };

    // Most of the screen: a page is meant to be read here.
    QRect room(0, 0, 1024, 768);
    if (QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        room = screen->availableGeometry();
    resize(std::min(room.width(), std::max(800, room.width() * 4 / 5)),
           std::min(room.height(), std::max(600, room.height() * 9 / 10)));
    m_view->setFocus();
    syncControls();

    // A long report goes on being laid out while its first pages are read.
    if (!m_doc->complete()) {
        m_layoutTimer = new QTimer(this);
        m_layoutTimer->setInterval(0);
        connect(m_layoutTimer, &QTimer::timeout, this, &ReportPreview::layOutMore);
        // The first page is drawn first; then the rest is laid out (or
        // after a moment, if the window is not drawn at all).
        auto start = [this] {
            if (!m_layoutTimer->isActive() && !m_doc->complete() && !m_doc->failed())
                m_layoutTimer->start();
        };
        m_view->onPainted = start;
        QTimer::singleShot(200, this, start);
    }
}

bool ReportPreview::allPagesReady() const {
    return m_doc->complete();
}

void ReportPreview::layOutMore() {
    const int before = pageCount();
    // Short slices: the window answers between them.
    const bool done = m_doc->layOutMore(15);
    if (m_doc->failed()) {
        m_layoutTimer->stop();
        reject(); // the caller says why
        return;
    }
    if (done)
        m_layoutTimer->stop();
    if (done || pageCount() != before) {
        m_view->pagesChanged(done);
        syncControls();
    }
}

ReportPreview::~ReportPreview() = default;

int ReportPreview::pageCount() const {
    return m_doc->pageCount();
}

int ReportPreview::currentPage() const {
    return m_view->currentPage() + 1;
}

void ReportPreview::setCurrentPage(int page) {
    m_view->showPage(std::clamp(page, 1, std::max(1, pageCount())) - 1);
    syncControls();
}

void ReportPreview::fitWidth() {
    m_view->setFitWidth();
}

void ReportPreview::fitPage() {
    m_view->setFitPage();
}

void ReportPreview::setZoomFactor(double factor) {
    m_view->setZoom(factor);
}

double ReportPreview::zoomFactor() const {
    return m_view->zoom();
}

bool ReportPreview::fitsWidth() const {
    return m_view->fitWidthMode();
}

void ReportPreview::applyZoomText(const QString &text) {
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("Fit Width"), Qt::CaseInsensitive) == 0 ||
        t.compare(QCoreApplication::translate("ReportPreview", "Fit Width"), Qt::CaseInsensitive) ==
            0) {
        fitWidth();
        return;
    }
    if (t.compare(QLatin1String("Whole Page"), Qt::CaseInsensitive) == 0 ||
        t.compare(QCoreApplication::translate("ReportPreview", "Whole Page"),
                  Qt::CaseInsensitive) == 0) {
        fitPage();
        return;
    }
    QString number = t;
    number.remove(u'%');
    bool ok = false;
    const double percent = number.trimmed().toDouble(&ok);
    if (ok && percent > 0)
        setZoomFactor(percent / 100.0);
    else
        syncControls(); // not a zoom: show the one in force again
}

void ReportPreview::syncControls() {
    if (m_syncing)
        return;
    m_syncing = true;
    const int page = currentPage();
    pageBox->setRange(1, std::max(1, pageCount()));
    pageBox->setValue(page);
    // While the report is still being laid out, the pages so far.
    pageCountLabel->setText(
        m_doc->complete()
            ? QCoreApplication::translate("ReportPreview", " of %1 ").arg(pageCount())
            : QCoreApplication::translate("ReportPreview", " of %1+ ").arg(pageCount()));
    firstAction->setEnabled(page > 1);
    previousAction->setEnabled(page > 1);
    nextAction->setEnabled(page < pageCount());
    lastAction->setEnabled(page < pageCount());
    QString zoomText;
    if (m_view->fitWidthMode())
        zoomText = QCoreApplication::translate("ReportPreview", "Fit Width");
    else if (m_view->fitPageMode())
        zoomText = QCoreApplication::translate("ReportPreview", "Whole Page");
    else
        zoomText = QStringLiteral("%1%").arg(std::lround(zoomFactor() * 100));
    if (!zoomBox->lineEdit()->hasFocus())
        zoomBox->setEditText(zoomText);
    zoomInAction->setEnabled(zoomFactor() < PageView::MaxZoom);
    zoomOutAction->setEnabled(zoomFactor() > PageView::MinZoom);
    m_syncing = false;
}

void ReportPreview::printReport() {
    // The print dialog offers every page: the rest is laid out first.
    if (!m_doc->complete()) {
        SteppedProgress progress(
            {QCoreApplication::translate("ReportPreview", "Print"),
             QCoreApplication::translate("ReportControl", "Preparing the report\u2026")});
        if (!m_doc->finish([&](int done, int) { return progress.step(done); }))
            return;
        m_view->pagesChanged(true);
        syncControls();
    }
    QString why;
    auto printer = reportPrinters().choosePrinter(this, pageCount(), &why);
    if (!printer) {
        if (!why.isEmpty())
            msgBox(why + QCoreApplication::translate(
                             "ReportPreview", " Use Save as PDF to keep the report as a file."),
                   MsgButtons::Ok, MsgIcon::Exclamation,
                   QCoreApplication::translate("ReportPreview", "Print"));
        return;
    }
    dialogs().setWaitCursor(true);
    // Page by page, the window answering between pages. A print job
    // cannot be taken back half-sent: the box has no Cancel.
    SteppedProgress progress(
        {QCoreApplication::translate("ReportPreview", "Print"),
         QCoreApplication::translate("ReportPreview", "Printing %1\u2026").arg(m_doc->title()),
         false});
    const bool ok = corv::printReport(*m_doc, *printer, &why, [&](int done, int total) {
        progress.step(done, total);
        return true;
    });
    dialogs().setWaitCursor(false);
    if (!ok)
        msgBox(why, MsgButtons::Ok, MsgIcon::Exclamation,
               QCoreApplication::translate("ReportPreview", "Print"));
}

void ReportPreview::saveAsPdf() {
    FileRequest request;
    request.title = QCoreApplication::translate("ReportPreview", "Save as PDF");
    request.filter = QCoreApplication::translate("ReportPreview", "PDF Files (*.pdf)|*.pdf");
    request.initialFolder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (request.initialFolder.isEmpty() || !QDir(request.initialFolder).exists())
        request.initialFolder = QDir::homePath();
    request.fileName = m_doc->title() + QStringLiteral(".pdf");
    request.flags = FileHideReadOnly | FileExplorer | FilePathMustExist | FileOverwritePrompt;
    const auto chosen = dialogs().saveFile(request);
    if (!chosen || chosen->trimmed().isEmpty())
        return;
    QString path = *chosen;
    if (!path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) {
        // The dialog asked about the name as typed, not this one.
        path += QStringLiteral(".pdf");
        if (QFileInfo::exists(path) &&
            !askYesNo(QCoreApplication::translate("ReportPreview",
                                                  "%1 already exists.\nDo you want to replace it?")
                          .arg(QDir::toNativeSeparators(path)),
                      QCoreApplication::translate("ReportPreview", "Save as PDF"),
                      MsgIcon::Exclamation))
            return;
    }
    QString why;
    dialogs().setWaitCursor(true);
    // Page by page, the window answering between pages; Cancel leaves the
    // file as it was.
    SteppedProgress progress({QCoreApplication::translate("ReportPreview", "Save as PDF"),
                              QCoreApplication::translate("ReportPreview", "Saving %1\u2026")
                                  .arg(QDir::toNativeSeparators(QFileInfo(path).fileName()))});
    const bool ok = m_doc->writePdf(
        path, &why, [&](int done, int total) { return progress.step(done, total); });
    dialogs().setWaitCursor(false);
    if (m_doc->complete()) {
        m_view->pagesChanged(true);
        syncControls();
    }
    if (!ok && !why.isEmpty())
        msgBox(why, MsgButtons::Ok, MsgIcon::Exclamation,
               QCoreApplication::translate("ReportPreview", "Save as PDF"));
}

bool ReportPreview::renderFirstPage() {
    m_view->viewport()->repaint();
    return m_view->pagesDrawn() > 0;
}

} // namespace corv
