#include "frmImageSize.h"

#include "ChartImage.h"
#include "forms/Controls.h"
#include "platform/Dialogs.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace corv {

frmImageSize::frmImageSize(const QSize &offered, QWidget *parent) : ModalWindow(parent) {
    setObjectName(QStringLiteral("frmImageSize"));
    setWindowTitle(chartImageText::SizeTitle);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    // It opens over the chart window, whose status line stays.
    idleLineOnUnload = false;

    txtWidth = new TextBox(this);
    txtWidth->setObjectName(QStringLiteral("txtWidth"));
    txtHeight = new TextBox(this);
    txtHeight->setObjectName(QStringLiteral("txtHeight"));
    const QSize start = offered.expandedTo(QSize(MinImageSide, MinImageSide))
                            .boundedTo(QSize(MaxImageSide, MaxImageSide));
    txtWidth->setText(QString::number(start.width()));
    txtHeight->setText(QString::number(start.height()));
    auto *grid = new QGridLayout;
    int row = 0;
    for (auto [caption, box] :
         {std::pair{QCoreApplication::translate("frmImageSize", "&Width:"), txtWidth},
          std::pair{QCoreApplication::translate("frmImageSize", "&Height:"), txtHeight}}) {
        auto *l = new QLabel(caption, this);
        l->setBuddy(box);
        box->setInputLimit(6);
        box->setMaximumWidth(90);
        highlightOnFocus(box);
        grid->addWidget(l, row, 0);
        grid->addWidget(box, row, 1);
        grid->addWidget(new QLabel(QCoreApplication::translate("frmImageSize", "pixels"), this),
                        row, 2);
        ++row;
    }
    grid->setColumnStretch(3, 1);

    lblHint = new QLabel(QCoreApplication::translate(
                             "frmImageSize", "From %1 to %2 pixels each. The chart on screen is "
                                             "%3 x %4 pixels.")
                             .arg(MinImageSide)
                             .arg(MaxImageSide)
                             .arg(offered.width())
                             .arg(offered.height()),
                         this);
    lblHint->setObjectName(QStringLiteral("lblHint"));
    lblHint->setWordWrap(true);

    cmdOK = new QPushButton(QCoreApplication::translate("frmImageSize", "OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QCoreApplication::translate("frmImageSize", "Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setAutoDefault(false);
    connect(cmdOK, &QPushButton::clicked, this, &frmImageSize::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto *all = new QVBoxLayout(this);
    all->addLayout(grid);
    all->addWidget(lblHint);
    all->addLayout(buttons);
    setMinimumWidth(320);
    makeFixedSize();
}

void frmImageSize::cmdOK_Click() {
    for (auto [box, message] : {std::pair{txtWidth, chartImageText::BadWidth},
                                std::pair{txtHeight, chartImageText::BadHeight}}) {
        if (imageSide(box->text()))
            continue;
        msgBox(message, MsgButtons::Ok, MsgIcon::Exclamation, chartImageText::NumericErrorTitle);
        // Back to the box, its text kept and selected for typing over.
        box->setFocus(Qt::OtherFocusReason);
        box->selectAll();
        return;
    }
    m_chosen = QSize(*imageSide(txtWidth->text()), *imageSide(txtHeight->text()));
    accept();
}

} // namespace corv
