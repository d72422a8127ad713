// Windows that fit the screen and stack sensibly: the main window on small
// screens, child windows inside the frame, Cascade, switching child windows
// by keyboard, the help viewer's history, dialogs of one size and message
// boxes wide enough for their titles.
#include "app/CorvModule.h"
#include "app/HelpBrowser.h"
#include "app/Settings.h"
#include "app/WindowPlacement.h"
#include "app/frmAbout.h"
#include "app/mdiCorvella.h"
#include "forms/frmJournal.h"
#include "support/MainWindowFixture.h"
#include "tools/frmTempConv.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QScreen>
#include <QStyleOptionViewItem>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
#include <QTreeView>
#include <QtTest/QTest>
#include <memory>

using namespace corv;
using namespace corv::test;

class TestWindowFit : public QObject {
    Q_OBJECT
    MainWindowFixture fx;

    QMdiArea *area() const { return fx.main->mdiArea; }
    QRect viewport() const { return QRect(QPoint(0, 0), area()->viewport()->size()); }
    static QMdiSubWindow *frameOf(FormKind kind) {
        return MainWindowFixture::frameOf(Forms::get(kind)->widget());
    }
    QMdiSubWindow *helpFrame() const {
        for (QMdiSubWindow *w : area()->subWindowList())
            if (qobject_cast<HelpBrowser *>(w->widget()))
                return w;
        return nullptr;
    }

    QTemporaryDir qtConfig;

private slots:
    // Qt's file dialog keeps its column widths among the user's settings:
    // the tests start from none and leave the user's alone.
    void initTestCase() { qputenv("XDG_CONFIG_HOME", qtConfig.path().toLocal8Bit()); }
    void init() {
        fx.setUp();
        CorvModule::HelpFile = QStringLiteral(CORVELLA_SOURCE_DIR "/resources/help/CORVELLA.HLP");
        fx.defaultTank(QStringLiteral("Reef"));
    }
    void cleanup() { fx.tearDown(); }

    void placementArithmetic() {
        using namespace placement;
        const QSize design(1100, 760);
        const QMargins frame(4, 28, 4, 4);
        // A screen larger than the design: the design size, centred.
        QCOMPARE(fitOnScreen(design, QRect(0, 0, 1920, 1050), frame),
                 QRect(QPoint(406 + 4, 129 + 28), design));
        // 1366x768 with a panel: the height shrinks, the frame fits exactly.
        const QRect r = fitOnScreen(design, QRect(0, 0, 1366, 738), frame);
        QCOMPARE(r.size(), QSize(1100, 706));
        QCOMPARE(r.marginsAdded(frame), QRect(129, 0, 1108, 738));
        // 1024x600 offset by a panel on the left: both shrink.
        QCOMPARE(fitOnScreen(design, QRect(60, 0, 964, 600), frame), QRect(64, 28, 956, 568));

        // A child window is moved in, and shrunk only as far as it can be.
        QCOMPARE(keepInside(QRect(500, 100, 400, 300), QSize(800, 500)), QRect(400, 100, 400, 300));
        QCOMPARE(keepInside(QRect(-20, -5, 900, 300), QSize(800, 500)), QRect(0, 0, 800, 300));
        QCOMPARE(keepInside(QRect(300, 300, 500, 400), QSize(800, 500), QSize(500, 450)),
                 QRect(300, 50, 500, 450));
        QCOMPARE(keepInside(QRect(300, 300, 500, 600), QSize(800, 500), QSize(500, 600)),
                 QRect(300, 0, 500, 600)); // too tall: its title bar stays in reach

        // Cascade: one title bar apart, shrunk where the area ends.
        const auto frames =
            cascade({QSize(400, 300), QSize(700, 450), QSize(300, 200)},
                    {QSize(100, 100), QSize(650, 420), QSize(50, 50)}, QSize(800, 480), 25);
        QCOMPARE(frames.size(), 3);
        QCOMPARE(frames[0], QRect(0, 0, 400, 300));
        QCOMPARE(frames[1], QRect(25, 25, 700, 450));
        QCOMPARE(frames[2], QRect(50, 50, 300, 200));
        QCOMPARE(cascade({QSize(700, 450)}, {QSize(100, 100)}, QSize(600, 400), 25)[0],
                 QRect(0, 0, 600, 400));
    }

    void theMainWindowFitsTheScreenCentred() {
        const QRect available = fx.main->screen()->availableGeometry();
        QVERIFY2(available.contains(fx.main->frameGeometry()),
                 qPrintable(QStringLiteral("%1,%2 %3x%4")
                                .arg(fx.main->frameGeometry().x())
                                .arg(fx.main->frameGeometry().y())
                                .arg(fx.main->frameGeometry().width())
                                .arg(fx.main->frameGeometry().height())));
        QVERIFY(fx.main->width() <= mdiCorvella::DesignSize.width());
        QVERIFY(fx.main->height() <= mdiCorvella::DesignSize.height());
        // Centred, once the frame is known.
        QVERIFY(qAbs(fx.main->frameGeometry().center().x() - available.center().x()) <= 1);
        QVERIFY(qAbs(fx.main->frameGeometry().center().y() - available.center().y()) <= 1);
    }

    void childWindowsOpenInsideTheFrame() {
        fx.main->mnuJournal_Click();
        fx.main->mnuBrowseHelp_Click();
        fx.main->mnuTankCalculator_Click();
        for (QMdiSubWindow *w : area()->subWindowList()) {
            QVERIFY2(w->x() >= 0 && w->y() >= 0, qPrintable(w->windowTitle()));
            // Wholly inside, unless the window cannot shrink that far.
            if (w->minimumSizeHint().width() <= viewport().width())
                QVERIFY2(w->geometry().right() <= viewport().right(), qPrintable(w->windowTitle()));
            if (w->minimumSizeHint().height() <= viewport().height())
                QVERIFY2(w->geometry().bottom() <= viewport().bottom(),
                         qPrintable(w->windowTitle()));
        }
    }

    void aSavedPositionIsKeptWhereTheWindowFits() {
        Settings::setWindowPosition(QStringLiteral("Tank"), {20, 10});
        Settings::setWindowPosition(QStringLiteral("TankCalc"), {5000, 5000}); // a larger screen's
        fx.main->mnuChangeTanks_Click();
        fx.main->mnuTankCalculator_Click();
        QCOMPARE(frameOf(FormKind::Tank)->pos(), QPoint(10, 20));
        const QRect calc = frameOf(FormKind::TankCalc)->geometry();
        QVERIFY(calc.x() >= 0 && calc.y() >= 0);
        QVERIFY(calc.x() < viewport().width() - 100 && calc.y() < viewport().height() - 100);
    }

    void cascadeShowsEveryTitleBarAndKeepsTheActiveWindowOnTop() {
        fx.main->mnuJournal_Click();
        fx.main->mnuChangeTanks_Click();
        fx.main->mnuTankCalculator_Click();
        fx.main->mnuBrowseHelp_Click();
        QMdiSubWindow *journal = frameOf(FormKind::Journal);
        area()->setActiveSubWindow(journal);
        fx.main->mnuCascade_Click();
        QCOMPARE(area()->activeSubWindow(), journal);
        QCOMPARE(CorvModule::ActiveForm, QStringLiteral("Journal"));
        const auto stack = area()->subWindowList(QMdiArea::StackingOrder);
        QCOMPARE(stack.size(), 4);
        QCOMPARE(stack.last(), journal);
        for (int i = 0; i < stack.size(); ++i) {
            QVERIFY(viewport().contains(stack[i]->geometry().topLeft()));
            if (i == 0)
                continue;
            // The title bar of each window shows below the next one's edge.
            const int titleBar = stack[i - 1]->widget()->geometry().top();
            QVERIFY(titleBar > 0);
            QVERIFY(stack[i]->y() - stack[i - 1]->y() >= titleBar);
            QVERIFY(stack[i]->x() > stack[i - 1]->x());
        }
    }

    void ctrlTabSwitchesChildWindows() {
        fx.main->mnuJournal_Click();
        fx.main->mnuTankCalculator_Click();
        QMdiSubWindow *calc = frameOf(FormKind::TankCalc);
        QMdiSubWindow *journal = frameOf(FormKind::Journal);
        QCOMPARE(area()->activeSubWindow(), calc);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(area()->activeSubWindow(), journal);
        QCOMPARE(CorvModule::ActiveForm, QStringLiteral("Journal"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab,
                        Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(area()->activeSubWindow(), calc);
        // From the notes box of a record window too.
        area()->setActiveSubWindow(journal);
        auto *j = dynamic_cast<frmJournal *>(Forms::get(FormKind::Journal));
        j->txtNotes->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(j->txtNotes, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(area()->activeSubWindow(), calc);
    }

    void helpBackAndForwardRetraceLinks() {
        fx.main->mnuBrowseHelp_Click();
        auto *help = qobject_cast<HelpBrowser *>(helpFrame()->widget());
        QTextBrowser *b = help->browser();
        const QString book = b->toPlainText();
        QVERIFY(book.contains(QLatin1String("Keyboard shortcuts")));
        QVERIFY(!b->isBackwardAvailable());
        // Following a link as a click does.
        b->setSource(QUrl(QStringLiteral("#keys")));
        QCOMPARE(b->source().fragment(), QStringLiteral("keys"));
        QVERIFY(b->isBackwardAvailable());
        b->backward();
        QCOMPARE(b->toPlainText(), book); // the book, not an empty page
        QVERIFY(b->source().fragment().isEmpty());
        QVERIFY(b->isForwardAvailable());
        // Alt+Right and Alt+Left, with the focus in the viewer.
        b->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(b, Qt::Key_Right, Qt::AltModifier);
        QCOMPARE(b->source().fragment(), QStringLiteral("keys"));
        QTest::keyClick(b, Qt::Key_Left, Qt::AltModifier);
        QVERIFY(b->source().fragment().isEmpty());
        QCOMPARE(b->toPlainText(), book);
    }

    void aboutAndConverterHaveOneSize() {
        frmAbout about(fx.main.get());
        frmTempConv converter(fx.main.get());
        for (QDialog *d : {static_cast<QDialog *>(&about), static_cast<QDialog *>(&converter)}) {
            d->show();
            QCOMPARE(d->minimumSize(), d->maximumSize());
            QVERIFY(d->width() >= d->sizeHint().width());
            QVERIFY(!(d->windowFlags() & Qt::WindowMaximizeButtonHint));
            QVERIFY(!(d->windowFlags() & Qt::WindowMinimizeButtonHint));
            QVERIFY(d->windowFlags() & Qt::WindowCloseButtonHint);
            d->hide();
        }
    }

    void messageBoxesAreWideEnoughForTheirTitles() {
        for (const char *title :
             {"Backup Database", "Unable to find the CORVELLA.CVL file location"}) {
            MessageRequest r;
            r.text = QStringLiteral("Backup successful!");
            r.title = QString::fromLatin1(title);
            r.icon = MsgIcon::Information;
            int width = 0, titleWidth = 0;
            QTimer::singleShot(0, [&] {
                auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                QVERIFY(box);
                QFont bold = box->font();
                bold.setBold(true);
                titleWidth = QFontMetrics(bold).horizontalAdvance(box->windowTitle());
                width = box->width();
                box->button(QMessageBox::Ok)->click();
            });
            QtDialogLayer().message(r);
            // The title, and room for the title bar's buttons beside it.
            QVERIFY2(width >= titleWidth + 80, title);
        }
    }

    // A window manager that minimises a modal window anyway (openbox offers
    // it, and hides the main window with it) cannot leave the program
    // waiting behind windows nobody can reach: both come back.
    void aMinimisedModalWindowComesBack() {
        fx.main->show();
        for (bool box : {false, true}) {
            bool back = false;
            QTimer::singleShot(0, [&] {
                auto *modal = qobject_cast<QDialog *>(QApplication::activeModalWidget());
                if (!modal)
                    return;
                fx.main->setWindowState(fx.main->windowState() | Qt::WindowMinimized);
                modal->setWindowState(Qt::WindowMinimized);
                for (int i = 0; i < 50 && (modal->windowState() & Qt::WindowMinimized); ++i)
                    QTest::qWait(10);
                back = !(modal->windowState() & Qt::WindowMinimized) &&
                       !(fx.main->windowState() & Qt::WindowMinimized);
                modal->reject();
            });
            if (box) {
                MessageRequest r;
                r.text = QStringLiteral("Backup successful!");
                QtDialogLayer().message(r);
            } else {
                frmTempConv converter(fx.main.get());
                QtDialogLayer().execModal(converter);
            }
            QVERIFY2(back, box ? "message box" : "converter");
        }
    }

    // The backup and restore dialogs show a file's size and date whole.
    void fileDialogColumnsShowTheirValuesWhole() {
        const QString folder = fx.env->path(QStringLiteral("backups"));
        QVERIFY(QDir().mkpath(folder));
        QFile f(folder + QStringLiteral("/CORVELLA-2024-03-05.bak"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(184832, 'x')); // 180.5 KiB
        f.close();
        FileRequest request;
        request.title = QStringLiteral("Restore Database");
        request.filter = QStringLiteral("Backup (*.bak)|*.bak");
        request.initialFolder = folder;
        QStringList cut;
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto *dlg = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            if (!dlg)
                return;
            auto *view = dlg->findChild<QTreeView *>();
            // The folder is read in the background.
            for (int i = 0; i < 500 && view && view->model()->rowCount(view->rootIndex()) == 0; ++i)
                QTest::qWait(10);
            if (!view || view->model()->rowCount(view->rootIndex()) == 0) {
                dlg->reject();
                return;
            }
            QApplication::processEvents();
            const QModelIndex row = view->model()->index(0, 0, view->rootIndex());
            for (int c = 1; c < view->header()->count(); ++c) {
                if (view->header()->isSectionHidden(c))
                    continue;
                // As wide as the view's own painter asks for the value.
                QStyleOptionViewItem option;
                option.initFrom(view);
                const QModelIndex cell = row.siblingAtColumn(c);
                if (view->header()->sectionSize(c) <
                    view->itemDelegateForIndex(cell)->sizeHint(option, cell).width())
                    cut << cell.data().toString();
            }
            seen = true;
            dlg->reject();
        });
        QtDialogLayer().openFile(request);
        QVERIFY(seen);
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral(", "))));
    }
};

QTEST_MAIN(TestWindowFit)
#include "tst_windowfit.moc"
