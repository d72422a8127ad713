// The about box and the start of the system-information program.
#include "app/frmAbout.h"
#include "support/MainWindowFixture.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>

using namespace corv;
using namespace corv::test;

namespace {

void write(const QString &path, const QByteArray &data) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(data);
}

// A registry holding the values a test puts in it.
class FakeRegistry : public RegistryLayer {
public:
    struct Value {
        quint32 type;
        QByteArray data;
    };
    QHash<QString, Value> values; // "key|name"
    QStringList opened, closed;

    long openKey(RegKey, const QString &subKey, quint32 access, RegKey *key) override {
        if (access != 131135)
            return 5;
        for (auto it = values.cbegin(); it != values.cend(); ++it) {
            if (it.key().startsWith(subKey + u'|')) {
                opened << subKey;
                m_keys << subKey;
                *key = RegKey(m_keys.size());
                return RegSuccess;
            }
        }
        return RegNotFound;
    }
    long queryValue(RegKey key, const QString &name, quint32 *type, QByteArray &buffer,
                    quint32 *size) override {
        const QString k = m_keys.value(int(key) - 1) + u'|' + name;
        if (!values.contains(k))
            return RegNotFound;
        const Value &v = values[k];
        if (buffer.size() != 1024 || *size != 1024)
            return 87;
        buffer.replace(0, v.data.size(), v.data);
        *size = quint32(v.data.size());
        *type = v.type;
        return RegSuccess;
    }
    long closeKey(RegKey key) override {
        closed << m_keys.value(int(key) - 1);
        return RegSuccess;
    }

private:
    QStringList m_keys;
};

const QString MsInfoKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString LocationKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");

} // namespace

class TestAbout : public QObject {
    Q_OBJECT
    MainWindowFixture fx;

private slots:
    void init() { fx.setUp({false, false, false}); }
    void cleanup() { fx.tearDown(); }

    void doubleWordIsTheNumberItHolds() {
        FakeRegistry reg;
        reg.values[MsInfoKey + "|Version"] = {RegDword, QByteArray("\x05\x10\x00\x00", 4)};
        reg.values[MsInfoKey + "|PATH"] = {RegString, QByteArray("C:\\Tools\\msinfo.exe\0", 20)};
        reg.values[MsInfoKey + "|Blob"] = {RegBinary, QByteArray("\x01\x02", 2)};
        RegistryGuard guard(reg);
        QString value = "before";
        QVERIFY(GetKeyValue(RegLocalMachine, MsInfoKey, "Version", value));
        QCOMPARE(value, QStringLiteral("4101"));
        QVERIFY(GetKeyValue(RegLocalMachine, MsInfoKey, "PATH", value));
        QCOMPARE(value, QStringLiteral("C:\\Tools\\msinfo.exe")); // trailing zero dropped
        value = "kept";
        QVERIFY(GetKeyValue(RegLocalMachine, MsInfoKey, "Blob", value));
        QCOMPARE(value, QStringLiteral("kept"));
        QVERIFY(!GetKeyValue(RegLocalMachine, MsInfoKey, "Absent", value));
        QVERIFY(value.isEmpty());
        QVERIFY(!GetKeyValue(RegLocalMachine, "SOFTWARE\\Nothing", "PATH", value));
        QVERIFY(value.isEmpty());
        QCOMPARE(reg.opened.size(), reg.closed.size()); // every opened key is closed
    }

    void systemInfo() {
        FakeRegistry reg;
        RegistryGuard guard(reg);
        // Neither key: the message once.
        fx.env->dialogs.expectOk();
        StartSysInfo();
        QCOMPARE(fx.env->dialogs.messageTexts(),
                 QStringList{"System Information Is Unavailable At This Time"});
        QCOMPARE(fx.messages()[0].title, QStringLiteral("Corvella"));
        QCOMPARE(fx.messages()[0].buttons, MsgButtons::Ok);
        // Only the location key, but no program in that folder.
        fx.env->dialogs.clear();
        reg.values[LocationKey + "|MSINFO"] = {RegString, fx.env->folder().toLocal8Bit() + '\0'};
        fx.env->dialogs.expectOk();
        StartSysInfo();
        QCOMPARE(fx.messages().size(), 1);
        // The program in that folder is started.
        fx.env->dialogs.clear();
        write(fx.env->path("MSINFO32.EXE"), "tool");
        StartSysInfo();
        QVERIFY(fx.messages().isEmpty());
        QCOMPARE(fx.env->dialogs.calls.last().program,
                 QDir::toNativeSeparators(fx.env->folder() + "/MSINFO32.EXE"));
        // The first key wins; a start that fails gives the message.
        fx.env->dialogs.clear();
        reg.values[MsInfoKey + "|PATH"] = {RegString, QByteArray("/usr/bin/sysinfo\0", 17)};
        fx.env->dialogs.startSucceeds = false;
        fx.env->dialogs.expectOk();
        StartSysInfo();
        QCOMPARE(fx.env->dialogs.calls.first().program, QStringLiteral("/usr/bin/sysinfo"));
        QCOMPARE(fx.env->dialogs.messageTexts(),
                 QStringList{"System Information Is Unavailable At This Time"});
    }

    void theAboutCommandShowsTheBoxUntilOk() {
        // What the box shows while it is open, as the user clicks About.
        QString title, product, version, status;
        bool mailAddress = false;
        fx.env->dialogs.onModal = [&](QDialog &d) {
            auto *about = qobject_cast<frmAbout *>(&d);
            if (!about)
                return int(QDialog::Rejected);
            title = about->windowTitle();
            product = about->lblProductName->text();
            version = about->lblCompanyProduct->text();
            mailAddress = about->Label2->text().startsWith("Questions or Comments?") &&
                          about->Label2->text().contains('@');
            status = fx.main->statusText();
            about->cmdOK->click();
            return about->result();
        };
        fx.main->button(21)->trigger(); // the toolbar's About
        QCOMPARE(title, QStringLiteral("About Corvella"));
        QCOMPARE(product, QStringLiteral("Corvella"));
        QCOMPARE(version, QStringLiteral("Aquarium Information Toolkit Version 1.00 for Windows"));
        QVERIFY(mailAddress);
        QCOMPARE(status, QStringLiteral("About Corvella."));
        // OK closed it and put the idle line back.
        QCOMPARE(fx.main->statusText(), CorvModule::IdleLine);
    }

    void systemInfoButtonWithoutTheProgram() {
        FakeRegistry reg;
        RegistryGuard guard(reg);
        frmAbout about(fx.main.get());
        fx.env->dialogs.expectOk();
        about.cmdSysInfo->click();
        QCOMPARE(fx.env->dialogs.messageTexts(),
                 QStringList{"System Information Is Unavailable At This Time"});
    }
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
