#include "FileDialog.h"

#include <QFileDialog>

namespace vantrel {

CommonDialog::CommonDialog(QWidget* parent) : m_dialog(new QFileDialog(parent))
{
    Q_ASSERT(parent);
    m_dialog->setObjectName(QStringLiteral("cdlg"));
    // A save appends to the chosen name with ".hsc" behind it and never replaces a file,
    // so there is nothing to confirm.
    m_dialog->setOption(QFileDialog::DontConfirmOverwrite);
}

bool CommonDialog::ShowOpen()
{
    m_dialog->setAcceptMode(QFileDialog::AcceptOpen);
    m_dialog->setFileMode(QFileDialog::ExistingFile);
    return show();
}

bool CommonDialog::ShowSave()
{
    m_dialog->setAcceptMode(QFileDialog::AcceptSave);
    m_dialog->setFileMode(QFileDialog::AnyFile);
    return show();
}

bool CommonDialog::show()
{
    if (m_dialog->exec() != QDialog::Accepted)
        return false;
    const QStringList chosen = m_dialog->selectedFiles();
    if (chosen.isEmpty())
        return false;
    m_fileName = chosen.first();
    return true;
}

} // namespace vantrel
