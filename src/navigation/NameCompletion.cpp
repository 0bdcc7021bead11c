#include "navigation/NameCompletion.h"

#include "editor/ScriptEditor.h"
#include "language/EditorLanguageSupport.h"
#include "navigation/DeclarationSource.h"
#include "navigation/NameModel.h"
#include "navigation/WordAtCursor.h"
#include "script/FunctionList.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QKeyEvent>
#include <QListView>
#include <QScrollBar>
#include <algorithm>
#include <iterator>

namespace vantrel {

NameCompletion::NameCompletion(ScriptEditor& editor, DeclarationSource& declarations)
    : QObject(&editor), m_editor(editor), m_declarations(declarations),
      m_model(new NameModel(false, this)), m_completer(new QCompleter(this))
{
    m_completer->setModel(m_model);
    m_completer->setWidget(&editor);
    m_completer->setCompletionRole(Qt::EditRole); // matched and inserted: the name alone
    m_completer->setCaseSensitivity(Qt::CaseInsensitive);
    m_completer->setModelSorting(QCompleter::CaseInsensitivelySortedModel);
    m_completer->setMaxVisibleItems(8);
    auto* popup = static_cast<QListView*>(m_completer->popup());
    popup->setUniformItemSizes(true); // a list of every name lays out without measuring each
    popup->setObjectName(QStringLiteral("completions"));
    popup->setAccessibleName(QStringLiteral("Name completions"));
    // Installed after the completer's own filter, so it sees the keys first: the editor
    // would otherwise take Enter as a new line before the completer saw it.
    popup->installEventFilter(this);
    connect(m_completer, qOverload<const QString&>(&QCompleter::activated), this,
            &NameCompletion::insert);
    connect(&declarations, &DeclarationSource::changed, this, [this] { m_stale = true; });
    connect(editor.document(), &QTextDocument::contentsChange, this, &NameCompletion::typed);
    connect(&editor, &QPlainTextEdit::cursorPositionChanged, this, &NameCompletion::follow);
}

namespace {

QString fromList(std::string_view text)
{
    return QString::fromLatin1(text.data(), qsizetype(text.size())).trimmed();
}

bool sortsBefore(const NameModel::Entry& a, const NameModel::Entry& b)
{
    return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
}

// "function void <ai> | <ai> <short>": the return type, then each overload's parameters.
std::vector<NameModel::Entry> entriesOf(const FunctionList& list)
{
    std::vector<NameModel::Entry> entries;
    entries.reserve(list.entries().size() + list.globals().size());
    for (const FunctionList::Entry& entry : list.entries()) {
        const FunctionSignature& first = list.functions()[entry.overloads.front()];
        QStringList overloads;
        for (std::uint32_t index : entry.overloads)
            overloads << fromList(list.functions()[index].parameters);
        overloads.removeAll(QString());
        QString kind = QStringLiteral("function ") + fromList(first.returnType);
        if (!overloads.isEmpty())
            kind += u' ' + overloads.join(QStringLiteral(" | "));
        entries.push_back({fromList(entry.name), kind});
    }
    for (const FunctionSignature& global : list.globals())
        entries.push_back({fromList(global.name),
                           QStringLiteral("external global ") + fromList(global.returnType)});
    std::stable_sort(entries.begin(), entries.end(), sortsBefore);
    return entries;
}

} // namespace

void NameCompletion::takeFunctionList()
{
    const EditorLanguageSupport* language = languageSupport(m_editor);
    const std::shared_ptr<const FunctionList> list =
        language ? language->sharedFunctionList() : nullptr;
    // The same list as before; or none, with nothing kept from one that has gone since.
    if (list == m_listedFrom.lock() && (list || m_listed.empty()))
        return;
    m_listedFrom = list;
    m_listed = list ? entriesOf(*list) : std::vector<NameModel::Entry>();
    m_stale = true;
}

void NameCompletion::fill()
{
    takeFunctionList();
    if (!m_stale)
        return;
    m_stale = false;
    std::vector<NameModel::Entry> own = NameModel::entriesOf(m_declarations.latest());
    for (std::u16string_view form : LanguageForms())
        own.push_back({toQString(form), QStringLiteral("form")});
    std::stable_sort(own.begin(), own.end(), sortsBefore);
    // Sorted as the completer expects, one row a name. Where names meet, the later one is
    // shown: the file's own or the language's form over the list's line for it, and the
    // static that replaces a stub over the stub.
    std::vector<NameModel::Entry> entries;
    entries.reserve(m_listed.size() + own.size());
    std::merge(m_listed.begin(), m_listed.end(), own.begin(), own.end(),
               std::back_inserter(entries), sortsBefore);
    std::vector<NameModel::Entry> names;
    names.reserve(entries.size());
    for (NameModel::Entry& entry : entries) {
        if (!names.empty() && names.back().name.compare(entry.name, Qt::CaseInsensitive) == 0)
            names.back() = std::move(entry);
        else
            names.push_back(std::move(entry));
    }
    m_model->setEntries(std::move(names));
}

void NameCompletion::offer()
{
    m_start = wordBefore(*m_editor.document(), m_editor.textCursor().position()).start;
    show();
}

void NameCompletion::show()
{
    fill();
    const int position = m_editor.textCursor().position();
    const WordAt typed = wordBefore(*m_editor.document(), position);
    m_completer->setCompletionPrefix(typed.text);
    if (m_completer->completionCount() == 0) {
        m_completer->popup()->hide();
        return;
    }
    QAbstractItemView* popup = m_completer->popup();
    popup->setCurrentIndex(m_completer->completionModel()->index(0, 0));
    // As wide as the rows that show at first: measuring every row of a long list would
    // cost more than all the rest.
    int width = 0;
    const QAbstractItemModel* shown = m_completer->completionModel();
    for (int row = 0; row < std::min(shown->rowCount(), m_completer->maxVisibleItems()); ++row)
        width = std::max(
            width, popup->fontMetrics().horizontalAdvance(shown->index(row, 0).data().toString()));
    QRect place = m_editor.cursorRect();
    place.setBottom(place.bottom() + 3); // clear of the underscores in the line
    place.setWidth(width + 2 * popup->frameWidth() + 12 +
                   popup->verticalScrollBar()->sizeHint().width());
    m_completer->complete(place);
}

// After '(' and two letters typed, the list offers itself.
void NameCompletion::typed(int position, int removed, int added)
{
    if (m_completer->popup()->isVisible() || removed != 0 || added != 1 || !m_editor.hasFocus() ||
        m_editor.textCursor().position() != position + 1)
        return;
    const WordAt word = wordBefore(*m_editor.document(), position + 1);
    const QTextDocument& document = *m_editor.document();
    // "f_" counts: names are made of words joined by underscores.
    if (word.text.size() == 2 && word.text[0].isLetter() &&
        (word.text[1].isLetterOrNumber() || word.text[1] == u'_') && word.start > 0 &&
        document.characterAt(word.start - 1) == u'(') {
        m_start = word.start;
        show();
    }
}

// While the list is open it follows what is typed, and closes when the cursor leaves
// the name.
void NameCompletion::follow()
{
    if (!m_completer->popup()->isVisible())
        return;
    const WordAt word = wordBefore(*m_editor.document(), m_editor.textCursor().position());
    if (word.start != m_start)
        m_completer->popup()->hide();
    else
        show();
}

void NameCompletion::insert(const QString& name)
{
    QTextCursor cursor = m_editor.textCursor();
    const WordAt typed = wordBefore(*m_editor.document(), cursor.position());
    cursor.setPosition(typed.start, QTextCursor::KeepAnchor);
    cursor.insertText(name);
    m_editor.setTextCursor(cursor);
}

bool NameCompletion::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    auto* popup = m_completer->popup();
    switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab: {
        const QModelIndex chosen = popup->currentIndex();
        popup->hide();
        if (chosen.isValid())
            insert(chosen.data(Qt::EditRole).toString());
        return true;
    }
    case Qt::Key_Escape:
        popup->hide();
        return true;
    default:
        return QObject::eventFilter(watched, event);
    }
}

} // namespace vantrel
