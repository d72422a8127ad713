#include "WindowTable.h"

#include "RecordSources.h"

#include <QCoreApplication>
#include <algorithm>
#include <tuple>

namespace corv {

namespace {

constexpr CommandStates AllOn{true, true, true, true};
constexpr CommandStates AllOff{false, false, false, false};

const PrintTarget journalReport{QT_TRANSLATE_NOOP("corv::WindowTable", "Print Journal Record(s)"),
                                QT_TRANSLATE_NOOP("corv::WindowTable", "All Records This Tank"),
                                true, "journal.rpt", "JournalReport"};
const PrintTarget stockReport{QT_TRANSLATE_NOOP("corv::WindowTable", "Print Livestock Record(s)"),
                              QT_TRANSLATE_NOOP("corv::WindowTable", "All Records This Tank"), true,
                              "stock.rpt", "StockReport"};
const PrintTarget diseaseReport{QT_TRANSLATE_NOOP("corv::WindowTable", "Print Disease Record(s)"),
                                QT_TRANSLATE_NOOP("corv::WindowTable", "All Records"), false,
                                "disease.rpt", "DiseaseReport"};
const PrintTarget glossaryReport{QT_TRANSLATE_NOOP("corv::WindowTable", "Print Glossary Record(s)"),
                                 QT_TRANSLATE_NOOP("corv::WindowTable", "All Records"), false,
                                 "glossary.rpt", "GlossaryReport"};

const SearchFields journalSearch{QT_TRANSLATE_NOOP("corv::WindowTable", "Date:"), "EntryDate",
                                 nullptr, nullptr};
const SearchFields stockSearch{
    QT_TRANSLATE_NOOP("corv::WindowTable", "Date Acquired:"), "DateAcquired",
    QT_TRANSLATE_NOOP("corv::WindowTable", "Common Name:"), "CommonName"};
const SearchFields diseaseSearch{
    QT_TRANSLATE_NOOP("corv::WindowTable", "Common Name:"), "CommonName",
    QT_TRANSLATE_NOOP("corv::WindowTable", "Scientific Name:"), "ScientificName"};
const SearchFields glossarySearch{QT_TRANSLATE_NOOP("corv::WindowTable", "Term:"), "Term", nullptr,
                                  nullptr};
const PrintTarget maintenanceReport{
    QT_TRANSLATE_NOOP("corv::WindowTable", "Print Maintenance Record(s)"),
    QT_TRANSLATE_NOOP("corv::WindowTable", "All Records This Tank"), true, "maintenance.rpt",
    "MaintenanceReport"};
const SearchFields maintenanceSearch{QT_TRANSLATE_NOOP("corv::WindowTable", "Date:"), "EntryDate",
                                     QT_TRANSLATE_NOOP("corv::WindowTable", "Kind:"), "Kind"};

const IndexSource diseaseIndex{&sources::diseaseIndex, "CommonName"};
const IndexSource glossaryIndex{&sources::glossaryIndex, "Term"};

// The diseases and glossary windows take Add and Delete from the toolbar
// only; their menu items stay greyed. The tank window has no search and no
// report; the calculator takes no record command at all.
const QVector<WindowKind> table = {
    {FormKind::Diseases,
     "Diseases",
     "mnuCommonDiseases",
     QT_TRANSLATE_NOOP("corv::WindowTable", "Common &Diseases"),
     QT_TRANSLATE_NOOP("corv::ToolBar", "Diseases"),
     "diseases",
     {2, 0},
     QT_TRANSLATE_NOOP("corv::WindowTable", "Browse the common disease database."),
     "Diseases",
     AllOn,
     {true, false, false, true},
     QT_TRANSLATE_NOOP("corv::WindowTable", "Add Diseases Record."),
     QT_TRANSLATE_NOOP("corv::WindowTable", "Delete Diseases Record."),
     QT_TRANSLATE_NOOP("corv::WindowTable", "Search for a Disease Record."),
     QT_TRANSLATE_NOOP("corv::WindowTable", "Print Disease Reports."),
     false,
     &diseaseReport,
     &diseaseSearch,
     &diseaseIndex,
     TransferTable::Disease},
    {FormKind::Glossary,
     "Glossary",
     "mnuAquaristGlossary",
     QT_TRANSLATE_NOOP("corv::WindowTable", "Aquarist &Glossary"),
     QT_TRANSLATE_NOOP("corv::ToolBar", "Glossary"),
     "glossary",
     {2, 1},
     QT_TRANSLATE_NOOP("corv::WindowTable", "Browse the aquarist glossary database."),
     "Glossary",
     AllOn,
     {true, false, false, true},
     QT_TRANSLATE_NOOP("corv::WindowTable", "Add Glossary Record."),
     QT_TRANSLATE_NOOP("corv::WindowTable", "Delete Glossary Record."),
     QT_TRANSLATE_NOOP("corv::WindowTable", "Search for a Glossary Record."),
     QT_TRANSLATE_NOOP("corv::WindowTable", "Print Glossary Reports."),
     false,
     &glossaryReport,
     &glossarySearch,
     &glossaryIndex,
     TransferTable::Glossary},
    {FormKind::Journal,
     "Journal",
     "mnuJournal",
     QT_TRANSLATE_NOOP("corv::WindowTable", "&Journal"),
     QT_TRANSLATE_NOOP("corv::ToolBar", "Journal"),
     "journal",
     {1, 0},
     QT_TRANSLATE_NOOP("corv::WindowTable", "Browse the journal database."),
     "Journal",
     AllOn,
     AllOn,
     QT_TRANSLATE_NOOP("corv::WindowTable", "Add Journal Record."),
     QT_TRANSLATE_NOOP("corv::WindowTable", "Delete Journal Record."),
     QT_TRANSLATE_NOOP("corv::WindowTable", "Search for a Journal Record."),
     QT_TRANSLATE_NOOP("corv::WindowTable", "Print Journal Reports."),
     true,
     &journalReport,
     &journalSearch,
     nullptr,
     TransferTable::Journal},
    {FormKind::Stock,
     "Stock",
     "mnuLiveStock",
     QT_TRANSLATE_NOOP("corv::WindowTable", "&Livestock"),
     QT_TRANSLATE_NOOP("corv::ToolBar", "Livestock"),
     "livestock",
     {1, 1},
     QT_TRANSLATE_NOOP("corv::WindowTable", "Browse the Livestock database."),
     "Stock",
     AllOn,
     AllOn,
     QT_TRANSLATE_NOOP("corv::WindowTable", "Add Livestock Record."),
     QT_TRANSLATE_NOOP("corv::WindowTable", "Delete Livestock Record."),
     QT_TRANSLATE_NOOP("corv::WindowTable", "Search for a Livestock Record."),
     QT_TRANSLATE_NOOP("corv::WindowTable", "Print Livestock Reports."),
     true,
     &stockReport,
     &stockSearch,
     nullptr,
     TransferTable::LiveStock},
    // The care log: what was done to the default tank, and the tasks that
    // remind of it (no report, search or transfer of the tasks).
    {FormKind::Maintenance,
     "Maintenance",
     "mnuMaintenance",
     QT_TRANSLATE_NOOP("corv::WindowTable", "&Maintenance"),
     QT_TRANSLATE_NOOP("corv::ToolBar", "Maintenance"),
     "maintenance",
     {1, 2, true},
     QT_TRANSLATE_NOOP("corv::WindowTable", "Browse the maintenance log."),
     "Maintenance",
     AllOn,
     AllOn,
     QT_TRANSLATE_NOOP("corv::WindowTable", "Add Maintenance Record."),
     QT_TRANSLATE_NOOP("corv::WindowTable", "Delete Maintenance Record."),
     QT_TRANSLATE_NOOP("corv::WindowTable", "Search for a Maintenance Record."),
     QT_TRANSLATE_NOOP("corv::WindowTable", "Print Maintenance Reports."),
     true,
     &maintenanceReport,
     &maintenanceSearch,
     nullptr,
     TransferTable::Maintenance},
    {FormKind::Tasks,
     "Tasks",
     "mnuTasks",
     QT_TRANSLATE_NOOP("corv::WindowTable", "T&asks"),
     QT_TRANSLATE_NOOP("corv::ToolBar", "Tasks"),
     "tasks",
     {1, 3, true},
     QT_TRANSLATE_NOOP("corv::WindowTable", "Maintain the care tasks."),
     "Tasks",
     {false, true, true, false},
     {false, true, true, false},
     QT_TRANSLATE_NOOP("corv::WindowTable", "Add Task Record."),
     QT_TRANSLATE_NOOP("corv::WindowTable", "Delete Task Record."),
     nullptr,
     nullptr,
     true,
     nullptr,
     nullptr,
     nullptr,
     std::nullopt},
    {FormKind::TankCalc,
     "TankCalc",
     "mnuTankCalculator",
     QT_TRANSLATE_NOOP("corv::WindowTable", "&Tank Calculator"),
     QT_TRANSLATE_NOOP("corv::ToolBar", "Calculator"),
     "calculator",
     {2, 2},
     QT_TRANSLATE_NOOP("corv::WindowTable", "Calculate tank copasities."),
     "TankCalc",
     AllOff,
     AllOff,
     nullptr,
     nullptr,
     nullptr,
     nullptr,
     true,
     nullptr,
     nullptr,
     nullptr,
     std::nullopt},
    {FormKind::Tank,
     "TankAdd",
     "mnuChangeTanks",
     QT_TRANSLATE_NOOP("corv::WindowTable", "&Change Tanks"),
     QT_TRANSLATE_NOOP("corv::ToolBar", "Tank"),
     "tank",
     {0, 0},
     QT_TRANSLATE_NOOP("corv::WindowTable", "Maintain Tanks?"),
     "Tank",
     {false, true, true, false},
     {false, true, true, false},
     QT_TRANSLATE_NOOP("corv::WindowTable", "Add Tank Record."),
     QT_TRANSLATE_NOOP("corv::WindowTable", "Delete Tank Record."),
     nullptr,
     nullptr,
     false,
     nullptr,
     nullptr,
     nullptr,
     std::nullopt},
};

} // namespace

QString windowText(const char *text) {
    return text ? QCoreApplication::translate("corv::WindowTable", text) : QString();
}

QString toolText(const QString &key) {
    return QCoreApplication::translate("corv::ToolBar", key.toUtf8().constData());
}

const QVector<WindowKind> &windowTable() {
    return table;
}

const WindowKind &windowKind(FormKind kind) {
    for (const WindowKind &w : table)
        if (w.kind == kind)
            return w;
    Q_UNREACHABLE();
}

const WindowKind *windowByMarker(const QString &marker) {
    for (const WindowKind &w : table)
        if (marker == QLatin1String(w.marker))
            return &w;
    return nullptr;
}

QVector<const WindowKind *> windowsInCommandOrder() {
    QVector<const WindowKind *> rows;
    for (const WindowKind &w : table)
        rows << &w;
    std::stable_sort(rows.begin(), rows.end(), [](const WindowKind *a, const WindowKind *b) {
        return std::tie(a->place.group, a->place.order) < std::tie(b->place.group, b->place.order);
    });
    return rows;
}

const WindowKind *windowForTransfer(TransferTable transfer) {
    for (const WindowKind &w : table)
        if (w.transfer == transfer)
            return &w;
    return nullptr;
}

} // namespace corv
