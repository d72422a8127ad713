#include "HelpBrowser.h"

#include "Artwork.h"

#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QRegularExpression>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

namespace corv {

namespace {

// The book's pages as the paper they are shown on asks: as written on light
// paper, with every colour turned over on dark paper.
class BookPages : public QTextBrowser {
public:
    explicit BookPages(QWidget *parent) : QTextBrowser(parent) {}
    bool night = false;

    QVariant loadResource(int type, const QUrl &name) override {
        QVariant page = QTextBrowser::loadResource(type, name);
        if (!night || type != QTextDocument::HtmlResource)
            return page;
        const QString html = page.typeId() == QMetaType::QByteArray
                                 ? QString::fromUtf8(page.toByteArray())
                                 : page.toString();
        return HelpBrowser::nightPage(html);
    }
};

} // namespace

QColor HelpBrowser::nightColour(const QColor &day) {
    int h = 0, s = 0, l = 0;
    day.toHsl().getHsl(&h, &s, &l);
    // White becomes a near-black paper, never pure black; the book's dark
    // ink becomes a soft light grey.
    return QColor::fromHsl(h, s, 24 + (255 - l) * 82 / 100);
}

QString HelpBrowser::nightPage(const QString &html) {
    static const QRegularExpression hex(QStringLiteral("#[0-9a-fA-F]{6}\\b"));
    QString out;
    out.reserve(html.size());
    qsizetype at = 0;
    for (auto it = hex.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out += QStringView(html).mid(at, m.capturedStart() - at);
        out += nightColour(QColor(m.captured())).name();
        at = m.capturedEnd();
    }
    out += QStringView(html).mid(at);
    return out;
}

QSize HelpBrowser::fittingSize(const QSize &available) {
    // Room for the window system's title bar and frame.
    return QSize(qMax(320, qMin(820, available.width() - 40)),
                 qMax(240, qMin(640, available.height() - 64)));
}

HelpBrowser::HelpBrowser(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("HelpBrowser"));
    setWindowTitle(QStringLiteral("Corvella Help"));
    auto *pages = new BookPages(this);
    m_browser = pages;
    // The page has no label to take a name from.
    m_browser->setAccessibleName(tr("Help page"));
    m_browser->setOpenLinks(true);
    m_browser->setOpenExternalLinks(true);
    // The book is printed on paper of the desktop's kind: its pages set
    // their own dark text on white, turned over on a dark desktop, and what
    // they leave to the palette (list bullets, a page without colours)
    // must match them.
    pages->night = Artwork::isDark(palette());
    auto ink = [&](const QColor &day) { return pages->night ? nightColour(day) : day; };
    QPalette paper = m_browser->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        paper.setColor(group, QPalette::Base, ink(Qt::white));
        paper.setColor(group, QPalette::Text, ink(QColor(0x1e, 0x2b, 0x30)));
        paper.setColor(group, QPalette::Link, ink(QColor(0x0f, 0x6f, 0x7c)));
    }
    m_browser->setPalette(paper);
    m_back = new QToolButton(this);
    m_back->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));
    m_back->setText(tr("Back"));
    m_forward = new QToolButton(this);
    m_forward->setIcon(style()->standardIcon(QStyle::SP_ArrowForward));
    // It shows only its arrow; a screen reader says its name.
    m_forward->setAccessibleName(tr("Forward"));
    m_contents = new QToolButton(this);
    m_contents->setText(tr("Contents"));
    m_contents->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_contents->setToolTip(tr("Back to the table of contents"));
    m_back->setEnabled(false);
    m_forward->setEnabled(false);
    connect(m_back, &QToolButton::clicked, this, &HelpBrowser::goBack);
    connect(m_forward, &QToolButton::clicked, this, &HelpBrowser::goForward);
    connect(m_contents, &QToolButton::clicked, this, &HelpBrowser::showContents);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QToolButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QToolButton::setEnabled);
    // Alt+Left and Alt+Right, wherever the focus is in the viewer.
    for (auto [keys, slot] : {std::pair{Qt::ALT | Qt::Key_Left, &HelpBrowser::goBack},
                              std::pair{Qt::ALT | Qt::Key_Right, &HelpBrowser::goForward}}) {
        auto *shortcut = new QShortcut(QKeySequence(keys), this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, slot);
    }
    m_back->setToolTip(tr("Back (Alt+Left)"));
    m_forward->setToolTip(tr("Forward (Alt+Right)"));

    auto *bar = new QHBoxLayout;
    bar->setContentsMargins(4, 4, 4, 0);
    bar->addWidget(m_back);
    bar->addWidget(m_forward);
    bar->addWidget(m_contents);
    bar->addStretch(1);
    auto *all = new QVBoxLayout(this);
    all->setContentsMargins(0, 0, 0, 0);
    all->setSpacing(2);
    all->addLayout(bar);
    all->addWidget(m_browser, 1);
}

bool HelpBrowser::load(const QString &helpFile) {
    m_file = helpFile;
    QFile f(helpFile);
    if (!QFileInfo(helpFile).isFile() || !f.open(QIODevice::ReadOnly)) {
        m_browser->setHtml(
            QStringLiteral("<h2>The help file cannot be opened</h2>"
                           "<p>Corvella's help book was not found at:</p><p><code>%1</code></p>"
                           "<p>It is normally the file CORVELLA.HLP in Corvella's program folder. "
                           "Its location is the <code>Filename</code> key of the "
                           "<code>[HelpFile]</code> section of Corvella's settings.</p>")
                .arg(helpFile.toHtmlEscaped()));
        return false;
    }
    f.close();
    // Shown as the page it is (not as text put into the viewer), so that
    // following a link is a step Back and Forward can retrace.
    m_browser->setSearchPaths({QFileInfo(helpFile).absolutePath()});
    m_browser->clearHistory();
    m_browser->setSource(QUrl::fromLocalFile(QFileInfo(helpFile).absoluteFilePath()),
                         QTextDocument::HtmlResource);
    return true;
}

void HelpBrowser::dropLinkFocus() {
    QScrollBar *v = m_browser->verticalScrollBar();
    QScrollBar *h = m_browser->horizontalScrollBar();
    const int top = v->value(), left = h->value();
    QTextCursor cursor = m_browser->textCursor();
    cursor.clearSelection();
    m_browser->setTextCursor(cursor);
    v->setValue(top);
    h->setValue(left);
}

void HelpBrowser::goBack() {
    dropLinkFocus();
    m_browser->backward();
}

void HelpBrowser::goForward() {
    dropLinkFocus();
    m_browser->forward();
}

void HelpBrowser::showContents() {
    m_browser->scrollToAnchor(QStringLiteral("contents"));
    m_browser->moveCursor(QTextCursor::Start);
    m_browser->ensureCursorVisible();
}

} // namespace corv
