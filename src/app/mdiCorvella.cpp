#include "mdiCorvella.h"

#include "Artwork.h"
#include "CorvModule.h"
#include "HelpBrowser.h"
#include "Settings.h"
#include "TransferCommands.h"
#include "WindowPlacement.h"
#include "frmAbout.h"
#include "frmTargetRanges.h"
#include "platform/Dialogs.h"
#include "platform/KeyboardState.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>
#include <QTime>
#include <QTimer>
#include <QToolBar>

namespace corv {

std::function<QDialog *(QWidget *)> mdiCorvella::chartWindow;
std::function<QDialog *(QWidget *)> mdiCorvella::printWindow;

namespace {

mdiCorvella *theMainWindow = nullptr;

// The window kinds' commands stand in groups (the table's places); the
// chart stands with the last of them, the tools, in the menu and on the
// toolbar.
constexpr int toolsGroup = 2;

// The toolbar's buttons after the windows' and the chart's: key and image,
// nullptr for a separator.
struct ToolButton {
    const char *key;
    const char *image;
};
const ToolButton commandButtons[] = {
    {nullptr, nullptr}, {"Backup", "backup"}, {"Restore", "restore"}, {nullptr, nullptr},
    {"Print", "print"}, {nullptr, nullptr},   {"Add", "add"},         {"Delete", "delete"},
    {nullptr, nullptr}, {"Search", "search"}, {nullptr, nullptr},     {"About", "about"},
    {nullptr, nullptr}, {"Exit", "exit"},
};

QString helpViewerProgram() {
#ifdef Q_OS_WIN
    return CorvModule::programFile(QStringLiteral("corvella-help.exe"));
#else
    return CorvModule::programFile(QStringLiteral("corvella-help"));
#endif
}

} // namespace

mdiCorvella *mdiCorvella::instance() {
    return theMainWindow;
}

mdiCorvella::mdiCorvella(QWidget *parent) : QMainWindow(parent) {
    theMainWindow = this;
    setObjectName(QStringLiteral("mdiCorvella"));
    setWindowTitle(QStringLiteral("Corvella"));
    setWindowIcon(Artwork::appIcon());
    mdiArea = new QMdiArea(this);
    mdiArea->setObjectName(QStringLiteral("mdiArea"));
    // Deep water behind the windows; deeper on a dark desktop.
    mdiArea->setBackground(Artwork::isDark(palette()) ? QColor(0x23, 0x36, 0x42)
                                                      : QColor(0x5b, 0x7f, 0x95));
    setCentralWidget(mdiArea);
    connect(mdiArea, &QMdiArea::subWindowActivated, this, &mdiCorvella::childActivated);
    connect(&CorvModule::events(), &AppEvents::defaultTankChanged, this,
            &mdiCorvella::defaultTankChanged);
    buildMenus();
    buildToolbar();
    buildStatusBar();
    // Ctrl+Tab and Ctrl+Shift+Tab go from child window to child window,
    // wherever the focus is in them.
    auto *next = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), this);
    connect(next, &QShortcut::activated, mdiArea, &QMdiArea::activateNextSubWindow);
    for (const QKeySequence &keys : {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
                                     QKeySequence(Qt::CTRL | Qt::Key_Backtab)}) {
        auto *previous = new QShortcut(keys, this);
        connect(previous, &QShortcut::activated, mdiArea, &QMdiArea::activatePreviousSubWindow);
    }
    fitToScreen();
    MDIForm_Load();
}

void mdiCorvella::fitToScreen() {
    const QScreen *s = screen();
    if (!s)
        return;
    // Until the window system has framed the window its frame is not known:
    // a title bar's height and thin borders are reckoned with.
    QMargins frame(geometry().left() - frameGeometry().left(),
                   geometry().top() - frameGeometry().top(),
                   frameGeometry().right() - geometry().right(),
                   frameGeometry().bottom() - geometry().bottom());
    if (frame.isNull() && !isVisible()) {
        const int title = style()->pixelMetric(QStyle::PM_TitleBarHeight) + 8;
        frame = QMargins(4, title, 4, 4);
    }
    setGeometry(placement::fitOnScreen(DesignSize, s->availableGeometry(), frame));
}

mdiCorvella::~mdiCorvella() {
    // The child windows go first, while this is still a whole main window,
    // and with nothing of it listening: the area announces the activation of
    // each next child as the one before goes.
    disconnect(mdiArea, nullptr, this, nullptr);
    if (theMainWindow == this)
        theMainWindow = nullptr;
    const QList<QMdiSubWindow *> children = mdiArea->subWindowList();
    for (QMdiSubWindow *w : children)
        delete w;
}

QAction *mdiCorvella::menuItem(QMenu *menu, const char *name, const QString &caption,
                               void (mdiCorvella::*handler)(), const QKeySequence &shortcut) {
    QAction *a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    if (!shortcut.isEmpty())
        a->setShortcut(shortcut);
    connect(a, &QAction::triggered, this, [this, a, handler] {
        // A checkable item flips its own mark before it reports the click;
        // the handlers set the mark themselves, from the state they change.
        if (a->isCheckable())
            a->setChecked(!a->isChecked());
        (this->*handler)();
    });
    return a;
}

QAction *mdiCorvella::separator(QMenu *menu, const char *name) {
    QAction *s = menu->addSeparator();
    s->setObjectName(QString::fromLatin1(name));
    return s;
}

void mdiCorvella::buildMenus() {
    QMenuBar *bar = menuBar();
    mnuOptions = bar->addMenu(QStringLiteral("&Options"));
    mnuOptions->setObjectName(QStringLiteral("mnuOptions"));
    // The windows' items, a separator between groups; the chart and the
    // target ranges close the tools group.
    const QVector<const WindowKind *> rows = windowsInCommandOrder();
    int boundaries = 0;
    for (int i = 0; i < rows.size(); ++i) {
        const WindowKind &w = *rows[i];
        QAction *a = mnuOptions->addAction(QString::fromUtf8(w.menuCaption));
        a->setObjectName(QString::fromLatin1(w.menuItem));
        const FormKind kind = w.kind;
        connect(a, &QAction::triggered, this, [this, kind] { openWindow(kind); });
        m_kindItems.insert(int(kind), a);
        const bool groupEnds = i + 1 == rows.size() || rows[i + 1]->place.group != w.place.group;
        if (!groupEnds)
            continue;
        if (w.place.group == toolsGroup) {
            mnuCorvChart = menuItem(mnuOptions, "mnuCorvChart", QStringLiteral("&CorvChart"),
                                    &mdiCorvella::mnuCorvChart_Click);
            mnuTargetRanges =
                menuItem(mnuOptions, "mnuTargetRanges", QStringLiteral("Target &Ranges\u2026"),
                         &mdiCorvella::mnuTargetRanges_Click);
        }
        if (i + 1 < rows.size()) {
            QAction *sep = mnuOptions->addSeparator();
            sep->setObjectName(boundaries < 2 ? QStringLiteral("mnu%1").arg(boundaries)
                                              : QStringLiteral("mnuGroup%1").arg(boundaries));
            ++boundaries;
        }
    }
    separator(mnuOptions, "mnu2");
    mnuAutoHighlight = menuItem(mnuOptions, "mnuAutoHighlight", QStringLiteral("Auto &Highlight"),
                                &mdiCorvella::mnuAutoHighlight_Click);
    mnuAutoHighlight->setCheckable(true);
    separator(mnuOptions, "mnu5");
    mnuExit = menuItem(mnuOptions, "mnuExit", QStringLiteral("E&xit"), &mdiCorvella::mnuExit_Click);

    mnuFile = bar->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuBackup =
        menuItem(mnuFile, "mnuBackup", QStringLiteral("&Backup"), &mdiCorvella::mnuBackup_Click);
    mnuRestore =
        menuItem(mnuFile, "mnuRestore", QStringLiteral("&Restore"), &mdiCorvella::mnuRestore_Click);
    separator(mnuFile, "mnu6");
    mnuExport = menuItem(mnuFile, "mnuExport", QStringLiteral("&Export\u2026"),
                         &mdiCorvella::mnuExport_Click);
    mnuImport = menuItem(mnuFile, "mnuImport", QStringLiteral("&Import\u2026"),
                         &mdiCorvella::mnuImport_Click);
    // Off until a record window is active (EnableDisable).
    mnuExport->setEnabled(false);
    mnuImport->setEnabled(false);

    mnuRecords = bar->addMenu(QStringLiteral("R&ecords"));
    mnuRecords->setObjectName(QStringLiteral("mnuRecords"));
    mnuAdd = menuItem(mnuRecords, "mnuAdd", QStringLiteral("Add"), &mdiCorvella::mnuAdd_Click);
    mnuDelete =
        menuItem(mnuRecords, "mnuDelete", QStringLiteral("Delete"), &mdiCorvella::mnuDelete_Click);
    separator(mnuRecords, "mnu3");
    mnuSearch = menuItem(mnuRecords, "mnuSearch", QStringLiteral("&Search"),
                         &mdiCorvella::mnuSearch_Click, QKeySequence(Qt::Key_F3));
    separator(mnuRecords, "mnu4");
    mnuPrint =
        menuItem(mnuRecords, "mnuPrint", QStringLiteral("&Print"), &mdiCorvella::mnuPrint_Click);

    mnuView = bar->addMenu(QStringLiteral("&View"));
    mnuView->setObjectName(QStringLiteral("mnuView"));
    mnuToolbar =
        menuItem(mnuView, "mnuToolbar", QStringLiteral("Tool Bar"), &mdiCorvella::mnuToolbar_Click);
    mnuToolText = menuItem(mnuView, "mnuToolText", QStringLiteral("Tool Text"),
                           &mdiCorvella::mnuToolText_Click);
    mnuStatusBar = menuItem(mnuView, "mnuStatusBar", QStringLiteral("Status Bar"),
                            &mdiCorvella::mnuStatusBar_Click);
    for (QAction *a : {mnuToolbar, mnuToolText, mnuStatusBar})
        a->setCheckable(true);

    mnuWindow = bar->addMenu(QStringLiteral("&Window"));
    mnuWindow->setObjectName(QStringLiteral("mnuWindow"));
    mnuCascade = menuItem(mnuWindow, "mnuCascade", QStringLiteral("&Cascade"),
                          &mdiCorvella::mnuCascade_Click);
    mnuArrange = menuItem(mnuWindow, "mnuArrange", QStringLiteral("&Arrange Icons"),
                          &mdiCorvella::mnuArrange_Click);
    connect(mnuWindow, &QMenu::aboutToShow, this, &mdiCorvella::fillWindowMenu);

    mnuHelp = bar->addMenu(QStringLiteral("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuContents = menuItem(mnuHelp, "mnuContents", QStringLiteral("Help &Contents"),
                           &mdiCorvella::mnuContents_Click, QKeySequence(Qt::Key_F1));
    mnuBrowseHelp = menuItem(mnuHelp, "mnuBrowseHelp", QStringLiteral("Browse Help"),
                             &mdiCorvella::mnuBrowseHelp_Click, QKeySequence(Qt::Key_F2));
    mnuAbout =
        menuItem(mnuHelp, "mnuAbout", QStringLiteral("&About"), &mdiCorvella::mnuAbout_Click);
}

void mdiCorvella::buildToolbar() {
    tbToolBar = addToolBar(QStringLiteral("Toolbar"));
    tbToolBar->setObjectName(QStringLiteral("tbToolBar"));
    tbToolBar->setMovable(false);
    tbToolBar->setIconSize(QSize(24, 24));
    tbToolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_buttons = {nullptr}; // buttons count from 1
    auto addSeparator = [this] {
        QAction *sep = tbToolBar->addSeparator();
        sep->setObjectName(QStringLiteral("tbSeparator%1").arg(m_buttons.size()));
        m_buttons << sep;
    };
    auto addButton = [this](const QString &key, const QString &image) {
        QAction *a = tbToolBar->addAction(Artwork::toolIcon(image), key);
        a->setObjectName(QStringLiteral("tb") + key);
        a->setData(key);
        a->setToolTip(key);
        connect(a, &QAction::triggered, this, [this, key] { tbToolBar_ButtonClick(key); });
        m_buttons << a;
        return a;
    };
    // The windows' buttons in the menu's groups, the chart with the tools,
    // then the commands.
    const QVector<const WindowKind *> rows = windowsInCommandOrder();
    for (int i = 0; i < rows.size(); ++i) {
        addButton(QString::fromLatin1(rows[i]->toolKey), QString::fromLatin1(rows[i]->toolImage));
        const bool groupEnds =
            i + 1 == rows.size() || rows[i + 1]->place.group != rows[i]->place.group;
        if (groupEnds && rows[i]->place.group == toolsGroup)
            addButton(QStringLiteral("Chart"), QStringLiteral("chart"));
        if (groupEnds && i + 1 < rows.size())
            addSeparator();
    }
    for (const ToolButton &b : commandButtons) {
        if (!b.key) {
            addSeparator();
            continue;
        }
        QAction *a = addButton(QString::fromLatin1(b.key), QString::fromLatin1(b.image));
        if (qstrcmp(b.key, "Print") == 0)
            m_tbPrint = a;
        else if (qstrcmp(b.key, "Add") == 0)
            m_tbAdd = a;
        else if (qstrcmp(b.key, "Delete") == 0)
            m_tbDelete = a;
        else if (qstrcmp(b.key, "Search") == 0)
            m_tbSearch = a;
    }
}

QAction *mdiCorvella::button(int index) const {
    return index >= 1 && index < m_buttons.size() ? m_buttons[index] : nullptr;
}

void mdiCorvella::buildStatusBar() {
    sbStatusBar = statusBar();
    sbStatusBar->setObjectName(QStringLiteral("sbStatusBar"));
    sbStatusBar->setSizeGripEnabled(true);
    m_panels.fill(nullptr, 7);
    auto makePanel = [this](int i, const QString &name, int minWidth) {
        auto *l = new QLabel(this);
        l->setObjectName(name);
        l->setFrameShape(QFrame::StyledPanel);
        l->setFrameShadow(QFrame::Sunken);
        l->setContentsMargins(4, 0, 4, 0);
        if (minWidth > 0) {
            l->setMinimumWidth(minWidth);
            l->setAlignment(Qt::AlignCenter);
        }
        m_panels[i] = l;
        return l;
    };
    sbStatusBar->addWidget(makePanel(1, QStringLiteral("panelText"), 0), 1);
    const int keyWidth = fontMetrics().horizontalAdvance(QStringLiteral("CAPS")) + 18;
    sbStatusBar->addPermanentWidget(makePanel(2, QStringLiteral("panelCaps"), keyWidth));
    sbStatusBar->addPermanentWidget(makePanel(3, QStringLiteral("panelNum"), keyWidth));
    sbStatusBar->addPermanentWidget(makePanel(4, QStringLiteral("panelIns"), keyWidth));
    sbStatusBar->addPermanentWidget(
        makePanel(5, QStringLiteral("panelDate"),
                  fontMetrics().horizontalAdvance(QStringLiteral("00/00/0000")) + 18));
    sbStatusBar->addPermanentWidget(
        makePanel(6, QStringLiteral("panelTime"),
                  fontMetrics().horizontalAdvance(QStringLiteral("00:00 PM")) + 18));
    m_panels[2]->setText(QStringLiteral("CAPS"));
    m_panels[3]->setText(QStringLiteral("NUM"));
    m_panels[4]->setText(QStringLiteral("INS"));

    m_keys = new KeyboardState(this);
    connect(m_keys, &KeyboardState::changed, this, &mdiCorvella::updateKeyPanels);
    updateKeyPanels();

    auto *clock = new QTimer(this);
    clock->setInterval(1000);
    connect(clock, &QTimer::timeout, this, [this] {
        updateClock();
        m_keys->poll();
    });
    clock->start();
    updateClock();
}

QLabel *mdiCorvella::panel(int index) const {
    return index >= 1 && index < m_panels.size() ? m_panels[index] : nullptr;
}

QString mdiCorvella::statusText() const {
    return m_panels[1]->text();
}

void mdiCorvella::setStatusText(const QString &text) {
    m_panels[1]->setText(text);
}

void mdiCorvella::updateClock() {
    const QLocale locale;
    m_panels[5]->setText(locale.toString(QDate::currentDate(), QLocale::ShortFormat));
    m_panels[6]->setText(locale.toString(QTime::currentTime(), QLocale::ShortFormat));
}

void mdiCorvella::updateKeyPanels() {
    // A key panel shows its name in full colour when the state is on and
    // greyed when it is off.
    auto show = [](QLabel *l, bool on) {
        l->setEnabled(on);
        l->setToolTip(on ? l->text() + QStringLiteral(" on") : l->text() + QStringLiteral(" off"));
    };
    show(m_panels[2], m_keys->capsLock());
    show(m_panels[3], m_keys->numLock());
    show(m_panels[4], m_keys->insertMode());
}

// --- loading and activation ------------------------------------------------

void mdiCorvella::MDIForm_Load() {
    for (const WindowKind &w : windowTable())
        OpenFlag::of(w.kind) = false;
    for (QAction *a : {m_tbPrint, m_tbAdd, m_tbDelete, m_tbSearch})
        a->setEnabled(false);
    for (QAction *a : {mnuPrint, mnuAdd, mnuDelete, mnuSearch})
        a->setEnabled(false);
    setStatusText(CorvModule::WelcomeLine);
}

void mdiCorvella::MDIForm_Activate() {
    tbToolBar->setVisible(Settings::toolbarVisible());
    mnuToolbar->setChecked(tbToolBar->isVisibleTo(this));
    mnuToolText->setChecked(Settings::toolbarText());
    ShowToolText();
    sbStatusBar->setVisible(Settings::statusBarVisible());
    mnuStatusBar->setChecked(sbStatusBar->isVisibleTo(this));
    AutoHighlight = Settings::autoHighlight();
    mnuAutoHighlight->setChecked(AutoHighlight);
}

void mdiCorvella::ShowToolText() {
    const bool on = mnuToolText->isChecked();
    // A caption is the button's text; without one the button shows its image
    // only (the tool tip keeps the word).
    for (QAction *a : std::as_const(m_buttons)) {
        if (!a || a->isSeparator())
            continue;
        const QString key = a->data().toString();
        const QString caption = on ? key : QString();
        a->setIconText(caption);
        a->setText(caption);
        a->setToolTip(key);
    }
    tbToolBar->setToolButtonStyle(on ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
}

bool mdiCorvella::event(QEvent *event) {
    // The view options are read at every activation; also when the window is
    // first shown, for desktops that never activate it (no window manager).
    if (event->type() == QEvent::WindowActivate ||
        (event->type() == QEvent::Show && !m_shownOnce)) {
        m_shownOnce = true;
        MDIForm_Activate();
    }
    // Once the window system has put its frame around the window, the frame
    // is known: the window is fitted and centred again with it.
    if (event->type() == QEvent::WindowActivate && !m_fittedWithFrame && !isMaximized() &&
        !isFullScreen() && frameGeometry() != geometry()) {
        m_fittedWithFrame = true;
        fitToScreen();
    }
    return QMainWindow::event(event);
}

// --- view and option toggles -----------------------------------------------

void mdiCorvella::mnuToolbar_Click() {
    const bool visible = !tbToolBar->isVisibleTo(this);
    tbToolBar->setVisible(visible);
    Settings::setToolbarVisible(visible);
    mnuToolbar->setChecked(visible);
    setStatusText(visible ? QStringLiteral("Tool bar visible.")
                          : QStringLiteral("Tool bar hiden."));
}

void mdiCorvella::mnuToolText_Click() {
    const bool on = !mnuToolText->isChecked();
    mnuToolText->setChecked(on);
    Settings::setToolbarText(on);
    ShowToolText();
    setStatusText(on ? QStringLiteral("Tool bar text visible.")
                     : QStringLiteral("Tool bar text hiden."));
}

void mdiCorvella::mnuStatusBar_Click() {
    const bool visible = !sbStatusBar->isVisibleTo(this);
    sbStatusBar->setVisible(visible);
    Settings::setStatusBarVisible(visible);
    mnuStatusBar->setChecked(visible);
    if (visible)
        setStatusText(QStringLiteral("Status bar visible."));
}

void mdiCorvella::mnuAutoHighlight_Click() {
    AutoHighlight = !AutoHighlight;
    Settings::setAutoHighlight(AutoHighlight);
    mnuAutoHighlight->setChecked(AutoHighlight);
    setStatusText(AutoHighlight ? QStringLiteral("Auto Highlight ON.")
                                : QStringLiteral("Auto Highlight OFF."));
}

// --- the record commands ---------------------------------------------------

void mdiCorvella::EnableDisable() {
    CommandStates buttons{false, false, false, false}, menu = buttons; // "NoOne"
    if (const WindowKind *w = CorvModule::ActiveForm.window()) {
        buttons = w->buttons;
        menu = w->menu;
    } else if (CorvModule::ActiveForm != CorvModule::NoOne) {
        return; // any other marker leaves the commands as they are
    }
    m_tbPrint->setEnabled(buttons.print);
    m_tbAdd->setEnabled(buttons.add);
    m_tbDelete->setEnabled(buttons.remove);
    m_tbSearch->setEnabled(buttons.search);
    mnuPrint->setEnabled(menu.print);
    // Export and import reach the same records as printing.
    mnuExport->setEnabled(menu.print);
    mnuImport->setEnabled(menu.print);
    mnuAdd->setEnabled(menu.add);
    mnuDelete->setEnabled(menu.remove);
    mnuSearch->setEnabled(menu.search);
}

void mdiCorvella::SelectMe(QWidget *box) {
    if (!AutoHighlight || !box)
        return;
    if (auto *le = qobject_cast<QLineEdit *>(box))
        le->setSelection(0, le->text().size());
    else if (auto *pe = qobject_cast<QPlainTextEdit *>(box))
        pe->selectAll();
}

namespace {

// The active window's row when it takes the command whose status line
// `status` picks from the row; nullptr: the command does nothing.
const WindowKind *routeFor(const char *WindowKind::*status) {
    const WindowKind *w = CorvModule::ActiveForm.window();
    return w && w->*status ? w : nullptr;
}

} // namespace

void mdiCorvella::mnuAdd_Click() {
    if (const WindowKind *w = routeFor(&WindowKind::addStatus)) {
        setStatusText(QString::fromLatin1(w->addStatus));
        if (CorvForm *f = Forms::get(w->kind))
            f->mnuAdd_Click();
    }
}

void mdiCorvella::mnuDelete_Click() {
    if (const WindowKind *w = routeFor(&WindowKind::deleteStatus)) {
        setStatusText(QString::fromLatin1(w->deleteStatus));
        if (CorvForm *f = Forms::get(w->kind))
            f->mnuDelete_Click();
    }
}

void mdiCorvella::mnuSearch_Click() {
    if (const WindowKind *w = routeFor(&WindowKind::searchStatus)) {
        setStatusText(QString::fromLatin1(w->searchStatus));
        if (CorvForm *f = Forms::get(w->kind))
            f->mnuSearch_Click();
    }
}

void mdiCorvella::mnuPrint_Click() {
    if (const WindowKind *w = routeFor(&WindowKind::printStatus)) {
        setStatusText(QString::fromLatin1(w->printStatus));
        runModal(printWindow);
    }
}

void mdiCorvella::tbToolBar_ButtonClick(const QString &key) {
    for (const WindowKind &w : windowTable()) {
        if (key == QLatin1String(w.toolKey)) {
            openWindow(w.kind);
            return;
        }
    }
    static const QHash<QString, void (mdiCorvella::*)()> handlers = {
        {QStringLiteral("Chart"), &mdiCorvella::mnuCorvChart_Click},
        {QStringLiteral("Backup"), &mdiCorvella::mnuBackup_Click},
        {QStringLiteral("Restore"), &mdiCorvella::mnuRestore_Click},
        {QStringLiteral("Print"), &mdiCorvella::mnuPrint_Click},
        {QStringLiteral("Add"), &mdiCorvella::mnuAdd_Click},
        {QStringLiteral("Delete"), &mdiCorvella::mnuDelete_Click},
        {QStringLiteral("Search"), &mdiCorvella::mnuSearch_Click},
        {QStringLiteral("About"), &mdiCorvella::mnuAbout_Click},
        {QStringLiteral("Exit"), &mdiCorvella::mnuExit_Click},
    };
    if (auto handler = handlers.value(key))
        (this->*handler)();
}

// --- opening windows -------------------------------------------------------

QMdiSubWindow *mdiCorvella::addChild(QWidget *widget) {
    QMdiSubWindow *sub = mdiArea->addSubWindow(widget);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(widget->windowIcon().isNull() ? Artwork::appIcon() : widget->windowIcon());
    return sub;
}

CorvForm *mdiCorvella::showForm(FormKind kind) {
    CorvForm *form = Forms::get(kind);
    if (!form) {
        const Forms::Factory make = Forms::factory(kind);
        if (!make)
            return nullptr; // no such window in this build
        form = make();
        if (!form)
            return nullptr; // the window closed while it opened
    }
    QWidget *w = form->widget();
    QWidget *frame = w->parentWidget() ? w->parentWidget() : w;
    if (auto *sub = qobject_cast<QMdiSubWindow *>(frame)) {
        if (sub->isMinimized())
            sub->showNormal();
        const bool opening = !sub->isVisible();
        sub->show();
        // Where the frame puts a new window, or where it was last closed on
        // a larger screen, may be partly out of sight.
        if (opening)
            keepInside(sub);
        mdiArea->setActiveSubWindow(sub);
    } else {
        w->show();
    }
    w->raise();
    return Forms::get(kind);
}

void mdiCorvella::childClosing() {
    m_childClosing = true;
    QTimer::singleShot(0, this, [this] { m_childClosing = false; });
}

void mdiCorvella::childActivated(QMdiSubWindow *window) {
    if (!window || m_childClosing)
        return;
    for (const WindowKind &w : windowTable()) {
        CorvForm *f = Forms::get(w.kind);
        if (f && f->widget() && f->widget()->parentWidget() == window) {
            f->Form_Activate();
            return;
        }
    }
}

void mdiCorvella::openWindow(FormKind kind) {
    const WindowKind &w = windowKind(kind);
    setStatusText(QString::fromLatin1(w.openStatus));
    OpenFlag::of(kind) = true;
    showForm(kind);
}

void mdiCorvella::mnuChangeTanks_Click() {
    openWindow(FormKind::Tank);
}

void mdiCorvella::mnuJournal_Click() {
    openWindow(FormKind::Journal);
}

void mdiCorvella::mnuLiveStock_Click() {
    openWindow(FormKind::Stock);
}

void mdiCorvella::mnuCommonDiseases_Click() {
    openWindow(FormKind::Diseases);
}

void mdiCorvella::mnuAquaristGlossary_Click() {
    openWindow(FormKind::Glossary);
}

void mdiCorvella::mnuTankCalculator_Click() {
    openWindow(FormKind::TankCalc);
}

void mdiCorvella::defaultTankChanged(bool reload) {
    setWindowTitle(QStringLiteral("Corvella - ") + CorvModule::CurrentTankName);
    if (!reload)
        return;
    // In table order: journal, livestock, calculator.
    for (const WindowKind &w : windowTable())
        if (w.followsDefaultTank && OpenFlag::of(w.kind))
            if (CorvForm *f = Forms::get(w.kind))
                f->cmdRefreshData();
}

void mdiCorvella::runModal(const std::function<QDialog *(QWidget *)> &make) {
    if (!make)
        return;
    QDialog *dialog = make(this);
    if (!dialog)
        return;
    dialogs().execModal(*dialog);
    delete dialog;
}

void mdiCorvella::mnuCorvChart_Click() {
    setStatusText(QStringLiteral("Chart your tank stats."));
    runModal(chartWindow);
}

void mdiCorvella::mnuTargetRanges_Click() {
    setStatusText(QStringLiteral("Set the target range of each water value."));
    frmTargetRanges ranges(this);
    dialogs().execModal(ranges);
}

void mdiCorvella::mnuExport_Click() {
    exportActiveRecords();
}

void mdiCorvella::mnuImport_Click() {
    importIntoActiveWindow();
}

void mdiCorvella::mnuAbout_Click() {
    setStatusText(QStringLiteral("About Corvella."));
    frmAbout about(this);
    dialogs().execModal(about);
}

void mdiCorvella::keepInside(QMdiSubWindow *sub) {
    sub->setGeometry(placement::keepInside(sub->geometry(), mdiArea->viewport()->size(),
                                           sub->minimumSizeHint()));
}

void mdiCorvella::mnuCascade_Click() {
    QMdiSubWindow *active = mdiArea->activeSubWindow();
    QList<QMdiSubWindow *> windows;
    for (QMdiSubWindow *w : mdiArea->subWindowList(QMdiArea::StackingOrder))
        if (w->isVisible() && !w->isMinimized() && w != active)
            windows << w;
    // The active window stays the active one, on top of the stack.
    if (active && active->isVisible() && !active->isMinimized())
        windows << active;
    if (windows.isEmpty())
        return;
    QVector<QSize> sizes, minimums;
    int step = 0;
    for (QMdiSubWindow *w : std::as_const(windows)) {
        if (w->isMaximized())
            w->showNormal();
        sizes << w->size();
        minimums << w->minimumSizeHint().expandedTo(w->minimumSize());
        // Each window lies a title bar lower than the one below it.
        if (w->widget())
            step = std::max(step, w->widget()->geometry().top());
    }
    if (step <= 0)
        step = style()->pixelMetric(QStyle::PM_TitleBarHeight);
    const QVector<QRect> frames =
        placement::cascade(sizes, minimums, mdiArea->viewport()->size(), step);
    for (int i = 0; i < windows.size(); ++i) {
        windows[i]->setGeometry(frames[i]);
        windows[i]->raise();
    }
    if (active)
        mdiArea->setActiveSubWindow(active);
}

void mdiCorvella::mnuArrange_Click() {
    // Lines up the minimised child windows along the bottom of the frame.
    const QList<QMdiSubWindow *> windows = mdiArea->subWindowList(QMdiArea::CreationOrder);
    int x = 0;
    int y = mdiArea->viewport()->height();
    for (QMdiSubWindow *w : windows) {
        if (!w->isMinimized())
            continue;
        const QSize s = w->size();
        if (x > 0 && x + s.width() > mdiArea->viewport()->width()) {
            x = 0;
            y -= s.height();
        }
        w->move(x, y - s.height());
        x += s.width();
    }
}

void mdiCorvella::fillWindowMenu() {
    for (QAction *a : std::as_const(m_windowItems)) {
        mnuWindow->removeAction(a);
        delete a;
    }
    m_windowItems.clear();
    const QList<QMdiSubWindow *> windows = mdiArea->subWindowList(QMdiArea::CreationOrder);
    if (windows.isEmpty())
        return;
    QAction *sep = mnuWindow->addSeparator();
    m_windowItems << sep;
    int n = 1;
    for (QMdiSubWindow *w : windows) {
        const QString caption = n < 10 ? QStringLiteral("&%1 %2").arg(n).arg(w->windowTitle())
                                       : QStringLiteral("%1 %2").arg(n).arg(w->windowTitle());
        QAction *a = mnuWindow->addAction(caption);
        // Only the active window carries a mark; an empty check box beside
        // every other window would read as an option to tick.
        if (w == mdiArea->activeSubWindow()) {
            a->setCheckable(true);
            a->setChecked(true);
        }
        QPointer<QMdiSubWindow> target(w);
        connect(a, &QAction::triggered, this, [this, target] {
            if (target) {
                if (target->isMinimized())
                    target->showNormal();
                mdiArea->setActiveSubWindow(target);
            }
        });
        m_windowItems << a;
        ++n;
    }
}

// --- help ------------------------------------------------------------------

void mdiCorvella::mnuContents_Click() {
    setStatusText(QStringLiteral("Corvella Help."));
    if (!dialogs().startProgram(helpViewerProgram(), {CorvModule::HelpFile}))
        msgBox(QStringLiteral("The help viewer could not be started."), MsgButtons::Ok,
               MsgIcon::Exclamation);
}

void mdiCorvella::mnuBrowseHelp_Click() {
    setStatusText(QStringLiteral("Corvella Help."));
    for (QMdiSubWindow *w : mdiArea->subWindowList()) {
        if (auto *help = qobject_cast<HelpBrowser *>(w->widget())) {
            help->showContents();
            if (w->isMinimized())
                w->showNormal();
            mdiArea->setActiveSubWindow(w);
            return;
        }
    }
    auto *help = new HelpBrowser;
    help->load(CorvModule::HelpFile);
    QMdiSubWindow *sub = addChild(help);
    sub->resize(760, 560);
    sub->show();
    keepInside(sub);
}

// --- closing ---------------------------------------------------------------

bool mdiCorvella::CloseOpenWindows() {
    for (const WindowKind &w : windowTable()) {
        if (!OpenFlag::of(w.kind))
            continue;
        CorvForm *f = Forms::get(w.kind);
        f->cmdClose_Click();
        // A window that could not store its record has said so and stays;
        // the command ends there, so the user meets that one message and
        // finds the window that needs them.
        if (Forms::get(w.kind) == f)
            return false;
    }
    return true;
}

bool mdiCorvella::anyDatabaseWindowOpen() const {
    for (const WindowKind &w : windowTable())
        if (Forms::get(w.kind))
            return true;
    return false;
}

bool mdiCorvella::closeDatabaseWindows() {
    if (!CloseOpenWindows())
        return false;
    // A window the open flags do not know about (the tank window start-up
    // opens) holds the database all the same.
    for (const WindowKind &w : windowTable()) {
        if (CorvForm *f = Forms::get(w.kind)) {
            f->cmdClose_Click();
            if (Forms::get(w.kind) == f)
                return false;
        }
    }
    return !anyDatabaseWindowOpen();
}

void mdiCorvella::mnuExit_Click() {
    close();
}

bool mdiCorvella::MDIForm_Unload() {
    setStatusText(QStringLiteral("Exit Corvella?"));
    const MsgResult answer =
        msgBox(QStringLiteral("Exit Corvella?"), MsgButtons::OkCancel, MsgIcon::Question,
               QStringLiteral("Corvella"), MsgResult::Cancel);
    if (answer == MsgResult::Ok && closeDatabaseWindows()) {
        // The other child windows (Browse Help) go too.
        for (QMdiSubWindow *w : mdiArea->subWindowList())
            w->close();
        if (mdiArea->subWindowList().isEmpty() && !anyDatabaseWindowOpen())
            return false;
    }
    // A window that could not store its record has said so and stays.
    setStatusText(CorvModule::IdleLine);
    return true;
}

void mdiCorvella::closeEvent(QCloseEvent *event) {
    if (MDIForm_Unload()) {
        event->ignore();
        return;
    }
    event->accept();
    // Corvella's other top-level windows (a help viewer) end with it.
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w != this && w->isVisible() && !qobject_cast<QDialog *>(w))
            w->close();
}

} // namespace corv
