#pragma once

#include <QString>

namespace vantrel {

// Where the file store's failure messages go: a modal box in the program, a recorder in
// tests, so that no test ever waits on a box.
class MessageSink
{
public:
    virtual ~MessageSink() = default;
    // Shows a critical-error message with an OK button and returns once it is dismissed.
    virtual void showCritical(const QString& title, const QString& text) = 0;
};

} // namespace vantrel
