#pragma once

#include <QString>

namespace vantrel {

// The main window's one file dialog, shared by the load and save commands for the whole
// run. FileName is the path chosen the last time the dialog was confirmed; it starts empty
// and a cancelled dialog leaves it as it was.
class FileDialog
{
public:
    virtual ~FileDialog() = default;
    // Each shows the modal dialog and returns false when the user cancelled it.
    virtual bool ShowOpen() = 0;
    virtual bool ShowSave() = 0;
    // The save dialog of a save that replaces the file: a name without an extension gets
    // ".hsc", and an existing file is replaced only after the dialog's own question.
    virtual bool ShowSaveAs() = 0;
    virtual QString FileName() const = 0;
    // A file opened without the dialog (from the command line, by a drop): the dialog
    // offers it next, as it would after choosing it.
    virtual void setFileName(const QString& path) = 0;
};

} // namespace vantrel
