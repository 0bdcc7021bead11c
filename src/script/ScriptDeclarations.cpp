#include "script/ScriptDeclarations.h"

#include <algorithm>
#include <array>

namespace vantrel {
namespace {

constexpr std::array<std::u16string_view, 16> Forms{
    u"begin",  u"begin_random", u"cond",   u"if",          u"set",           u"and",
    u"or",     u"not",          u"sleep",  u"sleep_until", u"sleep_forever", u"wake",
    u"script", u"global",       u"thread", u"inspect"};

constexpr std::array<std::u16string_view, 6> ScriptTypes{u"startup", u"dormant", u"continuous",
                                                         u"static",  u"stub",    u"command_script"};

// Value types a static script may return. Only used to tell `(script static TYPE (name
// (TYPE param)))` from `(script static name (call ...))`, where a name cannot be a type.
constexpr std::array<std::u16string_view, 40> ValueTypes{u"void",
                                                         u"boolean",
                                                         u"real",
                                                         u"short",
                                                         u"long",
                                                         u"string",
                                                         u"script",
                                                         u"trigger_volume",
                                                         u"cutscene_flag",
                                                         u"cutscene_camera_point",
                                                         u"cutscene_title",
                                                         u"cutscene_recording",
                                                         u"device_group",
                                                         u"ai",
                                                         u"ai_command_list",
                                                         u"ai_command_script",
                                                         u"ai_behavior",
                                                         u"starting_profile",
                                                         u"conversation",
                                                         u"navpoint",
                                                         u"hud_message",
                                                         u"object_list",
                                                         u"sound",
                                                         u"effect",
                                                         u"damage",
                                                         u"looping_sound",
                                                         u"animation_graph",
                                                         u"actor_variant",
                                                         u"damage_effect",
                                                         u"object_definition",
                                                         u"game_difficulty",
                                                         u"team",
                                                         u"object",
                                                         u"unit",
                                                         u"vehicle",
                                                         u"weapon",
                                                         u"device",
                                                         u"scenery",
                                                         u"object_name",
                                                         u"ai_line"};

template <std::size_t N>
bool listed(const std::array<std::u16string_view, N>& list, std::u16string_view word)
{
    return std::find(list.begin(), list.end(), word) != list.end();
}

// Names are compared without regard to case; they are ASCII in practice, and any other
// character is compared as it is.
std::u16string lowered(std::u16string_view word)
{
    std::u16string lower(word);
    for (char16_t& c : lower)
        if (c >= u'A' && c <= u'Z')
            c = char16_t(c - u'A' + u'a');
    return lower;
}

std::string utf8(std::u16string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF)
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += char(0xE0 | (c >> 12));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xF0 | (c >> 18));
            out += char(0x80 | ((c >> 12) & 0x3F));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string quoted(std::u16string_view word)
{
    return '\'' + utf8(word) + '\'';
}

// What the C-like dialect has at its top level and the parenthesised language never has
// there: a `//` or `/*` comment, a brace, an assignment.
bool isOtherDialect(std::u16string_view word)
{
    return word.starts_with(u"//") || word.starts_with(u"/*") || word == u"=" ||
           word.find_first_of(u"{}") != std::u16string_view::npos;
}

} // namespace

std::span<const std::u16string_view> LanguageForms()
{
    return Forms;
}

void DeclarationReader::take(const Token& token, std::u16string_view piece, ScriptChecker& places)
{
    const std::u16string_view text = piece.substr(token.offset, token.length);
    if (token.kind == TokenKind::Close && m_justOpened)
        problem(m_opened, "empty form '()'", Severity::Warning);
    m_justOpened = false;
    if (m_depth == 0)
        takeAtTop(token, text, places, piece);
    else
        takeInForm(token, text, places, piece);
}

void DeclarationReader::takeAtTop(const Token& token, std::u16string_view text,
                                  ScriptChecker& places, std::u16string_view piece)
{
    switch (token.kind) {
    case TokenKind::Open:
        m_opened = places.placeOf(piece, token.offset);
        m_justOpened = true;
        m_depth = 1;
        m_elements.clear();
        m_elementCount = 0;
        m_strayRun = false;
        return;
    case TokenKind::Close:
        m_lost = true; // the structure check reports it
        return;
    default:
        break;
    }
    if (token.kind == TokenKind::Word && !m_otherDialect && isOtherDialect(text))
        m_otherDialect = places.placeOf(piece, token.offset);
    // A byte order mark opening the file, read as UTF-8 or as Windows-1252 letters, is no
    // text of the script.
    if (token.kind == TokenKind::Word && (text == u"\uFEFF" || text == u"\u00EF\u00BB\u00BF") &&
        places.placeOf(piece, token.offset).offset == 0)
        return;
    // One problem for a run of stray text; after a ')' that closed nothing, the top level
    // may be anywhere, so say nothing.
    if (m_lost || m_strayRun)
        return;
    m_strayRun = true;
    problem(places.placeOf(piece, token.offset),
            token.kind == TokenKind::String ? "string outside every form"
                                            : quoted(text) + " is outside every form",
            Severity::Warning);
}

void DeclarationReader::takeInForm(const Token& token, std::u16string_view text,
                                   ScriptChecker& places, std::u16string_view piece)
{
    // Only the first few elements are kept: a declaration needs no more.
    constexpr std::size_t Kept = 5;
    Element* form =
        m_elementCount > 0 && m_elementCount <= Kept && m_elements.back().kind == TokenKind::Open
            ? &m_elements.back()
            : nullptr;
    switch (token.kind) {
    case TokenKind::Open: {
        const Place place = places.placeOf(piece, token.offset);
        m_opened = place;
        m_justOpened = true;
        if (m_depth == 1) {
            if (++m_elementCount <= Kept)
                m_elements.push_back({TokenKind::Open, {}, place, place, true});
        } else if (m_depth == 2 && form) {
            if (form->word.empty())
                form->parameterList = false; // a form first: no name heads this one
            m_pairOk = true;
            m_pairWords = 0;
        } else if (m_depth == 3) {
            m_pairOk = false;
        }
        ++m_depth;
        return;
    }
    case TokenKind::Close:
        if (m_depth == 3 && form && !(m_pairOk && m_pairWords == 2))
            form->parameterList = false;
        if (--m_depth == 0)
            formClosed();
        return;
    default:
        break;
    }
    if (m_depth == 1) {
        if (++m_elementCount <= Kept) {
            const bool word = token.kind == TokenKind::Word;
            const Place start = places.placeOf(piece, token.offset);
            Place place = start;
            std::u16string_view value = word ? text : std::u16string_view();
            // A quoted name (Compile writes one) is the name inside the quotes.
            // One running over lines, or on into the next piece, is left unread.
            if (token.kind == TokenKind::String && text.size() >= 2 && text.back() == u'"' &&
                std::none_of(text.begin(), text.end(), IsLineEnd)) {
                value = text.substr(1, text.size() - 2);
                place = {start.offset + 1, start.line, start.column + 1};
            }
            m_elements.push_back({token.kind, std::u16string(value), start, place});
        }
    } else if (m_depth == 2 && form) {
        if (form->word.empty() && form->parameterList && token.kind == TokenKind::Word) {
            form->word = text;
            form->place = places.placeOf(piece, token.offset);
        } else {
            form->parameterList = false;
        }
    } else if (m_depth == 3) {
        if (token.kind == TokenKind::Word)
            ++m_pairWords;
        else
            m_pairOk = false;
    }
}

void DeclarationReader::formClosed()
{
    if (m_elements.empty() || m_elements.front().kind != TokenKind::Word)
        return;
    const std::u16string head = lowered(m_elements.front().word);
    if (head == u"script")
        scriptClosed();
    else if (head == u"global")
        globalClosed();
}

void DeclarationReader::scriptClosed()
{
    const std::vector<Element>& e = m_elements;
    const std::size_t count = e.size();
    if (count == 1)
        return problem(e[0].start, "script has no type and no name");
    if (e[1].kind != TokenKind::Word)
        return problem(e[1].start, "script has no type");
    const std::u16string type = lowered(e[1].word);
    if (!listed(ScriptTypes, type))
        return problem(e[1].start, "unknown script type " + quoted(e[1].word));
    Declaration declaration{Declaration::Kind::Script, {}, m_declarations.keep(type), {}, {}};
    std::size_t at = 2; // where the name is
    if ((type == u"static" || type == u"stub") && count > 2 && e[2].kind == TokenKind::Word) {
        const bool aType = listed(ValueTypes, lowered(e[2].word));
        const bool typeFirst =
            count > 3 && (e[3].kind == TokenKind::Word || (e[3].kind == TokenKind::Open && aType));
        if (typeFirst || (count == 3 && aType)) {
            declaration.returnType = m_declarations.keep(e[2].word);
            at = 3;
        } else if (count > 3 && e[3].kind == TokenKind::Open && e[3].parameterList &&
                   !listed(Forms, lowered(e[3].word))) {
            return; // an unlisted return type and parameters, or a name and a call: unsure
        }
    }
    if (at >= count)
        return problem(e[at - 1].start, "script has no name");
    const Element& name = e[at];
    if (name.kind == TokenKind::Open) {
        // Later games write the name with its parameters, `(name (TYPE param) ...)`; a
        // body form there (`(begin ...)`) means the name was left out.
        if (name.word.empty() || listed(Forms, lowered(name.word)))
            return problem(name.start, "script has no name");
        if (name.parameterList)
            this->name(name, std::move(declaration));
        return;
    }
    if (name.kind == TokenKind::Number)
        return problem(name.start, "script name must be a word");
    if (name.word.empty())
        return; // a string over lines, or ""
    const std::u16string lower = lowered(name.word);
    if (lower == u"begin" || lower == u"if" || lower == u"cond")
        return problem(name.start, "script cannot be named " + quoted(name.word));
    this->name(name, std::move(declaration));
}

void DeclarationReader::globalClosed()
{
    const std::vector<Element>& e = m_elements;
    const std::size_t parts = m_elementCount - 1;
    const bool named = parts >= 2 && e[2].kind == TokenKind::Word;
    if (parts < 2)
        return problem(e[0].start, "global needs a type, a name and a value");
    if (parts == 2)
        return problem(e[0].start, named ? "global " + quoted(e[2].word) + " has no value"
                                         : "global needs a type, a name and a value");
    if (parts > 3)
        return problem(e[4].start, named
                                       ? "global " + quoted(e[2].word) + " has more than one value"
                                       : "global has more than one value");
    if (named && e[1].kind == TokenKind::Word)
        name(e[2], {Declaration::Kind::Global, {}, m_declarations.keep(e[1].word), {}, {}});
}

void DeclarationReader::name(const Element& element, Declaration declaration)
{
    declaration.name = m_declarations.keep(element.word);
    declaration.place = element.place;
    const bool script = declaration.kind == Declaration::Kind::Script;
    const Declaration* first = m_declarations.find(declaration.kind, declaration.name);
    // A static may replace a stub of the same name, once.
    const bool replacesStub =
        first && script && first->type == u"stub" && declaration.type == u"static";
    if (first && !replacesStub)
        problem(element.place, (script ? "script " : "global ") + quoted(element.word) +
                                   " is already declared on line " +
                                   std::to_string(first->place.line));
    m_declarations.add(declaration, replacesStub);
}

void DeclarationReader::problem(const Place& place, std::string message, Severity severity)
{
    m_problems.push_back({place.offset, place.line, place.column, std::move(message), severity});
}

ScriptReading DeclarationReader::finish(std::vector<ScriptProblem> structure)
{
    if (m_otherDialect) {
        const Place& at = *m_otherDialect;
        return {{{at.offset, at.line, at.column,
                  "file is in the C-like dialect, not the parenthesised language: not checked",
                  Severity::Note}},
                {}};
    }
    return {InTextOrder(std::move(structure), std::move(m_problems)), std::move(m_declarations)};
}

ScriptReading ReadScript(std::u16string_view text, const FunctionList* functions)
{
    ScriptReader reader(functions);
    reader.add(text);
    return reader.finish();
}

} // namespace vantrel
