#include "frmGlossary.h"

#include "data/RecordSources.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace corv {

frmGlossary::frmGlossary()
    : RecordForm({FormKind::Glossary,
                  QCoreApplication::translate("frmGlossary", "Aquarist Glossary"),
                  QStringLiteral("GlossaryData")}) {
    setObjectName(QStringLiteral("frmGlossary"));
    GlossaryData = m_data;

    txtTerm = boundText(QStringLiteral("txtTerm"), QStringLiteral("Term"), 254);
    txtDefinition = boundMemo(QStringLiteral("txtDefinition"), QStringLiteral("Definition"));
    cmdIndex = indexButton();

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    grid->addWidget(label(QCoreApplication::translate("frmGlossary", "Term:"), txtTerm), 0, 0);
    grid->addWidget(txtTerm, 0, 1);
    QLabel *definition =
        label(QCoreApplication::translate("frmGlossary", "Definition:"), txtDefinition);
    definition->setAlignment(Qt::AlignRight | Qt::AlignTop);
    grid->addWidget(definition, 1, 0);
    grid->addWidget(txtDefinition, 1, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(1, 1);

    auto *content = new QHBoxLayout;
    content->setSpacing(14);
    content->addLayout(grid, 1);
    content->addLayout(buttonColumn({cmdIndex}, 96));
    finishLayout(content);

    tabChain({txtTerm, txtDefinition, cmdIndex, cmdSave, cmdClose});
    addFields({txtTerm, txtDefinition});
    setFirstField(txtTerm);
}

QSize frmGlossary::sizeHint() const {
    // The frame in the main window opens at this size: room for a definition
    // of a few sentences without scrolling.
    return {600, 330};
}

QString frmGlossary::recordSourceText() const {
    return sources::glossary();
}

} // namespace corv
