#include "frmChart.h"

#include "app/CorvModule.h"
#include "app/Settings.h"
#include "app/mdiCorvella.h"
#include "charts/ChartData.h"
#include "charts/ChartImage.h"
#include "charts/frmChartPrint.h"
#include "charts/frmImageSize.h"
#include "data/MaintenanceLog.h"
#include "data/TargetRanges.h"
#include "forms/Controls.h"
#include "forms/DataControl.h"
#include "forms/RecordForm.h"
#include "forms/WindowSupport.h"
#include "forms/frmJournal.h"
#include "platform/Accessibility.h"
#include "platform/Conversions.h"
#include "platform/Dialogs.h"
#include "platform/Progress.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>

namespace corv {

frmChart::frmChart(QWidget *parent) : ModalWindow(parent) {
    setObjectName(QStringLiteral("frmChart"));
    setWindowTitle(QStringLiteral("CorvChart"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    setSizeGripEnabled(true);

    // The record source is never shown: the chart is what the user sees.
    ChartData = new DataControl(this);
    ChartData->setObjectName(QStringLiteral("ChartData"));
    ChartData->hide();

    fraItems = new QGroupBox(
        QCoreApplication::translate("frmChart", "Check the items you want to chart"), this);
    fraItems->setObjectName(QStringLiteral("fraItems"));
    const QVector<ChartParameter> &params = chartParameters();
    auto *items = new QGridLayout(fraItems);
    items->setHorizontalSpacing(12);
    items->setVerticalSpacing(4);
    // Two columns, read down the first and then the second, as a list is.
    const int perColumn = (int(params.size()) + 1) / 2;
    for (int i = 0; i < params.size(); ++i) {
        auto *box = new QCheckBox(params[i].caption, fraItems);
        box->setObjectName(params[i].checkBox);
        m_checks.push_back(box);
        items->addWidget(box, i % perColumn, i / perColumn);
    }

    auto *dates = new QGroupBox(
        QCoreApplication::translate("frmChart", "Select date range or leave blank for all:"), this);
    dates->setObjectName(QStringLiteral("fraDates"));
    txtFromDate = new TextBox(dates);
    txtFromDate->setObjectName(QStringLiteral("txtFromDate"));
    txtToDate = new TextBox(dates);
    txtToDate->setObjectName(QStringLiteral("txtToDate"));
    auto *dateRow = new QGridLayout(dates);
    int col = 0;
    for (auto [caption, box] :
         {std::pair{QCoreApplication::translate("frmChart", "&From:"), txtFromDate},
          std::pair{QCoreApplication::translate("frmChart", "&To:"), txtToDate}}) {
        auto *l = new QLabel(caption, dates);
        l->setBuddy(box);
        l->setToolTip(userDateFormatName());
        box->setToolTip(userDateFormatName());
        box->setPlaceholderText(userDateFormatName());
        highlightOnFocus(box);
        dateRow->addWidget(l, 0, col++);
        dateRow->addWidget(box, 0, col++);
        dateRow->setColumnStretch(col - 1, 1);
    }

    auto *typeLabel =
        new QLabel(QCoreApplication::translate("frmChart", "Select a chart t&ype:"), this);
    cboChartType = new QComboBox(this);
    cboChartType->setObjectName(QStringLiteral("cboChartType"));
    const QStringList types = chartTypeItems();
    for (int i = 0; i < types.size(); ++i)
        cboChartType->addItem(types[i], i);
    typeLabel->setBuddy(cboChartType);

    chkTargetRanges =
        new QCheckBox(QCoreApplication::translate("frmChart", "Show target &ranges"), this);
    chkTargetRanges->setObjectName(QStringLiteral("chkTargetRanges"));
    chkTargetRanges->setToolTip(QCoreApplication::translate(
        "frmChart", "Shade each parameter's target range (Options > Target Ranges) behind "
                    "its values, for the default tank's water type. Flat charts only."));
    chkSpaceByDate = new QCheckBox(QCoreApplication::translate("frmChart", "Space by &date"), this);
    chkSpaceByDate->setObjectName(QStringLiteral("chkSpaceByDate"));
    chkSpaceByDate->setToolTip(QCoreApplication::translate(
        "frmChart", "Place each entry at its date, so irregular tests show the real trend. "
                    "2D Line, 2D Area and 2D Step only."));

    chkMaintenance =
        new QCheckBox(QCoreApplication::translate("frmChart", "Show &maintenance"), this);
    chkMaintenance->setObjectName(QStringLiteral("chkMaintenance"));
    chkMaintenance->setToolTip(QCoreApplication::translate(
        "frmChart", "Mark each entry of the maintenance log (water changes with their share) "
                    "on the time axis, so you see what a change did. Flat charts only."));

    cmdChart = new QPushButton(QCoreApplication::translate("frmChart", "Chart"), this);
    cmdChart->setObjectName(QStringLiteral("cmdChart"));
    cmdChart->setDefault(true);
    cmdPrint = new QPushButton(QCoreApplication::translate("frmChart", "Print"), this);
    cmdPrint->setObjectName(QStringLiteral("cmdPrint"));
    cmdPrint->setAutoDefault(false);
    cmdSaveImage =
        new QPushButton(QCoreApplication::translate("frmChart", "Save &Image\u2026"), this);
    cmdSaveImage->setObjectName(QStringLiteral("cmdSaveImage"));
    cmdSaveImage->setAutoDefault(false);
    cmdSaveImage->setToolTip(
        QCoreApplication::translate("frmChart", "Save the chart as shown as a PNG image or an SVG "
                                                "drawing, at a size you choose."));
    cmdClose = new QPushButton(QCoreApplication::translate("frmChart", "Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setAutoDefault(false);

    CorvChart = new corv::CorvChart(this);
    CorvChart->setObjectName(QStringLiteral("CorvChart"));
    CorvChart->setMinimumSize(360, 260);
    CorvChart->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    // It takes the focus (its keys zoom), so a screen reader names it.
    setAccessibleRole(CorvChart, QAccessible::Chart);
    CorvChart->setAccessibleName(tr("Journal chart"));
    CorvChart->setToolTip(corv::CorvChart::zoomHint());
    CorvChart->setAccessibleDescription(corv::CorvChart::zoomHint());

    connect(cmdChart, &QPushButton::clicked, this, &frmChart::cmdChart_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &frmChart::cmdPrint_Click);
    connect(cmdSaveImage, &QPushButton::clicked, this, &frmChart::cmdSaveImage_Click);
    connect(chkTargetRanges, &QCheckBox::clicked, this, &frmChart::chkTargetRanges_Click);
    connect(chkSpaceByDate, &QCheckBox::clicked, this, &frmChart::chkSpaceByDate_Click);
    connect(chkMaintenance, &QCheckBox::clicked, this, &frmChart::chkMaintenance_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmChart::cmdClose_Click);
    // A pick with the mouse or the keys, or typing in the list, alike.
    connect(cboChartType, &QComboBox::currentIndexChanged, this, &frmChart::cboChartType_Click);

    auto *switches = new QHBoxLayout;
    switches->setSpacing(12);
    switches->addWidget(chkTargetRanges);
    switches->addWidget(chkSpaceByDate);
    switches->addWidget(chkMaintenance);
    switches->addStretch(1);

    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(6);
    for (QPushButton *b : {cmdChart, cmdPrint, cmdSaveImage, cmdClose}) {
        b->setMinimumWidth(64);
        buttons->addWidget(b);
    }

    auto *side = new QVBoxLayout;
    side->setSpacing(10);
    side->addWidget(fraItems);
    side->addWidget(dates);
    side->addWidget(typeLabel);
    side->addWidget(cboChartType);
    side->addLayout(switches);
    side->addStretch(1);
    side->addLayout(buttons);

    auto *all = new QHBoxLayout(this);
    all->setContentsMargins(10, 10, 10, 10);
    all->setSpacing(12);
    all->addLayout(side);
    all->addWidget(CorvChart, 1);

    // Tab runs down the side: the items, the dates, the type, the switches,
    // the buttons; then into the chart, whose keys zoom.
    QWidget *previous = nullptr;
    QVector<QWidget *> order;
    for (QCheckBox *b : m_checks)
        order << b;
    order << txtFromDate << txtToDate << cboChartType << chkTargetRanges << chkSpaceByDate
          << chkMaintenance << cmdChart << cmdPrint << cmdSaveImage << cmdClose << CorvChart;
    for (QWidget *w : order) {
        if (previous)
            setTabOrder(previous, w);
        previous = w;
    }
    CorvChart->setFocusPolicy(Qt::StrongFocus);
    fitToMainWindow();
}

frmChart::~frmChart() = default;

QCheckBox *frmChart::checkBox(const QString &name) const {
    for (QCheckBox *b : m_checks)
        if (b->objectName() == name)
            return b;
    return nullptr;
}

void frmChart::fitToMainWindow() {
    // The chart wants room: take the main window's working area, less a
    // margin so the window still reads as a window over it. The window
    // manager's frame is not known before the window is shown; the main
    // window's own frame is the best guess of it.
    QRect area;
    QSize decoration(16, 40);
    if (mdiCorvella *m = mdiCorvella::instance(); m && m->isVisible()) {
        QWidget *space = m->mdiArea ? static_cast<QWidget *>(m->mdiArea) : m;
        area = QRect(space->mapToGlobal(QPoint(0, 0)), space->size());
        const QSize frame = m->frameGeometry().size() - m->geometry().size();
        if (frame.width() >= 0 && frame.height() >= 0)
            decoration = frame;
    } else if (QScreen *s = screen()) {
        area = s->availableGeometry();
    }
    const QSize least = minimumSizeHint().expandedTo(QSize(820, 520));
    if (area.isEmpty()) {
        resize(least.expandedTo(QSize(980, 620)));
        return;
    }
    const QSize want = area.size() - decoration - QSize(16, 8);
    const QSize size = want.expandedTo(least);
    resize(size);
    const QSize outer = size + decoration;
    move(area.left() + (area.width() - outer.width()) / 2,
         area.top() + std::max(0, (area.height() - outer.height()) / 2));
}

QVector<bool> frmChart::ticked() const {
    QVector<bool> t;
    for (QCheckBox *b : m_checks)
        t << b->isChecked();
    return t;
}

bool frmChart::Form_Load() {
    // Without a default tank there is no journal to chart.
    if (!requireDefaultTank())
        return false;
    ChartData->setDatabaseName(CorvModule::DatabasePath);
    cboChartType->blockSignals(true);
    cboChartType->setCurrentIndex(0);
    cboChartType->blockSignals(false);
    CorvChart->setChartType(0);
    // The two switches are the user's, kept from one opening to the next.
    chkTargetRanges->setChecked(Settings::chartShowTargetRanges());
    chkSpaceByDate->setChecked(Settings::chartSpaceByDate());
    CorvChart->setBandsVisible(chkTargetRanges->isChecked());
    CorvChart->setSpaceByDate(chkSpaceByDate->isChecked());
    chkMaintenance->setChecked(Settings::chartShowMaintenance());
    CorvChart->setMarkersVisible(chkMaintenance->isChecked());
    enableSwitches();
    const QVector<bool> defaults = defaultChartSelection();
    for (int i = 0; i < m_checks.size(); ++i)
        m_checks[i]->setChecked(i < defaults.size() && defaults[i]);
    // The first run opens the record source; a missing database file is
    // looked for, and giving up closes the window.
    return chartRun();
}

bool frmChart::BuildChartData() {
    const ChartQuery q =
        planChartQuery(CorvModule::CurrentTankID, txtFromDate->text(), txtToDate->text());
    // Each box shows what was made of it; a bad date is said and left out.
    txtFromDate->setText(q.from.text);
    txtToDate->setText(q.to.text);
    for (auto [check, box] : {std::pair{q.from, txtFromDate}, std::pair{q.to, txtToDate}}) {
        if (check.state != DateBoxCheck::Invalid)
            continue;
        msgBox(withUserDateFormat(chartText::tr(chartText::InvalidDate)), MsgButtons::Ok,
               MsgIcon::Exclamation, chartText::tr(chartText::DateErrorTitle));
        box->setFocus(Qt::OtherFocusReason);
    }
    m_rowCount = 0;
    // Opened on the journal's fields alone: the rows are read off the event
    // loop (chartRun), and reading each entry's key here first would hold
    // the window up.
    return runGuarded(*ChartData, [this, &q] {
        ChartData->setRecordSource(q.fieldsSource);
        ChartData->Refresh();
        ChartData->setRecordSource(q.recordSource);
    });
}

void frmChart::cmdChart_Click() {
    chartRun();
}

bool frmChart::chartRun() {
    CorvModule::ChartInputError = false;
    if (!BuildChartData())
        return false; // the user gave up looking for the database
    CorvChart->setRepaintEnabled(false);
    const QVector<bool> chosen = ticked();
    const int columns = int(std::count(chosen.begin(), chosen.end(), true));
    // Emptied until the run's rows are read: a grid of the run's size would
    // only be thrown away.
    CorvChart->setDataGridSize(1, 1, 0, columns);
    CorvChart->setColumnCount(columns);
    ChartPlot plot;
    plot.gridLines = true;
    plot.labelPointSize = 8;
    CorvChart->setPlot(plot);
    CorvChart->setShowLegend(false);
    // All rows in one pass, as numbers; a cell that is no number (or empty)
    // charts 0. A journal of many thousand entries takes a while to read:
    // it is read off the event loop, and Cancel leaves the chart empty.
    DbError error;
    ChartRead rows;
    const QString source = ChartData->RecordSource();
    const bool read =
        runWithProgress({QStringLiteral("CorvChart"),
                         QCoreApplication::translate("frmChart", "Reading the journal\u2026")},
                        [&](TaskProgress &progress) {
                            rows = readChartContent(ChartData->records(), source, chosen, &error,
                                                    [&](qint64 done, qint64 total) {
                                                        return progress.step(done, total);
                                                    });
                        });
    if (!read) {
        CorvChart->setColumnBands({});
        CorvChart->setRepaintEnabled(true);
        return true;
    }
    m_rowCount = rows.content.rows();
    if (!error.ok()) {
        msgBox(QCoreApplication::translate("frmChart", "Data error: ") + error.description,
               MsgButtons::Ok, MsgIcon::Exclamation);
    } else if (m_rowCount < 1) {
        msgBox(chartText::tr(chartText::NoRecords), MsgButtons::Ok, MsgIcon::Exclamation,
               chartText::tr(chartText::NoRecordsTitle));
        CorvModule::ChartInputError = true;
        // The grid is empty now; the chart must show that, not keep the
        // previous run's picture, nor its target bands.
        CorvChart->setColumnBands({});
        CorvChart->setRepaintEnabled(true);
        return true;
    }
    CorvChart->setContent(std::move(rows.content));
    CorvChart->setRowDates(rows.dates);
    // The log is read with each run: an entry may have been made since.
    CorvChart->setMarkers(
        maintenanceEvents(ChartData->DatabaseName(), CorvModule::CurrentTankID, QDate(), QDate()));
    // The ranges and the tank's type are read for each run: either may have
    // changed since the window opened.
    m_waterType = CorvModule::defaultTankType();
    CorvChart->setColumnBands(chartBands(TargetRanges::load(), m_waterType, chosen));
    CorvChart->setShowLegend(true);
    CorvChart->setRepaintEnabled(true);
    return true;
}

void frmChart::cboChartType_Click() {
    CorvChart->setChartType(chartTypeForItem(cboChartType->currentData().toInt()));
    enableSwitches();
}

void frmChart::enableSwitches() {
    const int code = CorvChart->chartType();
    chkTargetRanges->setEnabled(corv::CorvChart::drawsBands(code));
    chkSpaceByDate->setEnabled(corv::CorvChart::spacesByDate(code));
    chkMaintenance->setEnabled(corv::CorvChart::drawsBands(code));
}

void frmChart::chkTargetRanges_Click() {
    const bool on = chkTargetRanges->isChecked();
    Settings::setChartShowTargetRanges(on);
    CorvChart->setBandsVisible(on);
}

void frmChart::chkMaintenance_Click() {
    const bool on = chkMaintenance->isChecked();
    Settings::setChartShowMaintenance(on);
    CorvChart->setMarkersVisible(on);
}

void frmChart::chkSpaceByDate_Click() {
    const bool on = chkSpaceByDate->isChecked();
    Settings::setChartSpaceByDate(on);
    CorvChart->setSpaceByDate(on);
}

void frmChart::cmdSaveImage_Click() {
    FileRequest request;
    request.title = chartImageText::Title;
    request.filter = chartImageText::Filter;
    request.fileName = QStringLiteral("CorvChart.png");
    request.initialFolder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (request.initialFolder.isEmpty() || !QDir(request.initialFolder).exists())
        request.initialFolder = QDir::homePath();
    request.flags = FileHideReadOnly | FileExplorer | FilePathMustExist | FileOverwritePrompt;
    const auto chosen = dialogs().saveFile(request);
    if (!chosen || chosen->trimmed().isEmpty())
        return;
    QString file = *chosen;
    const auto format = imageFormatFor(&file);
    if (!format) {
        msgBox(chartImageText::BadType, MsgButtons::Ok, MsgIcon::Exclamation,
               chartImageText::Title);
        return;
    }
    // The dialog asked about replacing the name as typed; ".png" added to
    // it may name another file that exists.
    if (file != *chosen && QFileInfo::exists(file) &&
        !askYesNo(chartImageText::replaceQuestion(file), chartImageText::Title,
                  MsgIcon::Exclamation))
        return;

    frmImageSize size(CorvChart->pictureSize(), this);
    if (dialogs().execModal(size) != QDialog::Accepted || size.chosenSize().isEmpty())
        return;
    QString error;
    dialogs().setWaitCursor(true);
    // A large picture takes seconds to compress: the window goes on
    // answering, and after a moment a progress box offers Cancel.
    std::unique_ptr<QProgressDialog> progress;
    QElapsedTimer clock;
    clock.start();
    auto stillWanted = [&] {
        if (!progress && clock.elapsed() > 400) {
            progress = std::make_unique<QProgressDialog>(
                QCoreApplication::translate("frmChart", "Saving the chart as %1\u2026")
                    .arg(QDir::toNativeSeparators(QFileInfo(file).fileName())),
                QCoreApplication::translate("frmChart", "Cancel"), 0, 0, this);
            progress->setWindowTitle(chartImageText::Title);
            // Nothing else can be done meanwhile: the chart must stay.
            progress->setWindowModality(Qt::ApplicationModal);
            progress->setMinimumDuration(0);
            progress->show();
        }
        QCoreApplication::processEvents(progress ? QEventLoop::AllEvents
                                                 : QEventLoop::ExcludeUserInputEvents);
        return !(progress && progress->wasCanceled());
    };
    const bool saved =
        saveChartImage(*CorvChart, file, *format, size.chosenSize(), &error, stillWanted);
    progress.reset();
    dialogs().setWaitCursor(false);
    if (!saved && !error.isEmpty())
        msgBox(error, MsgButtons::Ok, MsgIcon::Exclamation, chartImageText::Title);
}

void frmChart::cmdPrint_Click() {
    // The printing window does its whole job while it loads and closes
    // itself; nothing of it is left to show afterwards.
    frmChartPrint job(*CorvChart, this);
    job.Form_Load();
}

void frmChart::Form_Unload() {
    ChartData->DatabaseClose();
    ModalWindow::Form_Unload();
}

} // namespace corv
