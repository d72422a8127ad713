// The diseases window: its fields, the two sort orders and their saved
// setting, edits kept across a sort switch, the Index button, and the record
// commands that reach it from the toolbar only.
#include "forms/frmDiseases.h"
#include "support/MainWindowFixture.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

using namespace corv;
using namespace corv::test;
using Maker = std::function<QDialog *(QWidget *)>;

class TestDiseases : public QObject {
    Q_OBJECT
    MainWindowFixture fx;

    frmDiseases *openDiseases() {
        return fx.open<frmDiseases>(FormKind::Diseases, &mdiCorvella::mnuCommonDiseases_Click);
    }
    void disease(const QString &common, const QString &scientific,
                 const QString &symptoms = QString()) {
        TestEnv::exec(fx.db, QStringLiteral("INSERT INTO Disease (CommonName, ScientificName, "
                                            "Symptoms) VALUES ('%1', '%2', '%3')")
                                 .arg(common, scientific, symptoms));
    }
    // Three diseases whose two orders differ.
    void threeDiseases() {
        disease("White spot", "Ichthyophthirius multifiliis", "White grains on fins");
        disease("Fin rot", "Pseudomonas and Aeromonas", "Ragged fins");
        disease("Velvet", "Amyloodinium ocellatum", "Gold dust");
    }
    static QString storedSort() {
        return Settings::read(Settings::appName(), "SortOrder", "DiseasesSort", "absent");
    }
    static void click(QRadioButton *option) { QTest::mouseClick(option, Qt::LeftButton); }

private slots:
    void init() { fx.setUp(); }
    void cleanup() { fx.tearDown(); }

    void typingThroughTheWindowWithTheKeyboard() {
        frmDiseases *d = openDiseases();
        QVERIFY(d);
        QCOMPARE(d->windowTitle(), QStringLiteral("Common Diseases"));
        QCOMPARE(fx.main->statusText(), QStringLiteral("Browse the common disease database."));
        QCOMPARE(CorvModule::ActiveForm, QStringLiteral("Diseases"));
        // Opened ready for typing; Tab leaves the long texts instead of
        // typing a tab into them, and reaches the buttons and the options.
        const QStringList typed = {"Hole-in-the-head", "Spironucleus vortens",
                                   "Pits around the head.", "Metronidazole.", QString(300, u'n')};
        for (const QString &text : typed) {
            QWidget *box = QApplication::focusWidget();
            QTest::keyClicks(box, text);
            QTest::keyClick(box, Qt::Key_Tab);
        }
        for (QWidget *next :
             std::initializer_list<QWidget *>{d->cmdIndex, d->cmdSave, d->cmdClose, d->sort1}) {
            QCOMPARE(QApplication::focusWidget(), next);
            QTest::keyClick(next, Qt::Key_Tab);
        }
        d->cmdSave->click();
        QCOMPARE(fx.count("SELECT COUNT(*) FROM Disease WHERE CommonName = 'Hole-in-the-head' "
                          "AND ScientificName = 'Spironucleus vortens' AND Symptoms = 'Pits "
                          "around the head.' AND Treatment = 'Metronidazole.' AND length(Notes) "
                          "= 300"),
                 1);
        // A long text tabbed through does not stay highlighted.
        d->txtSymptoms->setFocus(Qt::MouseFocusReason);
        QVERIFY(d->txtSymptoms->textCursor().hasSelection()); // Auto Highlight
        QTest::keyClick(d->txtSymptoms, Qt::Key_Tab);
        QVERIFY(!d->txtSymptoms->textCursor().hasSelection());
    }

    void longTextsWrapInsteadOfScrollingSideways() {
        const QString paragraph =
            QStringLiteral("Small white spots like grains of salt appear on the body and fins; "
                           "the fish rubs itself on rocks and gravel, breathes fast and clamps "
                           "its fins. ")
                .repeated(6);
        disease("White spot", "Ichthyophthirius multifiliis", paragraph);
        frmDiseases *d = openDiseases();
        QCOMPARE(d->txtSymptoms->toPlainText(), paragraph);
        QTest::qWait(0);
        QCOMPARE(d->txtSymptoms->horizontalScrollBar()->maximum(), 0);
        QVERIFY(d->txtSymptoms->verticalScrollBar()->isVisible());
    }

    void aSavedScientificOrderIsNotUsedWhenTheTableHasRows() {
        threeDiseases();
        Settings::setSortOrder(QStringLiteral("Diseases"), 2);
        frmDiseases *d = openDiseases();
        QVERIFY(d->sort1->isChecked());
        QCOMPARE(d->CurrentSort, 1);
        QCOMPARE(d->txtCommonName->text(), QStringLiteral("Fin rot"));
        QCOMPARE(d->DiseaseData->Caption(), QStringLiteral("Record: 1 of 3"));
        d->cmdClose->click();
        QCOMPARE(storedSort(), QStringLiteral("1"));

        d = openDiseases();
        click(d->sort2);
        QCOMPARE(d->txtCommonName->text(), QStringLiteral("Velvet")); // Amyloodinium
        d->DiseaseData->clickNext();
        QCOMPARE(d->txtCommonName->text(), QStringLiteral("White spot")); // Ichthyophthirius
        click(d->sort1);
        QCOMPARE(d->txtCommonName->text(), QStringLiteral("Fin rot")); // the first row again
        click(d->sort2);
        d->cmdClose->click();
        QCOMPARE(storedSort(), QStringLiteral("2"));
    }

    void anEmptyTableTakesTheSavedOrder() {
        Settings::setSortOrder(QStringLiteral("Diseases"), 2);
        frmDiseases *d = openDiseases();
        QCOMPARE(fx.count("SELECT COUNT(*) FROM Disease WHERE CommonName IS NULL"), 1);
        QCOMPARE(d->DiseaseData->RecordSource(),
                 QStringLiteral("SELECT * FROM [Disease] ORDER BY ScientificName"));
        QCOMPARE(d->CurrentSort, 2);
        QVERIFY(d->sort1->isChecked()); // "Common Name" still shows selected
        QVERIFY(d->RecordAdded);
        QCOMPARE(d->DiseaseData->Caption(), QStringLiteral("Record: 1 of 1"));
        d->cmdClose->click();
        QCOMPARE(storedSort(), QStringLiteral("2"));
    }

    void aSortSwitchAfterAddStoresTheNewRecord() {
        threeDiseases();
        frmDiseases *d = openDiseases();
        fx.main->tbToolBar_ButtonClick(QStringLiteral("Add"));
        QCOMPARE(fx.main->statusText(), QStringLiteral("Add Diseases Record."));
        QVERIFY(d->RecordAdded);
        QCOMPARE(QApplication::focusWidget(), d->txtCommonName);
        QTest::keyClicks(d->txtCommonName, "Dropsy");
        d->txtScientificName->setText("Aeromonas hydrophila");
        d->txtTreatment->setPlainText("Epsom salt bath.");
        click(d->sort2);
        QVERIFY(!d->RecordAdded);
        QCOMPARE(fx.count("SELECT COUNT(*) FROM Disease WHERE CommonName = 'Dropsy' AND "
                          "ScientificName = 'Aeromonas hydrophila' AND Treatment = 'Epsom salt "
                          "bath.'"),
                 1);
        QCOMPARE(d->DiseaseData->Caption(), QStringLiteral("Record: 1 of 4"));
        QCOMPARE(d->txtCommonName->text(), QStringLiteral("Dropsy")); // Aeromonas comes first
    }

    void editsOfAnOlderRecordSurviveASortSwitch() {
        threeDiseases();
        frmDiseases *d = openDiseases();
        d->DiseaseData->clickNext(); // Velvet
        d->txtNotes->setFocus(Qt::MouseFocusReason);
        QTest::keyClicks(d->txtNotes, "Marine and freshwater forms.");
        d->txtSymptoms->setPlainText("Gold dust on the skin; rapid breathing.");
        QVERIFY(d->RecordChanged);
        click(d->sort2);
        QCOMPARE(fx.count("SELECT COUNT(*) FROM Disease WHERE CommonName = 'Velvet' AND Notes = "
                          "'Marine and freshwater forms.' AND Symptoms = 'Gold dust on the skin; "
                          "rapid breathing.'"),
                 1);
        QVERIFY(!d->RecordChanged);
        QCOMPARE(d->txtCommonName->text(), QStringLiteral("Velvet"));
        QCOMPARE(d->txtNotes->toPlainText(), QStringLiteral("Marine and freshwater forms."));
        // And back: nothing of it is lost on the way.
        click(d->sort1);
        d->DiseaseData->clickNext();
        QCOMPARE(d->txtSymptoms->toPlainText(),
                 QStringLiteral("Gold dust on the skin; rapid breathing."));
    }

    void theIndexButton() {
        threeDiseases();
        frmDiseases *d = openDiseases();
        // Nothing installed: the button does nothing.
        d->cmdIndex->click();
        QCOMPARE(d->DiseaseData->Caption(), QStringLiteral("Record: 1 of 3"));

        // An index list that picks "White spot" finds it in the window's own
        // record set, whichever order it is in.
        QString servedWindow;
        HookGuard<Maker> index(RecordForm::indexWindow, [&](QWidget *parent) -> QDialog * {
            servedWindow = CorvModule::SearchForm;
            auto *caller = dynamic_cast<RecordForm *>(Forms::get(FormKind::Diseases));
            if (!caller || caller != parent)
                return nullptr;
            CorvModule::SearchCriteria = QStringLiteral("CommonName = 'White spot'");
            caller->data()->Recordset().FindFirst(CorvModule::SearchCriteria);
            auto *list = new QDialog(parent);
            list->setObjectName(QStringLiteral("frmIndex"));
            return list;
        });
        click(d->sort2);
        d->cmdIndex->click();
        QCOMPARE(servedWindow, QStringLiteral("Diseases"));
        QCOMPARE(d->txtCommonName->text(), QStringLiteral("White spot"));
        QCOMPARE(d->DiseaseData->Caption(), QStringLiteral("Record: 2 of 3"));
        QCOMPARE(fx.env->dialogs.calls.last().dialogName, QStringLiteral("frmIndex"));

        // With no record shown the Index button and the sort options stay
        // usable.
        TestEnv::exec(fx.db, "DELETE FROM Disease WHERE CommonName <> 'White spot'");
        click(d->sort1);
        fx.env->dialogs.answers = {MsgResult::Yes};
        d->mnuDelete_Click();
        QVERIFY(d->FieldsDisabled);
        for (QWidget *w : std::initializer_list<QWidget *>{d->txtCommonName, d->txtScientificName,
                                                           d->txtSymptoms, d->txtTreatment,
                                                           d->txtNotes, d->cmdSave})
            QVERIFY2(!w->isEnabled(), qPrintable(w->objectName()));
        QVERIFY(d->cmdIndex->isEnabled());
        QVERIFY(d->sort1->isEnabled() && d->sort2->isEnabled());
    }

    void toolbarAddAndDeleteWorkWhileTheMenuItemsAreGreyed() {
        threeDiseases();
        int searches = 0, prints = 0;
        HookGuard<Maker> search(RecordForm::searchWindow, [&](QWidget *) -> QDialog * {
            ++searches;
            return nullptr;
        });
        HookGuard<Maker> print(mdiCorvella::printWindow, [&](QWidget *) -> QDialog * {
            ++prints;
            return nullptr;
        });
        fx.main->tbToolBar_ButtonClick(QStringLiteral("Diseases"));
        auto *d = dynamic_cast<frmDiseases *>(Forms::get(FormKind::Diseases));
        QVERIFY(d);
        QVERIFY(!fx.main->mnuAdd->isEnabled());
        QVERIFY(!fx.main->mnuDelete->isEnabled());
        QVERIFY(fx.main->mnuSearch->isEnabled());
        QVERIFY(fx.main->mnuPrint->isEnabled());
        for (int i : {14, 16, 17, 19})
            QVERIFY(fx.main->button(i)->isEnabled());

        fx.main->tbToolBar_ButtonClick(QStringLiteral("Add"));
        QCOMPARE(fx.count("SELECT COUNT(*) FROM Disease"), 4);
        fx.env->dialogs.answers = {MsgResult::Yes};
        fx.main->tbToolBar_ButtonClick(QStringLiteral("Delete"));
        QCOMPARE(fx.main->statusText(), QStringLiteral("Delete Diseases Record."));
        QCOMPARE(fx.count("SELECT COUNT(*) FROM Disease"), 3);

        fx.main->tbToolBar_ButtonClick(QStringLiteral("Search"));
        QCOMPARE(fx.main->statusText(), QStringLiteral("Search for a Disease Record."));
        QCOMPARE(CorvModule::SearchForm, QStringLiteral("Diseases"));
        QCOMPARE(searches, 1);
        fx.main->tbToolBar_ButtonClick(QStringLiteral("Print"));
        QCOMPARE(fx.main->statusText(), QStringLiteral("Print Disease Reports."));
        QCOMPARE(prints, 1);

        // Closing on exit stores a pending edit and the order.
        click(d->sort2);
        d->txtTreatment->setPlainText("Raise the temperature slowly.");
        fx.main->CloseOpenWindows();
        QVERIFY(!CorvModule::DiseasesOpen);
        QCOMPARE(storedSort(), QStringLiteral("2"));
        QCOMPARE(fx.count("SELECT COUNT(*) FROM Disease WHERE Treatment = 'Raise the "
                          "temperature slowly.'"),
                 1);
    }
};

QTEST_MAIN(TestDiseases)
#include "tst_diseases.moc"
