// Everything modal that Corvella asks of the desktop goes through one
// replaceable layer: message boxes, the open and save file dialogs, starting
// another program, the mouse pointer and showing our own modal windows.
//
// The real layer uses Qt's dialogs. Tests install a layer of their own that
// records each request and answers it from a script, so that every message
// (text, title, icon, buttons, default button) can be checked exactly.
#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class QDialog;
class QWidget;

namespace corv {

class ProgressBox;
struct ProgressRequest;

enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class MsgResult { Ok, Cancel, Yes, No, Retry };

struct MessageRequest {
    QString text;
    QString title; // empty: the application's title "Corvella"
    MsgIcon icon = MsgIcon::None;
    MsgButtons buttons = MsgButtons::Ok;
    MsgResult defaultButton = MsgResult::Ok;
};

// Options of the file dialogs, as a set of flags.
enum FileFlag : unsigned {
    FileHideReadOnly = 1u << 0,  // no "open as read-only" check box
    FileExplorer = 1u << 1,      // the modern dialog
    FileMustExist = 1u << 2,     // the chosen file must exist
    FilePathMustExist = 1u << 3, // the chosen folder must exist
    FileOverwritePrompt = 1u << 4,
};

struct FileRequest {
    QString title;
    QString filter;        // "(*.bak)|*.bak": description and pattern pairs joined by '|'
    QString initialFolder; // full path
    QString fileName;      // initial file name
    unsigned flags = 0;
};

class DialogLayer {
public:
    virtual ~DialogLayer() = default;
    virtual MsgResult message(const MessageRequest &request) = 0;
    // The full name of the chosen file; nullopt when the dialog was cancelled.
    virtual std::optional<QString> openFile(const FileRequest &request) = 0;
    virtual std::optional<QString> saveFile(const FileRequest &request) = 0;
    // Starts `program` as a separate process in a normal window; false when
    // it could not be started.
    virtual bool startProgram(const QString &program, const QStringList &arguments) = 0;
    // The wait cursor on (true) or the normal pointer back (false).
    virtual void setWaitCursor(bool wait) = 0;
    // Shows one of Corvella's own windows modally; returns QDialog's result.
    virtual int execModal(QDialog &dialog) = 0;
    // The progress box of long work (see Progress.h), made as the work
    // starts; the real one shows itself only if the work takes a while.
    virtual std::unique_ptr<ProgressBox> progressBox(const ProgressRequest &request);
};

// The layer in use. Until a layer is installed, the real one is used.
DialogLayer &dialogs();
// Installs `layer` (not owned); nullptr restores the real layer.
void setDialogLayer(DialogLayer *layer);

// The title a message box carries when it has none of its own.
QString applicationTitle();

// Shorthands for the common message boxes.
MsgResult msgBox(const QString &text, MsgButtons buttons = MsgButtons::Ok,
                 MsgIcon icon = MsgIcon::None, const QString &title = QString(),
                 MsgResult defaultButton = MsgResult::Ok);
// A question with Yes and No, No being the default.
bool askYesNo(const QString &text, const QString &title, MsgIcon icon = MsgIcon::Question);

// Splits a "(*.bak)|*.bak" filter into the form Qt's dialogs take:
// "(*.bak) (*.bak)"; each description is followed by its patterns.
QString qtFilter(const QString &filter);

// The real layer, on Qt's widgets.
class QtDialogLayer : public DialogLayer {
public:
    MsgResult message(const MessageRequest &request) override;
    std::optional<QString> openFile(const FileRequest &request) override;
    std::optional<QString> saveFile(const FileRequest &request) override;
    bool startProgram(const QString &program, const QStringList &arguments) override;
    void setWaitCursor(bool wait) override;
    int execModal(QDialog &dialog) override;
};

} // namespace corv
