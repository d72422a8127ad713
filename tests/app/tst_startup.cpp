// Start-up and the settings store.
#include "app/CorvModule.h"
#include "app/Settings.h"
#include "app/Startup.h"
#include "app/frmSplash.h"
#include "app/mdiCorvella.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QSettings>
#include <QtTest/QTest>
#include <memory>

using namespace corv;
using corv::test::TestEnv;

class TestStartup : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;

    static QString stored(const char *section, const char *key) {
        return Settings::read(Settings::appName(), QString::fromLatin1(section),
                              QString::fromLatin1(key), QStringLiteral("<absent>"));
    }

private slots:
    void init() {
        env = std::make_unique<TestEnv>();
        Forms::reset();
    }
    void cleanup() {
        Forms::reset();
        env.reset();
    }

    void storeReadsAndWrites() {
        QCOMPARE(Settings::read("Corvella", "Toolbar", "Visible", true), QStringLiteral("True"));
        QCOMPARE(Settings::read("Corvella", "Toolbar", "Text", false), QStringLiteral("False"));
        QCOMPARE(Settings::read("Corvella", "WindowPosition", "JournalTop", -1),
                 QStringLiteral("-1"));
        Settings::save("Corvella", "WindowPosition", "JournalTop", "120");
        QCOMPARE(Settings::readInt("WindowPosition", "JournalTop", -1), 120);
        // The store is the INI file in the test's own configuration folder.
        QVERIFY(QFile::exists(env->path("config/Corvella/Corvella.ini")));
        QSettings ini(env->path("config/Corvella/Corvella.ini"), QSettings::IniFormat);
        QCOMPARE(ini.value("WindowPosition/JournalTop").toString(), QStringLiteral("120"));
    }

    void typedSettingsRoundTrip() {
        // Absent keys give the documented defaults.
        QCOMPARE(Settings::databasePath(), CorvModule::NotSet);
        QCOMPARE(Settings::defaultTankId(), CorvModule::NotSet);
        QVERIFY(Settings::toolbarVisible());
        QVERIFY(!Settings::toolbarText());
        QVERIFY(Settings::statusBarVisible());
        QVERIFY(Settings::autoHighlight());
        QCOMPARE(Settings::windowPosition("Journal").top, -1);
        QCOMPARE(Settings::windowPosition("Journal").left, -1);
        QCOMPARE(Settings::sortOrder("Stock"), 1);

        // Each value written comes back, under the key the store has always
        // used for it.
        Settings::setDatabasePath("/data/CORVELLA.CVL");
        Settings::setHelpFile("/data/CORVELLA.HLP");
        Settings::setDefaultTankId("12");
        Settings::setDefaultTankName("Reef 2");
        Settings::setToolbarVisible(false);
        Settings::setToolbarText(true);
        Settings::setStatusBarVisible(false);
        Settings::setAutoHighlight(false);
        Settings::setWindowPosition("TankCalc", {40, 75});
        Settings::setSortOrder("Diseases", 2);
        QCOMPARE(Settings::databasePath(), QStringLiteral("/data/CORVELLA.CVL"));
        QCOMPARE(Settings::helpFile(), QStringLiteral("/data/CORVELLA.HLP"));
        QCOMPARE(Settings::defaultTankId(), QStringLiteral("12"));
        QCOMPARE(Settings::defaultTankName(), QStringLiteral("Reef 2"));
        QVERIFY(!Settings::toolbarVisible());
        QVERIFY(Settings::toolbarText());
        QVERIFY(!Settings::statusBarVisible());
        QVERIFY(!Settings::autoHighlight());
        QCOMPARE(Settings::windowPosition("TankCalc").top, 40);
        QCOMPARE(Settings::windowPosition("TankCalc").left, 75);
        QCOMPARE(Settings::sortOrder("Diseases"), 2);
        QCOMPARE(Settings::sortOrder("Stock"), 1);
        const QStringList keys = {"Database/Filename=/data/CORVELLA.CVL",
                                  "HelpFile/Filename=/data/CORVELLA.HLP",
                                  "DefaultTank/TankID=12",
                                  "DefaultTank/TankName=Reef 2",
                                  "Toolbar/Visible=False",
                                  "Toolbar/Text=True",
                                  "Statusbar/Visible=False",
                                  "Options/AutoHighlight=False",
                                  "WindowPosition/TankCalcTop=40",
                                  "WindowPosition/TankCalcLeft=75",
                                  "SortOrder/DiseasesSort=2"};
        QSettings ini(env->path("config/Corvella/Corvella.ini"), QSettings::IniFormat);
        for (const QString &k : keys) {
            const QString key = k.section(u'=', 0, 0);
            QCOMPARE(key + u'=' + ini.value(key).toString(), k);
        }

        // What someone typed into the file by hand reads as the default.
        Settings::save("Corvella", "SortOrder", "StockSort", "two");
        Settings::save("Corvella", "WindowPosition", "JournalTop", "high");
        QCOMPARE(Settings::sortOrder("Stock"), 1);
        QCOMPARE(Settings::windowPosition("Journal").top, -1);
    }

    void booleansAreLenient_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("fallback");
        QTest::addColumn<bool>("value");
        QTest::newRow("True") << "True" << false << true;
        QTest::newRow("false lower") << "false" << true << false;
        QTest::newRow("TRUE upper") << "TRUE" << false << true;
        QTest::newRow("number -1") << "-1" << false << true;
        QTest::newRow("number 0") << "0" << true << false;
        QTest::newRow("yes") << "Yes" << false << true;
        QTest::newRow("garbage keeps default true") << "maybe" << true << true;
        QTest::newRow("garbage keeps default false") << "maybe" << false << false;
        QTest::newRow("empty keeps default") << "" << true << true;
    }
    void booleansAreLenient() {
        QFETCH(QString, text);
        QFETCH(bool, fallback);
        QFETCH(bool, value);
        Settings::save("Corvella", "Options", "AutoHighlight", text);
        QCOMPARE(Settings::readBool("Options", "AutoHighlight", fallback), value);
    }

    void emptyStoreWritesTheThreeKeys() {
        CorvModule::readSettings();
        const QString folder = QDir::toNativeSeparators(env->folder());
        QCOMPARE(CorvModule::DatabasePath, folder + QDir::separator() + "CORVELLA.CVL");
        QCOMPARE(CorvModule::HelpFile, folder + QDir::separator() + "CORVELLA.HLP");
        QCOMPARE(stored("Database", "Filename"), CorvModule::DatabasePath);
        QCOMPARE(stored("HelpFile", "Filename"), CorvModule::HelpFile);
        QCOMPARE(stored("DefaultTank", "TankID"), QStringLiteral("NOT SET"));
        QCOMPARE(stored("DefaultTank", "TankName"), QStringLiteral("<absent>"));
        QCOMPARE(CorvModule::CurrentTankID, QStringLiteral("NOT SET"));
        QVERIFY(CorvModule::CurrentTankName.isEmpty());
        QCOMPARE(CorvModule::ActiveForm, QStringLiteral("NoOne"));
        QVERIFY(!CorvModule::ChartInputError);
    }

    void storedValuesAreUsedUnchanged() {
        Settings::save("Corvella", "Database", "Filename", "/gone/away/CORVELLA.CVL");
        Settings::save("Corvella", "HelpFile", "Filename", "/docs/CORVELLA.HLP");
        Settings::save("Corvella", "DefaultTank", "TankID", "7");
        Settings::save("Corvella", "DefaultTank", "TankName", "Reef");
        CorvModule::readSettings();
        QCOMPARE(CorvModule::DatabasePath, QStringLiteral("/gone/away/CORVELLA.CVL"));
        QCOMPARE(CorvModule::HelpFile, QStringLiteral("/docs/CORVELLA.HLP"));
        QCOMPARE(CorvModule::CurrentTankID, QStringLiteral("7"));
        QCOMPARE(CorvModule::CurrentTankName, QStringLiteral("Reef"));
        QCOMPARE(stored("Database", "Filename"), QStringLiteral("/gone/away/CORVELLA.CVL"));
    }

    void hostileTankIdCountsAsNone() {
        Settings::save("Corvella", "DefaultTank", "TankID", "1; DROP TABLE Tank");
        Settings::save("Corvella", "DefaultTank", "TankName", "Reef");
        CorvModule::readSettings();
        QCOMPARE(CorvModule::CurrentTankID, QStringLiteral("NOT SET"));
        QVERIFY(CorvModule::CurrentTankName.isEmpty());
        QCOMPARE(stored("DefaultTank", "TankID"), QStringLiteral("NOT SET"));
    }

    void captionWithTankIdButNoName() {
        Settings::save("Corvella", "DefaultTank", "TankID", "3");
        std::unique_ptr<mdiCorvella> main(CorvMain());
        QCOMPARE(main->windowTitle(), QStringLiteral("Corvella - NOT SET"));
        QVERIFY(env->dialogs.messages().isEmpty());
        // The splash was shown modally before the caption was set.
        QCOMPARE(env->dialogs.calls.first().kind, corv::test::ScriptedDialogs::Call::Modal);
        QCOMPARE(env->dialogs.calls.first().dialogName, QStringLiteral("frmSplash"));
    }

    void firstRunAsksForATank() {
        bool tankOpened = false;
        Forms::setFactory(FormKind::Tank, [&]() -> CorvForm * {
            tankOpened = true;
            return nullptr;
        });
        env->dialogs.expectOk();
        std::unique_ptr<mdiCorvella> main(CorvMain());
        QCOMPARE(main->windowTitle(), QStringLiteral("Corvella"));
        const auto messages = env->dialogs.messages();
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].text, QStringLiteral("In order to use Corvella, you must set up a "
                                                  "default Tank. Please enter one now!"));
        QCOMPARE(messages[0].title, QStringLiteral("No Default Tank"));
        QCOMPARE(messages[0].icon, MsgIcon::Exclamation);
        QCOMPARE(messages[0].buttons, MsgButtons::Ok);
        QVERIFY(tankOpened);
        QVERIFY(!CorvModule::TankOpen); // start-up does not set the open flag
        QCOMPARE(main->statusText(), CorvModule::WelcomeLine);
    }

    void splashIsCentredOnTheMainWindow() {
        mdiCorvella main;
        main.show();
        main.move(main.x() + 37, main.y() + 11); // wherever the window system put it
        frmSplash splash(&main);
        splash.show();
        QCOMPARE(splash.frameGeometry().center(), main.frameGeometry().center());
        splash.CloseSplash();
    }

    // A second start on the same database says so and brings nothing up;
    // the first one holds the database until its main window ends.
    void secondStartOnTheSameDatabase() {
        const QString db = env->makeDatabase();
        Settings::save("Corvella", "Database", "Filename", db);
        Settings::save("Corvella", "DefaultTank", "TankID", "1");
        std::unique_ptr<mdiCorvella> first(CorvMain());
        QVERIFY(first);
        QVERIFY(QFile::exists(db + ".lock"));
        env->dialogs.clear();
        Forms::reset();
        env->dialogs.expectOk();
        std::unique_ptr<mdiCorvella> second(CorvMain());
        QVERIFY(!second);
        const auto messages = env->dialogs.messages();
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].text,
                 QStringLiteral("Corvella is already running with the database %1. Only one "
                                "Corvella can use a database at a time: switch to the one that "
                                "is running.")
                     .arg(db));
        QCOMPARE(messages[0].title, QStringLiteral("Corvella"));
        QCOMPARE(messages[0].icon, MsgIcon::Exclamation);
        QCOMPARE(env->dialogs.calls.size(), 1); // no splash, nothing else
        QCOMPARE(mdiCorvella::instance(), first.get());
        // Once the first one ends, the database is free again.
        first.reset();
        QVERIFY(!QFile::exists(db + ".lock"));
        env->dialogs.clear();
        second.reset(CorvMain());
        QVERIFY(second);
    }

    void splashClosesOnTimerClickOrKey() {
        {
            frmSplash s;
            QCOMPARE(s.Timer1.interval(), 2500);
            QVERIFY(!s.Timer1.isActive());
            s.show();
            QVERIFY(s.Timer1.isActive()); // the window's load starts it
            QVERIFY(QTest::qWaitFor([&] { return !s.isVisible(); }, 4000));
            QCOMPARE(s.result(), int(QDialog::Accepted));
        }
        {
            frmSplash s;
            s.show();
            QTest::mouseClick(&s, Qt::LeftButton);
            QVERIFY(!s.isVisible());
            QVERIFY(!s.Timer1.isActive());
        }
        {
            frmSplash s;
            s.show();
            QTest::keyClick(&s, Qt::Key_A);
            QVERIFY(!s.isVisible());
        }
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
