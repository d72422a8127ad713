// The glossary window: opened from the menu and the toolbar, the record
// commands routed to it (Add and Delete from the toolbar while the menu
// items stay greyed), its fields, and closing with the main window.
#include "forms/frmGlossary.h"
#include "support/MainWindowFixture.h"

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QPushButton>

using namespace corv;
using namespace corv::test;

class TestGlossary : public QObject {
    Q_OBJECT
    MainWindowFixture fx;

    void term(const QString &term, const QString &definition) {
        TestEnv::exec(fx.db, QStringLiteral("INSERT INTO Glossary (Term, Definition) VALUES "
                                            "('%1', '%2')")
                                 .arg(term, definition));
    }
    frmGlossary *glossary() const {
        return dynamic_cast<frmGlossary *>(Forms::get(FormKind::Glossary));
    }
    // Print, Add, Delete, Search of the toolbar, then of the Records menu.
    QString commandStates() const {
        QString s;
        for (int i : {14, 16, 17, 19})
            s += fx.main->button(i)->isEnabled() ? u'1' : u'0';
        s += u'/';
        for (QAction *a :
             {fx.main->mnuPrint, fx.main->mnuAdd, fx.main->mnuDelete, fx.main->mnuSearch})
            s += a->isEnabled() ? u'1' : u'0';
        return s;
    }

private slots:
    void init() {
        fx.setUp();
        // The glossary does not depend on a tank: none is set.
        QCOMPARE(CorvModule::CurrentTankID, CorvModule::NotSet);
    }
    void cleanup() { fx.tearDown(); }

    void opensFromToolbarAndMenuInTermOrder() {
        term("Nitrate", "NO3.");
        term("Ammonia", "NH3.");
        term("Kalkwasser", "Limewater.");
        fx.main->tbToolBar_ButtonClick("Glossary");
        frmGlossary *g = glossary();
        QVERIFY(g);
        QCOMPARE(g->windowTitle(), QStringLiteral("Aquarist Glossary"));
        QCOMPARE(fx.main->statusText(), QStringLiteral("Browse the aquarist glossary database."));
        QVERIFY(CorvModule::GlossaryOpen);
        QCOMPARE(CorvModule::ActiveForm, QStringLiteral("Glossary"));
        QCOMPARE(commandStates(), QStringLiteral("1111/1001"));
        QCOMPARE(g->GlossaryData->Caption(), QStringLiteral("Record: 1 of 3"));
        QCOMPARE(g->txtTerm->text(), QStringLiteral("Ammonia"));
        QCOMPARE(g->txtDefinition->toPlainText(), QStringLiteral("NH3."));
        QVERIFY(!g->RecordChanged && !g->RecordAdded);
        QCOMPARE(QApplication::focusWidget(), g->txtTerm);
        g->GlossaryData->clickNext();
        QCOMPARE(g->txtTerm->text(), QStringLiteral("Kalkwasser"));

        // The menu command brings the same window to the front.
        fx.main->windowItem(FormKind::Glossary)->trigger();
        QCOMPARE(glossary(), g);
        QCOMPARE(g->txtTerm->text(), QStringLiteral("Kalkwasser"));
        QCOMPARE(fx.count("SELECT COUNT(*) FROM Glossary"), 3);
    }

    void fieldsLabelsAndTabOrder() {
        fx.main->windowItem(FormKind::Glossary)->trigger();
        frmGlossary *g = glossary();
        auto labelOf = [g](QWidget *box) {
            for (QLabel *l : g->findChildren<QLabel *>())
                if (l->buddy() == box)
                    return l->text();
            return QString();
        };
        QCOMPARE(labelOf(g->txtTerm), QStringLiteral("Term:"));
        QCOMPARE(labelOf(g->txtDefinition), QStringLiteral("Definition:"));
        QCOMPARE(g->cmdIndex->text(), QStringLiteral("Index"));
        QCOMPARE(g->txtTerm->inputLimit(), 254);
        QVERIFY(g->txtDefinition->lineWrapMode() != QPlainTextEdit::NoWrap);
        QWidget *w = g->txtTerm;
        QStringList order;
        for (int i = 0; i < 5; ++i) {
            order << w->objectName();
            do
                w = w->nextInFocusChain();
            while (!w->isVisibleTo(g) || w->focusPolicy() == Qt::NoFocus);
        }
        QCOMPARE(order,
                 (QStringList{"txtTerm", "txtDefinition", "cmdIndex", "cmdSave", "cmdClose"}));
        // No tool tips anywhere.
        for (QWidget *c : g->findChildren<QWidget *>())
            QVERIFY2(c->toolTip().isEmpty() || c->parentWidget() == g->GlossaryData,
                     qPrintable(c->objectName()));
    }

    void toolbarAddAndDeleteWhileTheMenuItemsAreGreyed() {
        term("Ammonia", "NH3.");
        fx.main->windowItem(FormKind::Glossary)->trigger();
        frmGlossary *g = glossary();
        QVERIFY(!fx.main->mnuAdd->isEnabled());
        QVERIFY(!fx.main->mnuDelete->isEnabled());

        fx.main->button(16)->trigger();
        QCOMPARE(fx.main->statusText(), QStringLiteral("Add Glossary Record."));
        // Stored at once, blank: nothing is checked.
        QCOMPARE(fx.count("SELECT COUNT(*) FROM Glossary"), 2);
        QCOMPARE(fx.count("SELECT COUNT(*) FROM Glossary WHERE Term IS NULL AND Definition IS "
                          "NULL"),
                 1);
        QCOMPARE(g->GlossaryData->Caption(), QStringLiteral("Record: 2 of 2"));
        QVERIFY(g->RecordAdded);
        QCOMPARE(QApplication::focusWidget(), g->txtTerm);
        QTest::keyClicks(g->txtTerm, "Biotope");
        QTest::keyClick(g->txtTerm, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), g->txtDefinition);
        QTest::keyClicks(g->txtDefinition, "A habitat recreated in the tank.");
        QTest::keyClick(g->txtDefinition, Qt::Key_Tab); // Tab leaves the box
        QCOMPARE(QApplication::focusWidget(), g->cmdIndex);
        g->cmdSave->click();
        QCOMPARE(fx.count("SELECT COUNT(*) FROM Glossary WHERE Term = 'Biotope' AND "
                          "Definition = 'A habitat recreated in the tank.'"),
                 1);

        fx.env->dialogs.answers = {MsgResult::Yes};
        fx.main->button(17)->trigger();
        QCOMPARE(fx.main->statusText(), QStringLiteral("Delete Glossary Record."));
        QCOMPARE(fx.messages().last().title, QStringLiteral("Delete Record"));
        QCOMPARE(fx.count("SELECT COUNT(*) FROM Glossary WHERE Term = 'Biotope'"), 0);
        QCOMPARE(g->txtTerm->text(), QStringLiteral("Ammonia"));
        QCOMPARE(g->GlossaryData->Caption(), QStringLiteral("Record: 1 of 1"));

        // The menu items, were they reached anyway, do nothing else.
        fx.main->mnuAdd->trigger();
        QCOMPARE(fx.count("SELECT COUNT(*) FROM Glossary"), 1);
    }

    void searchAndPrintRouteToTheGlossary() {
        fx.main->windowItem(FormKind::Glossary)->trigger();
        int searches = 0, prints = 0;
        HookGuard<std::function<QDialog *(QWidget *)>> search(RecordForm::searchWindow,
                                                              [&](QWidget *) -> QDialog * {
                                                                  ++searches;
                                                                  return nullptr;
                                                              });
        HookGuard<std::function<QDialog *(QWidget *)>> print(mdiCorvella::printWindow,
                                                             [&](QWidget *) -> QDialog * {
                                                                 ++prints;
                                                                 return nullptr;
                                                             });
        fx.main->mnuSearch->trigger();
        QCOMPARE(fx.main->statusText(), QStringLiteral("Search for a Glossary Record."));
        QCOMPARE(CorvModule::SearchForm, QStringLiteral("Glossary"));
        fx.main->button(14)->trigger();
        QCOMPARE(fx.main->statusText(), QStringLiteral("Print Glossary Reports."));
        QCOMPARE(searches, 1);
        QCOMPARE(prints, 1);
    }

    void theMainWindowClosesItStoringEdits() {
        term("Ammonia", "NH3.");
        fx.main->windowItem(FormKind::Glossary)->trigger();
        frmGlossary *g = glossary();
        MainWindowFixture::frameOf(g)->move(30, 20);
        g->txtDefinition->setPlainText("NH3, poisonous to fish.");
        fx.main->CloseOpenWindows();
        QVERIFY(!glossary());
        QVERIFY(!CorvModule::GlossaryOpen);
        QCOMPARE(CorvModule::ActiveForm, QStringLiteral("NoOne"));
        QCOMPARE(commandStates(), QStringLiteral("0000/0000"));
        QCOMPARE(fx.main->statusText(), CorvModule::IdleLine);
        QCOMPARE(fx.count("SELECT COUNT(*) FROM Glossary WHERE Definition = 'NH3, poisonous to "
                          "fish.'"),
                 1);
        QCOMPARE(Settings::windowPosition("Glossary").top, 20);
        QCOMPARE(Settings::windowPosition("Glossary").left, 30);
        QVERIFY(fx.messages().isEmpty());
        fx.main->windowItem(FormKind::Glossary)->trigger();
        QCOMPARE(MainWindowFixture::frameOf(glossary())->pos(), QPoint(30, 20));
    }
};

QTEST_MAIN(TestGlossary)
#include "tst_glossary.moc"
