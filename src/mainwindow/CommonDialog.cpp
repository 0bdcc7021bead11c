#include "mainwindow/CommonDialog.h"

#include <QFileDialog>
#include <QFileInfo>

namespace vantrel {

CommonDialog::CommonDialog(QWidget* parent, const QString& name) : m_parent(parent), m_name(name)
{
    Q_ASSERT(parent);
}

QFileDialog& CommonDialog::dialog()
{
    if (!m_dialog) {
        m_dialog = new QFileDialog(m_parent);
        m_dialog->setObjectName(m_name);
        if (!m_fileName.isEmpty())
            m_dialog->selectFile(QFileInfo(m_fileName).absoluteFilePath());
    }
    return *m_dialog;
}

void CommonDialog::setFileName(const QString& path)
{
    m_fileName = path;
    // Not made yet: the dialog selects the file when it is made.
    if (m_dialog)
        m_dialog->selectFile(QFileInfo(path).absoluteFilePath());
}

bool CommonDialog::ShowOpen()
{
    dialog().setAcceptMode(QFileDialog::AcceptOpen);
    dialog().setFileMode(QFileDialog::ExistingFile);
    return show();
}

bool CommonDialog::ShowSave()
{
    return showSave(false);
}

bool CommonDialog::ShowSaveAs()
{
    return showSave(true);
}

bool CommonDialog::showSave(bool replacing)
{
    dialog().setAcceptMode(QFileDialog::AcceptSave);
    dialog().setFileMode(QFileDialog::AnyFile);
    // Save Script appends to the chosen name with ".hsc" behind it and never replaces a
    // file, so there is nothing to confirm. Save Script As replaces the file it names, with
    // ".hsc" added only to a name without an extension: the dialog asks about that file.
    dialog().setOption(QFileDialog::DontConfirmOverwrite, !replacing);
    dialog().setDefaultSuffix(replacing ? QStringLiteral("hsc") : QString());
    return show();
}

bool CommonDialog::show()
{
    if (dialog().exec() != QDialog::Accepted)
        return false;
    const QStringList chosen = dialog().selectedFiles();
    if (chosen.isEmpty())
        return false;
    m_fileName = chosen.first();
    return true;
}

} // namespace vantrel
