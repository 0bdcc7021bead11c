#include "language/EditorLanguageSupport.h"

#include "editor/EditorText.h"
#include "editor/ScriptEditor.h"
#include "language/ScriptColours.h"

#include <QAction>
#include <QMenu>
#include <QScrollBar>
#include <QTextLayout>
#include <limits>

namespace vantrel {
namespace {

constexpr int TypingPauseMilliseconds = 400;
constexpr int ScrollPauseMilliseconds = 150;
// How far the partner of a parenthesis is looked for, in lines each way: forms longer than
// this are rare, and the search must stay well below a keystroke's time.
constexpr int PartnerReach = 2000;
const QString PartnerGroup = QStringLiteral("partner");

QTextEdit::ExtraSelection partnerMark(QTextDocument* document, int position)
{
    QTextEdit::ExtraSelection mark;
    mark.cursor = QTextCursor(document);
    mark.cursor.setPosition(position);
    mark.cursor.setPosition(position + 1, QTextCursor::KeepAnchor);
    mark.format.setBackground(ScriptColours::PartnerBackground);
    mark.format.setForeground(ScriptColours::PartnerText);
    return mark;
}

} // namespace

EditorLanguageSupport::EditorLanguageSupport(ScriptEditor& editor)
    : m_editor(editor), m_highlighter(editor.document(), m_marks),
      m_idleCheck(*editor.document(), [this](ScriptReading reading, int revision) {
          checked(std::move(reading), revision);
      })
{
    m_check.setSingleShot(true);
    m_check.setInterval(TypingPauseMilliseconds);
    m_partner.setSingleShot(true);
    m_partner.setInterval(0);
    m_longBlocks.setSingleShot(true);
    m_longBlocks.setInterval(ScrollPauseMilliseconds);
    connect(&m_longBlocks, &QTimer::timeout, this, [this] { colourInView(true); });
    connect(&m_check, &QTimer::timeout, this,
            [this] { m_idleCheck.start(m_editor.textFormat().lineEnd); });
    connect(&m_partner, &QTimer::timeout, this, &EditorLanguageSupport::showPartner);
    connect(editor.document(), &QTextDocument::contentsChange, this,
            &EditorLanguageSupport::contentsChanged);
    connect(&editor, &QPlainTextEdit::cursorPositionChanged, &m_partner,
            qOverload<>(&QTimer::start));
    // Blocks scrolled into view get their colours before they are painted.
    connect(editor.verticalScrollBar(), &QScrollBar::valueChanged, this,
            [this] { colourInView(); });
    addProblemStep("nextProblem", QStringLiteral("Next Problem"), QKeySequence(Qt::Key_F8), true);
    addProblemStep("previousProblem", QStringLiteral("Previous Problem"),
                   QKeySequence(Qt::SHIFT | Qt::Key_F8), false);
    m_check.start(0);
}

// Editor actions, so the keys work anywhere in the window and the context menu lists them
// with their shortcuts; they go with the language support.
void EditorLanguageSupport::addProblemStep(const char* name, const QString& text,
                                           const QKeySequence& key, bool next)
{
    auto* action = new QAction(text, this);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(key);
    action->setShortcutContext(Qt::WindowShortcut);
    action->setShortcutVisibleInContextMenu(true);
    connect(action, &QAction::triggered, this, [this, next] { goToNeighbourProblem(next); });
    m_editor.addAction(action);
}

void EditorLanguageSupport::contentsChanged(int position, int removed, int added)
{
    const int marks = m_marks.count();
    m_marks.edited(position, removed, added);
    if (m_marks.count() != marks)
        describeProblems();
    m_highlighter.contentsChanged(position, removed, added);
    colourInView(true); // the edit makes the layouts of the blocks it touched again anyway
    m_idleCheck.cancel();
    m_check.start(TypingPauseMilliseconds);
}

void EditorLanguageSupport::colourInView(bool longBlocks)
{
    // No more blocks than lines fit in view: a block is at least one line high.
    const int lines =
        m_editor.viewport()->height() / std::max(1, m_editor.fontMetrics().lineSpacing());
    const auto visible = [this](const QTextBlock& block) { return visibleText(block); };
    if (m_highlighter.colour(m_editor.firstBlockInView(), lines + 2, visible, longBlocks))
        m_longBlocks.start();
}

std::pair<int, int> EditorLanguageSupport::visibleText(const QTextBlock& block) const
{
    const QTextLayout* layout = block.layout();
    if (layout->lineCount() == 0)
        return {0, 0}; // not laid out: not painted yet either
    const QRectF box = m_editor.blockRectInView(block);
    const auto lineAt = [&](qreal y) {
        int low = 0, high = layout->lineCount() - 1;
        while (low < high) {
            const int middle = (low + high + 1) / 2;
            if (box.top() + layout->lineAt(middle).y() <= y)
                low = middle;
            else
                high = middle - 1;
        }
        return layout->lineAt(low);
    };
    const QTextLine first = lineAt(0), last = lineAt(m_editor.viewport()->height());
    return {first.textStart(), last.textStart() + last.textLength()};
}

void EditorLanguageSupport::makePlain()
{
    m_check.stop();
    m_idleCheck.cancel();
    m_highlighter.clear();
    m_editor.setSelectionGroup(PartnerGroup, {});
    m_editor.setDescriptionPart(ScriptEditor::DescriptionPart::Problems, QString());
}

void EditorLanguageSupport::checked(ScriptReading reading, int revision)
{
    m_declarations = std::move(reading.declarations);
    m_declarationsRevision = revision;
    emit declarationsRead();
    if (m_marks.set(std::move(reading.problems), *m_editor.document())) {
        m_highlighter.marksChanged();
        colourInView(true);
    }
    describeProblems();
}

// A screen reader says the first problem when the editor gets focus.
void EditorLanguageSupport::describeProblems()
{
    const int count = m_marks.count();
    const QString first = count > 0 ? ProblemMarks::describe(m_marks.first().problem) : QString();
    m_editor.setDescriptionPart(
        ScriptEditor::DescriptionPart::Problems,
        count == 0   ? QString()
        : count == 1 ? QStringLiteral("Problem: %1").arg(first)
                     : QStringLiteral("First of %1 problems: %2").arg(count).arg(first));
}

void EditorLanguageSupport::showPartner()
{
    QList<QTextEdit::ExtraSelection> marks;
    if (const auto pair = m_highlighter.bracketPairAt(m_editor.textCursor(), PartnerReach))
        marks = {partnerMark(m_editor.document(), pair->at),
                 partnerMark(m_editor.document(), pair->partner)};
    m_editor.setSelectionGroup(PartnerGroup, marks);
}

QString EditorLanguageSupport::toolTipAt(QPoint point, QRect& area) const
{
    const int position = m_editor.cursorForPosition(point).position();
    // The cursor position nearest the point is on either side of the character under it.
    const ProblemMarks::Mark* mark = m_marks.at(position);
    if (!mark)
        mark = m_marks.at(position - 1);
    if (!mark)
        return {};
    QTextCursor from(m_editor.document()), to(m_editor.document());
    from.setPosition(mark->position);
    to.setPosition(mark->position + mark->length);
    area = m_editor.cursorRect(from).united(m_editor.cursorRect(to));
    return area.contains(point) ? ProblemMarks::describe(mark->problem) : QString();
}

void EditorLanguageSupport::addActions(QMenu& menu)
{
    menu.addSeparator();
    QAction* go =
        menu.addAction(QStringLiteral("Go to Problem"), this, &EditorLanguageSupport::goToProblem);
    go->setObjectName(QStringLiteral("goToProblem"));
    go->setEnabled(!m_marks.empty());
}

void EditorLanguageSupport::goToProblem()
{
    if (m_marks.empty())
        return;
    QTextCursor cursor(m_editor.document());
    cursor.setPosition(m_marks.first().position);
    m_editor.setTextCursor(cursor);
    m_editor.ensureCursorVisible();
    m_editor.setFocus();
}

void EditorLanguageSupport::goToNeighbourProblem(bool next)
{
    if (m_marks.empty())
        return;
    const QTextCursor cursor = m_editor.textCursor();
    const auto all = m_marks.between(0, std::numeric_limits<int>::max());
    const auto before = m_marks.between(0, next ? cursor.position() + 1 : cursor.selectionStart());
    const ProblemMarks::Mark& mark =
        next ? (before.size() == all.size() ? all.front() : all[before.size()])
             : (before.empty() ? all.back() : before.back());
    QTextCursor to(m_editor.document());
    to.setPosition(mark.position);
    m_editor.setTextCursor(to);
    m_editor.ensureCursorVisible();
    m_editor.setFocus();
}

void setLanguageSupport(ScriptEditor& editor, bool on)
{
    if (on == hasLanguageSupport(editor))
        return;
    if (on) {
        editor.setLanguage(std::make_unique<EditorLanguageSupport>(editor));
        return;
    }
    static_cast<EditorLanguageSupport*>(editor.language())->makePlain();
    editor.setLanguage(nullptr);
}

bool hasLanguageSupport(const ScriptEditor& editor)
{
    return dynamic_cast<const EditorLanguageSupport*>(editor.language()) != nullptr;
}

} // namespace vantrel
