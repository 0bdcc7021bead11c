#include "FindFigures.h"

#include "EditorFixture.h"
#include "Figures.h"
#include "RealScript.h"
#include "editor/EditorText.h"
#include "editor/ScriptEditor.h"
#include "find/DocumentMatches.h"
#include "find/FindBar.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>
#include <algorithm>
#include <functional>
#include <memory>
#include <optional>

namespace vantrel::bench {
namespace {

// A vehicle's name, given to eight of the generated script's names: about one in every
// hundred bytes, ~100,000 times in 10 MB.
const QString Frequent = QStringLiteral("warthog_1");
// A name written into the generated script once, near its end.
const QString Rare = QStringLiteral("landing_zone_last");

// A script loaded into the main window, and the same text held as one string.
struct LoadedScript
{
    explicit LoadedScript(qsizetype size) : path(directory.filePath(QStringLiteral("s.hsc")))
    {
        QByteArray bytes = RealShapedScript(size, "\r\n");
        for (const char* name : {"true", "false", "none", "hog_wreck_2", "cs_wait_here",
                                 "mission_done", "flag_exit_north", "ai_current_actor"})
            bytes.replace(name, Frequent.toLatin1());
        bytes.insert(bytes.size() - 2000, "; " + Rare.toLatin1() + "\r\n");
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            error = "cannot write " + path.toStdString();
        text = toEditorText(QString::fromLatin1(bytes));
        asOne = std::u16string(lexerView(text));
        fixture.dialog.path = path;
        reload();
    }

    void reload()
    {
        fixture.load->click();
        fixture.settle();
        EditorFixture::paint(fixture.editor);
    }
    ScriptEditor& editor() { return *static_cast<ScriptEditor*>(fixture.editor); }
    FindBar& bar() { return *fixture.form.findChild<FindBar*>(QStringLiteral("findBar")); }

    QTemporaryDir directory;
    QString path;
    std::string error;
    QString text;
    std::u16string asOne;
    EditorFixture fixture;
};

using Script = std::function<LoadedScript&()>;

Script scriptOf(qsizetype size)
{
    auto script = std::make_shared<std::optional<LoadedScript>>();
    return [script, size]() -> LoadedScript& {
        if (!*script)
            script->emplace(size);
        return **script;
    };
}

std::size_t scanCount(const std::u16string& text, const QString& word)
{
    const std::u16string_view pattern = lexerView(word);
    const std::boyer_moore_horspool_searcher searcher(pattern.begin(), pattern.end());
    std::size_t count = 0;
    for (auto at = text.begin();; ++count) {
        at = searcher(at, text.end()).first;
        if (at == text.end())
            return count;
        at += std::ptrdiff_t(pattern.size());
    }
}

Sample baselineScan(const Script& script, const QString& word, bool all)
{
    LoadedScript& s = script();
    std::size_t found = 0;
    Sample sample;
    sample.seconds = secondsOf([&] {
        if (all) {
            found = scanCount(s.asOne, word);
        } else {
            const std::u16string_view pattern = lexerView(word);
            found =
                std::search(s.asOne.begin(), s.asOne.end(),
                            std::boyer_moore_horspool_searcher(pattern.begin(), pattern.end())) -
                s.asOne.begin();
        }
    });
    sample.error = s.error;
    if (found == 0)
        sample.error = "the scan found nothing";
    return sample;
}

// Every match of the frequent word, counted over the editor's document, as the bar counts.
Sample findAll(const Script& script)
{
    LoadedScript& s = script();
    DocumentMatches matches(s.editor());
    Sample sample;
    sample.seconds = secondsOf([&] { matches.follow(TextSearch(Frequent, {})); });
    sample.error = s.error;
    if (std::size_t(matches.count()) != scanCount(s.asOne, Frequent))
        sample.error = "the count differs from the scan's";
    return sample;
}

// F3 with the cursor at the top finds the one match near the end and shows it.
Sample findNext(const Script& script)
{
    LoadedScript& s = script();
    FindBar& bar = s.bar();
    bar.close();
    s.fixture.form.findChild<QLineEdit*>(QStringLiteral("findField"))->setText(Rare);
    s.editor().setTextCursor(QTextCursor(s.editor().document()));
    EditorFixture::paint(s.fixture.editor);
    QCoreApplication::processEvents();
    Sample sample;
    sample.seconds = secondsOf([&] {
        bar.findNext();
        EditorFixture::paint(s.fixture.editor);
    });
    sample.error = s.error;
    if (s.editor().textCursor().selectedText() != Rare)
        sample.error = "F3 did not find the match near the end";
    bar.close();
    return sample;
}

// Replace All of the frequent word, up to the editor's next paint.
Sample replaceAll(const Script& script)
{
    LoadedScript& s = script();
    s.reload();
    FindBar& bar = s.bar();
    s.fixture.form.findChild<QLineEdit*>(QStringLiteral("findField"))->setText(Frequent);
    s.fixture.form.findChild<QLineEdit*>(QStringLiteral("replaceField"))->setText(Rare);
    bar.open(FindBar::Mode::Replace);
    Sample sample;
    sample.seconds = secondsOf([&] {
        bar.replaceAll();
        EditorFixture::paint(s.fixture.editor);
    });
    sample.error = s.error;
    s.editor().document()->undo();
    if (s.editor().wholeText() != fromEditorText(s.text))
        sample.error = "one Undo did not give the text back";
    bar.close();
    return sample;
}

Sample replaceBaseline(const Script& script)
{
    LoadedScript& s = script();
    QPlainTextEdit& floor = s.fixture.floor;
    Sample sample;
    sample.seconds = secondsOf([&] {
        QString text = s.text;
        text.replace(Frequent, Rare);
        floor.setPlainText(text);
        EditorFixture::paint(&floor);
    });
    floor.clear();
    s.fixture.settle();
    return sample;
}

// The median of 100 keystrokes in the middle of the script, the bar open on the frequent
// word or closed.
Sample typeInTheMiddle(const Script& script, bool barOpen)
{
    LoadedScript& s = script();
    ScriptEditor& editor = s.editor();
    if (barOpen) {
        s.fixture.form.findChild<QLineEdit*>(QStringLiteral("findField"))->setText(Frequent);
        s.bar().open(FindBar::Mode::Find);
    }
    QTextCursor cursor(editor.document());
    cursor.setPosition(editor.document()->characterCount() / 2);
    editor.setTextCursor(cursor);
    EditorFixture::paint(&editor);
    QCoreApplication::processEvents();
    const QString typed = QStringLiteral("(set warthog_1 1) ; \"x\" ").repeated(5).left(100);
    std::vector<double> times;
    for (const QChar c : typed) {
        QKeyEvent press(QEvent::KeyPress, c == u' ' ? Qt::Key_Space : Qt::Key_A, Qt::NoModifier, c);
        QKeyEvent release(QEvent::KeyRelease, press.key(), Qt::NoModifier, c);
        times.push_back(secondsOf([&] {
            QApplication::sendEvent(&editor, &press);
            QApplication::sendEvent(&editor, &release);
            EditorFixture::paint(&editor);
        }));
        QCoreApplication::processEvents();
    }
    std::nth_element(times.begin(), times.begin() + 50, times.end());
    s.bar().close();
    s.reload();
    return {times[50], 0, s.error};
}

} // namespace

void addFindFigures()
{
    const Script large = scriptOf(10'000'000);
    const Script medium = scriptOf(1'000'000);
    const Script small = scriptOf(300'000);
    addFigure({.name = "find all 10 MB",
               .subjectName = "count in the editor",
               .baselineName = "scan of one string",
               .goal = {.ratio = 3},
               .pairs = 5,
               .subject = [large] { return findAll(large); },
               .baseline = [large] { return baselineScan(large, Frequent, true); }});
    addFigure({.name = "find next 10 MB",
               .subjectName = "F3 to the end",
               .baselineName = "scan of one string",
               .goal = {.ratio = 3},
               .pairs = 5,
               .subject = [large] { return findNext(large); },
               .baseline = [large] { return baselineScan(large, Rare, false); }});
    addFigure({.name = "replace all 1 MB",
               .subjectName = "Replace All",
               .baselineName = "replace + setPlainText",
               .goal = {.ratio = 2},
               .pairs = 5,
               .subject = [medium] { return replaceAll(medium); },
               .baseline = [medium] { return replaceBaseline(medium); }});
    addFigure({.name = "keystroke 300 KB with the find bar open",
               .subjectName = "keystroke, bar open",
               .baselineName = "bar closed",
               .goal = {.ratio = 1.5},
               .pairs = 3,
               .subject = [small] { return typeInTheMiddle(small, true); },
               .baseline = [small] { return typeInTheMiddle(small, false); }});
}

} // namespace vantrel::bench
