#include "WindowTable.h"

#include "RecordSources.h"

#include <algorithm>
#include <tuple>

namespace corv {

namespace {

constexpr CommandStates AllOn{true, true, true, true};
constexpr CommandStates AllOff{false, false, false, false};

const PrintTarget journalReport{"Print Journal Record(s)", "All Records This Tank", true,
                                "journal.rpt", "JournalReport"};
const PrintTarget stockReport{"Print Livestock Record(s)", "All Records This Tank", true,
                              "stock.rpt", "StockReport"};
const PrintTarget diseaseReport{"Print Disease Record(s)", "All Records", false, "disease.rpt",
                                "DiseaseReport"};
const PrintTarget glossaryReport{"Print Glossary Record(s)", "All Records", false,
                                 "glossary.rpt", "GlossaryReport"};

const SearchFields journalSearch{"Date:", "EntryDate", nullptr, nullptr};
const SearchFields stockSearch{"Date Acquired:", "DateAcquired", "Common Name:", "CommonName"};
const SearchFields diseaseSearch{"Common Name:", "CommonName", "Scientific Name:",
                                 "ScientificName"};
const SearchFields glossarySearch{"Term:", "Term", nullptr, nullptr};

const IndexSource diseaseIndex{&sources::diseaseIndex, "CommonName"};
const IndexSource glossaryIndex{&sources::glossaryIndex, "Term"};

// The diseases and glossary windows take Add and Delete from the toolbar
// only; their menu items stay greyed. The tank window has no search and no
// report; the calculator takes no record command at all.
const QVector<WindowKind> table = {
    {FormKind::Diseases, "Diseases", "mnuCommonDiseases", "Common &Diseases", "Diseases",
     "diseases", {2, 0}, "Browse the common disease database.", "Diseases", AllOn,
     {true, false, false, true}, "Add Diseases Record.", "Delete Diseases Record.",
     "Search for a Disease Record.", "Print Disease Reports.", false, &diseaseReport,
     &diseaseSearch, &diseaseIndex, TransferTable::Disease},
    {FormKind::Glossary, "Glossary", "mnuAquaristGlossary", "Aquarist &Glossary", "Glossary",
     "glossary", {2, 1}, "Browse the aquarist glossary database.", "Glossary", AllOn,
     {true, false, false, true}, "Add Glossary Record.", "Delete Glossary Record.",
     "Search for a Glossary Record.", "Print Glossary Reports.", false, &glossaryReport,
     &glossarySearch, &glossaryIndex, TransferTable::Glossary},
    {FormKind::Journal, "Journal", "mnuJournal", "&Journal", "Journal", "journal", {1, 0},
     "Browse the journal database.", "Journal", AllOn, AllOn, "Add Journal Record.",
     "Delete Journal Record.", "Search for a Journal Record.", "Print Journal Reports.", true,
     &journalReport, &journalSearch, nullptr, TransferTable::Journal},
    {FormKind::Stock, "Stock", "mnuLiveStock", "&Livestock", "Livestock", "livestock", {1, 1},
     "Browse the Livestock database.", "Stock", AllOn, AllOn, "Add Livestock Record.",
     "Delete Livestock Record.", "Search for a Livestock Record.", "Print Livestock Reports.",
     true, &stockReport, &stockSearch, nullptr, TransferTable::LiveStock},
    {FormKind::TankCalc, "TankCalc", "mnuTankCalculator", "&Tank Calculator", "Calculator",
     "calculator", {2, 2}, "Calculate tank copasities.", "TankCalc", AllOff, AllOff, nullptr,
     nullptr, nullptr, nullptr, true, nullptr, nullptr, nullptr, std::nullopt},
    {FormKind::Tank, "TankAdd", "mnuChangeTanks", "&Change Tanks", "Tank", "tank", {0, 0},
     "Maintain Tanks?", "Tank", {false, true, true, false}, {false, true, true, false},
     "Add Tank Record.", "Delete Tank Record.", nullptr, nullptr, false, nullptr, nullptr,
     nullptr, std::nullopt},
};

} // namespace

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
