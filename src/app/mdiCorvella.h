// Corvella's main window: the frame that holds every other window, with the
// menu bar, the toolbar and the status bar. It opens the windows, routes the
// record commands (Add, Delete, Search, Print) to the active record window,
// keeps those commands enabled to match, holds the view options and asks
// before the program ends.
#pragma once

#include "Forms.h"

#include <QHash>
#include <QMainWindow>
#include <QSize>
#include <QVector>
#include <functional>

class QAction;
class QDialog;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;
class QStatusBar;

namespace corv {

class KeyboardState;

class mdiCorvella : public QMainWindow {
    Q_OBJECT
public:
    explicit mdiCorvella(QWidget *parent = nullptr);
    ~mdiCorvella() override;

    // The one main window, or nullptr before start-up made it.
    static mdiCorvella *instance();

    // Menus and their items, by the names the rest of the program uses.
    QMenu *mnuOptions, *mnuFile, *mnuRecords, *mnuView, *mnuWindow, *mnuHelp;
    QAction *mnuCorvChart, *mnuTargetRanges, *mnuAutoHighlight, *mnuExit;
    QAction *mnuBackup, *mnuRestore, *mnuExport, *mnuImport;
    QAction *mnuAdd, *mnuDelete, *mnuSearch, *mnuPrint;
    QAction *mnuToolbar, *mnuToolText, *mnuStatusBar;
    QAction *mnuCascade, *mnuArrange;
    QAction *mnuContents, *mnuBrowseHelp, *mnuAbout;

    // The Options menu item that opens a window kind ("mnuJournal" and the
    // rest, made from the window table).
    QAction *windowItem(FormKind kind) const { return m_kindItems.value(int(kind)); }

    QToolBar *tbToolBar;
    // Toolbar items by index, 1 to 23; separators count as items.
    QAction *button(int index) const;
    int buttonCount() const { return m_buttons.size() - 1; }

    QStatusBar *sbStatusBar;
    // Panels 1 to 6: text, Caps Lock, Num Lock, Insert, date, time.
    QLabel *panel(int index) const;
    QString statusText() const;
    void setStatusText(const QString &text);

    QMdiArea *mdiArea;
    bool AutoHighlight = true;

    // Public procedures the other windows call.
    void EnableDisable();
    void SelectMe(QWidget *box);

    void MDIForm_Load();
    void MDIForm_Activate();
    // The exit sequence; returns the Cancel value (true keeps the window).
    bool MDIForm_Unload();
    void ShowToolText();

    // Menu handlers.
    void mnuChangeTanks_Click();
    void mnuJournal_Click();
    void mnuLiveStock_Click();
    void mnuCommonDiseases_Click();
    void mnuAquaristGlossary_Click();
    void mnuTankCalculator_Click();
    void mnuCorvChart_Click();
    void mnuAutoHighlight_Click();
    void mnuExit_Click();
    void mnuBackup_Click();
    void mnuRestore_Click();
    void mnuAdd_Click();
    void mnuDelete_Click();
    void mnuSearch_Click();
    void mnuPrint_Click();
    void mnuTargetRanges_Click();
    void mnuExport_Click();
    void mnuImport_Click();
    void mnuToolbar_Click();
    void mnuToolText_Click();
    void mnuStatusBar_Click();
    void mnuCascade_Click();
    void mnuArrange_Click();
    void mnuContents_Click();
    void mnuBrowseHelp_Click();
    void mnuAbout_Click();
    // A toolbar click: runs the menu handler of the button's key.
    void tbToolBar_ButtonClick(const QString &key);

    // The command that opens a window kind: its status line, its open flag
    // set, then showForm.
    void openWindow(FormKind kind);
    // Opens the window of a kind (or brings the open one to the front) as a
    // child window. Returns the window, or nullptr when it could not open.
    CorvForm *showForm(FormKind kind);
    // Puts a widget into the frame as a child window.
    QMdiSubWindow *addChild(QWidget *widget);
    // Moves a child window (shrinking it if it must) wholly into the visible
    // part of the frame.
    void keepInside(QMdiSubWindow *sub);
    // The size the window is designed for; smaller screens get less, and
    // the window is centred on the screen.
    static constexpr QSize DesignSize{1100, 760};
    void fitToScreen();
    // A record window calls this as it unloads, so the activation of the
    // next child that follows is not taken for the user's choice.
    void childClosing();

    // The modal windows of later parts of the program register how they
    // are made; a command whose window is not there does nothing.
    static std::function<QDialog *(QWidget *parent)> chartWindow;
    static std::function<QDialog *(QWidget *parent)> printWindow;

    // Closes every open record window through its Close, in the order of the
    // window table (diseases, glossary, journal, livestock, calculator, tank).
    // A window that cannot store its record stays open and ends the round:
    // false then.
    bool CloseOpenWindows();
    // Closes every window that has the database open, the ones the open
    // flags do not know about included; true when none is left open.
    bool closeDatabaseWindows();
    bool anyDatabaseWindowOpen() const;

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QAction *menuItem(QMenu *menu, const char *name, const QString &caption,
                      void (mdiCorvella::*handler)(), const QKeySequence &shortcut = {});
    QAction *separator(QMenu *menu, const char *name);
    void buildMenus();
    void buildToolbar();
    void buildStatusBar();
    void updateClock();
    void updateKeyPanels();
    void fillWindowMenu();
    void childActivated(QMdiSubWindow *window);
    // The caption follows the default tank; the windows that show its
    // records reload when another tank became the default.
    void defaultTankChanged(bool reload);
    void runModal(const std::function<QDialog *(QWidget *)> &make);

    QVector<QAction *> m_buttons;     // index 0 unused
    QVector<QLabel *> m_panels;       // index 0 unused
    QVector<QAction *> m_windowItems; // the Window menu's list of windows
    QHash<int, QAction *> m_kindItems;
    QAction *m_tbPrint = nullptr, *m_tbAdd = nullptr, *m_tbDelete = nullptr, *m_tbSearch = nullptr;
    KeyboardState *m_keys = nullptr;
    bool m_childClosing = false;
    bool m_shownOnce = false;
    bool m_fittedWithFrame = false;
};

} // namespace corv
