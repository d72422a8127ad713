#include "frmStock.h"

#include "frmJournal.h"

#include "app/CorvModule.h"
#include "data/RecordSources.h"
#include "platform/Conversions.h"
#include "platform/Dialogs.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace corv {

frmStock::frmStock()
    : RecordForm({FormKind::Stock, QCoreApplication::translate("frmStock", "Livestock"),
                  QStringLiteral("StockData")}) {
    setObjectName(QStringLiteral("frmStock"));
    StockData = m_data;
    txtTankID = hiddenBound(QStringLiteral("txtTankID"), QStringLiteral("TankID"));

    txtCommonName = boundText(QStringLiteral("txtCommonName"), QStringLiteral("CommonName"), 254);
    txtScientificName =
        boundText(QStringLiteral("txtScientificName"), QStringLiteral("ScientificName"), 254);
    txtCondition = boundText(QStringLiteral("txtCondition"), QStringLiteral("Condition"), 254);
    txtInitialCost = boundText(QStringLiteral("txtInitialCost"), QStringLiteral("InitialCost"));
    const QString dateMessage =
        QCoreApplication::translate("frmStock", "Please enter a valid date (EX: mm/dd/yyyy)!");
    txtDateAcquired =
        dateBox(QStringLiteral("txtDateAcquired"), QStringLiteral("DateAcquired"), dateMessage);
    txtDateAcquired2 = findChild<TextBox *>(QStringLiteral("txtDateAcquired2"));
    txtDateLost = dateBox(QStringLiteral("txtDateLost"), QStringLiteral("DateLost"), dateMessage);
    txtDateLost2 = findChild<TextBox *>(QStringLiteral("txtDateLost2"));
    txtAcquiredFrom =
        boundText(QStringLiteral("txtAcquiredFrom"), QStringLiteral("AcquiredFrom"), 254);
    txtOther = boundText(QStringLiteral("txtOther"), QStringLiteral("Other"), 254);
    txtNotes = boundMemo(QStringLiteral("txtNotes"), QStringLiteral("Notes"));
    checkOnLeave(txtInitialCost, [this] { return txtInitialCost_LostFocus(); });

    QHBoxLayout *sortRow = sortFrame({QCoreApplication::translate("frmStock", "Date Acquired"),
                                      QCoreApplication::translate("frmStock", "Common Name"),
                                      QCoreApplication::translate("frmStock", "Scientific Name"),
                                      QCoreApplication::translate("frmStock", "Acquired From")});
    sort1 = sortButton(1);
    sort2 = sortButton(2);
    sort3 = sortButton(3);
    sort4 = sortButton(4);

    // Two columns of labelled boxes, in pairs.
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    auto place = [&](int row, int col, const QString &text, TextBox *box,
                     const QString &labelTip = QString()) {
        grid->addWidget(label(text, box, labelTip), row, col);
        grid->addWidget(box, row, col + 1);
    };
    place(0, 0, QCoreApplication::translate("frmStock", "Common Name:"), txtCommonName);
    place(0, 2, QCoreApplication::translate("frmStock", "Scientific Name:"), txtScientificName);
    place(1, 0, QCoreApplication::translate("frmStock", "Condition:"), txtCondition);
    place(1, 2, QCoreApplication::translate("frmStock", "Cost:"), txtInitialCost);
    place(2, 0, QCoreApplication::translate("frmStock", "Date Acquired:"), txtDateAcquired);
    place(2, 2, QCoreApplication::translate("frmStock", "Date Lost:"), txtDateLost,
          userDateFormatName());
    place(3, 0, QCoreApplication::translate("frmStock", "Acquired from:"), txtAcquiredFrom);
    place(3, 2, QCoreApplication::translate("frmStock", "Other Info:"), txtOther);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setColumnMinimumWidth(1, 180);
    grid->setColumnMinimumWidth(3, 180);

    QHBoxLayout *lower = notesBesideButtons(txtNotes, {}, 96);

    finishRows({sortRow, grid, lower});
    // The boxes in pairs, the notes, the buttons, then the sort options.
    tabChain({txtCommonName, txtScientificName, txtCondition, txtInitialCost, txtDateAcquired,
              txtDateLost, txtAcquiredFrom, txtOther, txtNotes, cmdSave, cmdClose, sort1, sort2,
              sort3, sort4});
    addFields({txtDateAcquired, txtCondition, txtCommonName, txtInitialCost, txtScientificName,
               txtDateLost, txtAcquiredFrom, txtOther, txtNotes});
    setFirstField(txtCommonName);
    resize(720, 430);
}

QString frmStock::recordSourceText() const {
    return sources::livestock(CorvModule::CurrentTankID, sources::livestockSortField(CurrentSort));
}

bool frmStock::canOpen() {
    return requireDefaultTank();
}

bool frmStock::txtInitialCost_LostFocus() {
    const QString text = txtInitialCost->text();
    if (text.trimmed().isEmpty()) {
        txtInitialCost->setText(QStringLiteral("0"));
        return true;
    }
    // Money is kept exactly to four places, so a number too large for that
    // is refused here rather than failing when the record is stored.
    if (readsAsUserNumber(text) && toUserAmount(text))
        return true;
    msgBox(QCoreApplication::translate("frmStock", "Please enter a valid cost (EX: 25.00)!")
               .replace(QStringLiteral("25.00"), userNumberText(QStringLiteral("25.00"))),
           MsgButtons::Ok, MsgIcon::Exclamation,
           QCoreApplication::translate("frmStock", "Numeric Error"));
    return false;
}

} // namespace corv
