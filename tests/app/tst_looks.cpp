// How the windows look: readable text in the light and the dark palette,
// nothing cut off and every picture drawn at the screen's own resolution.
// CTest runs this at scale 1, at QT_SCALE_FACTOR=2 and with the dark colour
// scheme. With CORVELLA_SHOTS_DIR set, each window is also saved as a PNG
// there, for a person to look at.
#include "app/Artwork.h"
#include "app/frmAbout.h"
#include "app/frmSplash.h"
#include "charts/CorvChart.h"
#include "charts/frmChart.h"
#include "forms/frmJournal.h"
#include "support/MainWindowFixture.h"
#include "tools/frmTankCalc.h"
#include "tools/frmTempConv.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>

using namespace corv;
using namespace corv::test;

namespace {

// The contrast ratio of two colours as the accessibility guidelines define
// it: 1 for none, 21 for black on white.
double luminance(const QColor &c) {
    auto channel = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}
double contrast(const QColor &a, const QColor &b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QString describe(const QWidget *w) {
    QString name = w->objectName();
    if (name.isEmpty()) {
        if (auto *l = qobject_cast<const QLabel *>(w))
            name = u'"' + l->text() + u'"';
        else if (auto *b = qobject_cast<const QAbstractButton *>(w))
            name = u'"' + b->text() + u'"';
    }
    return QString::fromLatin1(w->metaObject()->className()) + u' ' + name +
           QStringLiteral(" in ") + w->window()->objectName();
}

// Every visible piece of text in `top` must stand out from what it is drawn
// on, and fit in the room it was given.
void checkTexts(QWidget *top) {
    const auto widgets = top->findChildren<QWidget *>();
    for (QWidget *w : widgets) {
        if (!w->isVisibleTo(top) || !w->isEnabled())
            continue;
        const bool isLabel = qobject_cast<QLabel *>(w) != nullptr;
        const bool isButton = qobject_cast<QAbstractButton *>(w) != nullptr;
        const bool isBox = qobject_cast<QLineEdit *>(w) || qobject_cast<QPlainTextEdit *>(w) ||
                           qobject_cast<QTextEdit *>(w) || qobject_cast<QComboBox *>(w);
        if (!isLabel && !isButton && !isBox)
            continue;
        if (isLabel && static_cast<QLabel *>(w)->text().isEmpty())
            continue;
        const QPalette &p = w->palette();
        // A label is drawn on its parent; a box on its base.
        const QColor fg = p.color(w->foregroundRole());
        const QColor bg =
            isLabel ? w->parentWidget()->palette().color(w->parentWidget()->backgroundRole())
                    : p.color(w->backgroundRole());
        const double ratio = contrast(fg, bg);
        QVERIFY2(ratio >= 3.0, qPrintable(QStringLiteral("%1: contrast %2 (%3 on %4)")
                                              .arg(describe(w))
                                              .arg(ratio, 0, 'f', 2)
                                              .arg(fg.name(), bg.name())));
        // Cut-off text: a one-line label or a button narrower or lower than
        // its text needs.
        if ((isLabel && !static_cast<QLabel *>(w)->wordWrap() &&
             static_cast<QLabel *>(w)->pixmap().isNull()) ||
            (isButton && !qobject_cast<QToolButton *>(w))) {
            const QSize need =
                w->minimumSizeHint().expandedTo(isButton ? w->minimumSizeHint() : w->sizeHint());
            QVERIFY2(w->width() >= need.width() && w->height() >= need.height(),
                     qPrintable(QStringLiteral("%1: %2x%3 for text needing %4x%5")
                                    .arg(describe(w))
                                    .arg(w->width())
                                    .arg(w->height())
                                    .arg(need.width())
                                    .arg(need.height())));
        }
    }
}

void save(QWidget *w, const QString &name) {
    const QString dir = qEnvironmentVariable("CORVELLA_SHOTS_DIR");
    if (dir.isEmpty())
        return;
    QString tag = qEnvironmentVariable("CORVELLA_SHOTS_TAG");
    if (tag.isEmpty())
        tag = QStringLiteral("x%1").arg(w->devicePixelRatioF());
    QVERIFY(w->grab().save(dir + u'/' + name + u'-' + tag + QStringLiteral(".png")));
}

} // namespace

class TestLooks : public QObject {
    Q_OBJECT
    MainWindowFixture fx;

private slots:
    void initTestCase() {
        Artwork::applyColorScheme(qEnvironmentVariable("CORVELLA_COLOR_SCHEME"));
    }
    void init() {
        fx.setUp();
        fx.defaultTank(QStringLiteral("Reef 120"));
        CorvModule::announceDefaultTank();
    }
    void cleanup() { fx.tearDown(); }

    void colourSchemeHelpers() {
        // The dark palette is dark, and the accent and glyph colours read on
        // both palettes' backgrounds.
        const QPalette dark = Artwork::darkPalette();
        QVERIFY(Artwork::isDark(dark));
        QVERIFY(!Artwork::isDark(QPalette(Qt::black, Qt::white)));
        for (const QPalette &p : {dark, QApplication::style()->standardPalette()}) {
            QVERIFY(contrast(Artwork::accent(p), p.color(QPalette::Window)) >= 4.5);
            QVERIFY(contrast(Artwork::glyphInk(p, true), p.color(QPalette::Button)) >= 4.5);
            QVERIFY(contrast(Artwork::glyphInk(p, false), p.color(QPalette::Button)) >= 1.5);
        }
    }

    void mainWindowWithTankAndJournal() {
        fx.main->mnuChangeTanks_Click();
        fx.main->mnuJournal_Click();
        QVERIFY(Forms::get(FormKind::Tank) && Forms::get(FormKind::Journal));
        fx.main->mnuBrowseHelp_Click();
        fx.main->mdiArea->tileSubWindows();
        QApplication::processEvents();
        checkTexts(fx.main.get());
        // The toolbar's pictures are drawn for the screen's pixels, not
        // scaled up from smaller ones.
        const qreal dpr = fx.main->devicePixelRatioF();
        const QSize iconSize = fx.main->tbToolBar->iconSize();
        for (QAction *a : fx.main->tbToolBar->actions()) {
            if (a->isSeparator())
                continue;
            const QPixmap pm = a->icon().pixmap(iconSize, dpr);
            QCOMPARE(pm.size(), iconSize * dpr);
        }
        QCOMPARE(fx.main->windowIcon().pixmap(QSize(32, 32), dpr).size(), QSize(32, 32) * dpr);
        save(fx.main.get(), QStringLiteral("main"));
    }

    void journalWithOutOfRangeValues() {
        fx.entry(CorvModule::CurrentTankID.toInt(), "2001-01-01", "6.0");
        fx.main->mnuJournal_Click();
        auto *j = qobject_cast<frmJournal *>(Forms::get(FormKind::Journal)->widget());
        QVERIFY(j);
        j->valueBox("txtNitrite")->setText(QStringLiteral("0.5"));
        j->valueBox("txtAmmonia")->setText(QStringLiteral("0"));
        QApplication::processEvents();
        // The marked boxes' warning colour reads on their base, and differs
        // from the colour of an unmarked box.
        for (TextBox *marked : {j->valueBox("txtpH"), j->valueBox("txtNitrite")}) {
            QVERIFY(!marked->toolTip().isEmpty());
            const QPalette p = marked->palette();
            QVERIFY(contrast(p.color(QPalette::Text), p.color(QPalette::Base)) >= 4.5);
            QVERIFY(p.color(QPalette::Text) !=
                    j->valueBox("txtAmmonia")->palette().color(QPalette::Text));
        }
        checkTexts(j);
        save(j, QStringLiteral("journal-marks"));
    }

    void chartWithBandsAndTimeAxis_data() {
        QTest::addColumn<QSize>("screen");
        QTest::newRow("1366x768") << QSize(1366, 768);
        QTest::newRow("1024x600") << QSize(1024, 600);
    }
    void chartWithBandsAndTimeAxis() {
        QFETCH(QSize, screen);
        // Tests at irregular intervals, some outside their ranges.
        const int tank = CorvModule::CurrentTankID.toInt();
        const QDate start(2001, 1, 4);
        int day = 0;
        for (int i = 0; i < 24; ++i) {
            day += 3 + (i * 7) % 11;
            TestEnv::exec(fx.db, QStringLiteral("INSERT INTO Journal (TankID, EntryDate, Ammonia, "
                                                "Nitrate, PH) VALUES (%1, '%2', %3, %4, %5)")
                                     .arg(tank)
                                     .arg(start.addDays(day).toString(Qt::ISODate))
                                     .arg(i < 4 ? 0.5 - 0.1 * i : 0.05 * (i % 3))
                                     .arg(8 + (i * 13) % 45)
                                     .arg(7.0 + 0.1 * ((i * 5) % 9) - 0.3));
        }
        std::unique_ptr<frmChart> w(ModalWindow::open<frmChart>(fx.main.get()));
        QVERIFY(w);
        w->cboChartType->setCurrentIndex(3);
        if (!w->chkSpaceByDate->isChecked())
            w->chkSpaceByDate->click();
        // The window fits the screen, less a panel and the window's frame.
        const QSize room = screen - QSize(16, 40 + 32);
        QVERIFY2(w->minimumSizeHint().width() <= room.width() &&
                     w->minimumSizeHint().height() <= room.height(),
                 qPrintable(QStringLiteral("needs %1x%2")
                                .arg(w->minimumSizeHint().width())
                                .arg(w->minimumSizeHint().height())));
        w->setMinimumSize(0, 0);
        w->resize(room);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QTRY_COMPARE(w->size(), room);
        QTRY_VERIFY(w->CorvChart->timeAxisShown());
        QTest::qWait(50);
        checkTexts(w.get());
        save(w.get(), QStringLiteral("chart-%1x%2").arg(screen.width()).arg(screen.height()));
        w->CorvChart->zoomTo({40, 120});
        QTest::qWait(50);
        save(w.get(),
             QStringLiteral("chart-zoomed-%1x%2").arg(screen.width()).arg(screen.height()));
    }

    void calculatorAndConverter() {
        fx.main->mnuTankCalculator_Click();
        QVERIFY(Forms::get(FormKind::TankCalc));
        QWidget *calc = Forms::get(FormKind::TankCalc)->widget();
        checkTexts(calc);
        save(calc, QStringLiteral("tankcalc"));
        frmTempConv conv(fx.main.get());
        conv.show();
        checkTexts(&conv);
        save(&conv, QStringLiteral("tempconv"));
    }

    void aboutAndSplash() {
        frmAbout about(fx.main.get());
        about.show();
        QApplication::processEvents();
        checkTexts(&about);
        // The logo is drawn at the screen's resolution.
        auto *logo = about.findChild<QLabel *>(QStringLiteral("picLogo"));
        QVERIFY(logo);
        QCOMPARE(logo->pixmap().devicePixelRatio(), about.devicePixelRatioF());
        save(&about, QStringLiteral("about"));
        frmSplash splash(fx.main.get());
        splash.show();
        save(&splash, QStringLiteral("splash"));
        // With fonts twice as large (a desktop at scale 2 for text) the
        // picture grows with them: every text stays inside it, below the
        // one before.
        QFont big = splash.font();
        big.setPointSizeF(big.pointSizeF() * 2);
        splash.setFont(big);
        const frmSplash::TextPlaces at = splash.textPlaces();
        const QRect inside = splash.rect().adjusted(8, 8, -8, -8);
        for (const QRect &r : {at.title, at.version, at.contact, at.notice})
            QVERIFY2(inside.contains(r), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                        .arg(r.x())
                                                        .arg(r.y())
                                                        .arg(r.width())
                                                        .arg(r.height())));
        QVERIFY(at.version.top() >= at.title.bottom());
        QVERIFY(at.contact.top() > at.version.bottom());
        QVERIFY(at.notice.top() > at.contact.bottom());
        QCOMPARE(splash.width(), splash.height() * 2);
        save(&splash, QStringLiteral("splash-large-fonts"));
        splash.CloseSplash();
    }
};

QTEST_MAIN(TestLooks)
#include "tst_looks.moc"
