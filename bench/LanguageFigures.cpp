#include "LanguageFigures.h"

#include "EditorFixture.h"
#include "Figures.h"
#include "RealScript.h"
#include "editor/EditorText.h"
#include "editor/ScriptEditor.h"
#include "files/FunctionListFile.h"
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

constexpr int ListedFunctions = 3600;

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Two main windows side by side, one whose editor knows the language and one whose editor
// is plain, and a script file for both to load, with the game's function list beside it,
// which the editor that knows the language finds and uses.
struct LanguageFixture
{
    LanguageFixture(qsizetype size, const QByteArray& lineEnd)
        : path(directory.filePath(QStringLiteral("script.hsc"))),
          functions(directory.filePath(QStringLiteral("functions.txt")))
    {
        if (!writeFile(path, RealShapedScript(size, lineEnd)) ||
            !writeFile(functions, RealShapedFunctionList(ListedFunctions)))
            error = "cannot write in " + directory.path().toStdString();
        setLanguageSupport(*qobject_cast<ScriptEditor*>(plain.editor), false);
        for (EditorFixture* side : {&coloured, &plain})
            side->dialog.path = path;
    }

    EditorFixture& side(bool language) { return language ? coloured : plain; }

    QTemporaryDir directory;
    QString path;
    QString functions;
    std::string error;
    EditorFixture coloured;
    EditorFixture plain;
};

using Fixture = std::function<LanguageFixture&()>;

Fixture fixtureOf(qsizetype size, const QByteArray& lineEnd)
{
    auto fixture = std::make_shared<std::optional<LanguageFixture>>();
    return [fixture, size, lineEnd]() -> LanguageFixture& {
        if (!*fixture)
            fixture->emplace(size, lineEnd);
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
    auto* editor = qobject_cast<ScriptEditor*>(f.editor);
    if (EditorLanguageSupport* language = languageSupport(*editor);
        language && !language->functionList())
        return {0, 0, "the function list beside the script is not in use"};
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

// The check of every call against the function list, over the loaded script's text.
Sample callCheck(EditorFixture& f, const QString& functions)
{
    load(f);
    f.settle();
    Sample sample;
    const FunctionListFile list = FunctionListFile::read(functions);
    if (!list.list)
        return {0, 0, "no function list: " + list.error.toStdString()};
    sample.seconds = secondsOf([&] {
        const QString text = f.editor->document()->toRawText();
        if (!CheckScript(lexerView(text), list.list.get()).empty())
            sample.error = "the script has problems";
    });
    return sample;
}

// Reading the list, against reading its bytes the same way.
Sample readList(const QString& path, bool parse)
{
    Sample sample;
    sample.seconds = secondsOf([&] {
        if (parse) {
            if (FunctionListFile::read(path).list == nullptr)
                sample.error = "the list did not read";
            return;
        }
        QFile file(path);
        std::string bytes(file.open(QIODevice::ReadOnly) ? std::size_t(file.size()) : 0, '\0');
        if (file.read(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()) || bytes.empty())
            sample.error = "the bytes did not read";
    });
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
    const Fixture calls = fixtureOf(700 * 1000, "\r\n");
    addFigure({.name = "call check 700 KB",
               .subjectName = "call check",
               .baselineName = "plain Load",
               .goal = {.ratio = 0.25, .extraMegabytes = 0},
               .pairs = 9,
               .subject = [calls] { return callCheck(calls().coloured, calls().functions); },
               .baseline = [calls] { return load(calls().plain); }});
    addFigure({.name = "read function list 3,600",
               .subjectName = "read list",
               .baselineName = "read bytes",
               .goal = {.ratio = 5, .extraMegabytes = 0},
               .pairs = 15,
               .subject = [small] { return readList(small().functions, true); },
               .baseline = [small] { return readList(small().functions, false); }});
    addSideBySide("highlight load 300 KB, LF", "Load", 1.25, 5, smallLf, load);
    addSideBySide("keystroke 300 KB, LF", "keystroke", 1.5, 3, smallLf, typeInTheMiddle);
}

} // namespace vantrel::bench
