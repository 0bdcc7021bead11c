#pragma once

#include "files/MessageSink.h"

class QWidget;

namespace vantrel {

// The program's message boxes: each message in a modal box with the critical-error icon,
// each question in one with the warning icon and a button for each answer.
class MessageBoxSink : public MessageSink
{
public:
    explicit MessageBoxSink(QWidget* parent) : m_parent(parent) {}

    void showCritical(const QString& title, const QString& text) override;
    Answer ask(const QString& title, const QString& text, const QList<Answer>& offered) override;

private:
    QWidget* m_parent;
};

} // namespace vantrel
