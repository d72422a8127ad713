#include "frmTankCalc.h"

#include "TankCalcMath.h"
#include "app/CorvModule.h"
#include "app/mdiCorvella.h"
#include "data/RecordSources.h"
#include "forms/DataControl.h"
#include "forms/WindowSupport.h"
#include "frmTempConv.h"
#include "platform/Conversions.h"
#include "platform/Dialogs.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace corv {

namespace {

const QString NA = QStringLiteral("N/A");

} // namespace

frmTankCalc::frmTankCalc() : ChildWindow(FormKind::TankCalc) {
    setObjectName(QStringLiteral("frmTankCalc"));
    setWindowTitle(QCoreApplication::translate("frmTankCalc", "Tank Calculator"));

    CalcData = new DataControl(this);
    CalcData->setObjectName(QStringLiteral("CalcData"));
    CalcData->setVisible(false);
    // No record of this source is ever edited here; its messages are the
    // window's to give.
    CalcData->onError = [](const DbError &, int &response) { response = 0; };

    auto mirror = [this](const char *name, const char *field) {
        auto *box = new QLineEdit(this);
        box->setObjectName(QString::fromLatin1(name));
        box->setVisible(false);
        CalcData->bind(box, QString::fromLatin1(field));
        return box;
    };
    txtShape = mirror("txtShape", "TankShape");
    txtType = mirror("txtType", "TankType");
    txtMeasure = mirror("txtMeasure", "UnitMeasure");
    txtHeight2 = mirror("txtHeight2", "TankHeight");
    txtLength2 = mirror("txtLength2", "TankLength");
    txtWidth2 = mirror("txtWidth2", "TankWidth");
    txtRadius2 = mirror("txtRadius2", "TankRadius");
    txtLight2 = mirror("txtLight2", "LightDistance");

    cboShape = tankListCombo(this, QStringLiteral("cboShape"), TankList::Shape);
    cboType = tankListCombo(this, QStringLiteral("cboType"), TankList::Type);
    cboMeasure = tankListCombo(this, QStringLiteral("cboMeasure"), TankList::Unit);
    cboVolume = new QComboBox(this);
    cboVolume->setObjectName(QStringLiteral("cboVolume"));
    cboVolume->addItems({QCoreApplication::translate("frmTankCalc", "US Gallons"),
                         QCoreApplication::translate("frmTankCalc", "Liters")});
    cboVolume->setToolTip(QCoreApplication::translate("frmTankCalc", "US Gallons or Liters"));
    // The rule runs when the shape selection changes; choosing the shape that
    // is already selected keeps the dimensions typed.
    connect(cboShape, &QComboBox::currentIndexChanged, this, &frmTankCalc::cboShape_Click);

    auto input = [this](const char *name, const QString &tip) {
        auto *box = new TextBox(this);
        box->setObjectName(QString::fromLatin1(name));
        box->setToolTip(tip);
        highlightOnFocus(box);
        // Enter calculates, from any input.
        connect(box, &QLineEdit::returnPressed, this, &frmTankCalc::cmdCalculate_Click);
        return box;
    };
    txtHeight = input("txtHeight",
                      QCoreApplication::translate("frmTankCalc", "Tank height from top to base."));
    txtLength = input("txtLength",
                      QCoreApplication::translate("frmTankCalc", "Tank length from side to side."));
    txtRadius = input("txtRadius",
                      QCoreApplication::translate("frmTankCalc", "Tank radius, distance around."));
    txtWidth = input("txtWidth",
                     QCoreApplication::translate("frmTankCalc", "Tank width from front to back."));
    txtLight =
        input("txtLight", QCoreApplication::translate(
                              "frmTankCalc", "Distance of light source from top of substrate."));
    txtPercentSFish =
        input("txtPercentSFish",
              QCoreApplication::translate("frmTankCalc", "Percent small fish. (out of 100)"));
    txtPercentMFish =
        input("txtPercentMFish",
              QCoreApplication::translate("frmTankCalc", "Percent medium fish. (out of 100)"));
    txtPercentLFish =
        input("txtPercentLFish",
              QCoreApplication::translate("frmTankCalc", "Percent Large fish. (out of 100)"));

    auto result = [this](const char *name, const QString &tip) {
        auto *box = new QLineEdit(this);
        box->setObjectName(QString::fromLatin1(name));
        box->setToolTip(tip);
        box->setReadOnly(true);
        box->setFocusPolicy(Qt::ClickFocus);
        box->setAlignment(Qt::AlignRight);
        // Wide enough for the longest result there is: a number in
        // scientific form with fifteen digits, and a unit.
        int widest = 0;
        for (const char *unit :
             {"\u00B2 Inches", "\u00B2 Cent.", " US Gal.", " Liters", " lbs.", " kgs.", " watts"})
            widest = std::max(
                widest, box->fontMetrics().horizontalAdvance(
                            QStringLiteral("-8.88888888888888E+888") + QString::fromUtf8(unit)));
        box->setMinimumWidth(widest + 16);
        return box;
    };
    txtArea =
        result("txtArea", QCoreApplication::translate("frmTankCalc", "Amount of surface area."));
    txtVolume = result("txtVolume", QCoreApplication::translate("frmTankCalc", "Volume of water."));
    txtWeight = result("txtWeight", QCoreApplication::translate("frmTankCalc", "Weight of water."));
    txtHeat = result(
        "txtHeat", QCoreApplication::translate("frmTankCalc", "Watts of heat required for tank."));
    txtLow = result("txtLow",
                    QCoreApplication::translate(
                        "frmTankCalc", "Watts of light required for low light plants and corals."));
    txtMedium =
        result("txtMedium",
               QCoreApplication::translate(
                   "frmTankCalc", "Watts of light required for medium light plants and corals."));
    txtBrite =
        result("txtBrite",
               QCoreApplication::translate(
                   "frmTankCalc", "Watts of light required for bright light plants and corals."));
    txtSFish =
        result("txtSFish", QCoreApplication::translate("frmTankCalc", "Number of small fish."));
    txtMFish =
        result("txtMFish", QCoreApplication::translate("frmTankCalc", "Number of medium fish."));
    txtLFish =
        result("txtLFish", QCoreApplication::translate("frmTankCalc", "Number of large fish."));

    cmdCalculate = new QPushButton(QCoreApplication::translate("frmTankCalc", "Calculate"), this);
    cmdReset = new QPushButton(QCoreApplication::translate("frmTankCalc", "Reset"), this);
    cmdTemp = new QPushButton(QCoreApplication::translate("frmTankCalc", "Temp Converter"), this);
    cmdClose = new QPushButton(QCoreApplication::translate("frmTankCalc", "Close"), this);
    cmdCalculate->setObjectName(QStringLiteral("cmdCalculate"));
    cmdReset->setObjectName(QStringLiteral("cmdReset"));
    cmdTemp->setObjectName(QStringLiteral("cmdTemp"));
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    connect(cmdCalculate, &QPushButton::clicked, this, &frmTankCalc::cmdCalculate_Click);
    connect(cmdReset, &QPushButton::clicked, this, &frmTankCalc::cmdReset_Click);
    connect(cmdTemp, &QPushButton::clicked, this, &frmTankCalc::cmdTemp_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmTankCalc::cmdClose_Click);

    // Inputs at the left, estimates at the right.
    auto form = [](QGroupBox *group) {
        auto *f = new QFormLayout(group);
        f->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
        f->setHorizontalSpacing(8);
        f->setVerticalSpacing(5);
        return f;
    };
    auto row = [this](QFormLayout *f, const QString &text, QWidget *w) {
        auto *l = new QLabel(text, this);
        l->setBuddy(w);
        l->setToolTip(w->toolTip());
        f->addRow(l, w);
    };
    auto *inputs = new QGroupBox(QCoreApplication::translate("frmTankCalc", "Tank"), this);
    QFormLayout *in = form(inputs);
    row(in, QCoreApplication::translate("frmTankCalc", "Tank Shape:"), cboShape);
    row(in, QCoreApplication::translate("frmTankCalc", "Tank Type:"), cboType);
    row(in, QCoreApplication::translate("frmTankCalc", "Unit Measure:"), cboMeasure);
    row(in, QCoreApplication::translate("frmTankCalc", "Unit Volume:"), cboVolume);
    row(in, QCoreApplication::translate("frmTankCalc", "Height:"), txtHeight);
    row(in, QCoreApplication::translate("frmTankCalc", "Length:"), txtLength);
    row(in, QCoreApplication::translate("frmTankCalc", "Radius:"), txtRadius);
    row(in, QCoreApplication::translate("frmTankCalc", "Width:"), txtWidth);
    row(in, QCoreApplication::translate("frmTankCalc", "Light Distance:"), txtLight);
    row(in, QCoreApplication::translate("frmTankCalc", "% Small Fish:"), txtPercentSFish);
    row(in, QCoreApplication::translate("frmTankCalc", "% Medium Fish:"), txtPercentMFish);
    row(in, QCoreApplication::translate("frmTankCalc", "% Large Fish:"), txtPercentLFish);

    auto *outputs = new QGroupBox(QCoreApplication::translate("frmTankCalc", "Estimates"), this);
    QFormLayout *out = form(outputs);
    row(out, QCoreApplication::translate("frmTankCalc", "Surface Area:"), txtArea);
    row(out, QCoreApplication::translate("frmTankCalc", "Volume of Water:"), txtVolume);
    row(out, QCoreApplication::translate("frmTankCalc", "Weight of Water:"), txtWeight);
    row(out, QCoreApplication::translate("frmTankCalc", "Heat Requirements:"), txtHeat);
    row(out, QCoreApplication::translate("frmTankCalc", "Low Light Requirements:"), txtLow);
    row(out, QCoreApplication::translate("frmTankCalc", "Medium Light Requirements:"), txtMedium);
    row(out, QCoreApplication::translate("frmTankCalc", "Bright Light Requirements:"), txtBrite);
    row(out, QCoreApplication::translate("frmTankCalc", "Number Small Fish:"), txtSFish);
    row(out, QCoreApplication::translate("frmTankCalc", "Number Medium Fish:"), txtMFish);
    row(out, QCoreApplication::translate("frmTankCalc", "Number Large Fish:"), txtLFish);

    lblEstimates =
        new QLabel(QCoreApplication::translate(
                       "frmTankCalc",
                       "* Calculations are only estimates. Actual figures may vary dramatically "
                       "depending on tank contents, population, filtration, feeding, water changes "
                       "and many other factors."),
                   this);
    lblEstimates->setObjectName(QStringLiteral("lblEstimates"));
    lblEstimates->setWordWrap(true);
    lblFishSizes =
        new QLabel(QCoreApplication::translate(
                       "frmTankCalc", "Small Fish - (1 inch / 2.5 Cent.) Medium - (4 inches "
                                      "/ 10 Cent.) Large - (8 inches / 20 Cent.)"),
                   this);
    lblFishSizes->setObjectName(QStringLiteral("lblFishSizes"));
    lblFishSizes->setWordWrap(true);

    auto *sides = new QHBoxLayout;
    sides->setSpacing(12);
    sides->addWidget(inputs, 1);
    sides->addWidget(outputs, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton *b : {cmdCalculate, cmdReset, cmdTemp, cmdClose}) {
        b->setMinimumWidth(100);
        buttons->addWidget(b);
    }
    // Enter in a list calculates, as it does in the boxes.
    for (QComboBox *c : {cboShape, cboType, cboMeasure, cboVolume})
        c->installEventFilter(this);
    auto *all = new QVBoxLayout(this);
    all->setContentsMargins(10, 10, 10, 10);
    all->setSpacing(8);
    all->addLayout(sides);
    all->addWidget(lblFishSizes);
    all->addWidget(lblEstimates);
    all->addStretch(1);
    all->addLayout(buttons);
    all->addWidget(CalcData);

    QWidget *order[] = {cboShape,     cboType,         cboMeasure,      cboVolume,
                        txtHeight,    txtLength,       txtRadius,       txtWidth,
                        txtLight,     txtPercentSFish, txtPercentMFish, txtPercentLFish,
                        cmdCalculate, cmdReset,        cmdTemp,         cmdClose};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    resize(680, 470);
}

bool frmTankCalc::Form_Load() {
    restorePosition();
    markActive();
    CalcData->setDatabaseName(CorvModule::DatabasePath);
    if (!runGuarded(*CalcData, [this] { LoadTankRecord(); }))
        return false;
    ResetCalculator();
    return true;
}

void frmTankCalc::LoadTankRecord() {
    // Without a default tank there is nothing to look up: the calculator
    // starts from its defaults, as for a tank that is not found.
    if (!isWholeNumber(CorvModule::CurrentTankID)) {
        CalcData->DatabaseClose();
        TankFound = 0;
        for (QLineEdit *m : {txtShape, txtType, txtMeasure, txtHeight2, txtLength2, txtWidth2,
                             txtRadius2, txtLight2})
            m->clear();
    } else {
        CalcData->setRecordSource(sources::tank(CorvModule::CurrentTankID));
        CalcData->Refresh();
        TankFound = CalcData->Recordset().RecordCount();
    }
    ResetCalculator();
}

void frmTankCalc::selectShape(int index) {
    cboShape->blockSignals(true);
    cboShape->setCurrentIndex(index);
    cboShape->blockSignals(false);
    cboShape_Click();
}

void frmTankCalc::cboShape_Click() {
    if (tanktexts::isRound(cboShape->currentIndex())) {
        txtLength->setText(NA);
        txtLength->setEnabled(false);
        txtRadius->setText(QStringLiteral("0"));
        txtRadius->setEnabled(true);
    } else {
        txtLength->setText(QStringLiteral("0"));
        txtLength->setEnabled(true);
        txtRadius->setText(NA);
        txtRadius->setEnabled(false);
    }
}

void frmTankCalc::ResetCalculator() {
    if (TankFound == 1) {
        // A type that is none of the list's leaves the type selected as it is.
        if (const int type = tanktexts::find(TankList::Type, txtType->text()); type >= 0)
            cboType->setCurrentIndex(type);
        const int shape = tanktexts::indexOf(TankList::Shape, txtShape->text());
        if (tanktexts::isRound(shape)) {
            selectShape(shape);
            txtLength->setText(NA);
            txtRadius->setText(txtRadius2->text());
        } else {
            selectShape(0);
            txtRadius->setText(NA);
            txtLength->setText(txtLength2->text());
        }
        txtHeight->setText(txtHeight2->text());
        txtWidth->setText(txtWidth2->text());
        cboMeasure->setCurrentIndex(tanktexts::indexOf(TankList::Unit, txtMeasure->text()));
        txtLight->setText(txtLight2->text());
    } else {
        cboType->setCurrentIndex(0);
        selectShape(0);
        txtHeight->clear();
        txtWidth->clear();
        txtLength->clear();
        txtRadius->setText(NA);
        cboMeasure->setCurrentIndex(0);
        txtLight->setText(QStringLiteral("0"));
    }
    cboVolume->setCurrentIndex(0);
    for (TextBox *p : {txtPercentSFish, txtPercentMFish, txtPercentLFish})
        p->setText(userNumberText(QStringLiteral("33.3")));
    for (QLineEdit *r : resultBoxes())
        r->clear();
}

void frmTankCalc::cmdCalculate_Click() {
    tankcalc::Inputs in;
    in.shape = cboShape->currentIndex();
    in.type = cboType->currentIndex();
    in.measure = cboMeasure->currentIndex();
    in.volume = cboVolume->currentIndex();
    // The sums read and write the fixed form; the boxes the user's.
    in.height = fixedNumberText(txtHeight->text());
    in.length = fixedNumberText(txtLength->text());
    in.radius = fixedNumberText(txtRadius->text());
    in.width = fixedNumberText(txtWidth->text());
    in.light = fixedNumberText(txtLight->text());
    in.percentSmall = fixedNumberText(txtPercentSFish->text());
    in.percentMedium = fixedNumberText(txtPercentMFish->text());
    in.percentLarge = fixedNumberText(txtPercentLFish->text());
    const tankcalc::Outcome out = tankcalc::calculate(in);

    txtPercentSFish->setText(userNumberText(out.percentSmall));
    txtPercentMFish->setText(userNumberText(out.percentMedium));
    txtPercentLFish->setText(userNumberText(out.percentLarge));
    if (!out.warning.isEmpty())
        msgBox(out.warning);
    if (!out.calculated) {
        if (!out.message.isEmpty())
            msgBox(out.message);
        QWidget *focus = nullptr;
        switch (out.focus) {
        case tankcalc::Field::Height:
            focus = txtHeight;
            break;
        case tankcalc::Field::Length:
            focus = txtLength;
            break;
        case tankcalc::Field::Width:
            focus = txtWidth;
            break;
        case tankcalc::Field::Light:
            focus = txtLight;
            break;
        case tankcalc::Field::PercentSmall:
            focus = txtPercentSFish;
            break;
        case tankcalc::Field::PercentMedium:
            focus = txtPercentMFish;
            break;
        case tankcalc::Field::PercentLarge:
            focus = txtPercentLFish;
            break;
        case tankcalc::Field::Radius:
        case tankcalc::Field::None:
            break;
        }
        if (focus)
            focus->setFocus(Qt::OtherFocusReason);
        // The results of an earlier run are not these inputs' results.
        for (QLineEdit *box : resultBoxes())
            box->clear();
        return;
    }
    const tankcalc::Results &r = out.results;
    txtArea->setText(r.area);
    txtVolume->setText(r.volume);
    txtWeight->setText(r.weight);
    txtHeat->setText(r.heat);
    txtLow->setText(r.low);
    txtMedium->setText(r.medium);
    txtBrite->setText(r.bright);
    txtSFish->setText(r.smallFish);
    txtMFish->setText(r.mediumFish);
    txtLFish->setText(r.largeFish);
    // A result longer than its box shows its start, where the number is.
    for (QLineEdit *box : resultBoxes())
        box->setCursorPosition(0);
}

QVector<QLineEdit *> frmTankCalc::resultBoxes() const {
    return {txtArea,   txtVolume, txtWeight, txtHeat,  txtLow,
            txtMedium, txtBrite,  txtSFish,  txtMFish, txtLFish};
}

bool frmTankCalc::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::KeyPress && qobject_cast<QComboBox *>(watched)) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            cmdCalculate_Click();
            return true;
        }
    }
    return ChildWindow::eventFilter(watched, event);
}

void frmTankCalc::cmdTemp_Click() {
    frmTempConv converter(this);
    dialogs().execModal(converter);
    // The calculator takes the focus back.
    activateWindow();
    if (QWidget *frame = positionFrame(this); frame != this)
        if (mdiCorvella *m = mdiCorvella::instance())
            m->mdiArea->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(frame));
    cmdTemp->setFocus(Qt::OtherFocusReason);
}

void frmTankCalc::unloadSteps() {
    CalcData->DatabaseClose();
}

} // namespace corv
