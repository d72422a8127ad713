#include "frmAbout.h"

#include "Artwork.h"
#include "CorvModule.h"
#include "mdiCorvella.h"
#include "platform/Dialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtEndian>

namespace corv {

namespace {
QString unavailable() {
    return QCoreApplication::translate("frmAbout",
                                       "System Information Is Unavailable At This Time");
}
constexpr quint32 KeyAllAccess = 131135; // all specific rights plus read control
} // namespace

bool GetKeyValue(RegKey KeyRoot, const QString &KeyName, const QString &SubKeyRef,
                 QString &KeyVal) {
    RegistryLayer &reg = registry();
    RegKey key = 0;
    if (reg.openKey(KeyRoot, KeyName, KeyAllAccess, &key) != RegSuccess) {
        KeyVal.clear();
        return false;
    }
    QByteArray buffer(1024, '\0');
    quint32 size = 1024;
    quint32 type = RegNone;
    if (reg.queryValue(key, SubKeyRef, &type, buffer, &size) != RegSuccess) {
        KeyVal.clear();
        reg.closeKey(key);
        return false;
    }
    QByteArray value = buffer.left(int(qMin<quint32>(size, 1024)));
    const QByteArray raw = value;
    if (!value.isEmpty() && value.endsWith('\0'))
        value.chop(1);
    switch (type) {
    case RegString:
        KeyVal = QString::fromLocal8Bit(value);
        break;
    case RegDword: {
        // Four bytes, low byte first: 05 10 00 00 is 0x1005, that is 4101.
        QByteArray four = raw.left(4);
        four.append(QByteArray(4 - four.size(), '\0'));
        KeyVal = QString::number(qFromLittleEndian<quint32>(four.constData()));
        break;
    }
    default:
        break; // other types leave the caller's text as it was
    }
    reg.closeKey(key);
    return true;
}

void StartSysInfo() {
    QString path;
    bool found = false;
    if (GetKeyValue(RegLocalMachine, QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
                    QStringLiteral("PATH"), path)) {
        found = true;
    } else if (GetKeyValue(RegLocalMachine,
                           QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location"),
                           QStringLiteral("MSINFO"), path)) {
        const QString tool = QDir::toNativeSeparators(path + QStringLiteral("/MSINFO32.EXE"));
        if (QFileInfo::exists(tool)) {
            path = tool;
            found = true;
        }
    }
    if (!found || !dialogs().startProgram(path, {}))
        msgBox(unavailable(), MsgButtons::Ok, MsgIcon::None, applicationTitle());
}

frmAbout::frmAbout(QWidget *parent) : ModalWindow(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QCoreApplication::translate("frmAbout", "About Corvella"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto *logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("picLogo"));
    logo->setPixmap(Artwork::logo(72, devicePixelRatioF()));
    logo->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    lblProductName = new QLabel(QCoreApplication::translate("frmAbout", "Corvella"), this);
    lblProductName->setObjectName(QStringLiteral("lblProductName"));
    QFont big = lblProductName->font();
    big.setPointSizeF(big.pointSizeF() * 2.0);
    big.setBold(true);
    lblProductName->setFont(big);
    QPalette title = lblProductName->palette();
    title.setColor(QPalette::WindowText, Artwork::accent(title));
    lblProductName->setPalette(title);

    lblCompanyProduct =
        new QLabel(QCoreApplication::translate(
                       "frmAbout", "Aquarium Information Toolkit Version 1.00 for Windows"),
                   this);
    lblCompanyProduct->setObjectName(QStringLiteral("lblCompanyProduct"));

    Label2 = new QLabel(Artwork::contactLine(), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    lblWarning = new QLabel(Artwork::legalNotice(), this);
    lblWarning->setObjectName(QStringLiteral("lblWarning"));
    lblWarning->setWordWrap(true);
    QFont small = lblWarning->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    lblWarning->setFont(small);

    cmdOK = new QPushButton(QCoreApplication::translate("frmAbout", "OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdSysInfo = new QPushButton(QCoreApplication::translate("frmAbout", "System Info"), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdOK->setMinimumWidth(110);
    cmdSysInfo->setMinimumWidth(110);
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOk_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);

    auto *texts = new QVBoxLayout;
    texts->setSpacing(6);
    texts->addWidget(lblProductName);
    texts->addWidget(lblCompanyProduct);
    texts->addSpacing(8);
    texts->addWidget(Label2);
    texts->addStretch(1);

    auto *top = new QHBoxLayout;
    top->setSpacing(18);
    top->addWidget(logo, 0, Qt::AlignTop);
    top->addLayout(texts, 1);

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdSysInfo);
    buttons->addStretch(1);

    auto *bottom = new QHBoxLayout;
    bottom->setSpacing(18);
    bottom->addWidget(lblWarning, 1);
    bottom->addLayout(buttons);

    auto *all = new QVBoxLayout(this);
    all->setContentsMargins(18, 18, 18, 14);
    all->addLayout(top);
    all->addWidget(line);
    all->addLayout(bottom);
    setFixedWidth(520);
    makeFixedSize();
}

void frmAbout::cmdOk_Click() {
    accept();
}

void frmAbout::cmdSysInfo_Click() {
    StartSysInfo();
}

} // namespace corv
