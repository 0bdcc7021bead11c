#include "find/FindBar.h"

#include "editor/EditorText.h"
#include "editor/ScriptEditor.h"
#include "find/GoToLine.h"
#include "script/ScriptLexer.h"

#include <QAction>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QShortcut>
#include <QTextBlock>
#include <QTextLayout>
#include <QToolButton>
#include <algorithm>

namespace vantrel {
namespace {

// Matches other than the selected one, on the editor's black box.
const QColor MatchBackground{100, 82, 20};

QWidget* row(QWidget* parent, std::initializer_list<std::pair<QWidget*, int>> controls)
{
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);
    for (const auto& [control, stretch] : controls)
        layout->addWidget(control, stretch);
    return row;
}

QLineEdit* field(const char* name, const QString& accessibleName, const QString& placeholder)
{
    auto* field = new QLineEdit;
    field->setObjectName(QLatin1String(name));
    field->setAccessibleName(accessibleName);
    field->setPlaceholderText(placeholder);
    return field;
}

template <class Button>
Button* button(const char* name, const QString& text, const QString& accessibleName,
               const QString& toolTip)
{
    auto* button = new Button;
    button->setObjectName(QLatin1String(name));
    button->setText(text);
    button->setAccessibleName(accessibleName);
    button->setToolTip(toolTip);
    return button;
}

} // namespace

FindBar::FindBar(ScriptEditor& editor)
    : QFrame(&editor), m_editor(editor), m_viewport(editor.viewport()), m_matches(editor)
{
    setObjectName(QStringLiteral("findBar"));
    setAccessibleName(QStringLiteral("Find"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    setContextMenuPolicy(Qt::PreventContextMenu);
    // The fields share the editor's black box; their hints must still read on it.
    QPalette colours = palette();
    colours.setColor(QPalette::PlaceholderText, QColor(128, 128, 128));
    setPalette(colours);
    buildControls();
    addActions();
    hide();
    editor.installEventFilter(this);
    m_viewport->installEventFilter(this);
    connect(&m_matches, &DocumentMatches::changed, this, [this] { showStatus(status()); });
}

void FindBar::buildControls()
{
    m_findField = field("findField", QStringLiteral("Find"), QStringLiteral("Find"));
    m_replaceField =
        field("replaceField", QStringLiteral("Replace with"), QStringLiteral("Replace with"));
    m_lineField =
        field("lineField", QStringLiteral("Go to line"), QStringLiteral("Line, or line:column"));
    auto* previous = button<QToolButton>("findPreviousButton", QStringLiteral("\u25B2"),
                                         QStringLiteral("Previous match"),
                                         QStringLiteral("Previous match (Shift+F3)"));
    auto* next =
        button<QToolButton>("findNextButton", QStringLiteral("\u25BC"),
                            QStringLiteral("Next match"), QStringLiteral("Next match (F3)"));
    auto* closer = button<QToolButton>("closeFindBar", QStringLiteral("\u2715"),
                                       QStringLiteral("Close"), QStringLiteral("Close (Esc)"));
    auto* replaceOne =
        button<QToolButton>("replaceButton", QStringLiteral("Replace"), QStringLiteral("Replace"),
                            QStringLiteral("Replace this match, then find the next"));
    auto* replaceEvery =
        button<QToolButton>("replaceAllButton", QStringLiteral("All"),
                            QStringLiteral("Replace All"), QStringLiteral("Replace All"));
    auto* go = button<QToolButton>("goButton", QStringLiteral("Go"), QStringLiteral("Go to line"),
                                   QStringLiteral("Go to line"));
    m_matchCase = button<QCheckBox>("matchCase", QStringLiteral("Match case"),
                                    QStringLiteral("Match case"), QString());
    m_wholeWord = button<QCheckBox>("wholeWord", QStringLiteral("Whole word"),
                                    QStringLiteral("Whole word"), QString());
    m_status = new QLabel;
    m_status->setObjectName(QStringLiteral("findStatus"));

    m_findRow = row(this, {{m_findField, 1}, {previous, 0}, {next, 0}});
    m_options = row(this, {{m_matchCase, 0}, {m_wholeWord, 0}});
    m_replaceRow = row(this, {{m_replaceField, 1}, {replaceOne, 0}, {replaceEvery, 0}});
    m_lineRow = row(this, {{m_lineField, 1}, {go, 0}});
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(4, 3, 3, 3);
    layout->setSpacing(3);
    layout->addWidget(m_findRow, 0, 0);
    layout->addWidget(m_lineRow, 0, 0);
    layout->addWidget(closer, 0, 1, Qt::AlignTop);
    layout->addWidget(m_replaceRow, 1, 0);
    layout->addWidget(m_options, 2, 0);
    layout->addWidget(m_status, 3, 0, 1, 2);

    // Tab goes through the bar as it reads: finding, its options, then replacing.
    QWidget* const order[] = {m_findField, previous,       next,       closer,       m_matchCase,
                              m_wholeWord, m_replaceField, replaceOne, replaceEvery, m_lineField,
                              go};
    for (size_t k = 1; k < std::size(order); ++k)
        setTabOrder(order[k - 1], order[k]);

    connect(m_findField, &QLineEdit::textEdited, this, [this] {
        m_origin = m_editor.textCursor().selectionStart();
        search();
    });
    for (QCheckBox* option : {m_matchCase, m_wholeWord})
        connect(option, &QCheckBox::toggled, this, [this] {
            m_origin = m_editor.textCursor().selectionStart();
            search();
        });
    connect(previous, &QToolButton::clicked, this, &FindBar::findPrevious);
    connect(next, &QToolButton::clicked, this, &FindBar::findNext);
    connect(closer, &QToolButton::clicked, this, &FindBar::close);
    connect(replaceOne, &QToolButton::clicked, this, &FindBar::replace);
    connect(replaceEvery, &QToolButton::clicked, this, &FindBar::replaceAll);
    connect(go, &QToolButton::clicked, this, &FindBar::goToLine);
    for (QLineEdit* field : {m_findField, m_replaceField, m_lineField})
        field->installEventFilter(this);
    // Esc closes the bar from the bar itself, and from the editor (eventFilter); not from the
    // other lists and boxes laid over the editor, which Esc closes in their turn.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &FindBar::close,
                                 Qt::WidgetWithChildrenShortcut);
    escape->setObjectName(QStringLiteral("closeFindBarShortcut"));
}

void FindBar::action(const char* name, const QString& text, const QKeySequence& key,
                     const std::function<void()>& run)
{
    auto* action = new QAction(text, this);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(key);
    // Anywhere in the window: Ctrl+F in a name box opens the bar for the editor.
    action->setShortcutContext(Qt::WindowShortcut);
    action->setShortcutVisibleInContextMenu(true);
    connect(action, &QAction::triggered, this, run);
    m_editor.addAction(action);
}

void FindBar::addActions()
{
    action("find", QStringLiteral("Find..."), QKeySequence(Qt::CTRL | Qt::Key_F),
           [this] { open(Mode::Find); });
    action("findNext", QStringLiteral("Find Next"), QKeySequence(Qt::Key_F3),
           [this] { findNext(); });
    action("findPrevious", QStringLiteral("Find Previous"), QKeySequence(Qt::SHIFT | Qt::Key_F3),
           [this] { findPrevious(); });
    action("replace", QStringLiteral("Replace..."), QKeySequence(Qt::CTRL | Qt::Key_H),
           [this] { open(Mode::Replace); });
    action("goToLine", QStringLiteral("Go to Line..."), QKeySequence(Qt::CTRL | Qt::Key_G),
           [this] { open(Mode::GoToLine); });
}

void FindBar::open(Mode mode, bool takeFocus, bool searchNow)
{
    m_mode = mode;
    m_note.clear();
    const bool finding = mode != Mode::GoToLine;
    m_findRow->setVisible(finding);
    m_options->setVisible(finding);
    m_replaceRow->setVisible(mode == Mode::Replace);
    m_lineRow->setVisible(!finding);
    const QTextCursor cursor = m_editor.textCursor();
    m_origin = cursor.selectionStart();
    QLineEdit* focused = finding ? m_findField : m_lineField;
    if (finding) {
        // A selection within one line is what the user wants to find.
        const QString selected = cursor.selectedText();
        if (!selected.isEmpty() && std::ranges::none_of(lexerView(selected), IsLineEnd))
            m_findField->setText(fromEditorText(selected));
    } else {
        m_lineField->clear();
        m_matches.stop();
        m_editor.viewport()->update();
    }
    place();
    show();
    raise();
    if (takeFocus) {
        focused->setFocus(Qt::ShortcutFocusReason);
        focused->selectAll();
    }
    if (finding && searchNow)
        search();
    else
        showStatus(QString());
}

void FindBar::close()
{
    if (isHidden())
        return;
    hide();
    m_matches.stop();
    m_editor.viewport()->update();
    m_editor.setFocus(Qt::OtherFocusReason);
}

void FindBar::place()
{
    const QRect view = m_editor.viewport()->geometry();
    const int height = sizeHint().height();
    setGeometry(view.left(), view.bottom() + 1 - height, view.width(), height);
}

TextSearch FindBar::typedSearch() const
{
    return TextSearch(m_findField->text(), {m_matchCase->isChecked(), m_wholeWord->isChecked()});
}

// Search as you type: the first match from where the search began.
void FindBar::search()
{
    m_note.clear();
    m_matches.follow(typedSearch());
    m_editor.viewport()->update();
    if (m_matches.count() == 0) {
        QTextCursor cursor = m_editor.textCursor();
        cursor.setPosition(m_origin);
        m_editor.setTextCursor(cursor);
        showStatus(status());
        return;
    }
    const int index = m_matches.firstFrom(m_origin);
    if (index == m_matches.count())
        m_note = QStringLiteral("wrapped past the end");
    select(index % m_matches.count());
}

bool FindBar::onMatch() const
{
    const QTextCursor cursor = m_editor.textCursor();
    return m_matches.indexAt(cursor.selectionStart()) >= 0 &&
           cursor.selectionEnd() - cursor.selectionStart() == m_matches.length();
}

void FindBar::step(bool forward)
{
    if (isHidden() || m_mode == Mode::GoToLine) {
        // F3 from the editor shows the bar and steps from where the editor's cursor is;
        // with nothing to find yet, the bar takes the keys.
        const bool typing = m_findField->text().isEmpty();
        open(Mode::Find, typing, false);
        if (typing)
            return;
    }
    if (m_findField->text().isEmpty())
        return;
    if (!m_matches.following())
        m_matches.follow(typedSearch());
    m_note.clear();
    const int count = m_matches.count();
    if (count == 0) {
        showStatus(status());
        return;
    }
    const QTextCursor cursor = m_editor.textCursor();
    int index;
    if (forward) {
        // From just after the start of the match that is selected, else from the cursor.
        index = m_matches.firstFrom(cursor.selectionStart() + (onMatch() ? 1 : 0));
        if (index == count) {
            index = 0;
            m_note = QStringLiteral("wrapped past the end");
        }
    } else {
        index = m_matches.firstFrom(cursor.selectionStart()) - 1;
        if (index < 0) {
            index = count - 1;
            m_note = QStringLiteral("wrapped past the start");
        }
    }
    select(index);
}

void FindBar::select(int index)
{
    const int start = m_matches.starts()[size_t(index)];
    QTextCursor cursor(m_editor.document());
    cursor.setPosition(start);
    cursor.setPosition(start + m_matches.length(), QTextCursor::KeepAnchor);
    m_editor.setTextCursor(cursor);
    // The bar covers the editor's last lines: a match under it goes to the middle.
    if (m_editor.cursorRect().bottom() >= y() - m_editor.viewport()->y())
        m_editor.centerCursor();
    showStatus(status());
}

QString FindBar::status() const
{
    if (m_mode == Mode::GoToLine || !m_matches.following() || m_matches.search().empty())
        return m_note;
    const int count = m_matches.count();
    QString counted;
    if (count == 0)
        counted = QStringLiteral("No matches");
    else if (onMatch())
        counted = QStringLiteral("%1 of %2")
                      .arg(m_matches.indexAt(m_editor.textCursor().selectionStart()) + 1)
                      .arg(count);
    else
        counted = count == 1 ? QStringLiteral("1 match") : QStringLiteral("%1 matches").arg(count);
    return m_note.isEmpty() ? counted : counted + QStringLiteral(", ") + m_note;
}

void FindBar::showStatus(const QString& status)
{
    m_status->setText(status);
    setAccessibleDescription(status);
    m_findField->setAccessibleDescription(status);
}

void FindBar::replace()
{
    if (isHidden() || m_mode != Mode::Replace)
        return open(Mode::Replace);
    if (!m_matches.following())
        m_matches.follow(typedSearch());
    if (!onMatch())
        return step(true);
    QTextCursor cursor = m_editor.textCursor();
    cursor.insertText(toEditorText(m_replaceField->text()));
    m_editor.setTextCursor(cursor);
    step(true);
}

void FindBar::replaceAll()
{
    if (!m_matches.following())
        m_matches.follow(typedSearch());
    const std::vector<int> starts = m_matches.starts();
    if (starts.empty()) {
        m_note.clear();
        return showStatus(status());
    }
    // One step for Undo, and from the last match back, so the places still to replace
    // stay where they were found.
    const QString replacement = toEditorText(m_replaceField->text());
    const int length = m_matches.length();
    QTextCursor cursor(m_editor.document());
    cursor.beginEditBlock();
    for (auto start = starts.rbegin(); start != starts.rend(); ++start) {
        cursor.setPosition(*start);
        cursor.setPosition(*start + length, QTextCursor::KeepAnchor);
        cursor.insertText(replacement);
    }
    cursor.endEditBlock();
    m_editor.setTextCursor(cursor);
    m_note = starts.size() == 1 ? QStringLiteral("1 replaced")
                                : QStringLiteral("%1 replaced").arg(starts.size());
    showStatus(status());
}

void FindBar::goToLine()
{
    const auto place = parseLineColumn(m_lineField->text());
    if (!place) {
        m_note = QStringLiteral("Type a line, or line:column");
        return showStatus(m_note);
    }
    std::u16string_view text;
    const QString holder = DocumentMatches::wholeEditorText(m_editor, text);
    QTextCursor cursor(m_editor.document());
    cursor.setPosition(positionOf(text, *place));
    m_editor.setTextCursor(cursor);
    close();
    m_editor.centerCursor();
}

bool FindBar::eventFilter(QObject* watched, QEvent* event)
{
    // Compared by address alone: while the editor is destroyed, its children still send
    // events here, and the editor is no longer one to ask for its viewport.
    if (event->type() == QEvent::Resize && watched == &m_editor && isVisible())
        place();
    if (event->type() == QEvent::Paint && watched == m_viewport && isVisible())
        paintMatches(static_cast<QPaintEvent*>(event));
    if (event->type() == QEvent::KeyPress && watched == &m_editor && isVisible() &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        close();
        return true;
    }
    if (event->type() == QEvent::KeyPress &&
        (watched == m_findField || watched == m_replaceField || watched == m_lineField)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (watched == m_lineField)
                goToLine();
            else if (watched == m_replaceField)
                replace();
            else
                step(!(key->modifiers() & Qt::ShiftModifier));
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}

void FindBar::keyPressEvent(QKeyEvent* event)
{
    // Enter presses the button that has the focus, as Space does; on an option it finds,
    // as in the find field.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && qobject_cast<QCheckBox*>(focusWidget()))
        step(!(event->modifiers() & Qt::ShiftModifier));
    else if (auto* button = qobject_cast<QAbstractButton*>(focusWidget()); enter && button)
        button->click();
    event->accept();
}

// Drawn under the text before the editor paints it, on the lines in view only, as the
// colours are.
void FindBar::paintMatches(QPaintEvent* event)
{
    if (!m_matches.following() || m_matches.count() == 0)
        return;
    QPainter painter(m_editor.viewport());
    painter.setClipRegion(event->region());
    // The characters in view, from its top left corner to its bottom right one: a line
    // many screens long is taken in part.
    const QRect view = m_editor.viewport()->rect();
    const int first = m_editor.cursorForPosition(view.topLeft()).position();
    const int last = m_editor.cursorForPosition(view.bottomRight()).position();
    const int length = m_matches.length();
    const auto& starts = m_matches.starts();
    for (int index = m_matches.firstFrom(first - length);
         index < m_matches.count() && starts[size_t(index)] <= last; ++index) {
        const QTextBlock block = m_editor.document()->findBlock(starts[size_t(index)]);
        const QTextLayout* layout = block.layout();
        if (!block.isVisible() || layout->lineCount() == 0)
            continue;
        const QRectF box = m_editor.blockRectInView(block);
        const int from = starts[size_t(index)] - block.position();
        // A match that the block wraps is drawn on each of its lines.
        for (int at = from; at < from + length;) {
            const QTextLine line = layout->lineForTextPosition(at);
            if (!line.isValid())
                break;
            const int lineEnd = std::min(from + length, line.textStart() + line.textLength());
            const qreal left = line.cursorToX(at);
            const qreal right = line.cursorToX(std::max(lineEnd, at + 1));
            painter.fillRect(
                QRectF(box.left() + left, box.top() + line.y(), right - left, line.height()),
                MatchBackground);
            at = std::max(lineEnd, at + 1);
        }
    }
}

} // namespace vantrel
