#include "TestSupport.h"

#include "app/CorvModule.h"
#include "data/DatabaseFile.h"

#include <QAtomicInt>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest/QTest>

namespace corv::test {

MsgResult ScriptedDialogs::message(const MessageRequest &request) {
    // A window that keeps showing messages (a loop of focus events and
    // messages, say) fails the test at once instead of hanging it.
    if (messages().size() >= 200)
        qFatal("more than 200 message boxes in one test; the last: %s", qPrintable(request.text));
    Call c{Call::Message, request, {}, {}, {}, {}};
    calls.push_back(c);
    if (onMessage)
        onMessage(request);
    if (!answers.isEmpty())
        return answers.takeFirst();
    QTest::qFail(
        qPrintable(
            QStringLiteral("a message box the test did not expect: \"%1\"").arg(request.text)),
        __FILE__, __LINE__);
    return request.defaultButton;
}

void ScriptedDialogs::expectOk(int count) {
    for (int i = 0; i < count; ++i)
        answers << MsgResult::Ok;
}

std::optional<QString> ScriptedDialogs::openFile(const FileRequest &request) {
    calls.push_back({Call::OpenFile, {}, request, {}, {}, {}});
    if (!fileAnswers.isEmpty())
        return fileAnswers.takeFirst();
    return std::nullopt;
}

std::optional<QString> ScriptedDialogs::saveFile(const FileRequest &request) {
    calls.push_back({Call::SaveFile, {}, request, {}, {}, {}});
    if (!fileAnswers.isEmpty())
        return fileAnswers.takeFirst();
    return std::nullopt;
}

bool ScriptedDialogs::startProgram(const QString &program, const QStringList &arguments) {
    calls.push_back({Call::StartProgram, {}, {}, program, arguments, {}});
    return startSucceeds;
}

void ScriptedDialogs::setWaitCursor(bool wait) {
    waitCursor = wait;
    cursorChanges.push_back(wait);
}

namespace {

class ScriptedProgressBox : public ProgressBox {
public:
    explicit ScriptedProgressBox(bool cancel) : m_cancel(cancel) {}
    void setProgress(qint64, qint64) override {}
    bool cancelled() override { return m_cancel; }
    bool shown() const override { return false; }

private:
    bool m_cancel;
};

} // namespace

std::unique_ptr<ProgressBox> ScriptedDialogs::progressBox(const ProgressRequest &request) {
    progress.push_back(request);
    const bool cancel = !progressCancels.isEmpty() && progressCancels.takeFirst();
    return std::make_unique<ScriptedProgressBox>(cancel);
}

int ScriptedDialogs::execModal(QDialog &dialog) {
    calls.push_back({Call::Modal, {}, {}, {}, {}, dialog.objectName()});
    if (onModal)
        return onModal(dialog);
    // As if the user closed the window at once.
    dialog.reject();
    return QDialog::Rejected;
}

QVector<MessageRequest> ScriptedDialogs::messages() const {
    QVector<MessageRequest> out;
    for (const Call &c : calls)
        if (c.kind == Call::Message)
            out.push_back(c.message);
    return out;
}

QStringList ScriptedDialogs::messageTexts() const {
    QStringList out;
    for (const MessageRequest &m : messages())
        out << m.text;
    return out;
}

void ScriptedDialogs::clear() {
    calls.clear();
    cursorChanges.clear();
}

TestEnv::TestEnv() {
    if (!m_dir.isValid())
        qFatal("cannot create a temporary folder");
    QDir(m_dir.path()).mkpath(QStringLiteral("config"));
    QDir(m_dir.path()).mkpath(QStringLiteral("runtime"));
    QFile::setPermissions(m_dir.filePath(QStringLiteral("runtime")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       m_dir.filePath(QStringLiteral("config")));
    CorvModule::reset();
    CorvModule::setProgramFolder(m_dir.path());
    setDialogLayer(&dialogs);
}

TestEnv::~TestEnv() {
    setDialogLayer(nullptr);
    CorvModule::setProgramFolder(QString());
    CorvModule::reset();
}

QString TestEnv::makeDatabase(const QString &name) {
    const QString p = m_dir.filePath(name);
    QString error;
    if (!createDatabase(p, &error))
        qFatal("cannot create the test database: %s", qPrintable(error));
    CorvModule::DatabasePath = QDir::toNativeSeparators(p);
    return p;
}

namespace {
QAtomicInt execCounter;
}

void TestEnv::exec(const QString &dbPath, const QString &sql) {
    const QString name = QStringLiteral("test-exec-%1").arg(execCounter.fetchAndAddRelaxed(1));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(dbPath);
        if (!db.open())
            qFatal("cannot open %s", qPrintable(dbPath));
        QSqlQuery q(db);
        if (!q.exec(sql))
            qFatal("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
        q.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

void TestEnv::damageJournalPages(const QString &dbPath) {
    exec(dbPath, QStringLiteral("WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n "
                                "WHERE x < 400) INSERT INTO Journal (TankID, Notes) SELECT 1, "
                                "hex(randomblob(100)) FROM n"));
    // The first page after the tables' and indexes' own first pages holds
    // the journal's first entries (the journal was filled last).
    const qint64 page = scalar(dbPath, "SELECT MAX(rootpage) FROM sqlite_master").toLongLong() + 1;
    const int pageSize = scalar(dbPath, "PRAGMA page_size").toInt();
    QFile f(dbPath);
    if (!f.open(QIODevice::ReadWrite) || f.size() < page * pageSize)
        qFatal("cannot damage %s", qPrintable(dbPath));
    f.seek((page - 1) * pageSize);
    f.write(QByteArray(pageSize, char(0xA5)));
}

QVariant TestEnv::scalar(const QString &dbPath, const QString &sql) {
    const QString name = QStringLiteral("test-exec-%1").arg(execCounter.fetchAndAddRelaxed(1));
    QVariant v;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(dbPath);
        if (!db.open())
            qFatal("cannot open %s", qPrintable(dbPath));
        QSqlQuery q(db);
        if (!q.exec(sql))
            qFatal("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
        if (q.next())
            v = q.value(0);
        q.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return v;
}

QStringList TestEnv::dumpTables(const QString &dbPath) {
    QStringList out;
    const QString name = QStringLiteral("test-dump-%1").arg(execCounter.fetchAndAddRelaxed(1));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(dbPath);
        if (db.open()) {
            for (const char *table : {"Journal", "LiveStock", "Tank", "Disease", "Glossary"}) {
                QSqlQuery q(db);
                if (!q.exec(QStringLiteral("SELECT * FROM %1 ORDER BY ID").arg(table)))
                    out << q.lastError().text();
                while (q.next()) {
                    QStringList row{QString::fromLatin1(table)};
                    for (int i = 0; i < q.record().count(); ++i) {
                        const QVariant v = q.value(i);
                        row << (v.isNull()
                                    ? QStringLiteral("NULL")
                                    : QString::fromLatin1(v.typeName()) + u':' + v.toString());
                    }
                    out << row.join(u'|');
                }
            }
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return out;
}

} // namespace corv::test
