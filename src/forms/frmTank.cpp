#include "frmTank.h"

#include "app/CorvModule.h"
#include "data/RecordSources.h"
#include "platform/Conversions.h"
#include "platform/Dialogs.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDate>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace corv {

namespace {

const QString NA = QStringLiteral("N/A");

} // namespace

frmTank::frmTank()
    : RecordForm({FormKind::Tank, QCoreApplication::translate("frmTank", "The Tank"),
                  QStringLiteral("TankData")}) {
    setObjectName(QStringLiteral("frmTank"));
    TankData = m_data;

    txtTankName = boundText(QStringLiteral("txtTankName"), QStringLiteral("TankName"), 254);
    txtTankName->setToolTip(QCoreApplication::translate("frmTank", "A Name for your Tank"));

    txtDateEstablished =
        dateBox(QStringLiteral("txtDateEstablished"), QStringLiteral("DateEstablished"),
                QCoreApplication::translate("frmTank", "Please enter a valid date (mm/dd/yyyy)!"));
    txtDateEstablished->setToolTip(
        QCoreApplication::translate("frmTank", "Date the tank was established."));
    txtDateEstablished2 = findChild<TextBox *>(QStringLiteral("txtDateEstablished2"));

    cboTankType = tankListCombo(this, QStringLiteral("cboTankType"), TankList::Type);
    cboTankShape = tankListCombo(this, QStringLiteral("cboTankShape"), TankList::Shape);
    cboUnitMeasure = tankListCombo(this, QStringLiteral("cboUnitMeasure"), TankList::Unit);
    // A choice of the user, even of the item already shown, runs the handler.
    connect(cboTankType, &QComboBox::activated, this, &frmTank::cboTankType_Click);
    connect(cboTankShape, &QComboBox::activated, this, &frmTank::cboTankShape_Click);
    connect(cboUnitMeasure, &QComboBox::activated, this, &frmTank::cboUnitMeasure_Click);

    txtHeight = boundText(QStringLiteral("txtHeight"), QStringLiteral("TankHeight"));
    txtHeight->setToolTip(QCoreApplication::translate("frmTank", "Tank height from top to base."));
    txtWidth = boundText(QStringLiteral("txtWidth"), QStringLiteral("TankWidth"));
    txtWidth->setToolTip(QCoreApplication::translate("frmTank", "Tank width from front to back."));
    txtLightDistance =
        boundText(QStringLiteral("txtLightDistance"), QStringLiteral("LightDistance"));
    txtLightDistance->setToolTip(
        QCoreApplication::translate("frmTank", "Distance of light source from top of substrate."));

    // Length and Radius are shown in unbound boxes, which copy every change
    // into their hidden bound twins; the one that does not apply to the
    // shape shows "N/A" and is stored as 0.
    txtLength = plainText(QStringLiteral("txtLength"));
    txtLength->setToolTip(QCoreApplication::translate("frmTank", "Tank length from side to side."));
    txtLength2 = hiddenBound(QStringLiteral("txtLength2"), QStringLiteral("TankLength"));
    txtRadius = plainText(QStringLiteral("txtRadius"));
    txtRadius->setToolTip(QCoreApplication::translate("frmTank", "Tank radius, distance around."));
    txtRadius2 = hiddenBound(QStringLiteral("txtRadius2"), QStringLiteral("TankRadius"));
    for (auto [box, twin] : {std::pair{txtLength, txtLength2}, std::pair{txtRadius, txtRadius2}}) {
        setTwin(box, twin);
        connect(box, &QLineEdit::textChanged, this, [this, box = box, twin = twin] {
            if (Loading)
                return;
            RecordChanged = true;
            twin->setText(box->text());
        });
    }

    txtEquipment = boundMemo(QStringLiteral("txtEquipment"), QStringLiteral("Equipment"));
    txtEquipment->setToolTip(QCoreApplication::translate("frmTank", "Equipment List"));
    txtNotes = boundMemo(QStringLiteral("txtNotes"), QStringLiteral("Notes"));
    txtNotes->setToolTip(QCoreApplication::translate("frmTank", "Equipment List"));

    txtTankType = hiddenBound(QStringLiteral("txtTankType"), QStringLiteral("TankType"));
    txtTankShape = hiddenBound(QStringLiteral("txtTankShape"), QStringLiteral("TankShape"));
    txtUnitMeasure = hiddenBound(QStringLiteral("txtUnitMeasure"), QStringLiteral("UnitMeasure"));
    for (TextBox *hidden : {txtTankType, txtTankShape, txtUnitMeasure})
        trackChanges(hidden);

    checkOnLeave(txtHeight, [this] {
        return numericCheck(txtHeight,
                            QCoreApplication::translate("frmTank", "Please enter a valid Height!"),
                            false);
    });
    checkOnLeave(txtWidth, [this] {
        return numericCheck(
            txtWidth, QCoreApplication::translate("frmTank", "Please enter a valid Width!"), false);
    });
    checkOnLeave(txtLightDistance, [this] {
        return numericCheck(
            txtLightDistance,
            QCoreApplication::translate("frmTank", "Please enter a valid Light Distance!"), false);
    });
    checkOnLeave(txtLength, [this] {
        return numericCheck(txtLength,
                            QCoreApplication::translate("frmTank", "Please enter a valid Length!"),
                            true);
    });
    checkOnLeave(txtRadius, [this] {
        return numericCheck(txtRadius,
                            QCoreApplication::translate("frmTank", "Please enter a valid Radius!"),
                            true);
    });

    cmdDefault = button(QStringLiteral("cmdDefault"),
                        QCoreApplication::translate("frmTank", "Set As Default"));
    connect(cmdDefault, &QPushButton::clicked, this, &frmTank::cmdDefault_Click);

    // Layout: the name across the top, then the description in two columns
    // filled top to bottom, left column first, in the order Tab visits
    // them: what the tank is on the left, its measures and their unit on
    // the right. The two lists stand side by side below, the buttons at the
    // right.
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    auto place = [&](int row, int col, const QString &text, QWidget *box, const QString &tip,
                     int span = 1) {
        grid->addWidget(label(text, box, tip), row, col);
        grid->addWidget(box, row, col + 1, 1, span);
    };
    place(0, 0, QCoreApplication::translate("frmTank", "Tank Name:"), txtTankName,
          txtTankName->toolTip(), 3);
    place(1, 0, QCoreApplication::translate("frmTank", "Date Established:"), txtDateEstablished,
          txtDateEstablished->toolTip());
    place(2, 0, QCoreApplication::translate("frmTank", "Type:"), cboTankType,
          cboTankType->toolTip());
    place(3, 0, QCoreApplication::translate("frmTank", "Shape:"), cboTankShape,
          cboTankShape->toolTip());
    place(4, 0, QCoreApplication::translate("frmTank", "Height:"), txtHeight, txtHeight->toolTip());
    place(1, 2, QCoreApplication::translate("frmTank", "Length:"), txtLength, txtLength->toolTip());
    place(2, 2, QCoreApplication::translate("frmTank", "Width:"), txtWidth, txtWidth->toolTip());
    place(3, 2, QCoreApplication::translate("frmTank", "Radius:"), txtRadius, txtRadius->toolTip());
    place(4, 2, QCoreApplication::translate("frmTank", "Light Distance:"), txtLightDistance,
          txtLightDistance->toolTip());
    place(5, 2, QCoreApplication::translate("frmTank", "Unit Measure:"), cboUnitMeasure,
          cboUnitMeasure->toolTip());
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setColumnMinimumWidth(2, 110);

    auto memoColumn = [this](const QString &text, MemoBox *box, const QString &tip) {
        auto *col = new QVBoxLayout;
        col->setSpacing(2);
        auto *l = new QLabel(text, this);
        l->setBuddy(box);
        l->setToolTip(tip);
        col->addWidget(l);
        col->addWidget(box, 1);
        return col;
    };
    auto *memos = new QHBoxLayout;
    memos->setSpacing(10);
    memos->addLayout(memoColumn(QCoreApplication::translate("frmTank", "Equipment:"), txtEquipment,
                                QCoreApplication::translate("frmTank", "Equipment List")),
                     1);
    memos->addLayout(memoColumn(QCoreApplication::translate("frmTank", "Notes:"), txtNotes,
                                QCoreApplication::translate("frmTank", "Other Notes")),
                     1);

    auto *left = new QVBoxLayout;
    left->setSpacing(10);
    left->addLayout(grid);
    left->addLayout(memos, 1);
    auto *content = new QHBoxLayout;
    content->setSpacing(14);
    content->addLayout(left, 1);
    content->addLayout(buttonColumn({cmdDefault}, 110));
    finishLayout(content);

    tabChain({txtTankName, txtDateEstablished, cboTankType, cboTankShape, txtHeight, txtLength,
              txtWidth, txtRadius, txtLightDistance, cboUnitMeasure, txtEquipment, txtNotes,
              cmdDefault, cmdSave, cmdClose});
    addFields({txtTankName, txtDateEstablished, cboTankType, cboTankShape, txtHeight, txtWidth,
               txtEquipment, txtNotes});
    setFirstField(txtTankName);
    resize(640, 440);
}

QString frmTank::recordSourceText() const {
    return sources::tanks();
}

void frmTank::Load_Records() {
    runRecordSource();
    TankCount = m_data->Recordset().RecordCount();
}

// --- the combos and the shape rule -------------------------------------------------

void frmTank::selectCombo(QComboBox *combo, int index, void (frmTank::*handler)()) {
    combo->blockSignals(true);
    combo->setCurrentIndex(index);
    combo->blockSignals(false);
    (this->*handler)();
}

void frmTank::selectCombosFromFields() {
    selectCombo(cboTankShape, tanktexts::indexOf(TankList::Shape, txtTankShape->text()),
                &frmTank::cboTankShape_Click);
    selectCombo(cboTankType, tanktexts::indexOf(TankList::Type, txtTankType->text()),
                &frmTank::cboTankType_Click);
    selectCombo(cboUnitMeasure, tanktexts::indexOf(TankList::Unit, txtUnitMeasure->text()),
                &frmTank::cboUnitMeasure_Click);
}

void frmTank::applyShape(int index) {
    if (tanktexts::isRound(index)) {
        txtTankShape->setText(tanktexts::textOf(TankList::Shape, index));
        txtLength->setText(NA);
        txtRadius->setText(txtRadius2->text());
        txtLength->setEnabled(false);
        txtRadius->setEnabled(!FieldsDisabled);
    } else {
        txtTankShape->setText(tanktexts::textOf(TankList::Shape, 0));
        txtLength->setText(txtLength2->text());
        txtRadius->setText(NA);
        txtLength->setEnabled(!FieldsDisabled);
        txtRadius->setEnabled(false);
    }
}

void frmTank::cboTankShape_Click() {
    if (Loading)
        return;
    RecordChanged = true;
    applyShape(cboTankShape->currentIndex());
    // The box that shows "N/A" copied it into its twin: what does not apply
    // to the shape is stored as 0. A box that showed "N/A" already copied
    // nothing, so an empty twin of the dimension that does not apply is set
    // too.
    const bool round = tanktexts::isRound(cboTankShape->currentIndex());
    if (txtRadius2->text() == NA || (!round && txtRadius2->text().isEmpty()))
        txtRadius2->setText(QStringLiteral("0"));
    if (txtLength2->text() == NA || (round && txtLength2->text().isEmpty()))
        txtLength2->setText(QStringLiteral("0"));
}

void frmTank::cboTankType_Click() {
    if (Loading)
        return;
    RecordChanged = true;
    txtTankType->setText(tanktexts::textOf(TankList::Type, cboTankType->currentIndex()));
}

void frmTank::cboUnitMeasure_Click() {
    if (Loading)
        return;
    RecordChanged = true;
    txtUnitMeasure->setText(tanktexts::textOf(TankList::Unit, cboUnitMeasure->currentIndex()));
}

bool frmTank::numericCheck(TextBox *box, const QString &message, bool mirror) {
    if (Loading)
        return true;
    RecordChanged = true;
    const QString text = box->text();
    if (mirror && text == NA)
        return true;
    if (!numericOk(box, message))
        return false;
    if (mirror && !text.isEmpty()) {
        TextBox *twin = box == txtLength ? txtLength2 : txtRadius2;
        twin->setText(text);
    }
    return true;
}

// --- showing and storing ------------------------------------------------------------

void frmTank::Fill_Fields() {
    if (TankCount == 0) {
        selectCombo(cboTankType, 0, &frmTank::cboTankType_Click);
        selectCombo(cboTankShape, 0, &frmTank::cboTankShape_Click);
        selectCombo(cboUnitMeasure, 0, &frmTank::cboUnitMeasure_Click);
        txtHeight->setText(QStringLiteral("0"));
        txtWidth->setText(QStringLiteral("0"));
        txtLength->setText(QStringLiteral("0"));
        txtRadius->setText(NA);
        txtDateEstablished->setText(userDateText(QDate::currentDate()));
    } else {
        selectCombosFromFields();
    }
    applyShape(cboTankShape->currentIndex());
    txtDateEstablished->setText(formatUserDate(txtDateEstablished2->text()));
    RecordChanged = false;
}

bool frmTank::Save_Record() {
    // The hidden fields follow the combos before the record is stored.
    cboTankShape_Click();
    cboUnitMeasure_Click();
    cboTankType_Click();
    // The dimension that does not apply to the shape is stored as 0, also
    // when its box showed "N/A" already and so copied nothing (a record
    // never edited by hand keeps whatever it was stored with otherwise).
    if (!Loading) {
        TextBox *unused =
            tanktexts::isRound(cboTankShape->currentIndex()) ? txtLength2 : txtRadius2;
        if (unused->text() != QLatin1String("0"))
            unused->setText(QStringLiteral("0"));
    }
    return RecordForm::Save_Record();
}

void frmTank::Reposition() {
    followPosition();
    txtDateEstablished->setText(formatUserDate(txtDateEstablished2->text()));
    // Selecting runs the handlers, which show "N/A" in the dimension that does
    // not apply and enable the one that does.
    selectCombosFromFields();
    setWaitCursor(false);
}

void frmTank::afterRecordAdded() {
    Fill_Fields();
    cboTankShape_Click();
    cboUnitMeasure_Click();
    cboTankType_Click();
    txtTankName->setFocus(Qt::OtherFocusReason);
    RecordAdded = true;
}

void frmTank::Enable_Fields() {
    RecordForm::Enable_Fields();
    if (cboTankShape->currentIndex() == 0)
        txtLength->setEnabled(true);
    else
        txtRadius->setEnabled(true);
}

void frmTank::Disable_Fields() {
    RecordForm::Disable_Fields();
    txtLength->setEnabled(false);
    txtRadius->setEnabled(false);
}

// --- the default tank ----------------------------------------------------------------

bool frmTank::makeDefault() {
    if (txtID->text().isEmpty())
        return false; // nothing stored to make the default
    // The caption follows, and the windows that show the tank's records
    // reload.
    CorvModule::setDefaultTank(txtID->text(), txtTankName->text());
    return true;
}

void frmTank::cmdDefault_Click() {
    if (!askYesNo(
            QCoreApplication::translate("frmTank", "Set the current tank as the default tank?"),
            QCoreApplication::translate("frmTank", "Default Tank")))
        return;
    if (!storeNamedTank())
        return;
    // The windows that follow the default tank read it from the file: the
    // edits of the tank on screen are stored first, so they read what the
    // user sees and the caption names a stored name.
    if ((RecordAdded || RecordChanged) && !Save_Record())
        return;
    makeDefault();
}

bool frmTank::storeNamedTank() {
    if (!txtID->text().isEmpty())
        return true;
    if (txtTankName->text().isEmpty()) {
        msgBox(QCoreApplication::translate("frmTank", "Please give this tank a Name!"),
               MsgButtons::Ok, MsgIcon::Exclamation,
               QCoreApplication::translate("frmTank", "No Tank Name"));
        txtTankName->setFocus(Qt::OtherFocusReason);
        return false;
    }
    return Save_Record();
}

void frmTank::cmdClose_Click() {
    if ((RecordAdded || RecordChanged) && !Save_Record())
        return; // the record could not be stored: the window stays open
    auto &rs = m_data->Recordset();
    if (CorvModule::CurrentTankID != CorvModule::NotSet) {
        // Read the default tank's name again: it may have been renamed or
        // deleted in this window.
        QString name;
        if (rs.AbsolutePosition() < 0) {
            mnuAdd_Click();
            Save_Record();
            rs.setAbsolutePosition(0);
        } else {
            m_data->setRecordSource(sources::tankName(CorvModule::CurrentTankID));
            m_data->Refresh();
            if (rs.RecordCount() != 0)
                name = rs.Fields(0);
        }
        // The caption follows; the other windows are not reloaded.
        CorvModule::setDefaultTankName(name);
    } else {
        // No default tank yet: the tank shown becomes it.
        if (!storeNamedTank())
            return;
        makeDefault();
    }
    savePosition();
    unloadNow();
}

} // namespace corv
