// The Target Ranges window: edits per water type kept on OK and dropped on
// Cancel, Restore Defaults, bad bounds refused with a clear message, and the
// open journal marking its values anew.
#include "app/frmTargetRanges.h"
#include "forms/frmJournal.h"
#include "support/MainWindowFixture.h"

#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>

using namespace corv;
using namespace corv::test;

namespace {

int row(const QString &field) {
    return journalParameterIndex(field);
}
void setCell(frmTargetRanges &w, const QString &field, int column, const QString &text) {
    w.tblRanges->item(row(field), column)->setText(text);
}
QString cell(frmTargetRanges &w, const QString &field, int column) {
    return w.tblRanges->item(row(field), column)->text();
}

} // namespace

class TestTargetRangesWindow : public QObject {
    Q_OBJECT
    MainWindowFixture fx;

    // Opens the window from the menu and lets `user` work in it; returns
    // how it closed.
    int openWindow(const std::function<void(frmTargetRanges &)> &user) {
        int result = -1;
        fx.env->dialogs.onModal = [&](QDialog &d) {
            auto *w = qobject_cast<frmTargetRanges *>(&d);
            if (!w)
                return int(QDialog::Rejected);
            user(*w);
            result = w->result();
            return result;
        };
        fx.main->mnuTargetRanges->trigger();
        fx.env->dialogs.onModal = nullptr;
        return result;
    }

private slots:
    void init() { fx.setUp(); }
    void cleanup() { fx.tearDown(); }

    void menuItemAndLayout() {
        QCOMPARE(fx.main->mnuTargetRanges->text(), QStringLiteral("Target &Ranges\u2026"));
        QVERIFY(fx.main->mnuOptions->actions().contains(fx.main->mnuTargetRanges));
        openWindow([](frmTargetRanges &w) {
            QCOMPARE(w.windowTitle(), QStringLiteral("Target Ranges"));
            QCOMPARE(w.cboWaterType->count(), 3);
            QCOMPARE(w.cboWaterType->currentText(), QStringLiteral("Fresh Water"));
            QCOMPARE(w.tblRanges->rowCount(), 20);
            QCOMPARE(w.tblRanges->verticalHeaderItem(row("PH"))->text(), QStringLiteral("pH"));
            QCOMPARE(cell(w, "PH", 0), QStringLiteral("6.5"));
            QCOMPARE(cell(w, "PH", 1), QStringLiteral("7.8"));
            w.cboWaterType->setCurrentIndex(1);
            QCOMPARE(cell(w, "PH", 0), QStringLiteral("8"));
            QCOMPARE(cell(w, "PH", 1), QStringLiteral("8.4"));
        });
    }

    // The window opens on the default tank's water.
    void opensOnTheDefaultTanksWater() {
        const int reef = fx.defaultTank("Reef");
        TestEnv::exec(
            fx.db,
            QStringLiteral("UPDATE Tank SET TankType = 'Salt Water' WHERE ID = %1").arg(reef));
        openWindow([](frmTargetRanges &w) {
            QCOMPARE(w.cboWaterType->currentText(), QStringLiteral("Salt Water"));
            QCOMPARE(cell(w, "PH", 0), QStringLiteral("8"));
            w.cmdCancel->click();
        });
        TestEnv::exec(fx.db,
                      QStringLiteral("UPDATE Tank SET TankType = '' WHERE ID = %1").arg(reef));
        openWindow([](frmTargetRanges &w) {
            QCOMPARE(w.cboWaterType->currentText(), QStringLiteral("Fresh Water"));
            w.cmdCancel->click();
        });
    }

    void editsKeptOnOkDroppedOnCancelAndRestored() {
        openWindow([](frmTargetRanges &w) {
            w.cboWaterType->setCurrentIndex(1); // Salt Water
            setCell(w, "PH", 0, "8.1");
            setCell(w, "PH", 1, "8.3");
            w.cboWaterType->setCurrentIndex(0); // the salt edits are kept meanwhile
            setCell(w, "Nitrite", 1, "0.5");
            w.cmdOK->click();
        });
        TargetRanges stored = TargetRanges::load();
        QCOMPARE(stored.range("Salt Water", "PH"), (TargetRange{8.1, 8.3}));
        QCOMPARE(stored.range("Fresh Water", "Nitrite"), (TargetRange{0.0, 0.5}));
        QCOMPARE(stored.range("Cold Water", "PH"), TargetRanges::defaultRange("Cold Water", "PH"));

        // Shown again as stored; Restore Defaults then Cancel keeps nothing.
        openWindow([](frmTargetRanges &w) {
            w.cboWaterType->setCurrentIndex(1);
            QCOMPARE(cell(w, "PH", 0), QStringLiteral("8.1"));
            w.cmdRestoreDefaults->click();
            QCOMPARE(cell(w, "PH", 0), QStringLiteral("8"));
            w.cmdCancel->click();
        });
        QCOMPARE(TargetRanges::load().range("Salt Water", "PH"), (TargetRange{8.1, 8.3}));

        // Restore Defaults touches only the water type shown.
        openWindow([](frmTargetRanges &w) {
            w.cboWaterType->setCurrentIndex(1);
            w.cmdRestoreDefaults->click();
            w.cmdOK->click();
        });
        stored = TargetRanges::load();
        QCOMPARE(stored.range("Salt Water", "PH"), TargetRanges::defaultRange("Salt Water", "PH"));
        QCOMPARE(stored.range("Fresh Water", "Nitrite"), (TargetRange{0.0, 0.5}));
    }

    void badBoundsAreRefusedWithAMessage() {
        int result = openWindow([this](frmTargetRanges &w) {
            setCell(w, "PH", 0, "six");
            fx.env->dialogs.expectOk();
            w.cmdOK->click(); // refused: the window stays
            QCOMPARE(w.result(), int(QDialog::Rejected));
            QCOMPARE(w.tblRanges->currentRow(), row("PH"));
            fx.env->dialogs.expectOk();
            w.cboWaterType->setCurrentIndex(2); // and no other type is shown
            QCOMPARE(w.cboWaterType->currentIndex(), 0);
            QCOMPARE(cell(w, "PH", 0), QStringLiteral("six"));
            setCell(w, "PH", 0, "9");
            fx.env->dialogs.expectOk();
            w.cmdOK->click();
            setCell(w, "PH", 0, "");
            w.cmdOK->click(); // no low bound at all is a range
        });
        QCOMPARE(result, int(QDialog::Accepted));
        const auto msgs = fx.messages();
        QCOMPARE(msgs.size(), 3);
        QCOMPARE(msgs[0].text, QStringLiteral("The low bound of pH is not a number."));
        QCOMPARE(msgs[0].title, QStringLiteral("Target Ranges"));
        QCOMPARE(msgs[0].icon, MsgIcon::Exclamation);
        QCOMPARE(msgs[2].text,
                 QStringLiteral("The low bound of pH (9) is above its high bound (7.8)."));
        QCOMPARE(TargetRanges::load().range("Fresh Water", "PH"), (TargetRange{std::nullopt, 7.8}));
    }

    void openJournalMarksAnew() {
        const int tank = fx.defaultTank("Community");
        fx.entry(tank, "2001-01-01", "7.0");
        auto *j = fx.open<frmJournal>(FormKind::Journal, &mdiCorvella::mnuJournal_Click);
        QVERIFY(j->valueBox("txtpH")->toolTip().isEmpty());
        openWindow([](frmTargetRanges &w) {
            setCell(w, "PH", 0, "7.2");
            w.cmdOK->click();
        });
        QVERIFY2(j->valueBox("txtpH")->toolTip().endsWith(
                     QStringLiteral(" is below the target range 7.2\u20137.8 for Fresh Water.")),
                 qPrintable(j->valueBox("txtpH")->toolTip()));
    }
};

QTEST_MAIN(TestTargetRangesWindow)
#include "tst_targetrangeswindow.moc"
