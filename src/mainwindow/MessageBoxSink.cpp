#include "mainwindow/MessageBoxSink.h"

#include <QMessageBox>

namespace vantrel {

void MessageBoxSink::showCritical(const QString& title, const QString& text)
{
    QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok, m_parent);
    box.setTextFormat(Qt::PlainText); // a path is shown as it is, never read as markup
    box.exec();
}

} // namespace vantrel
