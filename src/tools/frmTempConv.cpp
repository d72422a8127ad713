#include "frmTempConv.h"

#include "platform/Conversions.h"

#include "app/CorvModule.h"
#include "app/mdiCorvella.h"
#include "platform/Dialogs.h"

#include <QCoreApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace corv {

frmTempConv::frmTempConv(QWidget *parent) : ModalWindow(parent) {
    setObjectName(QStringLiteral("frmTempConv"));
    setWindowTitle(QCoreApplication::translate("frmTempConv", "Temp Converter"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    txtF = new TextBox(this);
    txtF->setObjectName(QStringLiteral("txtF"));
    txtC = new TextBox(this);
    txtC->setObjectName(QStringLiteral("txtC"));
    for (TextBox *box : {txtF, txtC}) {
        box->setAlignment(Qt::AlignRight);
        box->setMinimumWidth(140);
        highlightOnFocus(box);
    }
    // The field typed in last is the one converted from; leaving a filled
    // field empties the other.
    connect(txtF, &QLineEdit::textEdited, this,
            [this] { m_lastEdited = tempconv::Source::Fahrenheit; });
    connect(txtC, &QLineEdit::textEdited, this,
            [this] { m_lastEdited = tempconv::Source::Celsius; });
    txtF->onLostFocus = [this] {
        if (!txtF->text().isEmpty())
            txtC->clear();
    };
    txtC->onLostFocus = [this] {
        if (!txtC->text().isEmpty())
            txtF->clear();
    };

    cmdCalculate = new QPushButton(QCoreApplication::translate("frmTempConv", "Calculate"), this);
    cmdCalculate->setObjectName(QStringLiteral("cmdCalculate"));
    cmdCalculate->setDefault(true);
    cmdReset = new QPushButton(QCoreApplication::translate("frmTempConv", "Reset"), this);
    cmdReset->setObjectName(QStringLiteral("cmdReset"));
    cmdClose = new QPushButton(QCoreApplication::translate("frmTempConv", "Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    connect(cmdCalculate, &QPushButton::clicked, this, &frmTempConv::cmdCalculate_Click);
    connect(cmdReset, &QPushButton::clicked, this, &frmTempConv::cmdReset_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmTempConv::cmdClose_Click);

    auto *fields = new QFormLayout;
    fields->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto *lf = new QLabel(QCoreApplication::translate("frmTempConv", "Farenheight:"), this);
    lf->setBuddy(txtF);
    auto *lc = new QLabel(QCoreApplication::translate("frmTempConv", "Celcius:"), this);
    lc->setBuddy(txtC);
    fields->addRow(lf, txtF);
    fields->addRow(lc, txtC);
    auto *buttons = new QVBoxLayout;
    for (QPushButton *b : {cmdCalculate, cmdReset, cmdClose}) {
        b->setMinimumWidth(96);
        buttons->addWidget(b);
    }
    buttons->addStretch(1);
    auto *all = new QHBoxLayout(this);
    all->setContentsMargins(14, 14, 14, 14);
    all->setSpacing(16);
    all->addLayout(fields, 1);
    all->addLayout(buttons);
    // Enter in a box converts; Enter on a focused button presses that one.
    makeFixedSize();
    Form_Load();
}

bool frmTempConv::Form_Load() {
    if (mdiCorvella *m = mdiCorvella::instance())
        m->setStatusText(
            QCoreApplication::translate("frmTempConv", "Enter a temprature to convert."));
    cmdReset_Click();
    return true;
}

void frmTempConv::cmdReset_Click() {
    txtF->setText(QStringLiteral("32\u00b0"));
    txtC->setText(QStringLiteral("0\u00b0"));
    m_lastEdited = tempconv::Source::Fahrenheit;
}

void frmTempConv::cmdCalculate_Click() {
    // The sums read and write the fixed form; the boxes the user's.
    const tempconv::Outcome out = tempconv::calculate(fixedNumberText(txtF->text()),
                                                      fixedNumberText(txtC->text()), m_lastEdited);
    txtF->setText(userNumberText(out.fahrenheit));
    txtC->setText(userNumberText(out.celsius));
    if (out.message.isEmpty())
        return;
    msgBox(out.message);
    if (out.focus == tempconv::Focus::Fahrenheit)
        txtF->setFocus(Qt::OtherFocusReason);
    else if (out.focus == tempconv::Focus::Celsius)
        txtC->setFocus(Qt::OtherFocusReason);
}

} // namespace corv
