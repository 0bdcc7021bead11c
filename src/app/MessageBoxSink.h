#pragma once

#include "MessageSink.h"

#include <memory>

class QMessageBox;
class QWidget;

namespace vantrel {

// The program's message boxes: each message in a modal box with the critical-error icon.
class MessageBoxSink : public MessageSink
{
public:
    explicit MessageBoxSink(QWidget* parent) : m_parent(parent) {}

    void showCritical(const QString& title, const QString& text) override;

    // The box that showCritical runs, made but not shown.
    static std::unique_ptr<QMessageBox> criticalBox(QWidget* parent, const QString& title,
                                                    const QString& text);

private:
    QWidget* m_parent;
};

} // namespace vantrel
