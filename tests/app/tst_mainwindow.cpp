// The main window: its menus, toolbar and status bar, the view options, the
// routing of the record commands and the exit sequence, with stand-in
// windows.
#include "app/Artwork.h"
#include "app/ChildWindow.h"
#include "app/CorvModule.h"
#include "app/HelpBrowser.h"
#include "app/Settings.h"
#include "app/mdiCorvella.h"
#include "support/MainWindowFixture.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScopeGuard>
#include <QScrollBar>
#include <QStatusBar>
#include <QTextBrowser>
#include <QToolBar>
#include <QtTest/QTest>
#include <memory>

using namespace corv;
using namespace corv::test;

namespace {

// A menu item found as the user finds it: by the menu's caption and its own.
QAction *menuItem(mdiCorvella &m, const QString &menu, const QString &item) {
    for (QAction *top : m.menuBar()->actions()) {
        if (top->text() != menu || !top->menu())
            continue;
        for (QAction *a : top->menu()->actions())
            if (a->text() == item)
                return a;
    }
    return nullptr;
}

// A toolbar button found by the word of its tool tip.
QAction *toolButton(mdiCorvella &m, const QString &tip) {
    for (QAction *a : m.tbToolBar->actions())
        if (!a->isSeparator() && a->toolTip() == tip)
            return a;
    return nullptr;
}

// A modal window that opens or refuses to, as told, and counts its unloads.
class Modal : public ModalWindow {
public:
    explicit Modal(QWidget *parent) : ModalWindow(parent) {}
    bool Form_Load() override { return opens; }
    void Form_Unload() override {
        ++unloads;
        ModalWindow::Form_Unload();
    }
    static inline bool opens = true;
    static inline int unloads = 0;
};

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
    MainWindowFixture fx;
    QStringList log;
    std::vector<std::unique_ptr<StandInWindow>> standIns;
    int charts = 0, prints = 0;
    std::optional<HookGuard<std::function<QDialog *(QWidget *)>>> chartHook, printHook;

    mdiCorvella &main() { return *fx.main; }
    StandInWindow &standIn(FormKind kind, const QString &name) {
        standIns.push_back(std::make_unique<StandInWindow>(kind, name, log));
        return *standIns.back();
    }
    // Every window command makes a stand-in, shown as a child window.
    void standInMakers() {
        for (const WindowKind &w : windowTable()) {
            const FormKind kind = w.kind;
            const QString name = w.markerText();
            Forms::setFactory(kind, [this, kind, name]() -> CorvForm * {
                auto &s = standIn(kind, name);
                main().addChild(s.widget());
                return &s;
            });
        }
    }

private slots:
    void init() {
        fx.setUp({false, false, false});
        log.clear();
        charts = prints = 0;
        // The chart and print windows of later parts, counted.
        chartHook.emplace(mdiCorvella::chartWindow, [this](QWidget *) -> QDialog * {
            log << QStringLiteral("chart | ") + main().statusText();
            ++charts;
            return nullptr;
        });
        printHook.emplace(mdiCorvella::printWindow, [this](QWidget *) -> QDialog * {
            log << QStringLiteral("print | ") + main().statusText();
            ++prints;
            return nullptr;
        });
    }
    void cleanup() {
        standIns.clear();
        fx.tearDown();
        chartHook.reset();
        printHook.reset();
    }

    void everyMenuItemRunsItsCommand_data() {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("effect");
        auto row = [](const char *menu, const char *item, const char *status, const char *effect) {
            QTest::newRow(item) << menu << item << status << effect;
        };
        row("&Options", "&Change Tanks", "Maintain Tanks?", "TankAdd");
        row("&Options", "&Journal", "Browse the journal database.", "Journal");
        row("&Options", "&Livestock", "Browse the Livestock database.", "Stock");
        row("&Options", "Common &Diseases", "Browse the common disease database.", "Diseases");
        row("&Options", "Aquarist &Glossary", "Browse the aquarist glossary database.", "Glossary");
        row("&Options", "&Tank Calculator", "Calculate tank copasities.", "TankCalc");
        row("&Options", "&CorvChart", "Chart your tank stats.", "chart");
        row("&Options", "Auto &Highlight", "Auto Highlight OFF.", "");
        row("&Options", "E&xit",
            "Corvella, your complete aquarium information toolkit. Select "
            "an option from the menu.",
            "Exit Corvella?");
        row("&File", "&Backup",
            "Corvella, your complete aquarium information toolkit. Select an "
            "option from the menu.",
            "Backup database");
        row("&File", "&Restore",
            "Corvella, your complete aquarium information toolkit. Select "
            "an option from the menu.",
            "Restore database");
        row("&View", "Tool Bar", "Tool bar hiden.", "");
        row("&View", "Tool Text", "Tool bar text visible.", "");
        row("&View", "Status Bar",
            "Welcome to Corvella, your complete aquarium information "
            "toolkit. Select an option from the menu.",
            ""); // hiding the status bar writes nothing
        row("&Help", "Help &Contents", "Corvella Help.", "corvella-help");
        row("&Help", "Browse Help", "Corvella Help.", "Corvella Help");
        row("&Help", "&About",
            "Corvella, your complete aquarium information toolkit. Select an "
            "option from the menu.",
            "frmAbout");
        // Before any record window is active the record commands do nothing.
        for (const char *item : {"Add", "Delete", "&Search", "&Print"})
            row("R&ecords", item,
                "Welcome to Corvella, your complete aquarium information toolkit. Select an "
                "option from the menu.",
                "");
    }
    void everyMenuItemRunsItsCommand() {
        QFETCH(QString, menu);
        QFETCH(QString, item);
        QFETCH(QString, status);
        QFETCH(QString, effect);
        standInMakers();
        main().show();
        QVERIFY(QTest::qWaitForWindowActive(&main()));
        fx.env->dialogs.answers = {MsgResult::Cancel}; // for "Exit Corvella?"
        QAction *a = menuItem(main(), menu, item);
        QVERIFY2(a, qPrintable(item));
        a->trigger();
        QCOMPARE(main().statusText(), status);
        // What the command did besides.
        const auto &calls = fx.env->dialogs.calls;
        if (effect.isEmpty()) {
            QVERIFY(log.isEmpty());
            QVERIFY(calls.isEmpty());
        } else if (const WindowKind *w = windowByMarker(effect)) {
            QVERIFY(OpenFlag::of(w->kind));
            QCOMPARE(main().mdiArea->activeSubWindow()->widget(), Forms::get(w->kind)->widget());
        } else if (effect == "chart") {
            QCOMPARE(charts, 1);
        } else if (effect == "Corvella Help") {
            QCOMPARE(main().mdiArea->activeSubWindow()->windowTitle(), effect);
        } else {
            QVERIFY(!calls.isEmpty());
            const auto &c = calls.first();
            QCOMPARE(c.message.text + c.file.title + c.program.section(u'/', -1) + c.dialogName,
                     effect);
        }
        QVERIFY(fx.env->dialogs.answers.isEmpty() || effect != "Exit Corvella?");
        QVERIFY(main().isVisible()); // Exit answered Cancel
    }

    void theKeysOfTheMenus() {
        standIn(FormKind::Journal, "Journal").Form_Activate();
        main().show();
        QVERIFY(QTest::qWaitForWindowActive(&main()));
        QTest::keyClick(&main(), Qt::Key_F3);
        QCOMPARE(log, QStringList{"Journal.Search | Search for a Journal Record."});
        QTest::keyClick(&main(), Qt::Key_F1);
        QCOMPARE(fx.env->dialogs.calls.last().kind, ScriptedDialogs::Call::StartProgram);
        QTest::keyClick(&main(), Qt::Key_F2);
        QCOMPARE(main().mdiArea->subWindowList().size(), 1);
        QCOMPARE(main().statusText(), QStringLiteral("Corvella Help."));
    }

    void eachToolbarButtonDoesWhatItsMenuItemDoes_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("item");
        const char *rows[][3] = {{"Tank", "&Options", "&Change Tanks"},
                                 {"Journal", "&Options", "&Journal"},
                                 {"Livestock", "&Options", "&Livestock"},
                                 {"Diseases", "&Options", "Common &Diseases"},
                                 {"Glossary", "&Options", "Aquarist &Glossary"},
                                 {"Calculator", "&Options", "&Tank Calculator"},
                                 {"Chart", "&Options", "&CorvChart"},
                                 {"Backup", "&File", "&Backup"},
                                 {"Restore", "&File", "&Restore"},
                                 {"About", "&Help", "&About"},
                                 {"Exit", "&Options", "E&xit"}};
        for (const auto &r : rows)
            QTest::newRow(r[0]) << r[0] << r[1] << r[2];
    }
    void eachToolbarButtonDoesWhatItsMenuItemDoes() {
        QFETCH(QString, key);
        QFETCH(QString, menu);
        QFETCH(QString, item);
        standInMakers();
        auto run = [&](QAction *a) {
            fx.env->dialogs.answers = {MsgResult::Cancel};
            main().setStatusText("before");
            a->trigger();
            QStringList seen{main().statusText()};
            for (const auto &c : fx.env->dialogs.calls)
                seen << c.message.text + c.file.title + c.dialogName;
            seen << log;
            for (QMdiSubWindow *w : main().mdiArea->subWindowList())
                seen << w->windowTitle();
            // Back to where it started.
            standIns.clear();
            for (QMdiSubWindow *w : main().mdiArea->subWindowList())
                delete w;
            for (const WindowKind &w : windowTable())
                OpenFlag::of(w.kind) = false;
            fx.env->dialogs.clear();
            log.clear();
            return seen;
        };
        QAction *button = toolButton(main(), key);
        QVERIFY(button);
        QVERIFY(!button->icon().isNull());
        const QStringList byButton = run(button);
        const QStringList byMenu = run(menuItem(main(), menu, item));
        QCOMPARE(byButton, byMenu);
        QVERIFY(byButton.first() != QStringLiteral("before"));
        main().setStatusText("before");
        main().tbToolBar_ButtonClick(QStringLiteral("Nonsense")); // a key of no button
        QCOMPARE(main().statusText(), QStringLiteral("before"));
    }

    void statusBarPanels() {
        QCOMPARE(main().sbStatusBar->objectName(), QStringLiteral("sbStatusBar"));
        for (int i = 1; i <= 6; ++i)
            QVERIFY(main().panel(i));
        QCOMPARE(main().statusText(), CorvModule::WelcomeLine);
        QCOMPARE(main().panel(2)->text(), QStringLiteral("CAPS"));
        QCOMPARE(main().panel(3)->text(), QStringLiteral("NUM"));
        QCOMPARE(main().panel(4)->text(), QStringLiteral("INS"));
        QVERIFY(!main().panel(5)->text().isEmpty());
        QVERIFY(!main().panel(6)->text().isEmpty());
        // Without keyboard indicators the panels follow the keys pressed.
        main().show();
        QVERIFY(QTest::qWaitForWindowActive(&main()));
        const bool caps = main().panel(2)->isEnabled();
        QTest::keyClick(&main(), Qt::Key_CapsLock);
        QCOMPARE(main().panel(2)->isEnabled(), !caps);
        const bool ins = main().panel(4)->isEnabled();
        QTest::keyClick(&main(), Qt::Key_Insert);
        QCOMPARE(main().panel(4)->isEnabled(), !ins);
    }

    void recordCommandsFollowTheActiveWindow_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("reached");
        // What the four toolbar buttons (Print, Add, Delete, Search), then
        // the four Records menu items, reach while the window is active.
        auto reached = [](const char *window, const char *add, const char *remove,
                          const char *search, const char *print, const char *buttons,
                          const char *menu) {
            QStringList out;
            const char *what[] = {"print", "Add", "Delete", "Search"};
            const char *status[] = {print, add, remove, search};
            for (const char *mask : {buttons, menu})
                for (int i = 0; i < 4; ++i)
                    if (mask[i] == '1')
                        out << (i == 0 ? QStringLiteral("print | ")
                                       : QString::fromLatin1(window) + u'.' +
                                             QLatin1String(what[i]) + QStringLiteral(" | ")) +
                                   QLatin1String(status[i]);
            return out;
        };
        QTest::newRow("diseases") << int(FormKind::Diseases)
                                  << reached("Diseases", "Add Diseases Record.",
                                             "Delete Diseases Record.",
                                             "Search for a Disease Record.",
                                             "Print Disease Reports.", "1111", "1001");
        QTest::newRow("glossary") << int(FormKind::Glossary)
                                  << reached("Glossary", "Add Glossary Record.",
                                             "Delete Glossary Record.",
                                             "Search for a Glossary Record.",
                                             "Print Glossary Reports.", "1111", "1001");
        QTest::newRow("journal") << int(FormKind::Journal)
                                 << reached("Journal", "Add Journal Record.",
                                            "Delete Journal Record.",
                                            "Search for a Journal Record.",
                                            "Print Journal Reports.", "1111", "1111");
        QTest::newRow("livestock")
            << int(FormKind::Stock)
            << reached("Stock", "Add Livestock Record.", "Delete Livestock Record.",
                       "Search for a Livestock Record.", "Print Livestock Reports.", "1111",
                       "1111");
        QTest::newRow("tank") << int(FormKind::Tank)
                              << reached("Tank", "Add Tank Record.", "Delete Tank Record.", "", "",
                                         "0110", "0110");
        QTest::newRow("calculator") << int(FormKind::TankCalc) << QStringList{};
    }
    void recordCommandsFollowTheActiveWindow() {
        QFETCH(int, kind);
        QFETCH(QStringList, reached);
        const WindowKind &w = windowKind(FormKind(kind));
        // Another window was active before, so every state is really set.
        standIn(FormKind::Journal, "Other").Form_Activate();
        standIn(FormKind(kind), w.kind == FormKind::Tank ? "Tank" : w.markerText()).Form_Activate();
        for (QAction *a :
             {main().button(14), main().button(16), main().button(17), main().button(19),
              main().mnuPrint, main().mnuAdd, main().mnuDelete, main().mnuSearch})
            a->trigger();
        QCOMPARE(log, reached);
        // Another marker leaves the commands as they are; "NoOne" turns them
        // all off.
        const bool addOn = main().button(16)->isEnabled();
        QCOMPARE(addOn, reached.join(u' ').contains(".Add"));
        CorvModule::ActiveForm = "Something";
        main().EnableDisable();
        QCOMPARE(main().button(16)->isEnabled(), addOn);
        CorvModule::ActiveForm = CorvModule::NoOne;
        main().EnableDisable();
        log.clear();
        for (QAction *a : {main().button(14), main().button(16), main().mnuAdd, main().mnuSearch})
            a->trigger();
        QVERIFY(log.isEmpty());
    }

    void aMarkerOfNoWindowRoutesNothing() {
        standIn(FormKind::Journal, "Journal");
        CorvModule::ActiveForm = "Something";
        main().setStatusText("before");
        main().mnuAdd_Click();
        main().mnuDelete_Click();
        main().mnuSearch_Click();
        main().mnuPrint_Click();
        QVERIFY(log.isEmpty());
        QCOMPARE(main().statusText(), QStringLiteral("before"));
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
        int made = 0;
        Forms::setFactory(FormKind(kind), [&]() -> CorvForm * {
            ++made;
            auto &s = standIn(FormKind(kind), "W");
            main().addChild(s.widget());
            return &s;
        });
        void (mdiCorvella::*commands[])() = {
            &mdiCorvella::mnuJournal_Click,          &mdiCorvella::mnuLiveStock_Click,
            &mdiCorvella::mnuChangeTanks_Click,      &mdiCorvella::mnuCommonDiseases_Click,
            &mdiCorvella::mnuAquaristGlossary_Click, &mdiCorvella::mnuTankCalculator_Click};
        (&main()->*commands[kind])();
        QCOMPARE(main().statusText(), status);
        QVERIFY(OpenFlag::of(FormKind(kind)));
        // A window that is open already is only brought to the front.
        (&main()->*commands[kind])();
        QCOMPARE(made, 1);
        QCOMPARE(main().mdiArea->subWindowList().size(), 1);
    }

    void aWindowThatCannotOpenIsNotMarkedOpen() {
        main().mnuLiveStock_Click(); // no livestock window is made here
        QCOMPARE(main().statusText(), QStringLiteral("Browse the Livestock database."));
        QVERIFY(!CorvModule::StockOpen);
        QVERIFY(main().mdiArea->subWindowList().isEmpty());
    }

    void aModalWindowLoadsOnceAndUnloadsOnce() {
        Modal::unloads = 0;
        Modal::opens = false;
        main().setStatusText("before");
        QVERIFY(!ModalWindow::open<Modal>(&main())); // it refused: gone again
        QCOMPARE(Modal::unloads, 1);
        Modal::opens = true;
        std::unique_ptr<Modal> w(ModalWindow::open<Modal>(&main()));
        QVERIFY(w);
        main().setStatusText("shown");
        dialogs().execModal(*w); // the user closes it
        QCOMPARE(main().statusText(), CorvModule::IdleLine);
        main().setStatusText("after");
        w->close(); // closing again unloads nothing more
        w->accept();
        QCOMPARE(Modal::unloads, 2);
        QCOMPARE(main().statusText(), QStringLiteral("after"));
    }

    void chartIsModal() {
        main().button(9)->trigger();
        QCOMPARE(log, QStringList{"chart | Chart your tank stats."});
    }

    void togglesPersistAndSayWhatTheyDid() {
        main().show();
        QVERIFY(QTest::qWaitForWindowActive(&main()));
        QVERIFY(main().tbToolBar->isVisible());
        QVERIFY(main().mnuToolbar->isChecked());
        main().mnuToolbar->trigger();
        QVERIFY(!main().tbToolBar->isVisible());
        QVERIFY(!main().mnuToolbar->isChecked());
        QCOMPARE(main().statusText(), QStringLiteral("Tool bar hiden."));
        QCOMPARE(Settings::read("Corvella", "Toolbar", "Visible", "x"), QStringLiteral("False"));
        main().mnuToolbar_Click();
        QCOMPARE(main().statusText(), QStringLiteral("Tool bar visible."));
        QCOMPARE(Settings::read("Corvella", "Toolbar", "Visible", "x"), QStringLiteral("True"));

        main().mnuToolText->trigger();
        QVERIFY(main().mnuToolText->isChecked());
        QCOMPARE(main().statusText(), QStringLiteral("Tool bar text visible."));
        QCOMPARE(Settings::read("Corvella", "Toolbar", "Text", "x"), QStringLiteral("True"));
        QCOMPARE(main().button(11)->iconText(), QStringLiteral("Backup"));
        QCOMPARE(main().button(23)->iconText(), QStringLiteral("Exit"));
        main().mnuToolText_Click();
        QCOMPARE(main().statusText(), QStringLiteral("Tool bar text hiden."));
        QVERIFY(main().button(11)->iconText().isEmpty());

        main().setStatusText("unchanged");
        main().mnuStatusBar->trigger(); // hiding writes nothing
        QVERIFY(!main().sbStatusBar->isVisible());
        QCOMPARE(main().statusText(), QStringLiteral("unchanged"));
        QCOMPARE(Settings::read("Corvella", "Statusbar", "Visible", "x"), QStringLiteral("False"));
        main().mnuStatusBar_Click();
        QVERIFY(main().sbStatusBar->isVisible());
        QCOMPARE(main().statusText(), QStringLiteral("Status bar visible."));

        QVERIFY(main().AutoHighlight);
        main().mnuAutoHighlight->trigger();
        QVERIFY(!main().AutoHighlight);
        QVERIFY(!main().mnuAutoHighlight->isChecked());
        QCOMPARE(main().statusText(), QStringLiteral("Auto Highlight OFF."));
        QCOMPARE(Settings::read("Corvella", "Options", "AutoHighlight", "x"),
                 QStringLiteral("False"));
        main().mnuAutoHighlight_Click();
        QCOMPARE(main().statusText(), QStringLiteral("Auto Highlight ON."));
    }

    void activationRereadsTheStore() {
        Settings::save("Corvella", "Toolbar", "Visible", "False");
        Settings::save("Corvella", "Toolbar", "Text", "True");
        Settings::save("Corvella", "Statusbar", "Visible", "False");
        Settings::save("Corvella", "Options", "AutoHighlight", "False");
        main().show();
        QVERIFY(QTest::qWaitForWindowActive(&main()));
        QVERIFY(!main().tbToolBar->isVisible());
        QVERIFY(!main().mnuToolbar->isChecked());
        QVERIFY(main().mnuToolText->isChecked());
        QCOMPARE(main().button(1)->iconText(), QStringLiteral("Tank"));
        QVERIFY(!main().sbStatusBar->isVisible());
        QVERIFY(!main().AutoHighlight);
        // Changed behind its back, then activated again.
        Settings::save("Corvella", "Options", "AutoHighlight", "True");
        Settings::save("Corvella", "Toolbar", "Visible", "True");
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(&main(), &activate);
        QVERIFY(main().AutoHighlight);
        QVERIFY(main().tbToolBar->isVisible());
    }

    void selectMeFollowsAutoHighlight() {
        QLineEdit box("7.25");
        QPlainTextEdit notes("two\nlines");
        box.setCursorPosition(2);
        main().AutoHighlight = false;
        main().SelectMe(&box);
        QVERIFY(!box.hasSelectedText());
        main().AutoHighlight = true;
        main().SelectMe(&box);
        QCOMPARE(box.selectionStart(), 0);
        QCOMPARE(box.selectedText(), QStringLiteral("7.25"));
        main().SelectMe(&notes);
        QCOMPARE(notes.textCursor().selectedText().size(), 9);
    }

    void exitAnsweredCancelKeepsEverything() {
        auto &j = standIn(FormKind::Journal, "Journal");
        CorvModule::JournalOpen = true;
        main().show();
        fx.env->dialogs.answers = {MsgResult::Cancel};
        main().mnuExit_Click();
        QVERIFY(main().isVisible());
        const auto m = fx.env->dialogs.messages().last();
        QCOMPARE(m.text, QStringLiteral("Exit Corvella?"));
        QCOMPARE(m.title, QStringLiteral("Corvella"));
        QCOMPARE(m.icon, MsgIcon::Question);
        QCOMPARE(m.buttons, MsgButtons::OkCancel);
        QCOMPARE(m.defaultButton, MsgResult::Cancel);
        QCOMPARE(main().statusText(), CorvModule::IdleLine);
        QVERIFY(log.isEmpty());
        QVERIFY(CorvModule::JournalOpen);
        QVERIFY(Forms::get(FormKind::Journal) == &j);
    }

    void exitAnsweredOkClosesInOrder() {
        // Every window open: closed in the order diseases, glossary, journal,
        // livestock, calculator, tank, with "Exit Corvella?" showing.
        standIn(FormKind::Tank, "Tank");
        standIn(FormKind::TankCalc, "Calc");
        standIn(FormKind::Stock, "Stock");
        standIn(FormKind::Journal, "Journal");
        standIn(FormKind::Glossary, "Glossary");
        standIn(FormKind::Diseases, "Diseases");
        for (OpenFlag *f :
             {&CorvModule::TankOpen, &CorvModule::TankCalcOpen, &CorvModule::StockOpen,
              &CorvModule::JournalOpen, &CorvModule::GlossaryOpen, &CorvModule::DiseasesOpen})
            *f = true;
        main().show();
        fx.env->dialogs.answers = {MsgResult::Ok};
        QVERIFY(!main().MDIForm_Unload());
        QCOMPARE(log,
                 (QStringList{"Diseases.Close | Exit Corvella?", "Glossary.Close | Exit Corvella?",
                              "Journal.Close | Exit Corvella?", "Stock.Close | Exit Corvella?",
                              "Calc.Close | Exit Corvella?", "Tank.Close | Exit Corvella?"}));
    }

    void exitStaysWhenAWindowCannotStore() {
        auto &j = standIn(FormKind::Journal, "Journal");
        CorvModule::JournalOpen = true;
        j.refuseClose = true;
        main().show();
        fx.env->dialogs.answers = {MsgResult::Ok};
        main().mnuExit_Click();
        QVERIFY(main().isVisible());
        QCOMPARE(main().statusText(), CorvModule::IdleLine);
    }

    void closeOpenWindowsSkipsClosedFlags() {
        standIn(FormKind::Journal, "Journal");
        standIn(FormKind::Tank, "Tank"); // opened by start-up: no flag
        CorvModule::JournalOpen = true;
        CorvModule::StockOpen = true; // a flag whose window has gone
        main().CloseOpenWindows();
        QCOMPARE(log.size(), 1);
        QVERIFY(log[0].startsWith("Journal.Close"));
        QVERIFY(!CorvModule::StockOpen);
        QVERIFY(Forms::get(FormKind::Tank));
        // Closing for the database includes the window the flags miss.
        QVERIFY(main().closeDatabaseWindows());
        QVERIFY(log.last().startsWith("Tank.Close"));
    }

    void flagsAndMarkerFollowTheWindowsThatAreThere() {
        // A window that goes without unloading (its frame deleted) takes its
        // open flag and the active marker with it, so the record commands
        // cannot be routed to it.
        standInMakers();
        main().openWindow(FormKind::Stock);
        Forms::get(FormKind::Stock)->Form_Activate();
        QVERIFY(CorvModule::StockOpen);
        QCOMPARE(CorvModule::ActiveForm.text(), QStringLiteral("Stock"));
        QVERIFY(main().mnuAdd->isEnabled());
        standIns.clear();
        QVERIFY(!CorvModule::StockOpen);
        QCOMPARE(CorvModule::ActiveForm.text(), CorvModule::NoOne);
        main().mnuAdd_Click();
        QVERIFY(log.isEmpty());
        // A window opened otherwise than by its command has no flag.
        main().showForm(FormKind::Tank);
        QVERIFY(Forms::get(FormKind::Tank) && !CorvModule::TankOpen);
    }

    void menuAndToolbarStandInTheirPlaces() {
        QStringList options;
        for (QAction *a : main().mnuOptions->actions())
            options << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
        QCOMPARE(options.join(' '),
                 QStringLiteral("mnuChangeTanks - mnuJournal mnuLiveStock - mnuCommonDiseases "
                                "mnuAquaristGlossary mnuTankCalculator mnuCorvChart "
                                "mnuTargetRanges - mnuAutoHighlight - mnuExit"));
        QCOMPARE(main().windowItem(FormKind::Glossary)->text(),
                 QStringLiteral("Aquarist &Glossary"));
        QStringList tools;
        for (int i = 1; i <= main().buttonCount(); ++i)
            tools << (main().button(i)->isSeparator() ? QStringLiteral("-")
                                                      : main().button(i)->data().toString());
        QCOMPARE(tools.join(' '),
                 QStringLiteral("Tank - Journal Livestock - Diseases Glossary Calculator Chart - "
                                "Backup Restore - Print - Add Delete - Search - About - Exit"));
    }

    void windowMenuListsTheChildWindows() {
        auto &a = standIn(FormKind::Journal, "Journal");
        auto &b = standIn(FormKind::Glossary, "Glossary");
        main().addChild(a.widget())->show();
        main().addChild(b.widget())->show();
        emit main().mnuWindow->aboutToShow();
        QStringList items;
        for (QAction *x : main().mnuWindow->actions())
            items << (x->isSeparator() ? QStringLiteral("-") : x->text());
        QCOMPARE(items,
                 (QStringList{"&Cascade", "&Arrange Icons", "-", "&1 Journal", "&2 Glossary"}));
        main().mnuWindow->actions().at(3)->trigger(); // picking one brings it to the front
        QCOMPARE(main().mdiArea->activeSubWindow()->widget(), a.widget());
        emit main().mnuWindow->aboutToShow(); // listed afresh, not twice
        QCOMPARE(main().mnuWindow->actions().size(), 5);
        // The active window alone is marked; the others show no empty box.
        QVERIFY(main().mnuWindow->actions().at(3)->isChecked());
        QVERIFY(!main().mnuWindow->actions().at(4)->isCheckable());
    }

    void theHelpBookLoads() {
        HelpBrowser help;
        QVERIFY(help.load(QStringLiteral(CORVELLA_SOURCE_DIR "/resources/help/CORVELLA.HLP")));
        const QString text = help.browser()->toPlainText();
        for (const char *topic : {"Getting started", "The Tank", "Journal", "Tank Calculator",
                                  "twenty water parameters", "Backup", "Keyboard"})
            QVERIFY2(text.contains(QLatin1String(topic), Qt::CaseInsensitive), topic);
        QVERIFY(help.browser()->document()->toHtml().contains("contents"));
        // Importing a file twice leaves out what is stored already; the
        // book says so everywhere it speaks of it.
        QVERIFY(!text.contains(QLatin1String("stores its records twice")));
        QVERIFY(text.contains(QLatin1String("importing the same file again adds nothing")));
    }

    void helpCommands() {
        CorvModule::HelpFile = fx.env->path("CORVELLA.HLP");
        main().mnuContents->trigger();
        QCOMPARE(main().statusText(), QStringLiteral("Corvella Help."));
        const auto call = fx.env->dialogs.calls.last();
        QCOMPARE(call.kind, corv::test::ScriptedDialogs::Call::StartProgram);
        QVERIFY(call.program.endsWith("corvella-help"));
        QCOMPARE(call.arguments, QStringList{CorvModule::HelpFile});
        // A viewer that cannot start is said; a missing help file is not (the
        // viewer reports that itself).
        QVERIFY(fx.env->dialogs.messages().isEmpty());
        fx.env->dialogs.startSucceeds = false;
        fx.env->dialogs.expectOk();
        main().mnuContents_Click();
        QCOMPARE(fx.env->dialogs.messageTexts(),
                 QStringList{"The help viewer could not be started."});

        main().mnuBrowseHelp->trigger();
        QCOMPARE(main().mdiArea->subWindowList().size(), 1);
        QCOMPARE(main().mdiArea->subWindowList()[0]->windowTitle(),
                 QStringLiteral("Corvella Help"));
        // The missing help file is reported in the viewer itself.
        auto *help = qobject_cast<HelpBrowser *>(main().mdiArea->subWindowList()[0]->widget());
        QVERIFY(help);
        QVERIFY(help->browser()->toPlainText().contains("The help file cannot be opened"));
        main().mnuBrowseHelp_Click(); // shown once
        QCOMPARE(main().mdiArea->subWindowList().size(), 1);
    }

    // The viewer as a reader uses it: a link followed from the keyboard,
    // Back, then Forward returns to the page left, not to the link.
    void helpViewerBackAndForward() {
        HelpBrowser help;
        help.resize(820, 640);
        QVERIFY(help.load(QStringLiteral(CORVELLA_SOURCE_DIR "/resources/help/CORVELLA.HLP")));
        help.show();
        QVERIFY(QTest::qWaitForWindowExposed(&help));
        QTextBrowser *b = help.browser();
        b->setFocus();
        for (int i = 0; i < 5; ++i)
            QTest::keyClick(b, Qt::Key_Tab);
        QVERIFY(!b->textCursor().selectedText().isEmpty()); // on a link of the contents
        QTest::keyClick(b, Qt::Key_Return);
        QVERIFY(b->source().hasFragment());
        const int page = b->verticalScrollBar()->value();
        QVERIFY(page > 0);
        help.goBack();
        QCOMPARE(b->verticalScrollBar()->value(), 0);
        help.goForward();
        QCOMPARE(b->verticalScrollBar()->value(), page);
    }

    // It fits a small screen with its frame, and keeps its designed size
    // where there is room.
    void helpViewerSize() {
        QCOMPARE(HelpBrowser::fittingSize(QSize(1366, 740)), QSize(820, 640));
        const QSize small = HelpBrowser::fittingSize(QSize(1024, 570));
        QVERIFY(small.width() <= 820 && small.height() <= 570 - 40);
        HelpBrowser help;
        QVERIFY(help.minimumSizeHint().height() <= small.height());
    }

    // On a dark desktop the book is shown on dark paper, its colours turned
    // over; on a light one it is as written.
    void helpViewerOnDarkPaper() {
        const QPalette before = QApplication::palette();
        QApplication::setPalette(Artwork::darkPalette());
        auto restore = qScopeGuard([&] { QApplication::setPalette(before); });
        HelpBrowser help;
        help.resize(600, 400);
        QVERIFY(help.load(QStringLiteral(CORVELLA_SOURCE_DIR "/resources/help/CORVELLA.HLP")));
        const QImage shot = help.browser()->viewport()->grab().toImage();
        const QColor paper = shot.pixelColor(shot.width() - 8, shot.height() - 8);
        QVERIFY2(paper.lightness() < 80, qPrintable(paper.name()));
        QVERIFY(HelpBrowser::nightColour(QColor("#1e2b30")).lightness() > 170);
        QCOMPARE(HelpBrowser::nightPage("a { color: #0f6f7c; } <a href=\"#contents\">"),
                 QStringLiteral("a { color: %1; } <a href=\"#contents\">")
                     .arg(HelpBrowser::nightColour(QColor("#0f6f7c")).name()));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
