#include "TransferCommands.h"

#include "CorvModule.h"
#include "DatabaseLock.h"
#include "Forms.h"
#include "data/Tables.h"
#include "platform/Dialogs.h"
#include "platform/Disposal.h"
#include "platform/Progress.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>
#include <memory>

namespace corv {

namespace {

// Functions, not constants: the texts are read after the translation is loaded.
QString exportTitle() {
    return QCoreApplication::translate("TransferCommands", "Export");
}
QString importTitle() {
    return QCoreApplication::translate("TransferCommands", "Import");
}
QString csvFilter() {
    return QCoreApplication::translate("TransferCommands",
                                       "CSV Files (*.csv)|*.csv|All Files (*.*)|*.*");
}
// A report longer than this is cut, so the box still fits on the screen.
constexpr int reportLinesShown = 25;

std::optional<FormKind> formOf(TransferTable table) {
    const WindowKind *w = windowForTransfer(table);
    return w ? std::optional<FormKind>(w->kind) : std::nullopt;
}

// The tank the records belong to; empty for the reference tables.
QString tankFor(TransferTable table) {
    return isTankTable(table) ? CorvModule::CurrentTankID : QString();
}

} // namespace

std::optional<TransferTable> activeTransferTable() {
    const WindowKind *w = CorvModule::ActiveForm.window();
    return w ? w->transfer : std::nullopt;
}

void exportActiveRecords() {
    const auto table = activeTransferTable();
    if (!table)
        return;
    // What the window shows is what is exported: an edit not stored yet is
    // stored first (or the export does not start).
    if (const auto kind = formOf(*table))
        if (CorvForm *f = Forms::get(*kind); f && !f->storeEdits())
            return;
    FileRequest request;
    request.title = exportTitle();
    request.filter = csvFilter();
    request.fileName = transferTableName(*table) + QStringLiteral(".csv");
    request.flags = FileHideReadOnly | FileExplorer | FilePathMustExist | FileOverwritePrompt;
    const auto file = dialogs().saveFile(request);
    if (!file || file->isEmpty())
        return;
    // A journal of many thousand entries takes seconds: the window goes on
    // answering, and a progress box offers Cancel (the file is then left as
    // it was).
    const QString database = CorvModule::DatabasePath, tank = tankFor(*table);
    TransferResult r;
    dialogs().setWaitCursor(true);
    runWithProgress(
        {exportTitle(), QCoreApplication::translate("TransferCommands", "Exporting to %1\u2026")
                            .arg(QDir::toNativeSeparators(QFileInfo(*file).fileName()))},
        [&](TaskProgress &p) {
            r = exportCsvFile(database, *table, tank, *file,
                              [&](qint64 done, qint64 total) { return p.step(done, total); });
        });
    dialogs().setWaitCursor(false);
    if (r.cancelled)
        return;
    if (!r.ok) {
        msgBox(r.error +
                   QCoreApplication::translate("TransferCommands", "\n\nNothing was exported."),
               MsgButtons::Ok, MsgIcon::Exclamation, exportTitle());
        return;
    }
    const QString count =
        r.records == 1
            ? QCoreApplication::translate("TransferCommands", "1 record was")
            : QCoreApplication::translate("TransferCommands", "%1 records were").arg(r.records);
    // The whole path: a name alone does not say where the file went.
    msgBox(QCoreApplication::translate("TransferCommands", "%1 exported to %2.")
               .arg(count, QDir::toNativeSeparators(QFileInfo(*file).absoluteFilePath())),
           MsgButtons::Ok, MsgIcon::Information, exportTitle());
}

bool importIntoActiveWindow() {
    const auto table = activeTransferTable();
    if (!table)
        return false;
    FileRequest request;
    request.title = importTitle();
    request.filter = csvFilter();
    request.flags = FileHideReadOnly | FileExplorer | FileMustExist | FilePathMustExist;
    const auto file = dialogs().openFile(request);
    if (!file || file->isEmpty())
        return false;

    // The rows of a large file take a moment to let go of: that happens off
    // the event loop, however the import ends.
    auto import = std::make_shared<CsvImport>(*table);
    const auto letGo = qScopeGuard([&import] {
        releaseOffThread({}, [rows = std::move(import)]() mutable { rows.reset(); });
    });
    const QString database = CorvModule::DatabasePath, tank = tankFor(*table);
    const QString name = QFileInfo(*file).fileName();
    dialogs().setWaitCursor(true);
    // Reading and checking a large file takes seconds; Cancel meanwhile
    // ends the import with nothing stored.
    const bool read = runWithProgress(
        {importTitle(),
         QCoreApplication::translate("TransferCommands", "Reading %1\u2026").arg(name)},
        [&](TaskProgress &p) {
            import->analyseFile(*file);
            if (!p.cancelled())
                import->leaveOutStored(database, tank);
        });
    dialogs().setWaitCursor(false);
    if (!read)
        return false;

    QStringList lines = import->reportLines();
    if (lines.size() > reportLinesShown) {
        const int more = int(lines.size()) - reportLinesShown;
        lines = lines.mid(0, reportLinesShown);
        lines << (more == 1 ? QCoreApplication::translate("TransferCommands", "…and 1 more line.")
                            : QCoreApplication::translate("TransferCommands", "…and %1 more lines.")
                                  .arg(more));
    }
    QString text = import->summary();
    if (!lines.isEmpty())
        text += QStringLiteral("\n\n") + lines.join(u'\n');
    if (!import->usable() || import->acceptedCount() == 0) {
        msgBox(text + QCoreApplication::translate("TransferCommands", "\n\nNothing was imported."),
               MsgButtons::Ok, MsgIcon::Exclamation, importTitle());
        return false;
    }
    text += QCoreApplication::translate(
        "TransferCommands", "\n\nChoose OK to store the records that can be imported, or Cancel "
                            "to store nothing.");
    if (msgBox(text, MsgButtons::OkCancel, MsgIcon::Question, importTitle(), MsgResult::Ok) !=
        MsgResult::Ok)
        return false;

    // Another Corvella may have the file (it was missing at start and has
    // been made or picked since); storing into it would overwrite its edits.
    if (DatabaseLock::lockProgramDatabase(CorvModule::DatabasePath) == DatabaseLock::InUse) {
        msgBox(DatabaseLock::inUseMessage(CorvModule::DatabasePath) +
                   QCoreApplication::translate("TransferCommands", "\n\nNothing was imported."),
               MsgButtons::Ok, MsgIcon::Exclamation, importTitle());
        return false;
    }
    // Nor does a file with statements of its own take the records.
    if (const QString why = foreignSchemaProblem(CorvModule::DatabasePath); !why.isEmpty()) {
        msgBox(why + QCoreApplication::translate("TransferCommands", "\n\nNothing was imported."),
               MsgButtons::Ok, MsgIcon::Exclamation, importTitle());
        return false;
    }
    TransferResult r;
    dialogs().setWaitCursor(true);
    runWithProgress({importTitle(), QCoreApplication::translate("TransferCommands",
                                                                "Storing the records of %1\u2026")
                                        .arg(name)},
                    [&](TaskProgress &p) {
                        r = import->commit(database, tank, [&](qint64 done, qint64 total) {
                            return p.step(done, total);
                        });
                    });
    dialogs().setWaitCursor(false);
    if (r.cancelled) {
        // All rows go in one transaction, so stopping takes back every row.
        msgBox(QCoreApplication::translate("TransferCommands",
                                           "The import was cancelled. Nothing was imported."),
               MsgButtons::Ok, MsgIcon::Information, importTitle());
        return false;
    }
    if (!r.ok) {
        msgBox(r.error +
                   QCoreApplication::translate("TransferCommands", "\n\nNothing was imported."),
               MsgButtons::Ok, MsgIcon::Exclamation, importTitle());
        return false;
    }
    if (const auto kind = formOf(*table))
        if (CorvForm *f = Forms::get(*kind))
            f->cmdRefreshData();
    const QString count =
        r.records == 1
            ? QCoreApplication::translate("TransferCommands", "1 record was")
            : QCoreApplication::translate("TransferCommands", "%1 records were").arg(r.records);
    msgBox(QCoreApplication::translate("TransferCommands", "%1 imported from %2.")
               .arg(count, QFileInfo(*file).fileName()),
           MsgButtons::Ok, MsgIcon::Information, importTitle());
    return true;
}

} // namespace corv
