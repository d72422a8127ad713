// What every Corvella test needs: a private settings store and program
// folder in a temporary directory, a fresh database, and a dialog layer that
// records each message box, file dialog and program start and answers them
// from a script.
#pragma once

#include "platform/Dialogs.h"
#include "platform/Progress.h"
#include "platform/Registry.h"

#include <QString>
#include <QTemporaryDir>
#include <QVector>
#include <functional>
#include <optional>

namespace corv::test {

class ScriptedDialogs : public DialogLayer {
public:
    struct Call {
        enum Kind { Message, OpenFile, SaveFile, StartProgram, Modal } kind;
        MessageRequest message;
        FileRequest file;
        QString program;
        QStringList arguments;
        QString dialogName; // objectName of a modal window
    };

    MsgResult message(const MessageRequest &request) override;
    std::optional<QString> openFile(const FileRequest &request) override;
    std::optional<QString> saveFile(const FileRequest &request) override;
    bool startProgram(const QString &program, const QStringList &arguments) override;
    void setWaitCursor(bool wait) override;
    int execModal(QDialog &dialog) override;
    std::unique_ptr<ProgressBox> progressBox(const ProgressRequest &request) override;

    // The progress boxes of long work, in order: an answer of true is the
    // user's Cancel, there from the start (the work stops at its first check
    // and takes back what it did); a box without an answer lets the work run
    // to its end. Every box asked for is kept in `progress`.
    QList<bool> progressCancels;
    QVector<ProgressRequest> progress;

    // Answers, taken in order. A message box without a scripted answer fails
    // the test (it still gets its default button, so the test can go on and
    // report everything); a file dialog without one is cancelled.
    QList<MsgResult> answers;
    QList<std::optional<QString>> fileAnswers;
    bool startSucceeds = true;
    // Runs modal windows; by default they are closed at once (rejected), as
    // if the user closed them.
    std::function<int(QDialog &)> onModal;
    // Runs when a message box is shown, before it is answered.
    std::function<void(const MessageRequest &)> onMessage;

    QVector<Call> calls;
    bool waitCursor = false;
    QVector<bool> cursorChanges; // every setWaitCursor(true/false) in order

    QVector<MessageRequest> messages() const;
    QStringList messageTexts() const;
    void clear();
    // Scripts `count` more answers of OK, for boxes that only inform.
    void expectOk(int count = 1);
};

// Puts a replacement into a global hook (a window maker, a layer) for the
// life of the guard, and the value it had back afterwards, also when the
// test fails half-way.
template <class T> class HookGuard {
public:
    HookGuard(T &hook, T replacement) : m_hook(hook), m_saved(std::move(hook)) {
        m_hook = std::move(replacement);
    }
    ~HookGuard() { m_hook = std::move(m_saved); }
    HookGuard(const HookGuard &) = delete;
    HookGuard &operator=(const HookGuard &) = delete;

private:
    T &m_hook;
    T m_saved;
};

// Installs a registry layer for the life of the guard, and the platform's
// layer back afterwards.
class RegistryGuard {
public:
    explicit RegistryGuard(RegistryLayer &layer) { setRegistryLayer(&layer); }
    ~RegistryGuard() { setRegistryLayer(nullptr); }
    RegistryGuard(const RegistryGuard &) = delete;
    RegistryGuard &operator=(const RegistryGuard &) = delete;
};

// Tells the main window how every window of the program is made, as the
// program does at start.
void registerWindows();

// A temporary program folder and settings store, with CorvModule reset and
// the scripted dialog layer installed. The database is created on request.
class TestEnv {
public:
    TestEnv();
    ~TestEnv();
    TestEnv(const TestEnv &) = delete;
    TestEnv &operator=(const TestEnv &) = delete;

    QString folder() const { return m_dir.path(); }
    QString path(const QString &name) const { return m_dir.filePath(name); }
    // Creates CORVELLA.CVL (or `name`) in the folder and sets DatabasePath.
    QString makeDatabase(const QString &name = QStringLiteral("CORVELLA.CVL"));
    // Runs SQL directly against a database file (for arranging test data).
    static void exec(const QString &dbPath, const QString &sql);
    static QVariant scalar(const QString &dbPath, const QString &sql);
    // Every row of the five tables in key order, each value with its stored
    // type: two dumps are equal when no record or value changed.
    static QStringList dumpTables(const QString &dbPath);
    // Fills the journal of a database with a few hundred entries, then
    // overwrites the data page of the first of them with junk: the schema
    // and the indexes stay whole, reading the first entry meets the damage.
    static void damageJournalPages(const QString &dbPath);

    ScriptedDialogs dialogs;

private:
    QTemporaryDir m_dir;
};

} // namespace corv::test
