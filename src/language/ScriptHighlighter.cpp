#include "language/ScriptHighlighter.h"

#include "editor/EditorText.h"
#include "language/IdleCheck.h"
#include "language/ProblemMarks.h"
#include "language/ScriptColours.h"
#include "script/FunctionList.h"
#include "script/ScriptWords.h"

#include <QTextDocument>
#include <QTextLayout>
#include <limits>

namespace vantrel {
namespace {

QTextCharFormat coloured(const QColor& colour)
{
    QTextCharFormat format;
    format.setForeground(colour);
    return format;
}

const QTextCharFormat* wordFormat(std::u16string_view word, const FunctionList* functions)
{
    static const QTextCharFormat opener = coloured(ScriptColours::FormOpener);
    static const QTextCharFormat kind = coloured(ScriptColours::ScriptKind);
    static const QTextCharFormat call = coloured(ScriptColours::Call);
    static const QTextCharFormat listed = coloured(ScriptColours::ListedFunction);
    static const QTextCharFormat constant = coloured(ScriptColours::Constant);
    const WordKind wordKind = ClassifyWord(word);
    if (functions && (wordKind == WordKind::Other || wordKind == WordKind::Call) &&
        functions->find(word))
        return &listed;
    switch (wordKind) {
    case WordKind::FormOpener:
        return &opener;
    case WordKind::ScriptKind:
        return &kind;
    case WordKind::Call:
        return &call;
    case WordKind::Truth:
        return &constant;
    case WordKind::Other:
        break;
    }
    return nullptr;
}

const QTextCharFormat* tokenFormat(const Token& token, std::u16string_view text,
                                   const FunctionList* functions)
{
    static const QTextCharFormat comment = coloured(ScriptColours::Comment);
    static const QTextCharFormat string = coloured(ScriptColours::String);
    static const QTextCharFormat constant = coloured(ScriptColours::Constant);
    static const QTextCharFormat parenthesis = coloured(ScriptColours::Parenthesis);
    switch (token.kind) {
    case TokenKind::Comment:
    case TokenKind::BlockComment:
        return &comment;
    case TokenKind::String:
        return &string;
    case TokenKind::Number:
        return &constant;
    case TokenKind::Open:
    case TokenKind::Close:
        return &parenthesis;
    case TokenKind::Word:
        return wordFormat(text.substr(token.offset, token.length), functions);
    case TokenKind::Space:
    case TokenKind::LineEnd:
        break;
    }
    return nullptr;
}

// Longer blocks get colours only around the view: this many lines either side of it.
constexpr int LongBlock = 4096;
// About a megabyte of glyphs at most, a few screens' worth of lines.
constexpr std::size_t KeptGlyphs = 2000;
constexpr int LinesAround = 60;

// The stretch of a long block's text from `LinesAround` lines above the visible part to as
// many below it; it starts at a line's start, where the lexer state is known.
std::pair<int, int> around(const QString& text, std::pair<int, int> visible)
{
    int from = visible.first, to = visible.second;
    for (int lines = 0; from > 0 && lines <= LinesAround; --from)
        lines += IsLineEnd(text[from - 1].unicode()) ? 1 : 0;
    if (from > 0)
        ++from; // just past the line end
    for (int lines = 0; to < text.size() && lines < LinesAround; ++to)
        lines += IsLineEnd(text[to].unicode()) ? 1 : 0;
    return {from, to};
}

// The character that shows a problem: red, and underlined with a red wave, which alone is
// hard to see under a single parenthesis. A note's place likewise, in amber.
QTextCharFormat markFormat(const QColor& colour)
{
    QTextCharFormat format = coloured(colour);
    format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    format.setUnderlineColor(colour);
    return format;
}

} // namespace

ScriptHighlighter::ScriptHighlighter(QTextDocument* document, const ProblemMarks& marks)
    : m_document(document), m_marks(marks), m_states(document), m_blockCount(document->blockCount())
{
    m_idle.setSingleShot(true);
    m_idle.setInterval(0);
    connect(&m_idle, &QTimer::timeout, this, &ScriptHighlighter::workAhead);
    m_idle.start();
}

void ScriptHighlighter::contentsChanged(int position, int removed, int added)
{
    const int count = m_document->blockCount();
    const QTextBlock first = m_document->findBlock(position);
    QTextBlock last = m_document->findBlock(position + added);
    if (!last.isValid())
        last = m_document->lastBlock();
    const int newLast = last.blockNumber();
    m_states.replaced(first.blockNumber(), newLast - (count - m_blockCount), newLast);
    m_blockCount = count;
    Q_UNUSED(removed);
    if (!m_states.complete())
        m_idle.start();
}

std::optional<BracketPair> ScriptHighlighter::bracketPairAt(const QTextCursor& cursor, int reach)
{
    return FindBracketPair(cursor, m_states, reach);
}

void ScriptHighlighter::clear()
{
    m_idle.stop();
    for (QTextBlock block = m_document->begin(); block.isValid(); block = block.next())
        block.layout()->clearFormats();
    m_states.clear();
    m_document->markContentsDirty(0, m_document->characterCount());
}

bool ScriptHighlighter::colour(QTextBlock block, int count, const VisibleText& visible,
                               bool longBlocks)
{
    bool waiting = false;
    QTextBlock first, last;
    m_view = {block.blockNumber(), count};
    for (; block.isValid() && count > 0; block = block.next(), --count) {
        const LexState start = m_states.startOf(block);
        const bool isLong = block.length() > LongBlock;
        const std::pair<int, int> inView = isLong ? visible(block) : std::pair(0, 0);
        if (!needsColour(block, inView))
            continue;
        if (isLong && !longBlocks) {
            waiting = true;
            continue;
        }
        const auto [from, to] =
            isLong ? around(block.text(), inView) : std::pair(0, block.length());
        colourBlock(block, start, from, to);
        m_states.setPainted(block, m_generation);
        if (m_keepingGlyphs.size() > KeptGlyphs)
            m_idle.start();
        if (!first.isValid())
            first = block;
        last = block;
    }
    // New formats take effect once the layout is made again; within an edit this joins the
    // edit's own change.
    if (first.isValid())
        m_document->markContentsDirty(first.position(),
                                      last.position() + last.length() - 1 - first.position());
    return waiting;
}

bool ScriptHighlighter::needsColour(const QTextBlock& block, std::pair<int, int> visible) const
{
    if (!m_states.isPainted(block, m_generation))
        return true;
    if (block.length() <= LongBlock)
        return false;
    for (const Window& window : m_windows)
        if (window.block == block && window.length == block.length())
            return visible.first < window.from || visible.second > window.to;
    return true;
}

void ScriptHighlighter::colourBlock(QTextBlock& block, LexState start, int from, int to)
{
    static const QTextCharFormat problem = markFormat(ScriptColours::Problem);
    static const QTextCharFormat note = markFormat(ScriptColours::Note);
    const QString whole = block.text();
    const std::u16string_view text = lexerView(whole);
    QList<QTextLayout::FormatRange> ranges;
    // Qt shapes each run of one format on its own: a range goes on over spaces into the next
    // token of the same colour, so that "a" "b" or (( is one run.
    const QTextCharFormat* last = nullptr;
    Lexer lexer(text.substr(from, to - from), ScanState(text.substr(0, from), start));
    while (const std::optional<Token> token = lexer.next()) {
        const QTextCharFormat* format = tokenFormat(*token, text.substr(from), m_functions);
        const int at = from + int(token->offset), end = at + int(token->length);
        if (format && format == last)
            ranges.last().length = end - ranges.last().start;
        else if (format)
            ranges.append({at, end - at, *format});
        if (format || token->kind != TokenKind::Space)
            last = format;
    }
    // Later ranges are merged over earlier ones.
    const int position = block.position();
    for (const ProblemMarks::Mark& mark : m_marks.between(position + from, position + to))
        ranges.append({mark.position - position, mark.length,
                       mark.problem.severity == Severity::Note ? note : problem});
    block.layout()->setFormats(ranges);
    // Drawn again on every paint, a line would be shaped again each time: coloured lines
    // keep their glyphs, which makes painting them cheaper than painting plain ones.
    if (!block.layout()->cacheEnabled()) {
        block.layout()->setCacheEnabled(true);
        m_keepingGlyphs.push_back(block);
    }

    std::erase_if(m_windows,
                  [&](const Window& w) { return w.block == block || !w.block.isValid(); });
    if (block.length() > LongBlock)
        m_windows.push_back({block, block.length(), from, to});
}

void ScriptHighlighter::workAhead()
{
    if (m_keepingGlyphs.size() > KeptGlyphs)
        dropGlyphs();
    if (m_states.advance(IdleStepDeadline()))
        m_idle.start();
}

// The lines coloured longest ago, out of view, give back their glyphs; they are shaped
// again if they come into view.
void ScriptHighlighter::dropGlyphs()
{
    int from = std::numeric_limits<int>::max(), to = -1;
    while (m_keepingGlyphs.size() > KeptGlyphs / 2) {
        QTextBlock block = m_keepingGlyphs.front();
        m_keepingGlyphs.pop_front();
        const int number = block.isValid() ? block.blockNumber() : -1;
        if (number < 0 || (number >= m_view.first && number < m_view.first + m_view.second))
            continue;
        QTextLayout* layout = block.layout();
        layout->setCacheEnabled(false);
        layout->setFormats(layout->formats()); // the same colours, without the glyphs
        from = std::min(from, block.position());
        to = std::max(to, block.position() + block.length() - 1);
    }
    if (to >= from)
        m_document->markContentsDirty(from, to - from);
}

} // namespace vantrel
