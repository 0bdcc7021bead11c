#pragma once

#include "files/FileDialog.h"

class QFileDialog;
class QWidget;

namespace vantrel {

// The real dialog: one QFileDialog, named "cdlg" for scripts, a child of the main window. No title,
// filter or start folder is set, so it shows the standard titles and lists all files.
// It is made when first shown: making it builds its widgets and a file system model, a
// large share of the program's start-up (the benchmark's startup figure).
class CommonDialog : public FileDialog
{
public:
    explicit CommonDialog(QWidget* parent, const QString& name = QStringLiteral("cdlg"));

    bool ShowOpen() override;
    bool ShowSave() override;
    bool ShowSaveAs() override;
    QString FileName() const override { return m_fileName; }
    void setFileName(const QString& path) override;

private:
    QFileDialog& dialog();
    bool showSave(bool replacing);
    bool show();

    QWidget* m_parent;
    QString m_name;
    QFileDialog* m_dialog = nullptr; // owned by the parent window once made
    QString m_fileName;
};

} // namespace vantrel
