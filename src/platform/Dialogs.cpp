#include "Dialogs.h"
#include "Progress.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QTreeView>

namespace corv {

namespace {

QtDialogLayer &realLayer() {
    static QtDialogLayer layer;
    return layer;
}

DialogLayer *currentLayer = nullptr;

QWidget *dialogParent() {
    if (QWidget *w = QApplication::activeModalWidget())
        return w;
    if (QWidget *w = QApplication::activeWindow())
        return w;
    // No window of ours is active (the user is in another program): the
    // box still belongs to the program's main window, and comes up over it.
    for (QWidget *w : QApplication::topLevelWidgets())
        if (qobject_cast<QMainWindow *>(w) && w->isVisible())
            return w;
    return nullptr;
}

// Brings a modal window back, with the windows it belongs to, when the
// window system has minimised it.
void bringBack(QWidget *window) {
    QList<QWidget *> chain;
    for (QWidget *w = window; w; w = w->parentWidget() ? w->parentWidget()->window() : nullptr)
        chain.prepend(w);
    for (QWidget *w : std::as_const(chain))
        if (w->windowState() & Qt::WindowMinimized)
            w->setWindowState(w->windowState() & ~Qt::WindowMinimized);
    window->raise();
    window->activateWindow();
}

// Our modal windows ask for no minimise button, and most window managers
// offer none; some (openbox) offer it anyway, and minimising the modal
// window hides the program's main window with it. The program would then
// wait for an answer from a window nobody can reach: while the modal window
// is up, it and the windows it belongs to come straight back instead.
class KeepModalShown : public QObject {
public:
    explicit KeepModalShown(QWidget *modal) : m_modal(modal) {
        for (QWidget *w = modal; w; w = w->parentWidget() ? w->parentWidget()->window() : nullptr) {
            w->installEventFilter(this);
            m_watched << w;
        }
    }
    ~KeepModalShown() override {
        for (const QPointer<QWidget> &w : std::as_const(m_watched))
            if (w)
                w->removeEventFilter(this);
    }
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::WindowStateChange) {
            auto *w = static_cast<QWidget *>(watched);
            if (w->isWindow() && (w->windowState() & Qt::WindowMinimized))
                QTimer::singleShot(0, this, [this] {
                    if (m_modal && m_modal->isVisible())
                        bringBack(m_modal);
                });
        }
        return false;
    }

private:
    QPointer<QWidget> m_modal;
    QList<QPointer<QWidget>> m_watched;
};

QMessageBox::StandardButton standardButton(MsgResult r) {
    switch (r) {
    case MsgResult::Ok:
        return QMessageBox::Ok;
    case MsgResult::Cancel:
        return QMessageBox::Cancel;
    case MsgResult::Yes:
        return QMessageBox::Yes;
    case MsgResult::No:
        return QMessageBox::No;
    case MsgResult::Retry:
        return QMessageBox::Retry;
    }
    return QMessageBox::Ok;
}

bool waiting = false;

} // namespace

DialogLayer &dialogs() {
    return currentLayer ? *currentLayer : realLayer();
}

void setDialogLayer(DialogLayer *layer) {
    currentLayer = layer;
}

QString applicationTitle() {
    return QStringLiteral("Corvella");
}

MsgResult msgBox(const QString &text, MsgButtons buttons, MsgIcon icon, const QString &title,
                 MsgResult defaultButton) {
    MessageRequest r;
    r.text = text;
    r.title = title.isEmpty() ? applicationTitle() : title;
    r.icon = icon;
    r.buttons = buttons;
    r.defaultButton = defaultButton;
    return dialogs().message(r);
}

bool askYesNo(const QString &text, const QString &title, MsgIcon icon) {
    return msgBox(text, MsgButtons::YesNo, icon, title, MsgResult::No) == MsgResult::Yes;
}

QString qtFilter(const QString &filter) {
    const QStringList parts = filter.split(u'|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        QString patterns = parts[i + 1].trimmed();
        patterns.replace(u';', u' ');
        if (description.endsWith(u'(' + patterns + u')'))
            out << description;
        else
            out << description + QStringLiteral(" (") + patterns + u')';
    }
    return out.join(QStringLiteral(";;"));
}

namespace {

// Widens a message box, if need be, so that the title bar the window system
// draws over it has room for its whole title beside its buttons.
void widenForTitle(QMessageBox &box) {
    // The window system's title font is bold in most themes; its buttons
    // (close, and often others) and the window icon share the bar.
    QFont titleFont = box.font();
    titleFont.setBold(true);
    const QFontMetrics fm(titleFont);
    const int button = fm.height() + 8;
    const int wanted = fm.horizontalAdvance(box.windowTitle()) * 6 / 5 + 4 * button + 16;
    // A message box takes its size from its layout's minimum: a spacer as
    // wide as the title needs sets that minimum.
    auto *grid = qobject_cast<QGridLayout *>(box.layout());
    if (!grid)
        return;
    grid->addItem(new QSpacerItem(wanted, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

} // namespace

MsgResult QtDialogLayer::message(const MessageRequest &request) {
    QMessageBox box(dialogParent());
    box.setWindowTitle(request.title.isEmpty() ? applicationTitle() : request.title);
    box.setText(request.text);
    switch (request.icon) {
    case MsgIcon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case MsgIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case MsgIcon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case MsgIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MsgIcon::None:
        break;
    }
    QList<MsgResult> results;
    switch (request.buttons) {
    case MsgButtons::Ok:
        results = {MsgResult::Ok};
        break;
    case MsgButtons::OkCancel:
        results = {MsgResult::Ok, MsgResult::Cancel};
        break;
    case MsgButtons::YesNo:
        results = {MsgResult::Yes, MsgResult::No};
        break;
    case MsgButtons::YesNoCancel:
        results = {MsgResult::Yes, MsgResult::No, MsgResult::Cancel};
        break;
    case MsgButtons::RetryCancel:
        results = {MsgResult::Retry, MsgResult::Cancel};
        break;
    }
    for (MsgResult r : results)
        box.addButton(standardButton(r));
    if (results.contains(request.defaultButton))
        box.setDefaultButton(standardButton(request.defaultButton));
    // Escape answers with the safe choice.
    if (results.contains(MsgResult::Cancel))
        box.setEscapeButton(standardButton(MsgResult::Cancel));
    else if (results.contains(MsgResult::No))
        box.setEscapeButton(standardButton(MsgResult::No));
    else
        box.setEscapeButton(standardButton(results.first()));
    widenForTitle(box);
    KeepModalShown keep(&box);
    // A modal box must not come up under a wait cursor.
    const bool wasWaiting = waiting;
    if (wasWaiting)
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    box.exec();
    if (wasWaiting)
        QApplication::restoreOverrideCursor();
    const auto clicked = box.standardButton(box.clickedButton());
    for (MsgResult r : results)
        if (standardButton(r) == clicked)
            return r;
    return results.contains(MsgResult::Cancel) ? MsgResult::Cancel
           : results.contains(MsgResult::No)   ? MsgResult::No
                                               : results.first();
}

namespace {

// Qt's own file dialog (where the desktop offers none) opens with columns too
// narrow for a size such as "180.5 KiB" or a whole date. The columns beside
// the name take the width of what they show, and the name the rest, in a
// dialog wide enough for all of them.
void fitFileColumns(QFileDialog &dlg) {
    auto *view = dlg.findChild<QTreeView *>();
    if (!view)
        return;
    QHeaderView *header = view->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int c = 1; c < header->count(); ++c)
        header->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    QSize size = dlg.sizeHint().expandedTo(QSize(760, 460));
    if (const QScreen *screen = dlg.screen())
        size = size.boundedTo(screen->availableGeometry().size() - QSize(40, 64));
    dlg.resize(size);
}

// Qt's own file dialog labels its folder and file-type lists without making
// the labels their buddies, so a screen reader hears those lists by the item
// they show ("/home/me", "CSV Files") and not by what they are for.
void labelFileLists(QFileDialog &dlg) {
    const std::pair<const char *, const char *> pairs[] = {{"lookInLabel", "lookInCombo"},
                                                           {"fileTypeLabel", "fileTypeCombo"}};
    for (const auto &[labelName, boxName] : pairs) {
        auto *label = dlg.findChild<QLabel *>(QString::fromLatin1(labelName));
        auto *box = dlg.findChild<QWidget *>(QString::fromLatin1(boxName));
        if (label && box && !label->buddy())
            label->setBuddy(box);
    }
}

std::optional<QString> runFileDialog(const FileRequest &request, bool save) {
    QFileDialog dlg(dialogParent(), request.title, request.initialFolder, qtFilter(request.filter));
    dlg.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg.setFileMode(save || !(request.flags & FileMustExist) ? QFileDialog::AnyFile
                                                             : QFileDialog::ExistingFile);
    QFileDialog::Options options;
    if (!(request.flags & FileOverwritePrompt))
        options |= QFileDialog::DontConfirmOverwrite;
    // Qt's dialogs have no "open as read-only" check box, so FileHideReadOnly
    // needs nothing; FilePathMustExist is what Qt's dialogs always enforce.
    dlg.setOptions(options);
    if (!request.fileName.isEmpty())
        dlg.selectFile(request.fileName);
    fitFileColumns(dlg);
    labelFileLists(dlg);
    KeepModalShown keep(&dlg);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return std::nullopt;
    // Qt's dialog reads double quotes in the typed name as marks around
    // several names ("a" "b"), so a path through a folder whose name holds
    // one came back as some other file. One name is asked for here: the
    // typed text is the path.
    if (const auto *edit = dlg.findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))) {
        const QString typed = edit->text();
        if (typed.contains(u'"') && !typed.trimmed().startsWith(u'"')) {
            const QString path = QDir::cleanPath(dlg.directory().absoluteFilePath(typed));
            // The dialog asked about replacing the file it misread, not
            // about this one.
            if (save && (request.flags & FileOverwritePrompt) && QFileInfo::exists(path) &&
                QMessageBox::question(dialogParent(), request.title,
                                      QCoreApplication::translate(
                                          "Dialogs", "%1 already exists.\nDo you want to replace "
                                                     "it?")
                                          .arg(QDir::toNativeSeparators(path))) != QMessageBox::Yes)
                return std::nullopt;
            return path;
        }
    }
    return dlg.selectedFiles().first();
}

} // namespace

std::optional<QString> QtDialogLayer::openFile(const FileRequest &request) {
    return runFileDialog(request, false);
}

std::optional<QString> QtDialogLayer::saveFile(const FileRequest &request) {
    return runFileDialog(request, true);
}

bool QtDialogLayer::startProgram(const QString &program, const QStringList &arguments) {
    return QProcess::startDetached(program, arguments);
}

void QtDialogLayer::setWaitCursor(bool wait) {
    if (wait == waiting)
        return;
    waiting = wait;
    if (wait)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

std::unique_ptr<ProgressBox> DialogLayer::progressBox(const ProgressRequest &request) {
    return makeProgressDialog(request);
}

int QtDialogLayer::execModal(QDialog &dialog) {
    KeepModalShown keep(&dialog);
    return dialog.exec();
}

} // namespace corv
