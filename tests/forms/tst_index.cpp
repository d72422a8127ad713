// The index list: the names it reads, in order and with duplicates; a pick
// moving the calling window by the name (apostrophes included); closing
// without a pick; an empty result; and the keyboard.
#include "data/BoundRecordSource.h"
#include "data/IndexList.h"
#include "data/JetSql.h"
#include "data/RecordSources.h"
#include "forms/frmGlossary.h"
#include "forms/frmIndex.h"
#include "support/MainWindowFixture.h"

#include <QFile>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>

using namespace corv;
using namespace corv::test;

namespace {

QStringList listed(const frmIndex &w) {
    QStringList out;
    for (int i = 0; i < w.IndexList->count(); ++i)
        out << w.IndexList->item(i)->text();
    return out;
}

QRect rowRect(const frmIndex &w, int row) {
    return w.IndexList->visualItemRect(w.IndexList->item(row));
}

} // namespace

class TestIndex : public QObject {
    Q_OBJECT
    MainWindowFixture fx;

    void term(const QString &term, const QString &definition) {
        QString t = term, d = definition;
        t.replace("'", "''");
        d.replace("'", "''");
        TestEnv::exec(fx.db, QStringLiteral("INSERT INTO Glossary (Term, Definition) VALUES "
                                            "('%1', '%2')")
                                 .arg(t, d));
    }
    void disease(const QString &common, const QString &scientific, const QString &notes) {
        QString c = common;
        c.replace("'", "''");
        TestEnv::exec(fx.db, QStringLiteral("INSERT INTO Disease (CommonName, ScientificName, "
                                            "Notes) VALUES ('%1', '%2', '%3')")
                                 .arg(c, scientific, notes));
    }
    frmGlossary *openGlossary() {
        return fx.open<frmGlossary>(FormKind::Glossary, &mdiCorvella::mnuAquaristGlossary_Click);
    }
    // Opens the index from the glossary's Index button; `act` plays the
    // user's part while the list is shown (the list is shown and active).
    QStringList withIndex(frmGlossary *g, const std::function<void(frmIndex &)> &act,
                          int *result = nullptr) {
        QStringList names;
        bool opened = false;
        fx.env->dialogs.onModal = [&](QDialog &d) -> int {
            auto *w = qobject_cast<frmIndex *>(&d);
            if (!w)
                return QDialog::Rejected;
            opened = true;
            names = listed(*w);
            w->show();
            w->activateWindow();
            if (!QTest::qWaitForWindowActive(w))
                qWarning("the index list did not become active");
            act(*w);
            if (w->isVisible())
                w->reject(); // the user closes the list
            return w->result();
        };
        g->cmdIndex->click();
        fx.env->dialogs.onModal = nullptr;
        if (!opened)
            qWarning("the index list was not opened");
        if (result)
            *result = opened;
        return names;
    }

private slots:
    void init() {
        fx.setUp();
        CorvModule::SearchCriteria.clear();
    }
    void cleanup() { fx.tearDown(); }

    // The diseases window's list, through the data layer: the names by
    // common name, duplicates twice, and a pick found by common name even
    // while the diseases are shown by scientific name.
    void diseaseNamesAndCriterion() {
        disease("White spot", "Ichthyophthirius multifiliis", "freshwater");
        disease("Velvet", "Piscinoodinium pillulare", "freshwater");
        disease("White spot", "Cryptocaryon irritans", "marine");
        disease("Sailor's disease", "Aaa fictus", "apostrophe");

        const auto target = indexlist::targetFor("Diseases");
        QVERIFY(target);
        BoundRecordSource names;
        names.setDatabaseName(fx.db);
        QStringList list;
        QVERIFY(indexlist::readNames(names, *target, list).ok());
        QCOMPARE(list, (QStringList{"Sailor's disease", "Velvet", "White spot", "White spot"}));

        BoundRecordSource diseases;
        QString notes;
        diseases.bindField(
            "Notes", [&] { return notes; }, [&](const QString &t) { notes = t; });
        diseases.setDatabaseName(fx.db);
        diseases.setRecordSource(sources::diseasesByScientificName());
        QVERIFY(diseases.Refresh());
        QCOMPARE(notes, QStringLiteral("apostrophe")); // "Aaa fictus" comes first
        QVERIFY(diseases.Recordset().FindFirst(indexlist::criterion(*target, "White spot")));
        QVERIFY(!diseases.Recordset().NoMatch());
        // In scientific-name order Cryptocaryon is the first "White spot".
        QCOMPARE(notes, QStringLiteral("marine"));
        QCOMPARE(diseases.Recordset().AbsolutePosition(), 1);
        QVERIFY(diseases.Recordset().FindFirst(indexlist::criterion(*target, "Sailor's disease")));
        QCOMPARE(notes, QStringLiteral("apostrophe"));
        QVERIFY(diseases.Recordset().FindFirst(indexlist::criterion(*target, "Velvet")));
        QCOMPARE(diseases.Recordset().Fields("ScientificName"),
                 QStringLiteral("Piscinoodinium pillulare"));
        QVERIFY(diseases.lastError().ok());
    }

    // Windows, index lists and the tank list sort texts as the reports do:
    // letter case does not count, an accented letter goes with its base.
    void textsSortAsReportsDo() {
        const QStringList stored{"Zooxanthellae", "pH",  "ppm",    "Zebra danio", "angelfish",
                                 "Ésope",         "Eel", "éclair", "Fin rot"};
        const QStringList sorted{"angelfish", "éclair", "Eel",         "Ésope",        "Fin rot",
                                 "pH",        "ppm",    "Zebra danio", "Zooxanthellae"};
        for (const QString &t : stored) {
            term(t, "x");
            fx.tank(t);
        }
        BoundRecordSource names;
        names.setDatabaseName(fx.db);
        QStringList list;
        QVERIFY(indexlist::readNames(names, *indexlist::targetFor("Glossary"), list).ok());
        QCOMPARE(list, sorted);
        for (const QString &source : {sources::glossary(), sources::tanks()}) {
            BoundRecordSource records;
            records.setDatabaseName(fx.db);
            records.setRecordSource(source);
            QVERIFY(records.Refresh());
            QStringList walked;
            auto &rs = records.Recordset();
            for (int i = 0; i < rs.RecordCount(); ++i) {
                QVERIFY(rs.setAbsolutePosition(i));
                walked << rs.Fields(1);
            }
            QCOMPARE(walked, sorted);
        }
        QVERIFY(compareText(u"Ésope", u"esope") == 0);
        QVERIFY(compareText(u"Zebra", u"angel") > 0);
        QVERIFY(compareText(u"e\u0301clair", u"Eclair") == 0);
    }

    void emptyTablesAndOtherWindows() {
        BoundRecordSource names;
        names.setDatabaseName(fx.db);
        QStringList list{"left over"};
        for (const char *form : {"Diseases", "Glossary"}) {
            QVERIFY(indexlist::readNames(names, *indexlist::targetFor(form), list).ok());
            QVERIFY(list.isEmpty());
        }
        for (const char *form : {"Journal", "Stock", "TankAdd", ""})
            QVERIFY(!indexlist::targetFor(form));

        // The window on an empty result, and for a window without an index:
        // an empty list, no message.
        for (const char *form : {"Glossary", "Journal"}) {
            CorvModule::SearchForm = form;
            std::unique_ptr<frmIndex> w(ModalWindow::open<frmIndex>(nullptr));
            QVERIFY(w);
            QCOMPARE(w->IndexList->count(), 0);
            QCOMPARE(w->IndexCount, 0);
            w->IndexList_Click(); // nothing selected: nothing found, the list closes
            QVERIFY(!w->picked());
            QVERIFY(CorvModule::SearchCriteria.isEmpty());
        }
        QVERIFY(fx.messages().isEmpty());
    }

    void glossaryEmptiedByDeleteStillOpensTheList() {
        frmGlossary *g = openGlossary(); // the empty table gets a blank record
        fx.env->dialogs.answers = {MsgResult::Yes};
        g->mnuDelete_Click();
        QVERIFY(g->FieldsDisabled);
        QVERIFY(g->cmdIndex->isEnabled());
        int opened = 0;
        const QStringList names = withIndex(
            g, [](frmIndex &w) { QCOMPARE(w.IndexList->count(), 0); }, &opened);
        QVERIFY(opened);
        QVERIFY(names.isEmpty());
        QCOMPARE(fx.messages().size(), 1); // only the delete question
        QCOMPARE(g->GlossaryData->Caption(), QStringLiteral("Record: 0 of 0"));
    }

    void listInQueryOrderAndAClickFindsTheFirst() {
        term("Nitrite", "NO2, the second step of the nitrogen cycle.");
        term("Ammonia", "NH3, toxic.");
        term("Canister filter", "first");
        term("Canister filter", "second");
        term("Zeolite", "A mineral that binds ammonia.");
        frmGlossary *g = openGlossary();
        QCOMPARE(g->txtTerm->text(), QStringLiteral("Ammonia"));
        QString status = fx.main->statusText();
        const QStringList names = withIndex(g, [&](frmIndex &w) {
            QCOMPARE(w.windowTitle(), QStringLiteral("Index"));
            QCOMPARE(w.IndexCount, 5);
            // Browsing starts at the term the glossary shows, in the list.
            QCOMPARE(w.IndexList->currentRow(), 0);
            QCOMPARE(w.focusWidget(), w.IndexList);
            // The second of the two duplicates is clicked.
            QTest::mouseClick(w.IndexList->viewport(), Qt::LeftButton, {}, rowRect(w, 2).center());
            QVERIFY(!w.isVisible());
            QVERIFY(w.picked());
        });
        QCOMPARE(names, (QStringList{"Ammonia", "Canister filter", "Canister filter", "Nitrite",
                                     "Zeolite"}));
        QCOMPARE(CorvModule::SearchForm, QStringLiteral("Glossary"));
        QCOMPARE(CorvModule::SearchCriteria, QStringLiteral("Term = 'Canister filter'"));
        QCOMPARE(g->txtTerm->text(), QStringLiteral("Canister filter"));
        QCOMPARE(g->txtDefinition->toPlainText(), QStringLiteral("first"));
        QCOMPARE(g->GlossaryData->Caption(), QStringLiteral("Record: 2 of 5"));
        QCOMPARE(fx.main->statusText(), status); // the list leaves the status line alone
        QVERIFY(fx.messages().isEmpty());

        // Opened again, the list starts at the term shown.
        withIndex(g, [](frmIndex &w) { QCOMPARE(w.IndexList->currentRow(), 1); });
    }

    void anApostropheFindsItsRow() {
        term("Brackish", "b");
        term("Sailor's disease", "apostrophe");
        term("Salinity", "s");
        frmGlossary *g = openGlossary();
        withIndex(g, [](frmIndex &w) {
            QTest::mouseClick(w.IndexList->viewport(), Qt::LeftButton, {}, rowRect(w, 1).center());
        });
        QCOMPARE(g->txtTerm->text(), QStringLiteral("Sailor's disease"));
        QCOMPARE(g->txtDefinition->toPlainText(), QStringLiteral("apostrophe"));
        QCOMPARE(CorvModule::SearchCriteria, QStringLiteral("Term = 'Sailor''s disease'"));
        QVERIFY(fx.messages().isEmpty());
    }

    void closingWithoutAPickChangesNothing() {
        term("Ammonia", "a");
        term("Biotope", "b");
        term("Cycle", "c");
        frmGlossary *g = openGlossary();
        g->GlossaryData->clickLast();
        g->txtDefinition->setPlainText("an edit not yet saved");
        int opened = 0;
        withIndex(
            g,
            [](frmIndex &w) {
                QTest::keyClick(w.IndexList, Qt::Key_Down); // browsing is not picking
                QTest::keyClick(w.IndexList, Qt::Key_Escape);
                QVERIFY(!w.isVisible());
                QVERIFY(!w.picked());
            },
            &opened);
        QVERIFY(opened);
        QCOMPARE(g->GlossaryData->Caption(), QStringLiteral("Record: 3 of 3"));
        QCOMPARE(g->txtTerm->text(), QStringLiteral("Cycle"));
        QCOMPARE(g->txtDefinition->toPlainText(), QStringLiteral("an edit not yet saved"));
        QVERIFY(CorvModule::SearchCriteria.isEmpty());
        QCOMPARE(fx.count("SELECT COUNT(*) FROM Glossary WHERE Definition = 'c'"), 1);

        // The same through the list's own entry point, for any caller.
        CorvModule::SearchForm = "Journal";
        QVERIFY(!frmIndex::showFor(g)); // closed at once
        QCOMPARE(CorvModule::SearchForm, QStringLiteral("Glossary"));
        fx.env->dialogs.onModal = [](QDialog &d) {
            auto &w = static_cast<frmIndex &>(d);
            w.IndexList->setCurrentRow(0);
            w.IndexList_Click();
            return w.result();
        };
        QVERIFY(frmIndex::showFor(g));
        fx.env->dialogs.onModal = nullptr;
        QCOMPARE(g->txtTerm->text(), QStringLiteral("Ammonia"));
    }

    void keyboardAndDoubleClick() {
        for (const char *t :
             {"Aeration", "Biofilm", "Calcium reactor", "Salinity", "Sand bed", "Skimmer", "Sump"})
            term(t, QStringLiteral("About %1.").arg(t));
        frmGlossary *g = openGlossary();

        // Typing the first letters jumps; Enter picks.
        withIndex(g, [](frmIndex &w) {
            QTest::keyClicks(w.IndexList, "sk");
            QCOMPARE(w.IndexList->currentItem()->text(), QStringLiteral("Skimmer"));
            QVERIFY(w.isVisible()); // jumping is not picking
            QTest::keyClick(w.IndexList, Qt::Key_Return);
            QVERIFY(!w.isVisible());
        });
        QCOMPARE(g->txtTerm->text(), QStringLiteral("Skimmer"));

        // Arrows and the keypad's Enter.
        withIndex(g, [](frmIndex &w) {
            QCOMPARE(w.IndexList->currentItem()->text(), QStringLiteral("Skimmer"));
            QTest::keyClick(w.IndexList, Qt::Key_Up);
            QTest::keyClick(w.IndexList, Qt::Key_Up);
            QTest::keyClick(w.IndexList, Qt::Key_Enter, Qt::KeypadModifier);
        });
        QCOMPARE(g->txtTerm->text(), QStringLiteral("Salinity"));

        // A double click picks the name once.
        int finds = 0;
        const auto before = g->GlossaryData->onReposition;
        g->GlossaryData->onReposition = [&] {
            ++finds;
            before();
        };
        withIndex(g, [](frmIndex &w) {
            // What a double click delivers: a click, then the double click.
            const QPoint at = rowRect(w, 1).center();
            QTest::mouseClick(w.IndexList->viewport(), Qt::LeftButton, {}, at);
            QVERIFY(!w.isVisible());
            QTest::mouseDClick(w.IndexList->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseRelease(w.IndexList->viewport(), Qt::LeftButton, {}, at);
        });
        QCOMPARE(g->txtTerm->text(), QStringLiteral("Biofilm"));
        QCOMPARE(finds, 1);
        g->GlossaryData->onReposition = before;
        QVERIFY(fx.messages().isEmpty());
    }

    void theSecondClickOfADoubleClickStaysWithTheList() {
        for (const char *t : {"Aeration", "Biofilm", "Calcium reactor"})
            term(t, QStringLiteral("About %1.").arg(t));
        frmGlossary *g = openGlossary();
        QPointer<frmGlossary> alive(g);
        const QPoint onClose = g->cmdClose->rect().center();
        withIndex(g, [&](frmIndex &w) {
            // The list lies over the glossary's Close button, a name right
            // above it.
            const QPoint row = rowRect(w, 2).center();
            const QPoint wanted = g->cmdClose->mapToGlobal(onClose);
            w.move(w.pos() + wanted - w.IndexList->viewport()->mapToGlobal(row));
            QCOMPARE(w.IndexList->viewport()->mapToGlobal(row), wanted);
            QTest::mouseClick(w.IndexList->viewport(), Qt::LeftButton, {}, row);
            QVERIFY(!w.isVisible());
        });
        QCOMPARE(g->txtTerm->text(), QStringLiteral("Calcium reactor"));
        // The rest of the double click does not press the button beneath.
        QTest::mouseDClick(g->cmdClose, Qt::LeftButton, {}, onClose);
        QTest::mouseRelease(g->cmdClose, Qt::LeftButton, {}, onClose);
        QVERIFY(alive);
        QVERIFY(CorvModule::GlossaryOpen);
        // A click of its own, later, is the user's.
        QTest::qWait(QApplication::doubleClickInterval() + 100);
        QTest::mouseClick(g->cmdClose, Qt::LeftButton, {}, onClose);
        QVERIFY(!CorvModule::GlossaryOpen);
    }

    void aDatabaseThatCannotBeReadIsReported() {
        term("Ammonia", "a");
        frmGlossary *g = openGlossary();
        CorvModule::DatabasePath = fx.env->path("gone/CORVELLA.CVL");
        fx.env->dialogs.expectOk();
        int opened = 0;
        fx.env->dialogs.onModal = [&](QDialog &) {
            ++opened;
            return int(QDialog::Rejected);
        };
        g->cmdIndex->click();
        fx.env->dialogs.onModal = nullptr;
        QCOMPARE(opened, 0);
        QCOMPARE(fx.messages().size(), 1);
        QVERIFY(fx.messages()[0].text.startsWith("Unable to read the index: "));
        QCOMPARE(fx.messages()[0].icon, MsgIcon::Exclamation);
        QCOMPARE(g->txtTerm->text(), QStringLiteral("Ammonia"));
        QVERIFY(!QFile::exists(CorvModule::DatabasePath));
    }
};

QTEST_MAIN(TestIndex)
#include "tst_index.moc"
