#include "frmTargetRanges.h"

#include "CorvModule.h"
#include "platform/Dialogs.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace corv {

namespace {
const QString title = QStringLiteral("Target Ranges");
}

frmTargetRanges::frmTargetRanges(QWidget *parent)
    : ModalWindow(parent), m_ranges(TargetRanges::load()) {
    setObjectName(QStringLiteral("frmTargetRanges"));
    setWindowTitle(title);

    cboWaterType = new QComboBox(this);
    cboWaterType->setObjectName(QStringLiteral("cboWaterType"));
    cboWaterType->addItems(QStringList(waterTypes().begin(), waterTypes().end()));
    auto *typeLabel = new QLabel(QStringLiteral("&Water type:"), this);
    typeLabel->setBuddy(cboWaterType);

    const auto &params = journalParameters();
    tblRanges = new QTableWidget(params.size(), 2, this);
    tblRanges->setObjectName(QStringLiteral("tblRanges"));
    tblRanges->setAccessibleName(tr("Target ranges"));
    tblRanges->setHorizontalHeaderLabels({QStringLiteral("Low"), QStringLiteral("High")});
    QStringList rows;
    for (const JournalParameter &p : params)
        rows << p.label;
    tblRanges->setVerticalHeaderLabels(rows);
    tblRanges->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    tblRanges->setSelectionMode(QAbstractItemView::SingleSelection);
    tblRanges->setTabKeyNavigation(true);

    cmdRestoreDefaults = new QPushButton(QStringLiteral("&Restore Defaults"), this);
    cmdRestoreDefaults->setObjectName(QStringLiteral("cmdRestoreDefaults"));
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));

    auto *top = new QHBoxLayout;
    top->addWidget(typeLabel);
    top->addWidget(cboWaterType, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdRestoreDefaults);
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(tblRanges, 1);
    layout->addLayout(buttons);

    connect(cboWaterType, &QComboBox::currentIndexChanged, this,
            &frmTargetRanges::cboWaterType_Click);
    connect(cmdRestoreDefaults, &QPushButton::clicked, this,
            &frmTargetRanges::cmdRestoreDefaults_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmTargetRanges::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

    // The ranges a user most likely came for: those of the default tank's
    // water.
    m_shown = std::max(0, waterTypeIndex(CorvModule::defaultTankType()));
    {
        const QSignalBlocker block(cboWaterType);
        cboWaterType->setCurrentIndex(m_shown);
    }
    showRanges();
    resize(380, 560);
}

void frmTargetRanges::showRanges() {
    const QString type = waterTypes()[m_shown];
    const auto &params = journalParameters();
    for (int r = 0; r < params.size(); ++r) {
        const TargetRange range = m_ranges.range(type, params[r].field);
        tblRanges->setItem(r, 0, new QTableWidgetItem(TargetRanges::boundText(range.low)));
        tblRanges->setItem(r, 1, new QTableWidgetItem(TargetRanges::boundText(range.high)));
    }
}

bool frmTargetRanges::readTable() {
    const QString type = waterTypes()[m_shown];
    const auto &params = journalParameters();
    for (int r = 0; r < params.size(); ++r) {
        auto text = [&](int c) {
            const QTableWidgetItem *item = tblRanges->item(r, c);
            return item ? item->text() : QString();
        };
        QString why;
        const auto range = TargetRanges::fromBoundTexts(text(0), text(1), params[r].field, &why);
        if (!range) {
            msgBox(why, MsgButtons::Ok, MsgIcon::Exclamation, title);
            tblRanges->setCurrentCell(r, 0);
            tblRanges->setFocus();
            return false;
        }
        m_ranges.setRange(type, params[r].field, *range);
    }
    return true;
}

void frmTargetRanges::cboWaterType_Click() {
    const int chosen = cboWaterType->currentIndex();
    if (chosen == m_shown || chosen < 0)
        return;
    // The edits of the type left behind are kept, so a bad bound there
    // keeps the user on it.
    if (!readTable()) {
        const QSignalBlocker block(cboWaterType);
        cboWaterType->setCurrentIndex(m_shown);
        return;
    }
    m_shown = chosen;
    showRanges();
}

void frmTargetRanges::cmdRestoreDefaults_Click() {
    m_ranges.restoreDefaults(waterTypes()[m_shown]);
    showRanges();
}

void frmTargetRanges::cmdOK_Click() {
    // A cell still being edited has its text committed first.
    if (QWidget *editor = tblRanges->focusWidget(); editor && editor != tblRanges)
        tblRanges->setFocus();
    if (!readTable())
        return;
    m_ranges.save();
    CorvModule::announceTargetRanges();
    accept();
}

} // namespace corv
