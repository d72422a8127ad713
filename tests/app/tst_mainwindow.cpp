// The main window: menus, toolbar, status bar, the view options, the routing
// of the record commands and the exit sequence, with stand-in windows.
#include "app/CorvModule.h"
#include "app/Settings.h"
#include "app/HelpBrowser.h"
#include "app/mdiCorvella.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTextBrowser>
#include <QToolBar>
#include <QtTest/QTest>
#include <memory>

using namespace corv;
using corv::test::TestEnv;

namespace {

// A record window that records what the main window asks of it, and the
// status text at that moment.
class StandIn : public CorvForm {
public:
    StandIn(FormKind kind, const QString &name, bool *flag, QStringList &log)
        : m_kind(kind), m_name(name), m_flag(flag), m_log(log) {
        m_widget.setWindowTitle(name);
        Forms::enroll(kind, this);
    }
    ~StandIn() override { Forms::withdraw(m_kind, this); }
    QWidget *widget() override { return &m_widget; }
    void mnuAdd_Click() override { note("Add"); }
    void mnuDelete_Click() override { note("Delete"); }
    void mnuSearch_Click() override { note("Search"); }
    void cmdRefreshData() override { note("Refresh"); }
    void cmdClose_Click() override {
        note("Close");
        if (refuseClose)
            return;
        if (m_flag)
            *m_flag = false;
        Forms::withdraw(m_kind, this);
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
    bool *m_flag;
    QStringList &m_log;
    QWidget m_widget;
};

QStringList enabledStates(mdiCorvella &m) {
    auto on = [](QAction *a) {
        return a->isEnabled() ? QStringLiteral("on") : QStringLiteral("off");
    };
    return {on(m.button(14)), on(m.button(16)), on(m.button(17)), on(m.button(19)),
            on(m.mnuPrint),   on(m.mnuAdd),     on(m.mnuDelete),  on(m.mnuSearch)};
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;
    std::unique_ptr<mdiCorvella> main;
    QStringList log;
    std::vector<std::unique_ptr<StandIn>> standIns;

    StandIn &standIn(FormKind kind, const QString &name, bool *flag) {
        standIns.push_back(std::make_unique<StandIn>(kind, name, flag, log));
        return *standIns.back();
    }

private slots:
    void init() {
        env = std::make_unique<TestEnv>();
        Forms::reset();
        CorvModule::readSettings();
        main = std::make_unique<mdiCorvella>();
        log.clear();
    }
    void cleanup() {
        standIns.clear();
        main.reset();
        Forms::reset();
        env.reset();
    }

    void menusAsDesigned() {
        QStringList menus;
        for (QAction *a : main->menuBar()->actions())
            menus << a->text();
        QCOMPARE(menus,
                 (QStringList{"&Options", "&File", "R&ecords", "&View", "&Window", "&Help"}));
        auto items = [](QMenu *m) {
            QStringList out;
            for (QAction *a : m->actions())
                out << a->objectName() + u'=' +
                           (a->isSeparator() ? QStringLiteral("-") : a->text());
            return out;
        };
        QCOMPARE(
            items(main->mnuOptions),
            (QStringList{"mnuChangeTanks=&Change Tanks", "mnu0=-", "mnuJournal=&Journal",
                         "mnuLiveStock=&Livestock", "mnu1=-", "mnuCommonDiseases=Common &Diseases",
                         "mnuAquaristGlossary=Aquarist &Glossary",
                         "mnuTankCalculator=&Tank Calculator", "mnuCorvChart=&CorvChart", "mnu2=-",
                         "mnuAutoHighlight=Auto &Highlight", "mnu5=-", "mnuExit=E&xit"}));
        QCOMPARE(items(main->mnuFile), (QStringList{"mnuBackup=&Backup", "mnuRestore=&Restore"}));
        QCOMPARE(items(main->mnuRecords),
                 (QStringList{"mnuAdd=Add", "mnuDelete=Delete", "mnu3=-", "mnuSearch=&Search",
                              "mnu4=-", "mnuPrint=&Print"}));
        QCOMPARE(items(main->mnuView), (QStringList{"mnuToolbar=Tool Bar", "mnuToolText=Tool Text",
                                                    "mnuStatusBar=Status Bar"}));
        QCOMPARE(items(main->mnuWindow),
                 (QStringList{"mnuCascade=&Cascade", "mnuArrange=&Arrange Icons"}));
        QCOMPARE(items(main->mnuHelp),
                 (QStringList{"mnuContents=Help &Contents", "mnuBrowseHelp=Browse Help",
                              "mnuAbout=&About"}));
        QCOMPARE(main->mnuSearch->shortcut(), QKeySequence(Qt::Key_F3));
        QCOMPARE(main->mnuContents->shortcut(), QKeySequence(Qt::Key_F1));
        QCOMPARE(main->mnuBrowseHelp->shortcut(), QKeySequence(Qt::Key_F2));
    }

    void toolbarAsDesigned() {
        QCOMPARE(main->buttonCount(), 23);
        QCOMPARE(main->tbToolBar->actions().size(), 23);
        const QStringList keys = {
            "Tank",   "", "Journal", "Livestock", "",      "Diseases", "Glossary", "Calculator",
            "Chart",  "", "Backup",  "Restore",   "",      "Print",    "",         "Add",
            "Delete", "", "Search",  "",          "About", "",         "Exit"};
        for (int i = 1; i <= 23; ++i) {
            QAction *b = main->button(i);
            QCOMPARE(main->tbToolBar->actions().at(i - 1), b);
            if (keys[i - 1].isEmpty()) {
                QVERIFY2(b->isSeparator(), qPrintable(QString::number(i)));
            } else {
                QCOMPARE(b->data().toString(), keys[i - 1]);
                QCOMPARE(b->toolTip(), keys[i - 1]);
                QVERIFY2(!b->icon().isNull(), qPrintable(keys[i - 1]));
            }
        }
        // A toolbar click runs the menu handler of its key.
        main->button(9)->trigger();
        QCOMPARE(main->statusText(), QStringLiteral("Chart your tank stats."));
        main->tbToolBar_ButtonClick(QStringLiteral("Nonsense")); // does nothing
        QCOMPARE(main->statusText(), QStringLiteral("Chart your tank stats."));
    }

    void statusBarPanels() {
        QCOMPARE(main->sbStatusBar->objectName(), QStringLiteral("sbStatusBar"));
        for (int i = 1; i <= 6; ++i)
            QVERIFY(main->panel(i));
        QCOMPARE(main->statusText(), CorvModule::WelcomeLine);
        QCOMPARE(main->panel(2)->text(), QStringLiteral("CAPS"));
        QCOMPARE(main->panel(3)->text(), QStringLiteral("NUM"));
        QCOMPARE(main->panel(4)->text(), QStringLiteral("INS"));
        QVERIFY(!main->panel(5)->text().isEmpty());
        QVERIFY(!main->panel(6)->text().isEmpty());
        // Without keyboard indicators the panels follow the keys pressed.
        main->show();
        QVERIFY(QTest::qWaitForWindowActive(main.get()));
        const bool caps = main->panel(2)->isEnabled();
        QTest::keyClick(main.get(), Qt::Key_CapsLock);
        QCOMPARE(main->panel(2)->isEnabled(), !caps);
        const bool ins = main->panel(4)->isEnabled();
        QTest::keyClick(main.get(), Qt::Key_Insert);
        QCOMPARE(main->panel(4)->isEnabled(), !ins);
    }

    void atLoadEveryRecordCommandIsOff() {
        QCOMPARE(enabledStates(*main), QStringList(8, "off"));
        for (bool *flag :
             {&CorvModule::JournalOpen, &CorvModule::StockOpen, &CorvModule::DiseasesOpen,
              &CorvModule::GlossaryOpen, &CorvModule::TankCalcOpen, &CorvModule::TankOpen})
            QVERIFY(!*flag);
    }

    void enableDisableRowByRow_data() {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QStringList>("states");
        const QString on = "on", off = "off";
        QTest::newRow("Diseases") << "Diseases" << QStringList{on, on, on, on, on, off, off, on};
        QTest::newRow("Glossary") << "Glossary" << QStringList{on, on, on, on, on, off, off, on};
        QTest::newRow("Journal") << "Journal" << QStringList(8, on);
        QTest::newRow("Stock") << "Stock" << QStringList(8, on);
        QTest::newRow("TankAdd") << "TankAdd" << QStringList{off, on, on, off, off, on, on, off};
        QTest::newRow("TankCalc") << "TankCalc" << QStringList(8, off);
        QTest::newRow("NoOne") << "NoOne" << QStringList(8, off);
    }
    void enableDisableRowByRow() {
        QFETCH(QString, form);
        QFETCH(QStringList, states);
        // Start from the opposite of the row, so every value is really set.
        CorvModule::ActiveForm = "Journal";
        main->EnableDisable();
        CorvModule::ActiveForm = "NoOne";
        main->EnableDisable();
        CorvModule::ActiveForm = form;
        main->EnableDisable();
        QCOMPARE(enabledStates(*main), states);
        // Any other marker leaves the states as they are.
        CorvModule::ActiveForm = "Something";
        main->EnableDisable();
        QCOMPARE(enabledStates(*main), states);
    }

    void recordCommandsRoute_data() {
        QTest::addColumn<QString>("form");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("Diseases") << "Diseases" << int(FormKind::Diseases)
                                  << QStringList{"D.Add | Add Diseases Record.",
                                                 "D.Delete | Delete Diseases Record.",
                                                 "D.Search | Search for a Disease Record."};
        QTest::newRow("Glossary") << "Glossary" << int(FormKind::Glossary)
                                  << QStringList{"D.Add | Add Glossary Record.",
                                                 "D.Delete | Delete Glossary Record.",
                                                 "D.Search | Search for a Glossary Record."};
        QTest::newRow("Journal") << "Journal" << int(FormKind::Journal)
                                 << QStringList{"D.Add | Add Journal Record.",
                                                "D.Delete | Delete Journal Record.",
                                                "D.Search | Search for a Journal Record."};
        QTest::newRow("Stock") << "Stock" << int(FormKind::Stock)
                               << QStringList{"D.Add | Add Livestock Record.",
                                              "D.Delete | Delete Livestock Record.",
                                              "D.Search | Search for a Livestock Record."};
        QTest::newRow("TankAdd") << "TankAdd" << int(FormKind::Tank)
                                 << QStringList{"D.Add | Add Tank Record.",
                                                "D.Delete | Delete Tank Record."};
        QTest::newRow("TankCalc") << "TankCalc" << int(FormKind::TankCalc) << QStringList{};
        QTest::newRow("NoOne") << "NoOne" << int(FormKind::Journal) << QStringList{};
    }
    void recordCommandsRoute() {
        QFETCH(QString, form);
        QFETCH(int, kind);
        QFETCH(QStringList, expected);
        standIn(FormKind(kind), "D", nullptr);
        CorvModule::ActiveForm = form;
        main->setStatusText("before");
        main->mnuAdd_Click();
        main->mnuDelete_Click();
        main->mnuSearch_Click();
        QCOMPARE(log, expected);
        if (expected.isEmpty())
            QCOMPARE(main->statusText(), QStringLiteral("before")); // nothing at all happens
    }

    void toolbarAddReachesDiseasesWhileMenuIsOff() {
        standIn(FormKind::Diseases, "Diseases", &CorvModule::DiseasesOpen);
        CorvModule::ActiveForm = "Diseases";
        main->EnableDisable();
        QVERIFY(!main->mnuAdd->isEnabled());
        QVERIFY(main->button(16)->isEnabled());
        main->button(16)->trigger();
        main->button(17)->trigger();
        QCOMPARE(log, (QStringList{"Diseases.Add | Add Diseases Record.",
                                   "Diseases.Delete | Delete Diseases Record."}));
    }

    void printRoutesToThePrintWindow() {
        int shown = 0;
        mdiCorvella::printWindow = [&](QWidget *) -> QDialog * {
            ++shown;
            return nullptr;
        };
        CorvModule::ActiveForm = "Glossary";
        main->mnuPrint_Click();
        QCOMPARE(main->statusText(), QStringLiteral("Print Glossary Reports."));
        CorvModule::ActiveForm = "TankAdd";
        main->setStatusText("x");
        main->mnuPrint_Click();
        QCOMPARE(main->statusText(), QStringLiteral("x"));
        QCOMPARE(shown, 1);
        mdiCorvella::printWindow = nullptr;
    }

    void windowCommandsSetFlagsAndStatus_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("status");
        QTest::newRow("tank") << int(FormKind::Tank) << "Maintain Tanks?";
        QTest::newRow("journal") << int(FormKind::Journal) << "Browse the journal database.";
        QTest::newRow("livestock") << int(FormKind::Stock) << "Browse the Livestock database.";
        QTest::newRow("diseases") << int(FormKind::Diseases)
                                  << "Browse the common disease database.";
        QTest::newRow("glossary") << int(FormKind::Glossary)
                                  << "Browse the aquarist glossary database.";
        QTest::newRow("calculator") << int(FormKind::TankCalc) << "Calculate tank copasities.";
    }
    void windowCommandsSetFlagsAndStatus() {
        QFETCH(int, kind);
        QFETCH(QString, status);
        bool *flags[] = {&CorvModule::JournalOpen,  &CorvModule::StockOpen,
                         &CorvModule::TankOpen,     &CorvModule::DiseasesOpen,
                         &CorvModule::GlossaryOpen, &CorvModule::TankCalcOpen};
        int made = 0;
        Forms::setFactory(FormKind(kind), [&]() -> CorvForm * {
            ++made;
            auto &s = standIn(FormKind(kind), "W", flags[kind]);
            main->addChild(s.widget());
            return &s;
        });
        void (mdiCorvella::*commands[])() = {
            &mdiCorvella::mnuJournal_Click,          &mdiCorvella::mnuLiveStock_Click,
            &mdiCorvella::mnuChangeTanks_Click,      &mdiCorvella::mnuCommonDiseases_Click,
            &mdiCorvella::mnuAquaristGlossary_Click, &mdiCorvella::mnuTankCalculator_Click};
        (main.get()->*commands[kind])();
        QCOMPARE(main->statusText(), status);
        QVERIFY(*flags[kind]);
        // A window that is open already is only brought to the front.
        (main.get()->*commands[kind])();
        QCOMPARE(made, 1);
        QCOMPARE(main->mdiArea->subWindowList().size(), 1);
    }

    void aWindowThatCannotOpenIsNotMarkedOpen() {
        main->mnuLiveStock_Click(); // no livestock window is made here
        QCOMPARE(main->statusText(), QStringLiteral("Browse the Livestock database."));
        QVERIFY(!CorvModule::StockOpen);
        QVERIFY(main->mdiArea->subWindowList().isEmpty());
    }

    void chartAndAboutAreModal() {
        int charts = 0;
        mdiCorvella::chartWindow = [&](QWidget *) -> QDialog * {
            ++charts;
            return nullptr;
        };
        main->button(9)->trigger();
        QCOMPARE(main->statusText(), QStringLiteral("Chart your tank stats."));
        QCOMPARE(charts, 1);
        mdiCorvella::chartWindow = nullptr;
        main->mnuAbout_Click();
        QCOMPARE(env->dialogs.calls.last().dialogName, QStringLiteral("frmAbout"));
        // Closing the about box put the idle line back.
        QCOMPARE(main->statusText(), CorvModule::IdleLine);
    }

    void togglesPersistAndSayWhatTheyDid() {
        main->show();
        QVERIFY(QTest::qWaitForWindowActive(main.get()));
        QVERIFY(main->tbToolBar->isVisible());
        QVERIFY(main->mnuToolbar->isChecked());
        main->mnuToolbar->trigger();
        QVERIFY(!main->tbToolBar->isVisible());
        QVERIFY(!main->mnuToolbar->isChecked());
        QCOMPARE(main->statusText(), QStringLiteral("Tool bar hiden."));
        QCOMPARE(Settings::read("Corvella", "Toolbar", "Visible", "x"), QStringLiteral("False"));
        main->mnuToolbar_Click();
        QCOMPARE(main->statusText(), QStringLiteral("Tool bar visible."));
        QCOMPARE(Settings::read("Corvella", "Toolbar", "Visible", "x"), QStringLiteral("True"));

        main->mnuToolText->trigger();
        QVERIFY(main->mnuToolText->isChecked());
        QCOMPARE(main->statusText(), QStringLiteral("Tool bar text visible."));
        QCOMPARE(Settings::read("Corvella", "Toolbar", "Text", "x"), QStringLiteral("True"));
        QCOMPARE(main->button(11)->iconText(), QStringLiteral("Backup"));
        QCOMPARE(main->button(23)->iconText(), QStringLiteral("Exit"));
        main->mnuToolText_Click();
        QCOMPARE(main->statusText(), QStringLiteral("Tool bar text hiden."));
        QVERIFY(main->button(11)->iconText().isEmpty());

        main->setStatusText("unchanged");
        main->mnuStatusBar->trigger(); // hiding writes nothing
        QVERIFY(!main->sbStatusBar->isVisible());
        QCOMPARE(main->statusText(), QStringLiteral("unchanged"));
        QCOMPARE(Settings::read("Corvella", "Statusbar", "Visible", "x"), QStringLiteral("False"));
        main->mnuStatusBar_Click();
        QVERIFY(main->sbStatusBar->isVisible());
        QCOMPARE(main->statusText(), QStringLiteral("Status bar visible."));

        QVERIFY(main->AutoHighlight);
        main->mnuAutoHighlight->trigger();
        QVERIFY(!main->AutoHighlight);
        QVERIFY(!main->mnuAutoHighlight->isChecked());
        QCOMPARE(main->statusText(), QStringLiteral("Auto Highlight OFF."));
        QCOMPARE(Settings::read("Corvella", "Options", "AutoHighlight", "x"),
                 QStringLiteral("False"));
        main->mnuAutoHighlight_Click();
        QCOMPARE(main->statusText(), QStringLiteral("Auto Highlight ON."));
    }

    void activationRereadsTheStore() {
        Settings::save("Corvella", "Toolbar", "Visible", "False");
        Settings::save("Corvella", "Toolbar", "Text", "True");
        Settings::save("Corvella", "Statusbar", "Visible", "False");
        Settings::save("Corvella", "Options", "AutoHighlight", "False");
        main->show();
        QVERIFY(QTest::qWaitForWindowActive(main.get()));
        QVERIFY(!main->tbToolBar->isVisible());
        QVERIFY(!main->mnuToolbar->isChecked());
        QVERIFY(main->mnuToolText->isChecked());
        QCOMPARE(main->button(1)->iconText(), QStringLiteral("Tank"));
        QVERIFY(!main->sbStatusBar->isVisible());
        QVERIFY(!main->AutoHighlight);
        // Changed behind its back, then activated again.
        Settings::save("Corvella", "Options", "AutoHighlight", "True");
        Settings::save("Corvella", "Toolbar", "Visible", "True");
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(main.get(), &activate);
        QVERIFY(main->AutoHighlight);
        QVERIFY(main->tbToolBar->isVisible());
    }

    void selectMeFollowsAutoHighlight() {
        QLineEdit box("7.25");
        QPlainTextEdit notes("two\nlines");
        box.setCursorPosition(2);
        main->AutoHighlight = false;
        main->SelectMe(&box);
        QVERIFY(!box.hasSelectedText());
        main->AutoHighlight = true;
        main->SelectMe(&box);
        QCOMPARE(box.selectionStart(), 0);
        QCOMPARE(box.selectedText(), QStringLiteral("7.25"));
        main->SelectMe(&notes);
        QCOMPARE(notes.textCursor().selectedText().size(), 9);
    }

    void exitAnsweredCancelKeepsEverything() {
        auto &j = standIn(FormKind::Journal, "Journal", &CorvModule::JournalOpen);
        CorvModule::JournalOpen = true;
        main->show();
        env->dialogs.answers = {MsgResult::Cancel};
        main->mnuExit_Click();
        QVERIFY(main->isVisible());
        const auto m = env->dialogs.messages().last();
        QCOMPARE(m.text, QStringLiteral("Exit Corvella?"));
        QCOMPARE(m.title, QStringLiteral("Corvella"));
        QCOMPARE(m.icon, MsgIcon::Question);
        QCOMPARE(m.buttons, MsgButtons::OkCancel);
        QCOMPARE(m.defaultButton, MsgResult::Cancel);
        QCOMPARE(main->statusText(), CorvModule::IdleLine);
        QVERIFY(log.isEmpty());
        QVERIFY(CorvModule::JournalOpen);
        QVERIFY(Forms::get(FormKind::Journal) == &j);
    }

    void exitAnsweredOkClosesInOrder() {
        // Every window open: closed in the order diseases, glossary, journal,
        // livestock, calculator, tank, with "Exit Corvella?" showing.
        standIn(FormKind::Tank, "Tank", &CorvModule::TankOpen);
        standIn(FormKind::TankCalc, "Calc", &CorvModule::TankCalcOpen);
        standIn(FormKind::Stock, "Stock", &CorvModule::StockOpen);
        standIn(FormKind::Journal, "Journal", &CorvModule::JournalOpen);
        standIn(FormKind::Glossary, "Glossary", &CorvModule::GlossaryOpen);
        standIn(FormKind::Diseases, "Diseases", &CorvModule::DiseasesOpen);
        for (bool *f :
             {&CorvModule::TankOpen, &CorvModule::TankCalcOpen, &CorvModule::StockOpen,
              &CorvModule::JournalOpen, &CorvModule::GlossaryOpen, &CorvModule::DiseasesOpen})
            *f = true;
        main->show();
        env->dialogs.answers = {MsgResult::Ok};
        QVERIFY(!main->MDIForm_Unload());
        QCOMPARE(log,
                 (QStringList{"Diseases.Close | Exit Corvella?", "Glossary.Close | Exit Corvella?",
                              "Journal.Close | Exit Corvella?", "Stock.Close | Exit Corvella?",
                              "Calc.Close | Exit Corvella?", "Tank.Close | Exit Corvella?"}));
    }

    void exitStaysWhenAWindowCannotStore() {
        auto &j = standIn(FormKind::Journal, "Journal", &CorvModule::JournalOpen);
        CorvModule::JournalOpen = true;
        j.refuseClose = true;
        main->show();
        env->dialogs.answers = {MsgResult::Ok};
        main->mnuExit_Click();
        QVERIFY(main->isVisible());
        QCOMPARE(main->statusText(), CorvModule::IdleLine);
    }

    void closeOpenWindowsSkipsClosedFlags() {
        standIn(FormKind::Journal, "Journal", &CorvModule::JournalOpen);
        standIn(FormKind::Tank, "Tank", &CorvModule::TankOpen); // opened by start-up: no flag
        CorvModule::JournalOpen = true;
        CorvModule::StockOpen = true; // a flag whose window has gone
        main->CloseOpenWindows();
        QCOMPARE(log.size(), 1);
        QVERIFY(log[0].startsWith("Journal.Close"));
        QVERIFY(!CorvModule::StockOpen);
        QVERIFY(Forms::get(FormKind::Tank));
        // Closing for the database includes the window the flags miss.
        QVERIFY(main->closeDatabaseWindows());
        QVERIFY(log.last().startsWith("Tank.Close"));
    }

    void windowMenuListsTheChildWindows() {
        auto &a = standIn(FormKind::Journal, "Journal", nullptr);
        auto &b = standIn(FormKind::Glossary, "Glossary", nullptr);
        main->addChild(a.widget())->show();
        main->addChild(b.widget())->show();
        emit main->mnuWindow->aboutToShow();
        QStringList items;
        for (QAction *x : main->mnuWindow->actions())
            items << (x->isSeparator() ? QStringLiteral("-") : x->text());
        QCOMPARE(items, (QStringList{"&Cascade", "&Arrange Icons", "-", "&1 Journal", "&2 Glossary"}));
        main->mnuWindow->actions().at(3)->trigger(); // picking one brings it to the front
        QCOMPARE(main->mdiArea->activeSubWindow()->widget(), a.widget());
        emit main->mnuWindow->aboutToShow(); // listed afresh, not twice
        QCOMPARE(main->mnuWindow->actions().size(), 5);
    }

    void theHelpBookLoads() {
        HelpBrowser help;
        QVERIFY(help.load(QStringLiteral(CORVELLA_SOURCE_DIR "/resources/help/CORVELLA.HLP")));
        const QString text = help.browser()->toPlainText();
        for (const char *topic : {"Getting started", "The Tank", "Journal", "Tank Calculator",
                                  "twenty water parameters", "Backup", "Keyboard"})
            QVERIFY2(text.contains(QLatin1String(topic), Qt::CaseInsensitive), topic);
        QVERIFY(help.browser()->document()->toHtml().contains("contents"));
    }

    void helpCommands() {
        CorvModule::HelpFile = env->path("CORVELLA.HLP");
        main->mnuContents->trigger();
        QCOMPARE(main->statusText(), QStringLiteral("Corvella Help."));
        const auto call = env->dialogs.calls.last();
        QCOMPARE(call.kind, corv::test::ScriptedDialogs::Call::StartProgram);
        QVERIFY(call.program.endsWith("corvella-help"));
        QCOMPARE(call.arguments, QStringList{CorvModule::HelpFile});
        // A viewer that cannot start is said; a missing help file is not (the
        // viewer reports that itself).
        QVERIFY(env->dialogs.messages().isEmpty());
        env->dialogs.startSucceeds = false;
        main->mnuContents_Click();
        QCOMPARE(env->dialogs.messageTexts(), QStringList{"The help viewer could not be started."});

        main->mnuBrowseHelp->trigger();
        QCOMPARE(main->mdiArea->subWindowList().size(), 1);
        QCOMPARE(main->mdiArea->subWindowList()[0]->windowTitle(), QStringLiteral("Corvella Help"));
        // The missing help file is reported in the viewer itself.
        auto *help = qobject_cast<HelpBrowser *>(main->mdiArea->subWindowList()[0]->widget());
        QVERIFY(help);
        QVERIFY(help->browser()->toPlainText().contains("The help file cannot be opened"));
        main->mnuBrowseHelp_Click(); // shown once
        QCOMPARE(main->mdiArea->subWindowList().size(), 1);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
