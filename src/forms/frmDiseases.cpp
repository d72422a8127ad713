#include "frmDiseases.h"

#include "data/RecordSources.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace corv {

frmDiseases::frmDiseases()
    : RecordForm({FormKind::Diseases, QCoreApplication::translate("frmDiseases", "Common Diseases"),
                  QStringLiteral("DiseaseData")}) {
    setObjectName(QStringLiteral("frmDiseases"));
    DiseaseData = m_data;

    txtCommonName = boundText(QStringLiteral("txtCommonName"), QStringLiteral("CommonName"), 254);
    txtScientificName =
        boundText(QStringLiteral("txtScientificName"), QStringLiteral("ScientificName"), 254);
    txtSymptoms = boundMemo(QStringLiteral("txtSymptoms"), QStringLiteral("Symptoms"));
    txtTreatment = boundMemo(QStringLiteral("txtTreatment"), QStringLiteral("Treatment"));
    txtNotes = boundMemo(QStringLiteral("txtNotes"), QStringLiteral("Notes"));
    cmdIndex = indexButton();

    QHBoxLayout *sortRow =
        sortFrame({QCoreApplication::translate("frmDiseases", "Common Name"),
                   QCoreApplication::translate("frmDiseases", "Scientific Name")});
    sort1 = sortButton(1);
    sort2 = sortButton(2);

    // The names at the top; the three long texts one above the other, each
    // as wide as the window so that long paragraphs wrap rather than
    // scroll sideways; the buttons at the right.
    auto *names = new QGridLayout;
    names->setHorizontalSpacing(8);
    names->setVerticalSpacing(6);
    names->addWidget(
        label(QCoreApplication::translate("frmDiseases", "Common Name:"), txtCommonName), 0, 0);
    names->addWidget(txtCommonName, 0, 1);
    names->addWidget(
        label(QCoreApplication::translate("frmDiseases", "Scientific Name:"), txtScientificName), 1,
        0);
    names->addWidget(txtScientificName, 1, 1);
    names->setColumnStretch(1, 1);

    auto *texts = new QVBoxLayout;
    texts->setSpacing(2);
    auto addMemo = [&](const QString &text, MemoBox *box, int stretch) {
        auto *l = new QLabel(text, this);
        l->setBuddy(box);
        texts->addSpacing(4);
        texts->addWidget(l);
        texts->addWidget(box, stretch);
    };
    addMemo(QCoreApplication::translate("frmDiseases", "Symptoms:"), txtSymptoms, 3);
    addMemo(QCoreApplication::translate("frmDiseases", "Treatment:"), txtTreatment, 3);
    addMemo(QCoreApplication::translate("frmDiseases", "Notes:"), txtNotes, 2);

    auto *left = new QVBoxLayout;
    left->setSpacing(6);
    left->addLayout(names);
    left->addLayout(texts, 1);
    auto *body = new QHBoxLayout;
    body->setSpacing(14);
    body->addLayout(left, 1);
    body->addLayout(buttonColumn({cmdIndex}, 96));

    finishRows({sortRow, body});
    tabChain({txtCommonName, txtScientificName, txtSymptoms, txtTreatment, txtNotes, cmdIndex,
              cmdSave, cmdClose, sort1, sort2});
    addFields({txtCommonName, txtScientificName, txtSymptoms, txtTreatment, txtNotes});
    setFirstField(txtCommonName);
    resize(700, 520);
}

QString frmDiseases::recordSourceText() const {
    return sources::diseases(CurrentSort);
}

} // namespace corv
