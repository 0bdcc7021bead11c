#pragma once

#include "editor/EditorLanguage.h"
#include "language/IdleCheck.h"
#include "language/ProblemMarks.h"
#include "language/ScriptHighlighter.h"
#include "language/SignatureHelp.h"

#include <QKeySequence>
#include <QObject>
#include <QTimer>
#include <memory>

class QMenu;

namespace vantrel {

class FunctionList;
class ScriptEditor;

// Ties the script editor to the language: colours, the partner of the parenthesis beside
// the cursor, and the problems of the check (structure and declarations), marked where they
// are. The check runs once typing pauses and at once when the whole text is replaced. None
// of it touches the document's text or its undo history.
class EditorLanguageSupport : public QObject, public EditorLanguage
{
    Q_OBJECT

public:
    explicit EditorLanguageSupport(ScriptEditor& editor);
    ~EditorLanguageSupport() override;
    // Takes the colours and marks off the editor: its text shows plain again.
    void makePlain();

    void beforePaint() override { colourInView(); }
    void wholeTextReplaced() override { m_check.start(0); }
    // The problem under a point of the viewport, with the rectangle it covers there.
    QString toolTipAt(QPoint point, QRect& area) const override;
    void addActions(QMenu& menu) override;

    // The game's function list: its calls checked, its functions coloured, described on
    // hover and while their arguments are typed. Null for none.
    void setFunctionList(std::shared_ptr<const FunctionList> list, const QString& path);
    const FunctionList* functionList() const { return m_functions.get(); }
    // The same, for what keeps a view of it past the next setFunctionList().
    const std::shared_ptr<const FunctionList>& sharedFunctionList() const { return m_functions; }
    const QString& functionListPath() const { return m_functionListPath; }
    // The scripts and globals of the last check, and the document revision they were read
    // from; they may be older than the text.
    const std::shared_ptr<const Declarations>& declarations() const { return m_declarations; }
    int declarationsRevision() const { return m_declarationsRevision; }

signals:
    void declarationsRead();

private:
    // Colours the blocks in view; long ones only when `longBlocks` (see ScriptHighlighter),
    // else once scrolling pauses.
    void colourInView(bool longBlocks = false);
    std::pair<int, int> visibleText(const QTextBlock& block) const;
    void contentsChanged(int position, int removed, int added);
    void checked(ScriptReading reading, int revision);
    void describeProblems();
    void showPartner();
    void goToProblem();
    void showSignatureHelp();
    std::optional<std::pair<int, int>> wordAt(int position) const;
    // The next problem after the cursor, or the one before it; past the last, the first.
    void goToNeighbourProblem(bool next);
    void addProblemStep(const char* name, const QString& text, const QKeySequence& key, bool next);

    ScriptEditor& m_editor;
    ProblemMarks m_marks;
    ScriptHighlighter m_highlighter;
    IdleCheck m_idleCheck;
    QTimer m_check;
    QTimer m_partner;
    QTimer m_longBlocks;
    std::shared_ptr<const FunctionList> m_functions;
    QString m_functionListPath;
    std::unique_ptr<SignatureHelp> m_signatureHelp;
    // Shared, not copied, with what reads them after every check.
    std::shared_ptr<const Declarations> m_declarations = std::make_shared<const Declarations>();
    int m_declarationsRevision = -1;
};

// Turns an editor's language support on or off; off, its text shows plain again.
void setLanguageSupport(ScriptEditor& editor, bool on);
bool hasLanguageSupport(const ScriptEditor& editor);
// The editor's language support, or null when its text is plain.
EditorLanguageSupport* languageSupport(ScriptEditor& editor);

} // namespace vantrel
