#include "frmJournal.h"

#include "platform/Conversions.h"

#include "app/CorvModule.h"
#include "app/mdiCorvella.h"
#include "data/Catalogue.h"
#include "data/RecordSet.h"
#include "data/RecordSources.h"
#include "platform/Dialogs.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QVBoxLayout>

namespace corv {

namespace {

// A red that reads on the box's own base: dark on a light base, light on a
// dark one.
QColor warningColour(const QPalette &palette) {
    return palette.color(QPalette::Base).lightness() < 128 ? QColor(0xff, 0x8a, 0x80)
                                                           : QColor(0xb0, 0x00, 0x20);
}

} // namespace

bool requireDefaultTank() {
    if (CorvModule::CurrentTankID != CorvModule::NotSet)
        return true;
    msgBox(QCoreApplication::translate(
               "frmJournal", "There is no default tank yet. Choose Options > Change Tanks, enter "
                             "your tank and make it the default, then open this window again."),
           MsgButtons::Ok, MsgIcon::Exclamation,
           QCoreApplication::translate("frmJournal", "No Default Tank"));
    return false;
}

frmJournal::frmJournal()
    : RecordForm({FormKind::Journal, QCoreApplication::translate("frmJournal", "Journal"),
                  QStringLiteral("JournalData")}) {
    setObjectName(QStringLiteral("frmJournal"));
    JournalData = m_data;
    txtTankID = hiddenBound(QStringLiteral("txtTankID"), QStringLiteral("TankID"));
    txtEntryDate = dateBox(
        QStringLiteral("txtEntryDate"), QStringLiteral("EntryDate"),
        QCoreApplication::translate("frmJournal", "Please enter a valid date (mm/dd/yyyy)!"));
    txtEntryDate2 = findChild<TextBox *>(QStringLiteral("txtEntryDate2"));
    addField(txtEntryDate);

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    // Rows of three: the date first, then the values row by row.
    QVector<std::pair<QLabel *, QWidget *>> cells;
    cells.push_back({label(QCoreApplication::translate("frmJournal", "Date:"), txtEntryDate,
                           userDateFormatName()),
                     txtEntryDate});
    for (const JournalValue &v : journalValues()) {
        const FieldSpec &f = v.field;
        TextBox *box = boundText(f.box, f.name, f.length);
        const QString message = f.numericMessage();
        checkOnLeave(box, [box, message] { return numericOk(box, message); });
        addField(box);
        m_values.push_back(box);
        cells.push_back({label(f.label, box), box});
    }
    for (int i = 0; i < cells.size(); ++i) {
        const int row = i / 3, col = (i % 3) * 2;
        grid->addWidget(cells[i].first, row, col);
        grid->addWidget(cells[i].second, row, col + 1);
        cells[i].second->setMinimumWidth(110);
    }
    for (int c : {1, 3, 5})
        grid->setColumnStretch(c, 1);
    grid->setColumnMinimumWidth(2, 130);
    grid->setColumnMinimumWidth(4, 130);

    txtNotes = boundMemo(QStringLiteral("txtNotes"), QStringLiteral("Notes"));
    addField(txtNotes);
    cmdChart =
        button(QStringLiteral("cmdChart"), QCoreApplication::translate("frmJournal", "Chart"));
    connect(cmdChart, &QPushButton::clicked, this, &frmJournal::cmdChart_Click);

    QHBoxLayout *lower = notesBesideButtons(txtNotes, {cmdChart}, 96);

    auto *content = new QVBoxLayout;
    content->setSpacing(10);
    content->addLayout(grid);
    content->addLayout(lower, 1);
    finishLayout(content);

    // Tab order: the date, the values in order, the notes, then the buttons.
    QWidget *previous = txtEntryDate;
    for (TextBox *b : std::as_const(m_values)) {
        setTabOrder(previous, b);
        previous = b;
    }
    for (QWidget *w : {static_cast<QWidget *>(txtNotes), static_cast<QWidget *>(cmdChart),
                       static_cast<QWidget *>(cmdSave), static_cast<QWidget *>(cmdClose)}) {
        setTabOrder(previous, w);
        previous = w;
    }
    setFirstField(txtEntryDate);
    resize(780, 470);

    // Marks follow the text, whether typed or filled from a record.
    for (int i = 0; i < m_values.size(); ++i)
        connect(m_values[i], &QLineEdit::textChanged, this, [this, i] { markValue(i); });
    // The tank window announces the default tank when it closes, so a
    // changed tank type is read again here too.
    connect(&CorvModule::events(), &AppEvents::defaultTankChanged, this,
            &frmJournal::refreshRangeMarks);
    connect(&CorvModule::events(), &AppEvents::targetRangesChanged, this,
            &frmJournal::refreshRangeMarks);
    refreshRangeMarks();
}

void frmJournal::refreshRangeMarks() {
    m_ranges = TargetRanges::load();
    m_waterType = CorvModule::defaultTankType();
    for (int i = 0; i < m_values.size(); ++i)
        markValue(i);
}

void frmJournal::markValue(int index) {
    TextBox *box = m_values[index];
    const RangeCheck c =
        m_ranges.check(box->text(), journalValues()[index].field.name, m_waterType);
    // An empty palette hands the box back to the window's, so an unmarked
    // box follows a change of theme.
    QPalette pal;
    if (c.outside()) {
        pal = box->palette();
        pal.setColor(QPalette::Text, warningColour(pal));
    }
    box->setPalette(pal);
    box->setToolTip(c.toolTip);
}

TextBox *frmJournal::valueBox(const QString &boxName) const {
    for (TextBox *box : m_values)
        if (box->objectName() == boxName)
            return box;
    return nullptr;
}

QString frmJournal::recordSourceText() const {
    return sources::journal(CorvModule::CurrentTankID);
}

bool frmJournal::canOpen() {
    return requireDefaultTank();
}

void frmJournal::cmdChart_Click() {
    // The same chart window the main window opens; nothing is handed over.
    if (!mdiCorvella::chartWindow)
        return;
    if (QDialog *d = mdiCorvella::chartWindow(this)) {
        dialogs().execModal(*d);
        delete d;
    }
}

} // namespace corv
