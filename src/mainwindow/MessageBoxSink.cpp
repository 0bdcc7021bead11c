#include "mainwindow/MessageBoxSink.h"

#include <QMessageBox>

namespace vantrel {

void MessageBoxSink::showCritical(const QString& title, const QString& text)
{
    QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok, m_parent);
    box.setTextFormat(Qt::PlainText); // a path is shown as it is, never read as markup
    box.exec();
}

MessageSink::Answer MessageBoxSink::ask(const QString& title, const QString& text,
                                        const QList<Answer>& offered)
{
    static constexpr std::pair<Answer, QMessageBox::StandardButton> Buttons[] = {
        {Answer::Save, QMessageBox::Save},
        {Answer::Discard, QMessageBox::Discard},
        {Answer::Cancel, QMessageBox::Cancel}};
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::NoButton, m_parent);
    box.setTextFormat(Qt::PlainText);
    for (const auto& [answer, button] : Buttons)
        if (offered.contains(answer))
            box.addButton(button);
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    const int chosen = box.exec();
    for (const auto& [answer, button] : Buttons)
        if (chosen == button)
            return answer;
    return Answer::Cancel;
}

} // namespace vantrel
