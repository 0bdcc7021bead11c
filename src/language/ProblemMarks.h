#pragma once

#include "script/ScriptCheck.h"

#include <QString>

class QTextDocument;
#include <span>
#include <vector>

namespace vantrel {

// The problems of the last structure check, at their places in the editor, in the order of
// those places. An edit moves the marks after it along and drops the ones it touched, until
// the next check.
class ProblemMarks
{
public:
    struct Mark
    {
        int position;
        int length; // the character that shows the problem; both of ";*"
        ScriptProblem problem;
        bool lead = false; // the one to show first
    };

    // Takes the problems of a new check of the document; false when their places are those
    // already marked.
    bool set(std::vector<ScriptProblem> problems, const QTextDocument& document);
    void edited(int position, int removed, int added);

    bool empty() const { return m_marks.empty(); }
    int count() const { return int(m_marks.size()); }
    // The mark to show first: where the mistake most likely is (see FirstToShow), which for
    // a note lies elsewhere than the first error.
    const Mark& first() const;
    // The marks that start in [from, to).
    std::span<const Mark> between(int from, int to) const;
    const Mark* at(int position) const;

    // "Line 3, column 5: ')' closes nothing", "Line 4, column 1: warning: empty form '()'"
    static QString describe(const ScriptProblem& problem);

private:
    std::vector<Mark> m_marks;
};

} // namespace vantrel
