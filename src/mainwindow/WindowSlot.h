#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>

namespace vantrel {

// Holds a window that exists at most once. The first show creates it (its constructor is
// its load step); it keeps its state while hidden; closing destroys it, and the next show
// creates it afresh. Showing a window that is already visible changes nothing.
template <class Window> class WindowSlot
{
public:
    using Factory = std::function<Window*()>;

    explicit WindowSlot(Factory factory) : m_factory(std::move(factory)) {}
    WindowSlot(const WindowSlot&) = delete;
    WindowSlot& operator=(const WindowSlot&) = delete;
    // The owner is going away: a window still loaded is released without telling anyone,
    // so that no reaction to its release reaches an owner that is half destroyed.
    ~WindowSlot()
    {
        if (m_window) {
            m_window->disconnect();
            delete m_window.data();
        }
    }

    // Creates the window when it is not loaded, then makes it visible, modelessly. Null,
    // showing nothing, when the window cannot be made.
    Window* show()
    {
        if (!m_window) {
            m_window = m_factory();
            if (!m_window)
                return nullptr;
            m_window->setAttribute(Qt::WA_DeleteOnClose);
        }
        if (!m_window->isVisible())
            m_window->show();
        return m_window.data();
    }

    // The loaded window, or null when it is not loaded.
    Window* window() const { return m_window.data(); }

private:
    Factory m_factory;
    QPointer<Window> m_window;
};

} // namespace vantrel
