// The report's preview window: the pages one below the other on a grey
// desk, drawn only when they come into view, with page navigation, zoom,
// Print and Save as PDF.
#pragma once

#include <QDialog>
#include <memory>

class QAction;
class QComboBox;
class QLabel;
class QSpinBox;
class QTimer;
class QToolBar;

namespace corv {

class ReportDocument;
class PageView;

class ReportPreview : public QDialog {
    Q_OBJECT
public:
    ReportPreview(std::shared_ptr<ReportDocument> document, QWidget *parent = nullptr);
    ~ReportPreview() override;

    const ReportDocument &document() const { return *m_doc; }
    int pageCount() const;
    // 1-based: the page in the middle of the view.
    int currentPage() const;
    void setCurrentPage(int page);

    // Zoom: fit the page's width or the whole page into the window, or a
    // factor where 1 is the paper's real size.
    void fitWidth();
    void fitPage();
    void setZoomFactor(double factor);
    double zoomFactor() const;
    bool fitsWidth() const;

    // The toolbar's commands.
    void printReport();
    void saveAsPdf();

    // Draws what the window shows now; true when at least the first page was
    // drawn. For measuring how soon the preview shows its first page.
    bool renderFirstPage();
    // True once every page of the report is laid out and can be shown.
    bool allPagesReady() const;

    QAction *printAction, *pdfAction, *firstAction, *previousAction, *nextAction, *lastAction,
        *zoomInAction, *zoomOutAction, *closeAction;
    QSpinBox *pageBox;
    QLabel *pageCountLabel;
    QComboBox *zoomBox;

private:
    void layOutMore();
    void syncControls();
    void applyZoomText(const QString &text);

    std::shared_ptr<ReportDocument> m_doc;
    QToolBar *m_toolBar;
    PageView *m_view;
    bool m_syncing = false;
    QTimer *m_layoutTimer = nullptr;
};

} // namespace corv
