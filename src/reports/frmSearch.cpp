#include "frmSearch.h"

#include "SearchCriteria.h"
#include "platform/Conversions.h"

#include "app/CorvModule.h"
#include "app/Forms.h"
#include "forms/Controls.h"
#include "forms/RecordForm.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>
#include <algorithm>

namespace corv {

namespace {

// The record window SearchForm names, if it is open.
RecordForm *searchedWindow() {
    const WindowKind *kind = windowByMarker(CorvModule::SearchForm);
    return kind ? dynamic_cast<RecordForm *>(Forms::get(kind->kind)) : nullptr;
}

// Puts `dialog` beside the window it searches, so the record it finds stays
// in view: right of it, below, left or above, whichever fits on the screen
// first; over its lower right corner when none does.
void placeBeside(QWidget *dialog, QWidget *caller) {
    if (!caller)
        return;
    const QWidget *frame = positionFrame(caller);
    const QRect over(frame->mapToGlobal(QPoint(0, 0)), frame->size());
    const QScreen *screen = frame->screen();
    if (!screen)
        return;
    const QRect avail = screen->availableGeometry();
    // Room for the window manager's frame, which is not known before showing.
    const QSize size = dialog->size() + QSize(8, 34);
    const int gap = 4;
    const QPoint candidates[] = {
        {over.right() + gap, over.top()},
        {over.left(), over.bottom() + gap},
        {over.left() - gap - size.width(), over.top()},
        {over.left(), over.top() - gap - size.height()},
    };
    for (const QPoint &at : candidates) {
        if (avail.contains(QRect(at, size))) {
            dialog->move(at);
            return;
        }
    }
    QPoint at(over.right() - size.width(), over.bottom() - size.height());
    at.setX(std::clamp(at.x(), avail.left(), std::max(avail.left(), avail.right() - size.width())));
    at.setY(std::clamp(at.y(), avail.top(), std::max(avail.top(), avail.bottom() - size.height())));
    dialog->move(at);
}

} // namespace

frmSearch::frmSearch(QWidget *parent) : ModalWindow(parent) {
    setObjectName(QStringLiteral("frmSearch"));
    setWindowTitle(QCoreApplication::translate("frmSearch", "Search"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    auto makeBox = [this](const char *name) {
        auto *box = new TextBox(this);
        box->setObjectName(QString::fromLatin1(name));
        box->setMinimumWidth(220);
        highlightOnFocus(box);
        return box;
    };
    txtSearch1 = makeBox("txtSearch1");
    txtSearch2 = makeBox("txtSearch2");
    lblSearch1 = new QLabel(QCoreApplication::translate("frmSearch", "Search On:"), this);
    lblSearch1->setObjectName(QStringLiteral("lblSearch1"));
    lblSearch1->setBuddy(txtSearch1);
    lblSearch2 = new QLabel(QCoreApplication::translate("frmSearch", "Search On:"), this);
    lblSearch2->setObjectName(QStringLiteral("lblSearch2"));
    lblSearch2->setBuddy(txtSearch2);

    chkExactText =
        new QCheckBox(QCoreApplication::translate("frmSearch", "Find Exact Text?"), this);
    chkExactText->setObjectName(QStringLiteral("chkExactText"));
    chkExactText->setToolTip(
        QCoreApplication::translate("frmSearch", "For faster searches, use exact text."));
    connect(chkExactText, &QCheckBox::clicked, this, &frmSearch::chkExactText_Click);

    auto makeButton = [this](const char *name, const QString &caption) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setMinimumWidth(88);
        return b;
    };
    cmdSearch = makeButton("cmdSearch", QCoreApplication::translate("frmSearch", "Find First"));
    cmdNext = makeButton("cmdNext", QCoreApplication::translate("frmSearch", "Next"));
    cmdClose = makeButton("cmdClose", QCoreApplication::translate("frmSearch", "Close"));
    // Enter in a box runs Find First; Escape closes the window.
    cmdSearch->setDefault(true);
    connect(cmdSearch, &QPushButton::clicked, this, &frmSearch::cmdSearch_Click);
    connect(cmdNext, &QPushButton::clicked, this, &frmSearch::cmdNext_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmSearch::cmdClose_Click);

    auto *fields = new QGridLayout;
    fields->setHorizontalSpacing(8);
    fields->setVerticalSpacing(8);
    fields->addWidget(lblSearch1, 0, 0);
    fields->addWidget(txtSearch1, 0, 1);
    fields->addWidget(lblSearch2, 1, 0);
    fields->addWidget(txtSearch2, 1, 1);
    fields->addWidget(chkExactText, 2, 1);
    fields->setColumnStretch(1, 1);
    fields->setRowStretch(3, 1);

    auto *buttons = new QVBoxLayout;
    buttons->setSpacing(6);
    buttons->addWidget(cmdSearch);
    buttons->addWidget(cmdNext);
    buttons->addWidget(cmdClose);
    buttons->addStretch(1);

    auto *all = new QHBoxLayout(this);
    all->setContentsMargins(12, 12, 12, 12);
    all->setSpacing(16);
    all->addLayout(fields, 1);
    all->addLayout(buttons);

    setTabOrder(txtSearch1, txtSearch2);
    setTabOrder(txtSearch2, chkExactText);
    setTabOrder(chkExactText, cmdSearch);
    setTabOrder(cmdSearch, cmdNext);
    setTabOrder(cmdNext, cmdClose);
}

bool frmSearch::Form_Load() {
    txtSearch1->clear();
    txtSearch2->clear();
    CorvModule::ExactText = false;
    chkExactText->setChecked(false);
    if (const SearchFields *row = searchFieldsFor(CorvModule::SearchForm)) {
        lblSearch1->setText(windowText(row->label1));
        const bool second = row->label2 != nullptr;
        if (second)
            lblSearch2->setText(windowText(row->label2));
        lblSearch2->setVisible(second);
        txtSearch2->setVisible(second);
    }
    adjustSize();
    setFixedSize(sizeHint());
    placeBeside(this, parentWidget());
    return true;
}

void frmSearch::showEvent(QShowEvent *event) {
    ModalWindow::showEvent(event);
    // The window opens ready for typing the first text.
    if (!event->spontaneous())
        txtSearch1->setFocus(Qt::ActiveWindowFocusReason);
}

void frmSearch::chkExactText_Click() {
    CorvModule::ExactText = !CorvModule::ExactText;
}

void frmSearch::cmdClose_Click() {
    done(Rejected);
}

void frmSearch::find(bool first) {
    CorvModule::SearchText1 = txtSearch1->text();
    CorvModule::SearchText2 = txtSearch2->text();
    // A date typed the user's way (31.12.2026) is sought as the records
    // show dates to the search, in the fixed form.
    const SearchFields *fields = searchFieldsFor(CorvModule::SearchForm);
    auto sought = [](const QString &text, const char *field) {
        if (userFormIsFixed() || !field || !QByteArray(field).contains("Date"))
            return text;
        const auto d = toUserDate(text);
        return d ? dateText(*d) : text;
    };
    const auto criteria = searchCriteria(
        CorvModule::SearchForm, sought(CorvModule::SearchText1, fields ? fields->field1 : nullptr),
        sought(CorvModule::SearchText2, fields ? fields->field2 : nullptr), CorvModule::ExactText);
    if (!criteria)
        return;
    CorvModule::SearchCriteria = *criteria;
    RecordForm *window = searchedWindow();
    if (!window)
        return;
    // No match is not reported: the window stays on the record it showed.
    DataRecordset &rs = window->data()->Recordset();
    if (first)
        rs.FindFirst(CorvModule::SearchCriteria);
    else
        rs.FindNext(CorvModule::SearchCriteria);
    window->update();
}

void frmSearch::Form_Unload() {
    CorvModule::SearchForm.clear();
    CorvModule::SearchText1.clear();
    CorvModule::SearchText2.clear();
    txtSearch1->clear();
    txtSearch2->clear();
    ModalWindow::Form_Unload();
}

} // namespace corv
