#include "HelpBrowser.h"

#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QShortcut>
#include <QStyle>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

namespace corv {

HelpBrowser::HelpBrowser(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("HelpBrowser"));
    setWindowTitle(QStringLiteral("Corvella Help"));
    m_browser = new QTextBrowser(this);
    m_browser->setOpenLinks(true);
    m_browser->setOpenExternalLinks(true);
    // The book is printed on light paper whatever the desktop's colours: its
    // pages set their own dark text on white, and what they leave to the
    // palette (list bullets, a page without colours) must match them.
    QPalette paper = m_browser->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        paper.setColor(group, QPalette::Base, Qt::white);
        paper.setColor(group, QPalette::Text, QColor(0x1e, 0x2b, 0x30));
        paper.setColor(group, QPalette::Link, QColor(0x0f, 0x6f, 0x7c));
    }
    m_browser->setPalette(paper);
    m_back = new QToolButton(this);
    m_back->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));
    m_back->setText(tr("Back"));
    m_forward = new QToolButton(this);
    m_forward->setIcon(style()->standardIcon(QStyle::SP_ArrowForward));
    m_contents = new QToolButton(this);
    m_contents->setText(tr("Contents"));
    m_contents->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_contents->setToolTip(tr("Back to the table of contents"));
    m_back->setEnabled(false);
    m_forward->setEnabled(false);
    connect(m_back, &QToolButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QToolButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_contents, &QToolButton::clicked, this, &HelpBrowser::showContents);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QToolButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QToolButton::setEnabled);
    // Alt+Left and Alt+Right, wherever the focus is in the viewer.
    for (auto [keys, slot] : {std::pair{Qt::ALT | Qt::Key_Left, &QTextBrowser::backward},
                              std::pair{Qt::ALT | Qt::Key_Right, &QTextBrowser::forward}}) {
        auto *shortcut = new QShortcut(QKeySequence(keys), this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, m_browser, slot);
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

void HelpBrowser::showContents() {
    m_browser->scrollToAnchor(QStringLiteral("contents"));
    m_browser->moveCursor(QTextCursor::Start);
    m_browser->ensureCursorVisible();
}

} // namespace corv
