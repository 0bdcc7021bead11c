#pragma once

#include <QString>

class QFileDialog;
class QWidget;

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
    virtual QString FileName() const = 0;
};

// The real dialog: one QFileDialog, named "cdlg", a child of the main window. No title,
// filter or start folder is set, so it shows the standard titles and lists all files.
class CommonDialog : public FileDialog
{
public:
    explicit CommonDialog(QWidget* parent);

    bool ShowOpen() override;
    bool ShowSave() override;
    QString FileName() const override { return m_fileName; }

private:
    bool show();

    QFileDialog* m_dialog; // owned by the parent window
    QString m_fileName;
};

} // namespace vantrel
