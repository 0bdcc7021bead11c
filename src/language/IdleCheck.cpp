#include "language/IdleCheck.h"

#include "editor/EditorText.h"

#include <QTextDocument>

namespace vantrel {

IdleCheck::IdleCheck(const QTextDocument& document, Done done)
    : m_document(document), m_done(std::move(done))
{
    m_step.setSingleShot(true);
    m_step.setInterval(0);
    connect(&m_step, &QTimer::timeout, this, &IdleCheck::step);
}

void IdleCheck::start()
{
    m_checker.emplace(m_functions);
    m_next = m_document.firstBlock();
    step();
}

void IdleCheck::cancel()
{
    m_checker.reset();
    m_step.stop();
}

void IdleCheck::step()
{
    if (!m_checker)
        return;
    const QDeadlineTimer deadline = IdleStepDeadline();
    static constexpr char16_t Break[] = {EditorChar::ParagraphBreak};
    for (int blocks = 1; m_next.isValid(); ++blocks) {
        m_checker->add(lexerView(m_next.text()));
        m_next = m_next.next();
        if (m_next.isValid())
            m_checker->add({Break, 1});
        if (blocks % 16 == 0 && deadline.hasExpired()) {
            m_step.start();
            return;
        }
    }
    std::vector<ScriptProblem> problems = m_checker->finish();
    m_checker.reset();
    m_done(std::move(problems));
}

} // namespace vantrel
