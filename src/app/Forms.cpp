#include "Forms.h"

#include "CorvModule.h"

#include <QHash>

namespace corv {

namespace {

constexpr CommandStates AllOn{true, true, true, true};
constexpr CommandStates AllOff{false, false, false, false};

// The diseases and glossary windows take Add and Delete from the toolbar
// only; their menu items stay greyed. The tank window has no search and no
// report.
const QVector<WindowKind> table = {
    {FormKind::Diseases,
     "Diseases",
     &CorvModule::DiseasesOpen,
     "mnuCommonDiseases",
     "Diseases",
     "Browse the common disease database.",
     "Diseases",
     AllOn,
     {true, false, false, true},
     "Add Diseases Record.",
     "Delete Diseases Record.",
     "Search for a Disease Record.",
     "Print Disease Reports.",
     false},
    {FormKind::Glossary,
     "Glossary",
     &CorvModule::GlossaryOpen,
     "mnuAquaristGlossary",
     "Glossary",
     "Browse the aquarist glossary database.",
     "Glossary",
     AllOn,
     {true, false, false, true},
     "Add Glossary Record.",
     "Delete Glossary Record.",
     "Search for a Glossary Record.",
     "Print Glossary Reports.",
     false},
    {FormKind::Journal, "Journal", &CorvModule::JournalOpen, "mnuJournal", "Journal",
     "Browse the journal database.", "Journal", AllOn, AllOn, "Add Journal Record.",
     "Delete Journal Record.", "Search for a Journal Record.", "Print Journal Reports.", true},
    {FormKind::Stock, "Stock", &CorvModule::StockOpen, "mnuLiveStock", "Livestock",
     "Browse the Livestock database.", "Stock", AllOn, AllOn, "Add Livestock Record.",
     "Delete Livestock Record.", "Search for a Livestock Record.", "Print Livestock Reports.",
     true},
    // The care log: what was done to the default tank, and the tasks that
    // remind of it (no search or report for the tasks).
    {FormKind::Maintenance, "Maintenance", &CorvModule::MaintenanceOpen, "mnuMaintenance",
     "Maintenance", "Browse the maintenance log.", "Maintenance", AllOn, AllOn,
     "Add Maintenance Record.", "Delete Maintenance Record.", "Search for a Maintenance Record.",
     "Print Maintenance Reports.", true},
    {FormKind::Tasks,
     "Tasks",
     &CorvModule::TasksOpen,
     "mnuTasks",
     "Tasks",
     "Maintain the care tasks.",
     "Tasks",
     {false, true, true, false},
     {false, true, true, false},
     "Add Task Record.",
     "Delete Task Record.",
     nullptr,
     nullptr,
     true},
    {FormKind::TankCalc, "TankCalc", &CorvModule::TankCalcOpen, "mnuTankCalculator", "Calculator",
     "Calculate tank copasities.", "TankCalc", AllOff, AllOff, nullptr, nullptr, nullptr, nullptr,
     true},
    {FormKind::Tank,
     "TankAdd",
     &CorvModule::TankOpen,
     "mnuChangeTanks",
     "Tank",
     "Maintain Tanks?",
     "Tank",
     {false, true, true, false},
     {false, true, true, false},
     "Add Tank Record.",
     "Delete Tank Record.",
     nullptr,
     nullptr,
     false},
};

struct Registry {
    QHash<int, CorvForm *> open;
    QHash<int, Forms::Factory> factories;
};

Registry &registry() {
    static Registry r;
    return r;
}

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

CorvForm *Forms::get(FormKind kind) {
    return registry().open.value(int(kind), nullptr);
}

void Forms::enroll(FormKind kind, CorvForm *form) {
    registry().open.insert(int(kind), form);
}

void Forms::withdraw(FormKind kind, CorvForm *form) {
    auto &open = registry().open;
    if (open.value(int(kind)) == form)
        open.remove(int(kind));
}

void Forms::setFactory(FormKind kind, Factory factory) {
    registry().factories.insert(int(kind), std::move(factory));
}

Forms::Factory Forms::factory(FormKind kind) {
    return registry().factories.value(int(kind));
}

void Forms::reset() {
    registry().open.clear();
    registry().factories.clear();
}

} // namespace corv
