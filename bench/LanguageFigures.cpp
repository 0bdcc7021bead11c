#include "LanguageFigures.h"

#include "EditorFixture.h"
#include "Figures.h"
#include "RealScript.h"
#include "editor/EditorText.h"
#include "editor/ScriptEditor.h"
#include "language/EditorLanguageSupport.h"
#include "script/ScriptCheck.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <memory>
#include <optional>

namespace vantrel::bench {
namespace {

// Two main windows side by side, one whose editor knows the language and one whose editor
// is plain, and a script file for both to load.
struct LanguageFixture
{
    LanguageFixture(qsizetype size, const QByteArray& lineEnd, bool extraCloser)
        : path(directory.filePath(QStringLiteral("script.hsc")))
    {
        QByteArray bytes = RealShapedScript(size, lineEnd);
        if (extraCloser)
            plantedLine = plantExtraCloser(bytes, lineEnd);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            error = "cannot write " + path.toStdString();
        setLanguageSupport(*qobject_cast<ScriptEditor*>(plain.editor), false);
        for (EditorFixture* side : {&coloured, &plain})
            side->dialog.path = path;
    }

    EditorFixture& side(bool language) { return language ? coloured : plain; }

    // A ')' too many at the end of a line in the middle of a script, on this line.
    static std::size_t plantExtraCloser(QByteArray& bytes, const QByteArray& lineEnd)
    {
        qsizetype end = bytes.indexOf(")" + lineEnd + "\t\t", bytes.size() / 2) + 1;
        bytes.insert(end, ')');
        return std::size_t(bytes.left(end).count(lineEnd.back())) + 1;
    }

    QTemporaryDir directory;
    QString path;
    std::size_t plantedLine = 0;
    std::string error;
    EditorFixture coloured;
    EditorFixture plain;
};

using Fixture = std::function<LanguageFixture&()>;

Fixture fixtureOf(qsizetype size, const QByteArray& lineEnd, bool extraCloser = false)
{
    auto fixture = std::make_shared<std::optional<LanguageFixture>>();
    return [fixture, size, lineEnd, extraCloser]() -> LanguageFixture& {
        if (!*fixture)
            fixture->emplace(size, lineEnd, extraCloser);
        return **fixture;
    };
}

// Load, up to the first paint of the editor.
Sample load(EditorFixture& f)
{
    f.clear();
    Sample sample;
    sample.seconds = secondsOf([&] {
        f.load->click();
        EditorFixture::paint(f.editor);
    });
    sample.error = f.failures.failure;
    return sample;
}

void loadUntimed(EditorFixture& f)
{
    if (f.editor->document()->characterCount() < 2)
        load(f);
    f.settle();
}

// One keystroke: the key goes in and the editor is painted with it.
double keystroke(QPlainTextEdit* editor, int key, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    const double seconds = secondsOf([&] {
        QApplication::sendEvent(editor, &press);
        QApplication::sendEvent(editor, &release);
        EditorFixture::paint(editor);
    });
    QCoreApplication::processEvents();
    return seconds;
}

void putCursor(QPlainTextEdit* editor, int position)
{
    QTextCursor cursor(editor->document());
    cursor.setPosition(position);
    editor->setTextCursor(cursor);
    EditorFixture::paint(editor);
    QCoreApplication::processEvents();
}

// The median of 100 keystrokes typed in the middle of the script.
Sample typeInTheMiddle(EditorFixture& f)
{
    loadUntimed(f);
    putCursor(f.editor, f.editor->document()->characterCount() / 2);
    const QString typed = QStringLiteral("(set done 1) ; \"x\" ").repeated(6).left(100);
    std::vector<double> times;
    for (QChar c : typed)
        times.push_back(keystroke(f.editor, c == u' ' ? Qt::Key_Space : Qt::Key_A, c));
    std::nth_element(times.begin(), times.begin() + 50, times.end());
    f.settle();
    return {times[50], 0, f.failures.failure};
}

// Typing ";*" at the top and deleting it again, seven times over: the slowest of the four
// keystrokes, each taken at its median.
Sample openAndCloseABlockComment(EditorFixture& f)
{
    loadUntimed(f);
    putCursor(f.editor, 0);
    const std::pair<int, QString> keys[] = {{Qt::Key_Semicolon, QStringLiteral(";")},
                                            {Qt::Key_Asterisk, QStringLiteral("*")},
                                            {Qt::Key_Backspace, QString()},
                                            {Qt::Key_Backspace, QString()}};
    std::vector<double> times[4];
    for (int round = 0; round < 7; ++round)
        for (int key = 0; key < 4; ++key)
            times[key].push_back(keystroke(f.editor, keys[key].first, keys[key].second));
    double slowest = 0;
    for (std::vector<double>& key : times) {
        std::nth_element(key.begin(), key.begin() + 3, key.end());
        slowest = std::max(slowest, key[3]);
    }
    f.settle();
    return {slowest, 0, f.failures.failure};
}

// The longest time the event loop leaves a zero-interval timer waiting in the seconds after
// the first paint of a load.
Sample stallAfterLoad(EditorFixture& f)
{
    Sample sample = load(f);
    QElapsedTimer clock;
    qint64 last = 0, longest = 0;
    QTimer tick;
    tick.setInterval(0);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longest = std::max(longest, clock.nsecsElapsed() - last);
        last = clock.nsecsElapsed();
    });
    QEventLoop loop;
    QTimer::singleShot(3000, &loop, &QEventLoop::quit);
    clock.start();
    tick.start();
    loop.exec();
    sample.seconds = double(longest) / 1e9;
    f.settle();
    return sample;
}

// One structure check of the loaded script: the editor's text, then the check.
Sample check(EditorFixture& f)
{
    load(f); // afresh: the keystroke figures typed into it
    f.settle();
    Sample sample;
    sample.seconds = secondsOf([&] {
        const QString text = f.editor->document()->toRawText();
        if (!CheckScript(lexerView(text)).empty())
            sample.error = "the script has problems";
    });
    return sample;
}

// What locating a bracket mistake adds to the structure check of a loaded script with one:
// the check with its notes less the same check without them, each the faster of five.
Sample locate(LanguageFixture& f)
{
    load(f.coloured);
    f.coloured.settle();
    const QString text = f.coloured.editor->document()->toRawText();
    double with = 1e9, without = 1e9;
    std::vector<ScriptProblem> problems;
    for (int run = 0; run < 5; ++run) {
        with = std::min(with, secondsOf([&] { problems = CheckScript(lexerView(text)); }));
        without = std::min(without, secondsOf([&] {
                               if (CheckScript(lexerView(text), Notes::None).empty())
                                   problems.clear();
                           }));
    }
    Sample sample{std::max(0.0, with - without), 0, {}};
    if (problems.empty() || problems[FirstToShow(problems)].line != f.plantedLine)
        sample.error = "the note is not on the planted line";
    return sample;
}

void addSideBySide(const std::string& name, const char* what, double goal, int pairs,
                   const Fixture& fixture, Sample (*measure)(EditorFixture&))
{
    const auto on = [fixture, measure](bool language) {
        return [fixture, measure, language] {
            LanguageFixture& f = fixture();
            return f.error.empty() ? measure(f.side(language)) : Sample{0, 0, f.error};
        };
    };
    addFigure({.name = name,
               .subjectName = std::string(what) + " with",
               .baselineName = "without",
               .goal = {.ratio = goal, .extraMegabytes = 0},
               .pairs = pairs,
               .subject = on(true),
               .baseline = on(false)});
}

} // namespace

void addLanguageFigures()
{
    // CR LF lines, as composed scripts have them: one editor block a line. Files with LF
    // lines are one block in the editor; the last two figures show that case.
    const Fixture small = fixtureOf(300 * 1000, "\r\n");
    const Fixture large = fixtureOf(10 << 20, "\r\n");
    const Fixture smallLf = fixtureOf(300 * 1000, "\n");
    addSideBySide("highlight load 300 KB", "Load", 1.25, 9, small, load);
    addSideBySide("highlight load 10 MB", "Load", 1.25, 3, large, load);
    addSideBySide("keystroke 300 KB", "keystroke", 1.5, 5, small, typeInTheMiddle);
    addSideBySide("worst keystroke 10 MB", "keystroke", 3, 5, large, openAndCloseABlockComment);
    addSideBySide("stall after load 10 MB", "stall", 1.25, 7, large, stallAfterLoad);
    addFigure({.name = "check 300 KB",
               .subjectName = "check",
               .baselineName = "plain Load",
               .goal = {.ratio = 0.25, .extraMegabytes = 0},
               .pairs = 9,
               .subject = [small] { return check(small().coloured); },
               .baseline = [small] { return load(small().plain); }});
    const Fixture broken = fixtureOf(700 * 1000, "\r\n", true);
    addFigure({.name = "locate 700 KB",
               .subjectName = "locate",
               .baselineName = "plain Load",
               .goal = {.ratio = 0.1, .extraMegabytes = 0},
               .pairs = 9,
               .subject = [broken] { return locate(broken()); },
               .baseline = [broken] { return load(broken().plain); }});
    addSideBySide("highlight load 300 KB, LF", "Load", 1.25, 5, smallLf, load);
    addSideBySide("keystroke 300 KB, LF", "keystroke", 1.5, 3, smallLf, typeInTheMiddle);
}

} // namespace vantrel::bench
