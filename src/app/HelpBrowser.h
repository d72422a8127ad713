// Shows Corvella's help book: inside the program (Help > Browse Help) and
// as the separate help viewer program (Help > Help Contents).
#pragma once

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

private:
    QTextBrowser *m_browser;
    QToolButton *m_back, *m_forward, *m_contents;
    QString m_file;
};

} // namespace corv
