#include "CorvModule.h"
#include "platform/Dialogs.h"
#include "platform/Progress.h"

#include "Paths.h"
#include "Settings.h"
#include "data/RecordSet.h"
#include "data/RecordSources.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace corv {

QString CorvModule::DatabasePath;
QString CorvModule::HelpFile;
QString CorvModule::FirstCopyProblem;
QString CorvModule::CurrentTankID;

namespace {
// The default tank's key stays taken when an old database file is upgraded.
const bool reservedKeyInstalled = [] {
    RecordSet::reservedTankKey = [] { return CorvModule::CurrentTankID.toLongLong(); };
    // Upgrading a large old file takes a second or more: the windows go on
    // answering. The upgrade is one transaction that runs to its end, so
    // the box offers no Cancel.
    RecordSet::runLongWork = [](const std::function<void()> &work) {
        runWithProgress({applicationTitle(),
                         QCoreApplication::translate("CorvModule", "Upgrading the database\u2026"),
                         false},
                        [&](TaskProgress &) { work(); });
    };
    return true;
}();
} // namespace
QString CorvModule::CurrentTankName;
ActiveMarker CorvModule::ActiveForm;
OpenFlag CorvModule::JournalOpen{FormKind::Journal};
OpenFlag CorvModule::StockOpen{FormKind::Stock};
OpenFlag CorvModule::DiseasesOpen{FormKind::Diseases};
OpenFlag CorvModule::GlossaryOpen{FormKind::Glossary};
OpenFlag CorvModule::TankCalcOpen{FormKind::TankCalc};
OpenFlag CorvModule::TankOpen{FormKind::Tank};
QString CorvModule::SearchForm;
QString CorvModule::SearchCriteria;
QString CorvModule::SearchText1;
QString CorvModule::SearchText2;
bool CorvModule::ExactText = false;
bool CorvModule::ChartInputError = false;

std::function<void(int)> CorvModule::End = [](int exitCode) {
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [exitCode] { QCoreApplication::exit(exitCode); },
        Qt::QueuedConnection);
};

const QString CorvModule::NotSet = QStringLiteral("NOT SET");
const QString CorvModule::NoOne = QStringLiteral("NoOne");
const QString CorvModule::IdleLine = QStringLiteral(QT_TRANSLATE_NOOP(
    "CorvModule",
    "Corvella, your complete aquarium information toolkit. Select an option from the menu."));
const QString CorvModule::WelcomeLine = QStringLiteral(
    QT_TRANSLATE_NOOP("CorvModule", "Welcome to Corvella, your complete aquarium information "
                                    "toolkit. Select an option from the menu."));

QString CorvModule::idleLine() {
    return QCoreApplication::translate("CorvModule", IdleLine.toUtf8().constData());
}

QString CorvModule::welcomeLine() {
    return QCoreApplication::translate("CorvModule", WelcomeLine.toUtf8().constData());
}

namespace {
QString programFolderOverride;
}

void CorvModule::reset() {
    DatabasePath.clear();
    FirstCopyProblem.clear();
    HelpFile.clear();
    CurrentTankID.clear();
    CurrentTankName.clear();
    ActiveForm.clear();
    JournalOpen = StockOpen = DiseasesOpen = GlossaryOpen = TankCalcOpen = TankOpen = false;
    SearchForm.clear();
    SearchCriteria.clear();
    SearchText1.clear();
    SearchText2.clear();
    ExactText = false;
    ChartInputError = false;
}

AppEvents &CorvModule::events() {
    static AppEvents events;
    return events;
}

void CorvModule::setDefaultTank(const QString &id, const QString &name) {
    CurrentTankID = id;
    CurrentTankName = name;
    Settings::setDefaultTankId(id);
    Settings::setDefaultTankName(name);
    emit events().defaultTankChanged(true);
}

void CorvModule::setDefaultTankName(const QString &name) {
    CurrentTankName = name;
    Settings::setDefaultTankName(name);
    emit events().defaultTankChanged(false);
}

QString CorvModule::programFolder() {
    if (!programFolderOverride.isEmpty())
        return programFolderOverride;
    return QCoreApplication::applicationDirPath();
}

QString CorvModule::programFile(const QString &fileName) {
    return QDir::toNativeSeparators(programFolder() + u'/' + fileName);
}

void CorvModule::setProgramFolder(const QString &folder) {
    programFolderOverride = folder;
}

namespace {
FolderLayout folders() {
    return folderLayout(CorvModule::programFolder(), userDataFolder());
}
} // namespace

bool CorvModule::installed() {
    return folders().installed;
}

QString CorvModule::shareFolder() {
    return folders().shareFolder;
}

QString CorvModule::userFolder() {
    return folders().userFolder;
}

QString CorvModule::sharedFile(const QString &fileName) {
    return QDir::toNativeSeparators(shareFolder() + u'/' + fileName);
}

void CorvModule::readSettings() {
    const FolderLayout layout = folders();
    const QString userDatabase =
        QDir::toNativeSeparators(layout.userFolder + u'/' + QLatin1String(DatabaseFileName));

    // The database file; its existence is checked by the first window that
    // opens it.
    DatabasePath = Settings::databasePath();
    if (DatabasePath == NotSet) {
        DatabasePath = userDatabase;
        Settings::setDatabasePath(DatabasePath);
    }
    // Installed, the user's own database is made from the pristine one the
    // first time it is needed. Should that fail, the first window to open
    // the database asks for it, as it does for any missing file.
    FirstCopyProblem.clear();
    if (layout.installed &&
        QFileInfo(DatabasePath).absoluteFilePath() == QFileInfo(userDatabase).absoluteFilePath()) {
        QString why;
        const FirstCopy made = copyPristineDatabase(
            layout.shareFolder + u'/' + QLatin1String(DatabaseFileName), DatabasePath, &why);
        if (made == FirstCopy::Failed || made == FirstCopy::NoPristine)
            FirstCopyProblem =
                QCoreApplication::translate(
                    "CorvModule", "Corvella could not make your database %1 from the empty one it "
                                  "was installed with (%2). When a window needs the database, you "
                                  "will be asked where it is.")
                    .arg(QDir::toNativeSeparators(DatabasePath), why);
    }

    // The help file.
    HelpFile = Settings::helpFile();
    if (HelpFile == NotSet) {
        HelpFile =
            QDir::toNativeSeparators(layout.shareFolder + u'/' + QLatin1String(HelpFileName));
        Settings::setHelpFile(HelpFile);
    }

    // The default tank. Its id is spliced into record-source texts, so a
    // stored value that is not a whole number counts as no tank at all.
    CurrentTankID = Settings::defaultTankId();
    if (CurrentTankID != NotSet && !isWholeNumber(CurrentTankID))
        CurrentTankID = NotSet;
    if (CurrentTankID != NotSet) {
        CurrentTankName = Settings::defaultTankName();
    } else {
        Settings::setDefaultTankId(NotSet);
        CurrentTankName.clear();
    }

    // No record window is active yet, and no chart has run.
    ActiveForm = NoOne;
    ChartInputError = false;
}

QString CorvModule::defaultTankType() {
    if (CurrentTankID == NotSet)
        return {};
    RecordSet rs;
    if (rs.open(DatabasePath, sources::tank(CurrentTankID)))
        return {};
    const int field = rs.fieldIndex(QStringLiteral("TankType"));
    const QString type = (field >= 0 && rs.hasCurrent()) ? rs.text(field) : QString();
    rs.close();
    return type;
}

} // namespace corv
