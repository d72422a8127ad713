#include "frmPrint.h"

#include "RecordPrinting.h"
#include "ReportControl.h"

#include "app/CorvModule.h"
#include "app/Forms.h"
#include "forms/RecordForm.h"
#include "platform/Dialogs.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace corv {

namespace {

RecordForm *printedWindow(const WindowKind *kind) {
    return kind && kind->print ? dynamic_cast<RecordForm *>(Forms::get(kind->kind)) : nullptr;
}

} // namespace

frmPrint::frmPrint(QWidget *parent) : ModalWindow(parent) {
    setObjectName(QStringLiteral("frmPrint"));
    setWindowTitle(QStringLiteral("Print Record(s)"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    fraSelect = new QGroupBox(QStringLiteral("Select Records"), this);
    fraSelect->setObjectName(QStringLiteral("fraSelect"));
    auto *options = new QVBoxLayout(fraSelect);
    options->setSpacing(6);
    const QString captions[3] = {QStringLiteral("Current Record"),
                                 QStringLiteral("All Records This Tank"),
                                 QStringLiteral("All Records All Tanks")};
    for (int i = 0; i < 3; ++i) {
        optRecord[i] = new QRadioButton(captions[i], fraSelect);
        optRecord[i]->setObjectName(QStringLiteral("optRecord%1").arg(i));
        options->addWidget(optRecord[i]);
    }
    optRecord[0]->setChecked(true);

    chkPrintpreview = new QCheckBox(QStringLiteral("Print Preview"), this);
    chkPrintpreview->setObjectName(QStringLiteral("chkPrintpreview"));
    chkPrintpreview->setChecked(true);

    cmdOk = new QPushButton(QStringLiteral("Print"), this);
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    cmdOk->setDefault(true);
    cmdOk->setMinimumWidth(88);
    cmdCancel = new QPushButton(QStringLiteral("Close"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setMinimumWidth(88);
    connect(cmdOk, &QPushButton::clicked, this, &frmPrint::cmdOk_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmPrint::cmdCancel_Click);

    auto *left = new QVBoxLayout;
    left->setSpacing(10);
    left->addWidget(fraSelect);
    left->addWidget(chkPrintpreview);
    left->addStretch(1);
    auto *buttons = new QVBoxLayout;
    buttons->setSpacing(6);
    buttons->addWidget(cmdOk);
    buttons->addWidget(cmdCancel);
    buttons->addStretch(1);
    auto *all = new QHBoxLayout(this);
    all->setContentsMargins(12, 12, 12, 12);
    all->setSpacing(16);
    all->addLayout(left, 1);
    all->addLayout(buttons);
}

bool frmPrint::Form_Load() {
    m_window = CorvModule::ActiveForm.window();
    m_target = m_window ? m_window->print : nullptr;
    if (!printedWindow(m_window))
        return false; // no record window that prints is active
    setWindowTitle(QString::fromLatin1(m_target->caption));
    optRecord[1]->setText(QString::fromLatin1(m_target->secondScope));
    optRecord[2]->setVisible(m_target->tankScope);
    optRecord[0]->setFocus(Qt::OtherFocusReason);
    adjustSize();
    setFixedSize(sizeHint());
    return true;
}

int frmPrint::selectedOption() const {
    for (int i = 0; i < 3; ++i)
        if (optRecord[i]->isChecked() && !optRecord[i]->isHidden())
            return i;
    return 0;
}

ReportControl *frmPrint::reportComponent(RecordForm *window, const PrintTarget &target) {
    const QString name = QString::fromLatin1(target.componentName);
    auto *report = window->findChild<ReportControl *>(name, Qt::FindDirectChildrenOnly);
    if (!report) {
        report = new ReportControl(window);
        report->setObjectName(name);
    }
    return report;
}

void frmPrint::cmdOk_Click() {
    QPointer<RecordForm> window = printedWindow(m_window);
    if (!window) {
        done(Rejected);
        return;
    }
    ReportControl *report = reportComponent(window, *m_target);
    report->setReportFileName(CorvModule::sharedFile(QString::fromLatin1(m_target->templateFile)));
    report->setDataFiles(0, window->data()->DatabaseName());
    const QString tankId = window->txtTankID ? window->txtTankID->text() : QString();
    report->setSelectionFormula(
        printSelectionFormula(*m_target, selectedOption(), window->txtID->text(), tankId));

    if (window->txtID->text().isEmpty()) {
        // The window shows no record, so there is nothing to print in any
        // scope.
        msgBox(QStringLiteral("No records to print!"), MsgButtons::Ok, MsgIcon::Exclamation,
               QStringLiteral("Print Error"));
        done(Rejected);
        window->setFocus(Qt::OtherFocusReason);
        return;
    }

    report->setDestination(chkPrintpreview->isChecked() ? ReportControl::ToWindow
                                                        : ReportControl::ToPrinter);
    // The window is gone before the report shows or prints.
    done(Accepted);
    report->PrintReport();
    if (report->LastErrorNumber() != 0)
        msgBox(printErrorMessage(0, QString(), report->LastErrorNumber(), report->LastErrorString(),
                                 report->ReportFileName(), report->DataFiles(0)));
}

void frmPrint::cmdCancel_Click() {
    done(Rejected);
}

} // namespace corv
