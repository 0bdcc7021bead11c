#include "language/ProblemMarks.h"

#include <QTextDocument>
#include <algorithm>

namespace vantrel {
namespace {

bool before(const ProblemMarks::Mark& mark, int position)
{
    return mark.position < position;
}

} // namespace

bool ProblemMarks::set(std::vector<ScriptProblem> problems, const QTextDocument& document)
{
    std::vector<Mark> marks;
    marks.reserve(problems.size());
    const std::size_t lead = FirstToShow(problems);
    for (ScriptProblem& problem : problems) {
        const int at = int(problem.offset);
        const bool blockOpener =
            document.characterAt(at) == u';' && document.characterAt(at + 1) == u'*';
        marks.push_back({at, blockOpener ? 2 : 1, std::move(problem), marks.size() == lead});
    }
    // A note may lie before the error it explains.
    std::ranges::stable_sort(marks, {}, &Mark::position);
    const bool moved = !std::ranges::equal(marks, m_marks, [](const Mark& a, const Mark& b) {
        return a.position == b.position && a.length == b.length;
    });
    m_marks = std::move(marks);
    return moved;
}

const ProblemMarks::Mark& ProblemMarks::first() const
{
    const auto lead = std::ranges::find_if(m_marks, &Mark::lead);
    return lead != m_marks.end() ? *lead : m_marks.front();
}

void ProblemMarks::edited(int position, int removed, int added)
{
    // Marks that end before the edit stay, those it touches go, those after it move along.
    const auto touched = std::partition_point(m_marks.begin(), m_marks.end(), [&](const Mark& m) {
        return m.position + m.length <= position;
    });
    const auto after = std::lower_bound(touched, m_marks.end(), position + removed, before);
    for (auto mark = after; mark != m_marks.end(); ++mark)
        mark->position += added - removed;
    m_marks.erase(touched, after);
}

std::span<const ProblemMarks::Mark> ProblemMarks::between(int from, int to) const
{
    const auto first = std::lower_bound(m_marks.begin(), m_marks.end(), from, before);
    const auto last = std::lower_bound(first, m_marks.end(), to, before);
    return {first, last};
}

const ProblemMarks::Mark* ProblemMarks::at(int position) const
{
    auto mark = std::lower_bound(m_marks.begin(), m_marks.end(), position + 1, before);
    if (mark == m_marks.begin())
        return nullptr;
    --mark;
    return position < mark->position + mark->length ? &*mark : nullptr;
}

QString ProblemMarks::describe(const ScriptProblem& problem)
{
    // An error goes without saying; a warning or a note says what it is.
    const QString weight =
        problem.severity == Severity::Error
            ? QString()
            : QLatin1String(SeverityWord(problem.severity)) + QStringLiteral(": ");
    return QStringLiteral("Line %1, column %2: %3%4")
        .arg(problem.line)
        .arg(problem.column)
        .arg(weight, QString::fromStdString(problem.message));
}

} // namespace vantrel
