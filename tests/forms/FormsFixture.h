// A main window on a fresh database, with the record windows registered,
// for the tests of the record windows.
#pragma once

#include "app/CorvModule.h"
#include "app/Settings.h"
#include "app/mdiCorvella.h"
#include "data/RecordSet.h"
#include "platform/Conversions.h"
#include "support/TestSupport.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QtTest/QTest>
#include <memory>

namespace corv::test {

struct FormsFixture {
    std::unique_ptr<TestEnv> env;
    std::unique_ptr<mdiCorvella> main;
    QString db;
    QVector<int> ends; // CorvModule::End calls

    void setUp(bool withDatabase = true) {
        env = std::make_unique<TestEnv>();
        ends.clear();
        Forms::reset();
        RecordSet::setBusyTimeout(200);
        CorvModule::readSettings();
        if (withDatabase)
            db = env->makeDatabase();
        CorvModule::End = [this](int code) { ends << code; };
        registerWindows();
        main = std::make_unique<mdiCorvella>();
        main->show();
        QVERIFY(QTest::qWaitForWindowActive(main.get()));
    }
    void tearDown() {
        main.reset();
        Forms::reset();
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
};

} // namespace corv::test
