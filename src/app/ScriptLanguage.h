#pragma once

#include "IdleCheck.h"
#include "ProblemMarks.h"
#include "ScriptHighlighter.h"

#include <QObject>
#include <QTimer>

class QMenu;

namespace vantrel {

class ScriptEditor;

// What the script editor knows of the language: colours, the partner of the parenthesis
// beside the cursor, and the problems of the structure check, marked where they are. The
// check runs once typing pauses and at once when the whole text is replaced. None of it
// touches the document's text or its undo history.
class ScriptLanguage : public QObject
{
    Q_OBJECT

public:
    explicit ScriptLanguage(ScriptEditor& editor);

    // Colours the blocks in view; long ones only when `longBlocks` (see ScriptHighlighter),
    // else once scrolling pauses.
    void colourInView(bool longBlocks = false);
    void checkSoon() { m_check.start(0); }
    // The problem under a point of the viewport, with the rectangle it covers there.
    QString problemAt(QPoint point, QRect& area) const;
    void addActions(QMenu& menu);

private:
    std::pair<int, int> visibleText(const QTextBlock& block) const;
    void contentsChanged(int position, int removed, int added);
    void checked(std::vector<ScriptProblem> problems);
    void describeProblems();
    void showPartner();
    void goToProblem();

    ScriptEditor& m_editor;
    ProblemMarks m_marks;
    ScriptHighlighter m_highlighter;
    IdleCheck m_idleCheck;
    QTimer m_check;
    QTimer m_partner;
    QTimer m_longBlocks;
};

} // namespace vantrel
