#include "navigation/DeclarationSource.h"

#include "editor/ScriptEditor.h"
#include "language/EditorLanguageSupport.h"
#include "language/IdleCheck.h"

namespace vantrel {
namespace {

EditorLanguageSupport* languageOf(const ScriptEditor& editor)
{
    return dynamic_cast<EditorLanguageSupport*>(editor.language());
}

} // namespace

QString toQString(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), qsizetype(text.size()));
}

DeclarationSource::DeclarationSource(ScriptEditor& editor) : QObject(&editor), m_editor(editor)
{
    if (EditorLanguageSupport* language = languageOf(editor))
        connect(language, &EditorLanguageSupport::declarationsRead, this,
                &DeclarationSource::refresh);
}

void DeclarationSource::refresh()
{
    if (const EditorLanguageSupport* language = languageOf(m_editor);
        language && language->declarationsRevision() > m_revision)
        take(language->declarations(), language->declarationsRevision());
}

void DeclarationSource::take(std::shared_ptr<const Declarations> declarations, int revision)
{
    m_declarations = std::move(declarations);
    m_revision = revision;
    emit changed();
}

const Declarations& DeclarationSource::current()
{
    refresh();
    const int revision = m_editor.document()->revision();
    if (m_revision != revision)
        take(std::make_shared<const Declarations>(
                 ReadDocument(*m_editor.document(), m_editor.textFormat().lineEnd).declarations),
             revision);
    return *m_declarations;
}

const Declarations& DeclarationSource::latest()
{
    refresh(); // never a read of its own: this is asked on every cursor move
    return *m_declarations;
}

const Declaration* DeclarationSource::find(const QString& name)
{
    // A stub stands in for a static written further on: the static is the definition.
    const Declaration* found = nullptr;
    for (const Declaration& d : current())
        if (toQString(d.name).compare(name, Qt::CaseInsensitive) == 0) {
            if (d.type != u"stub")
                return &d;
            if (!found)
                found = &d;
        }
    return found;
}

bool DeclarationSource::isDeclared(const QString& name)
{
    return latest().declares(
        {reinterpret_cast<const char16_t*>(name.utf16()), std::size_t(name.size())});
}

} // namespace vantrel
