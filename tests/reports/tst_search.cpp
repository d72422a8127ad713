// The search window: what it offers for each record window, the criteria it
// builds from the boxes, and the records it finds in the window that opened
// it.
#include "reports/SearchCriteria.h"
#include "reports/frmSearch.h"

#include "forms/frmDiseases.h"
#include "forms/frmGlossary.h"
#include "forms/frmJournal.h"
#include "forms/frmStock.h"
#include "support/MainWindowFixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

using namespace corv;
using namespace corv::test;

class TestSearch : public QObject {
    Q_OBJECT
    MainWindowFixture fx;
    int tankId = 0;

    // Runs `steps` inside the search window the active record window opens
    // through the main window's Search command, then closes it.
    void withSearch(const std::function<void(frmSearch &)> &steps) {
        bool opened = false;
        fx.env->dialogs.onModal = [&](QDialog &d) {
            auto *s = qobject_cast<frmSearch *>(&d);
            if (!s)
                return d.exec();
            opened = true;
            steps(*s);
            s->cmdClose_Click();
            return int(QDialog::Rejected);
        };
        fx.main->mnuSearch_Click();
        fx.env->dialogs.onModal = nullptr;
        QVERIFY(opened);
    }
    static void type(QLineEdit *box, const QString &text) { box->setText(text); }
    void entry(const QString &isoDate, const QString &ph) { fx.entry(tankId, isoDate, ph); }
    void animal(const QString &common, const QString &acquired) {
        TestEnv::exec(fx.db, QStringLiteral("INSERT INTO LiveStock (TankID, CommonName, "
                                            "DateAcquired) VALUES (%1, '%2', '%3')")
                                 .arg(tankId)
                                 .arg(common, acquired));
    }
    void term(const QString &term) {
        QString t = term;
        t.replace(u'\'', QStringLiteral("''"));
        TestEnv::exec(
            fx.db,
            QStringLiteral("INSERT INTO Glossary (Term, Definition) VALUES ('%1', 'd')").arg(t));
    }

private slots:
    void init() {
        fx.setUp();
        tankId = fx.defaultTank("Reef");
    }
    void cleanup() { fx.tearDown(); }

    void criteriaFromTheBoxes_data() {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("text1");
        QTest::addColumn<QString>("text2");
        QTest::addColumn<bool>("exact");
        QTest::addColumn<QString>("criteria"); // empty: nothing is searched

        QTest::newRow("both empty") << "Stock"
                                    << ""
                                    << "" << false << "";
        QTest::newRow("both empty, exact") << "Diseases"
                                           << ""
                                           << "" << true << "";
        QTest::newRow("stock box 2 only") << "Stock"
                                          << ""
                                          << "tang" << false << "CommonName LIKE '*tang*'";
        QTest::newRow("stock box 2 only, exact") << "Stock"
                                                 << ""
                                                 << "tang" << true << "CommonName = 'tang'";
        QTest::newRow("box 1 wins over box 2") << "Diseases"
                                               << "Ich"
                                               << "Ichthyo" << false << "CommonName LIKE '*Ich*'";
        QTest::newRow("diseases box 2") << "Diseases"
                                        << ""
                                        << "Oodinium" << true << "ScientificName = 'Oodinium'";
        QTest::newRow("stock date") << "Stock"
                                    << "03/01/2001"
                                    << "" << true << "DateAcquired = '03/01/2001'";
        QTest::newRow("journal date") << "Journal"
                                      << "/02/"
                                      << "" << false << "EntryDate LIKE '*/02/*'";
        QTest::newRow("glossary has no box 2") << "Glossary"
                                               << ""
                                               << "pH" << false << "";
        QTest::newRow("no search in the tank window") << "TankAdd"
                                                      << "x"
                                                      << "" << false << "";
        QTest::newRow("apostrophe, pattern") << "Glossary"
                                             << "Fish's"
                                             << "" << false << "Term LIKE '*Fish''s*'";
        QTest::newRow("apostrophe, exact") << "Glossary"
                                           << "'"
                                           << "" << true << "Term = ''''";
        QTest::newRow("wildcards typed are literal")
            << "Glossary"
            << "a*b?c#d[e"
            << "" << false << "Term LIKE '*a[*]b[?]c[#]d[[]e*'";
        QTest::newRow("wildcards in exact text stay as typed") << "Glossary"
                                                               << "a*b"
                                                               << "" << true << "Term = 'a*b'";
    }
    void criteriaFromTheBoxes() {
        QFETCH(QString, form);
        QFETCH(QString, text1);
        QFETCH(QString, text2);
        QFETCH(bool, exact);
        QFETCH(QString, criteria);
        const auto built = searchCriteria(form, text1, text2, exact);
        QCOMPARE(built.value_or(QString()), criteria);
    }

    void eachWindowOffersItsFields() {
        term("Ich");
        TestEnv::exec(fx.db, "INSERT INTO Disease (CommonName) VALUES ('Ich')");
        struct Case {
            void (mdiCorvella::*open)();
            const char *label1, *label2;
        };
        const Case cases[] = {
            {&mdiCorvella::mnuJournal_Click, "Date:", nullptr},
            {&mdiCorvella::mnuLiveStock_Click, "Date Acquired:", "Common Name:"},
            {&mdiCorvella::mnuCommonDiseases_Click, "Common Name:", "Scientific Name:"},
            {&mdiCorvella::mnuAquaristGlossary_Click, "Term:", nullptr},
        };
        for (const Case &c : cases) {
            (fx.main.get()->*c.open)();
            withSearch([&](frmSearch &s) {
                QCOMPARE(s.windowTitle(), QStringLiteral("Search"));
                QCOMPARE(s.lblSearch1->text(), QString::fromLatin1(c.label1));
                QCOMPARE(!s.txtSearch2->isHidden(), c.label2 != nullptr);
                QCOMPARE(!s.lblSearch2->isHidden(), c.label2 != nullptr);
                if (c.label2)
                    QCOMPARE(s.lblSearch2->text(), QString::fromLatin1(c.label2));
                QCOMPARE(s.chkExactText->text(), QStringLiteral("Find Exact Text?"));
                QCOMPARE(s.chkExactText->toolTip(),
                         QStringLiteral("For faster searches, use exact text."));
                QCOMPARE(s.cmdSearch->text(), QStringLiteral("Find First"));
                QCOMPARE(s.cmdNext->text(), QStringLiteral("Next"));
                QCOMPARE(s.cmdClose->text(), QStringLiteral("Close"));
            });
        }
        QVERIFY(fx.messages().isEmpty());
    }

    void reachedByF3TheMenuAndTheToolbar() {
        fx.main->mnuJournal_Click();
        int opened = 0;
        QStringList searched;
        fx.env->dialogs.onModal = [&](QDialog &d) {
            if (qobject_cast<frmSearch *>(&d))
                ++opened;
            searched << CorvModule::SearchForm;
            d.reject();
            return int(QDialog::Rejected);
        };
        fx.main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(fx.main.get()));
        QTest::keyClick(fx.main.get(), Qt::Key_F3);
        QCOMPARE(opened, 1);
        fx.main->mnuSearch->trigger();
        QCOMPARE(opened, 2);
        fx.main->tbToolBar_ButtonClick("Search");
        QCOMPARE(opened, 3);
        QCOMPARE(searched, QStringList({"Journal", "Journal", "Journal"}));
        // Closing put the idle line back and forgot the window searched.
        QCOMPARE(fx.main->statusText(), CorvModule::IdleLine);
        QVERIFY(CorvModule::SearchForm.isEmpty());
    }

    void findFirstNextAndTheTextChangedBetween() {
        entry("1999-01-02", "7.1");
        entry("1999-05-02", "7.2");
        entry("2000-03-04", "7.3");
        entry("2000-07-02", "7.4");
        auto *j = fx.open<frmJournal>(FormKind::Journal, &mdiCorvella::mnuJournal_Click);
        QVERIFY(j);
        j->data()->clickLast();
        QCOMPARE(j->txtEntryDate->text(), QStringLiteral("07/02/2000"));
        withSearch([&](frmSearch &s) {
            // The pattern matches the date as shown: mm/dd/yyyy.
            type(s.txtSearch1, "/02/");
            s.cmdSearch_Click();
            QCOMPARE(j->txtEntryDate->text(), QStringLiteral("01/02/1999"));
            s.cmdNext_Click();
            QCOMPARE(j->txtEntryDate->text(), QStringLiteral("05/02/1999"));
            // Next takes the boxes as they are now, onward from this record.
            type(s.txtSearch1, "2000");
            s.cmdNext_Click();
            QCOMPARE(j->txtEntryDate->text(), QStringLiteral("03/04/2000"));
            QCOMPARE(CorvModule::SearchCriteria, QStringLiteral("EntryDate LIKE '*2000*'"));
            s.cmdNext_Click();
            QCOMPARE(j->txtEntryDate->text(), QStringLiteral("07/02/2000"));
            // Past the last match: nothing said, the record stays.
            s.cmdNext_Click();
            QCOMPARE(j->txtEntryDate->text(), QStringLiteral("07/02/2000"));
            // Exact compares dates: 1/2/99 is 01/02/1999.
            type(s.txtSearch1, "1/2/99");
            s.chkExactText->click();
            QVERIFY(CorvModule::ExactText);
            s.cmdSearch_Click();
            QCOMPARE(j->txtEntryDate->text(), QStringLiteral("01/02/1999"));
            QCOMPARE(j->valueBox("txtpH")->text(), QStringLiteral("7.1"));
            QCOMPARE(CorvModule::SearchText1, QStringLiteral("1/2/99"));
        });
        QVERIFY(fx.messages().isEmpty());
    }

    void nothingToFindOrNothingTyped() {
        entry("1999-01-02", "7.1");
        entry("1999-05-02", "7.2");
        auto *j = fx.open<frmJournal>(FormKind::Journal, &mdiCorvella::mnuJournal_Click);
        j->data()->clickLast();
        CorvModule::SearchCriteria = QStringLiteral("kept");
        withSearch([&](frmSearch &s) {
            // Both boxes empty: Find First and Next do nothing at all.
            s.cmdSearch_Click();
            s.cmdNext_Click();
            QCOMPARE(CorvModule::SearchCriteria, QStringLiteral("kept"));
            QCOMPARE(j->data()->Recordset().AbsolutePosition(), 1);
            // No match: not reported, the window stays on its record.
            type(s.txtSearch1, "12/25/1998");
            s.chkExactText->click();
            s.cmdSearch_Click();
            QCOMPARE(j->data()->Recordset().AbsolutePosition(), 1);
            QCOMPARE(j->txtEntryDate->text(), QStringLiteral("05/02/1999"));
            // Not a date at all: still no match and no message.
            type(s.txtSearch1, "soon");
            s.cmdSearch_Click();
            QCOMPARE(j->data()->Recordset().AbsolutePosition(), 1);
        });
        QVERIFY(fx.messages().isEmpty());
        QCOMPARE(CorvModule::SearchCriteria, QStringLiteral("EntryDate = 'soon'"));
    }

    void livestockSecondBoxAndBoxOneWins() {
        animal("Royal Gramma", "2001-01-01");
        animal("Yellow Tang", "2001-03-01");
        animal("Tang, Blue", "2001-04-01");
        auto *s = fx.open<frmStock>(FormKind::Stock, &mdiCorvella::mnuLiveStock_Click);
        QVERIFY(s);
        withSearch([&](frmSearch &d) {
            type(d.txtSearch2, "tang");
            d.cmdSearch_Click();
            QCOMPARE(CorvModule::SearchCriteria, QStringLiteral("CommonName LIKE '*tang*'"));
            QCOMPARE(s->txtCommonName->text(), QStringLiteral("Yellow Tang"));
            d.cmdNext_Click();
            QCOMPARE(s->txtCommonName->text(), QStringLiteral("Tang, Blue"));
            // Box 1 wins as soon as it holds text.
            type(d.txtSearch1, "01/01/2001");
            d.chkExactText->click();
            d.cmdSearch_Click();
            QCOMPARE(CorvModule::SearchCriteria, QStringLiteral("DateAcquired = '01/01/2001'"));
            QCOMPARE(s->txtCommonName->text(), QStringLiteral("Royal Gramma"));
        });
        QVERIFY(fx.messages().isEmpty());
    }

    void apostrophesAndWildcardsAreSearchedAsTyped() {
        term("Anemone");
        term("Fish's lice");
        term("Grade A");
        term("Grade*A");
        term("[pH]");
        auto *g = fx.open<frmGlossary>(FormKind::Glossary, &mdiCorvella::mnuAquaristGlossary_Click);
        QVERIFY(g);
        withSearch([&](frmSearch &s) {
            type(s.txtSearch1, "h's");
            s.cmdSearch_Click();
            QCOMPARE(g->txtTerm->text(), QStringLiteral("Fish's lice"));
            type(s.txtSearch1, "Fish's lice");
            s.chkExactText->click();
            s.cmdSearch_Click();
            QCOMPARE(g->txtTerm->text(), QStringLiteral("Fish's lice"));
            s.chkExactText->click();
            QVERIFY(!CorvModule::ExactText);
            // "e*A" is not "anything between e and A": only the term with a star.
            type(s.txtSearch1, "e*A");
            s.cmdSearch_Click();
            QCOMPARE(g->txtTerm->text(), QStringLiteral("Grade*A"));
            s.cmdNext_Click();
            QCOMPARE(g->txtTerm->text(), QStringLiteral("Grade*A"));
            type(s.txtSearch1, "[p");
            s.cmdSearch_Click();
            QCOMPARE(g->txtTerm->text(), QStringLiteral("[pH]"));
        });
        QVERIFY(fx.messages().isEmpty());
    }

    void reopeningStartsAfreshAndKeepsTheCriteria() {
        TestEnv::exec(fx.db, "INSERT INTO Disease (CommonName, ScientificName) VALUES "
                             "('Ich', 'Ichthyophthirius multifiliis'), ('Velvet', 'Oodinium')");
        auto *d = fx.open<frmDiseases>(FormKind::Diseases, &mdiCorvella::mnuCommonDiseases_Click);
        QVERIFY(d);
        withSearch([&](frmSearch &s) {
            type(s.txtSearch1, "Velvet");
            type(s.txtSearch2, "Ichthyo");
            s.chkExactText->click();
            s.cmdSearch_Click();
            QCOMPARE(d->txtCommonName->text(), QStringLiteral("Velvet"));
        });
        QVERIFY(CorvModule::SearchForm.isEmpty());
        QVERIFY(CorvModule::SearchText1.isEmpty());
        QVERIFY(CorvModule::SearchText2.isEmpty());
        QCOMPARE(CorvModule::SearchCriteria, QStringLiteral("CommonName = 'Velvet'"));
        QCOMPARE(fx.main->statusText(), CorvModule::IdleLine);
        withSearch([&](frmSearch &s) {
            QVERIFY(s.txtSearch1->text().isEmpty());
            QVERIFY(s.txtSearch2->text().isEmpty());
            QVERIFY(!s.chkExactText->isChecked());
            QVERIFY(!CorvModule::ExactText);
            type(s.txtSearch2, "Ichthyo");
            s.cmdSearch_Click();
            QCOMPARE(d->txtCommonName->text(), QStringLiteral("Ich"));
        });
    }

    void keyboard() {
        term("Anemone");
        term("Brackish");
        auto *g = fx.open<frmGlossary>(FormKind::Glossary, &mdiCorvella::mnuAquaristGlossary_Click);
        QVERIFY(g);
        bool closedByEscape = false;
        withSearch([&](frmSearch &s) {
            s.show();
            // The window opens with the focus in the first box; Enter runs
            // Find First and Escape closes.
            QCOMPARE(s.focusWidget(), s.txtSearch1);
            QTest::keyClicks(s.txtSearch1, "brack");
            QTest::keyClick(s.txtSearch1, Qt::Key_Return);
            QCOMPARE(g->txtTerm->text(), QStringLiteral("Brackish"));
            QVERIFY(s.isVisible());
            QTest::keyClick(s.txtSearch1, Qt::Key_Escape);
            closedByEscape = !s.isVisible();
        });
        QVERIFY(closedByEscape);
        QVERIFY(CorvModule::SearchForm.isEmpty());
    }
};

QTEST_MAIN(TestSearch)
#include "tst_search.moc"
