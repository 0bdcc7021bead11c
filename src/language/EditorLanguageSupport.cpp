#include "language/EditorLanguageSupport.h"

#include "editor/EditorText.h"
#include "editor/ScriptEditor.h"
#include "language/ScriptColours.h"
#include "script/CallContext.h"
#include "script/FunctionList.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QScrollBar>
#include <QTextLayout>
#include <limits>
#include <optional>

namespace vantrel {
namespace {

constexpr int TypingPauseMilliseconds = 400;
constexpr int ScrollPauseMilliseconds = 150;
// How far the partner of a parenthesis is looked for, in lines each way: forms longer than
// this are rare, and the search must stay well below a keystroke's time.
constexpr int PartnerReach = 2000;
// How far back the call around the cursor is looked for, in lines and in characters of one
// long line: the arguments of a call rarely run longer.
constexpr int SignatureReach = 50;
constexpr int SignatureCharacters = 4000;

QString escaped(std::string_view text)
{
    return QString::fromLatin1(text.data(), qsizetype(text.size())).toHtmlEscaped();
}

// What the function does, in lines as its list wrote them.
QString descriptionHtml(const FunctionSignature& signature)
{
    return escaped(FunctionList::describe(signature)).replace(u'\n', QStringLiteral("<br>"));
}

// The signature's line, one parameter underlined in bold when `marked`; its description
// below when `described`.
QString signatureHtml(const FunctionSignature& signature, const FunctionParameter* marked,
                      bool described)
{
    QString html = QStringLiteral("<code>");
    if (marked) {
        const std::size_t at = std::size_t(marked->text.data() - signature.line.data());
        html += escaped(signature.line.substr(0, at)) + QStringLiteral("<b><u>") +
                escaped(marked->text) + QStringLiteral("</u></b>") +
                escaped(signature.line.substr(at + marked->text.size()));
    } else {
        html += escaped(signature.line);
    }
    html += QStringLiteral("</code>");
    const std::string description = FunctionList::describe(signature);
    if (described && !description.empty())
        html +=
            QStringLiteral("<br>") + escaped(description).replace(u'\n', QStringLiteral("<br>"));
    return html;
}

// The parameter that the argument numbered `argument` goes to: the last one takes all the
// rest when it is repeated.
std::optional<FunctionParameter> parameterFor(const FunctionSignature& s, std::size_t argument)
{
    const std::vector<FunctionParameter> parameters = FunctionList::parametersOf(s);
    if (argument < parameters.size())
        return parameters[argument];
    if (!parameters.empty() && parameters.back().repeated)
        return parameters.back();
    return std::nullopt;
}
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
    connect(&m_partner, &QTimer::timeout, this, &EditorLanguageSupport::showSignatureHelp);
}

EditorLanguageSupport::~EditorLanguageSupport() = default;

void EditorLanguageSupport::setFunctionList(std::shared_ptr<const FunctionList> list,
                                            const QString& path)
{
    m_functions = std::move(list);
    m_functionListPath = m_functions ? path : QString();
    // Named where the text's encoding and line ends are: it is how the text is read.
    m_editor.setTextFormatNote(
        m_functions ? QStringLiteral("function list %1").arg(QFileInfo(path).fileName())
                    : QString(),
        QDir::toNativeSeparators(m_functionListPath));
    m_highlighter.setFunctions(m_functions.get());
    m_idleCheck.setFunctions(m_functions.get());
    m_highlighter.marksChanged(); // the colours of every block change
    colourInView(true);
    m_editor.viewport()->update();
    m_idleCheck.cancel();
    m_check.start(0);
    describeProblems();
    m_partner.start();
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
    m_editor.setTextFormatNote({}, {});
    m_signatureHelp.reset();
}

void EditorLanguageSupport::checked(ScriptReading reading, int revision)
{
    m_declarations = std::make_shared<const Declarations>(std::move(reading.declarations));
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
    const auto areaOf = [this](int start, int end) {
        QTextCursor from(m_editor.document()), to(m_editor.document());
        from.setPosition(start);
        to.setPosition(end);
        return m_editor.cursorRect(from).united(m_editor.cursorRect(to));
    };
    if (mark) {
        area = areaOf(mark->position, mark->position + mark->length);
        return area.contains(point) ? ProblemMarks::describe(mark->problem) : QString();
    }
    const std::optional<std::pair<int, int>> word = m_functions ? wordAt(position) : std::nullopt;
    if (!word)
        return {};
    area = areaOf(word->first, word->second);
    if (!area.contains(point))
        return {};
    QString name;
    for (int at = word->first; at < word->second; ++at)
        name += m_editor.document()->characterAt(at);
    QStringList overloads;
    if (const FunctionList::Entry* entry = m_functions->find(lexerView(name))) {
        for (std::uint32_t index : entry->overloads)
            overloads << signatureHtml(m_functions->functions()[index], nullptr, true);
    } else if (const FunctionSignature* global = m_functions->findGlobal(lexerView(name))) {
        overloads << signatureHtml(*global, nullptr, true);
    }
    return overloads.join(QStringLiteral("<hr>"));
}

// The word under a position, or just before it: [first, second) in the document.
std::optional<std::pair<int, int>> EditorLanguageSupport::wordAt(int position) const
{
    const QTextBlock block = m_editor.document()->findBlock(position);
    if (!block.isValid())
        return std::nullopt;
    const QString text = block.text();
    const int at = position - block.position();
    // Finding a block's start state only caches what is worked out anyway.
    LexState state = const_cast<ScriptHighlighter&>(m_highlighter).startOf(block);
    for (const Token& token : LexLine(lexerView(text), state)) {
        const int start = int(token.offset), end = start + int(token.length);
        if (token.kind == TokenKind::Word && start <= at && at <= end)
            return std::pair(block.position() + start, block.position() + end);
        if (start > at)
            break;
    }
    return std::nullopt;
}

void EditorLanguageSupport::showSignatureHelp()
{
    const QTextCursor cursor = m_editor.textCursor();
    if (!m_functions || cursor.hasSelection()) {
        if (m_signatureHelp)
            m_signatureHelp->hide();
        return;
    }
    QTextBlock first = cursor.block();
    for (int n = 0; n < SignatureReach && first.previous().isValid(); ++n)
        first = first.previous();
    QString text;
    for (QTextBlock block = first; block != cursor.block(); block = block.next())
        text += block.text() + QChar(EditorChar::ParagraphBreak);
    text += cursor.block().text().left(cursor.positionInBlock());
    LexState start = m_highlighter.startOf(first);
    std::u16string_view view = lexerView(text);
    if (view.size() > std::size_t(SignatureCharacters)) {
        // One long line: go on from a line start not far back, in the state it starts in.
        std::size_t from = view.size() - SignatureCharacters;
        while (from < view.size() && !IsLineEnd(view[from]))
            ++from;
        from = std::min(from + 1, view.size());
        start = ScanState(view.substr(0, from), start);
        view.remove_prefix(from);
    }
    const std::optional<CallContext> call = FindCallContext(view, start);
    const FunctionList::Entry* entry =
        call ? m_functions->find(view.substr(call->nameOffset, call->nameLength)) : nullptr;
    if (!entry) {
        if (m_signatureHelp)
            m_signatureHelp->hide();
        return;
    }
    // Every overload's line, then what the function does.
    QStringList lines;
    for (std::uint32_t index : entry->overloads) {
        const FunctionSignature& signature = m_functions->functions()[index];
        const std::optional<FunctionParameter> marked = parameterFor(signature, call->argument);
        lines << signatureHtml(signature, marked ? &*marked : nullptr, false);
    }
    const QString description = descriptionHtml(m_functions->functions()[entry->overloads.front()]);
    if (!description.isEmpty())
        lines << description;
    if (!m_signatureHelp)
        m_signatureHelp = std::make_unique<SignatureHelp>(m_editor.viewport());
    m_signatureHelp->showAt(lines.join(QStringLiteral("<br>")), m_editor.cursorRect(cursor));
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

EditorLanguageSupport* languageSupport(ScriptEditor& editor)
{
    return dynamic_cast<EditorLanguageSupport*>(editor.language());
}

bool hasLanguageSupport(const ScriptEditor& editor)
{
    return dynamic_cast<const EditorLanguageSupport*>(editor.language()) != nullptr;
}

} // namespace vantrel
