// Shows Corvella's help book: inside the program (Help > Browse Help) and
// as the separate help viewer program (Help > Help Contents).
#pragma once

#include <QColor>
#include <QWidget>

class QTextBrowser;
class QToolButton;

namespace corv {

class HelpBrowser : public QWidget {
    Q_OBJECT
public:
    explicit HelpBrowser(QWidget *parent = nullptr);

    // Loads the help file; a missing or unreadable file is said in the page.
    bool load(const QString &helpFile);
    void showContents();
    QString helpFile() const { return m_file; }
    QTextBrowser *browser() const { return m_browser; }
    // A step back or forward in the pages read, each shown where it was
    // left.
    void goBack();
    void goForward();

    // The viewer's size on a screen whose free area is `available`: its
    // designed 820 x 640, smaller where that would not fit with a title
    // bar and frame.
    static QSize fittingSize(const QSize &available);
    // The book's colours for dark paper: each colour with its lightness
    // turned over, its hue kept, so dark text on light paper becomes light
    // text on dark paper and the book's tints keep their meaning.
    static QColor nightColour(const QColor &day);
    // `html` with every #rrggbb colour so turned.
    static QString nightPage(const QString &html);

private:
    // The browser keeps its text cursor on the link last followed; a step
    // back or forward would scroll to that link rather than to where the
    // page was left, so the cursor leaves it first, the view staying put.
    void dropLinkFocus();

    QTextBrowser *m_browser;
    QToolButton *m_back, *m_forward, *m_contents;
    QString m_file;
};

} // namespace corv
