#include "MessageBoxSink.h"

#include <QMessageBox>

namespace vantrel {

void MessageBoxSink::showCritical(const QString& title, const QString& text)
{
    criticalBox(m_parent, title, text)->exec();
}

std::unique_ptr<QMessageBox> MessageBoxSink::criticalBox(QWidget* parent, const QString& title,
                                                         const QString& text)
{
    auto box =
        std::make_unique<QMessageBox>(QMessageBox::Critical, title, text, QMessageBox::Ok, parent);
    box->setTextFormat(Qt::PlainText);
    return box;
}

} // namespace vantrel
