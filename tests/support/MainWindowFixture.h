// The main window as the tests drive it: a temporary program folder and
// settings store, the scripted dialog layer, a fresh database if wanted, the
// program's own window makers or none (a test puts stand-ins in their
// place), and the main window itself, shown or not yet shown.
#pragma once

#include "app/CorvModule.h"
#include "app/Settings.h"
#include "app/mdiCorvella.h"
#include "data/RecordSet.h"
#include "platform/Conversions.h"
#include "support/TestSupport.h"

#include <QWidget>

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QtTest/QTest>
#include <memory>
#include <optional>

namespace corv::test {

struct MainWindowFixture {
    std::unique_ptr<TestEnv> env;
    std::unique_ptr<mdiCorvella> main;
    QString db;
    QVector<int> ends; // CorvModule::End calls

    struct Options {
        bool database = true;    // a fresh CORVELLA.CVL in the program folder
        bool realWindows = true; // the program's window makers
        bool shown = true;       // the main window shown and active
    };

    void setUp() { setUp(Options()); }
    void setUp(const Options &options) {
        env = std::make_unique<TestEnv>();
        ends.clear();
        Forms::reset();
        RecordSet::setBusyTimeout(200);
        CorvModule::readSettings();
        if (options.database)
            db = env->makeDatabase();
        m_end.emplace(CorvModule::End, [this](int code) { ends << code; });
        if (options.realWindows)
            registerWindows();
        main = std::make_unique<mdiCorvella>();
        if (options.shown) {
            main->show();
            QVERIFY(QTest::qWaitForWindowActive(main.get()));
        }
    }
    void tearDown() {
        main.reset();
        Forms::reset();
        m_end.reset();
        env.reset();
    }

    // A tank made directly in the database; returns its ID.
    int tank(const QString &name, const QString &shape = QStringLiteral("Rectangular"),
             const QString &extra = QString()) {
        TestEnv::exec(
            db, QStringLiteral("INSERT INTO Tank (TankName, TankShape, TankType, "
                               "UnitMeasure, TankLength, TankRadius, TankHeight, "
                               "TankWidth%1) VALUES ('%2', '%3', 'Fresh Water', 'Inches', "
                               "48, 10, 20, 12%4)")
                    .arg(extra.isEmpty() ? QString() : QStringLiteral(", DateEstablished"))
                    .arg(name, shape)
                    .arg(extra.isEmpty() ? QString() : QStringLiteral(", '") + extra + u'\''));
        return TestEnv::scalar(db, "SELECT MAX(ID) FROM Tank").toInt();
    }
    void entry(int tankId, const QString &date, const QString &ph = QStringLiteral("NULL")) {
        TestEnv::exec(
            db, QStringLiteral("INSERT INTO Journal (TankID, EntryDate, PH) VALUES (%1, %2, %3)")
                    .arg(tankId)
                    .arg(date.isEmpty() ? QStringLiteral("NULL") : u'\'' + date + u'\'', ph));
    }
    // A tank made and set as the default; returns its ID.
    int defaultTank(const QString &name) {
        const int id = tank(name);
        setDefault(id, name);
        return id;
    }
    // Leaves a box the way the user does, with Tab.
    static void tabOut(QWidget *box) {
        box->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(box, Qt::Key_Tab);
    }
    void setDefault(int id, const QString &name) {
        CorvModule::CurrentTankID = QString::number(id);
        CorvModule::CurrentTankName = name;
        Settings::save("Corvella", "DefaultTank", "TankID", QString::number(id));
        Settings::save("Corvella", "DefaultTank", "TankName", name);
    }
    int count(const QString &sql) const { return TestEnv::scalar(db, sql).toInt(); }
    QVector<MessageRequest> messages() const { return env->dialogs.messages(); }

    template <class F> F *open(FormKind kind, void (mdiCorvella::*command)()) {
        (main.get()->*command)();
        return dynamic_cast<F *>(Forms::get(kind));
    }
    // The names of the controls Tab visits, from `start` on, `n` of them.
    static QStringList tabOrder(QWidget *form, QWidget *start, int n) {
        QStringList order;
        QWidget *w = start;
        for (int i = 0; i < n; ++i) {
            order << w->objectName();
            do
                w = w->nextInFocusChain();
            while (!w->isVisibleTo(form) || w->focusPolicy() == Qt::NoFocus);
        }
        return order;
    }
    // The child window frame of a form.
    static QMdiSubWindow *frameOf(QWidget *w) {
        return qobject_cast<QMdiSubWindow *>(w->parentWidget());
    }

private:
    std::optional<HookGuard<std::function<void(int)>>> m_end;
};

// A child window of any kind that records what the main window asks of it,
// with the status line at that moment ("Journal.Add | Add Journal Record.").
// It enrols like a real window, activates like one, and closes by clearing
// its open flag unless told to refuse.
class StandInWindow : public CorvForm {
public:
    StandInWindow(FormKind kind, const QString &name, QStringList &log)
        : m_kind(kind), m_name(name), m_log(log) {
        m_widget.setWindowTitle(name);
        Forms::enroll(kind, this);
    }
    ~StandInWindow() override { Forms::withdraw(m_kind, this); }
    QWidget *widget() override { return &m_widget; }
    void mnuAdd_Click() override { note("Add"); }
    void mnuDelete_Click() override { note("Delete"); }
    void mnuSearch_Click() override { note("Search"); }
    void cmdRefreshData() override { note("Refresh"); }
    void cmdClose_Click() override {
        note("Close");
        if (refuseClose)
            return;
        Forms::withdraw(m_kind, this);
    }
    // As a window does when the user activates it.
    void Form_Activate() override {
        CorvModule::ActiveForm = windowKind(m_kind).markerText();
        if (mdiCorvella *m = mdiCorvella::instance())
            m->EnableDisable();
    }
    bool refuseClose = false;

private:
    void note(const char *what) {
        const QString status =
            mdiCorvella::instance() ? mdiCorvella::instance()->statusText() : QString();
        m_log << m_name + u'.' + QLatin1String(what) + QStringLiteral(" | ") + status;
    }
    FormKind m_kind;
    QString m_name;
    QStringList &m_log;
    QWidget m_widget;
};

} // namespace corv::test
