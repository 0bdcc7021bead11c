#include "LanguageFigures.h"

#include "EditorFixture.h"
#include "Figures.h"
#include "RealScript.h"
#include "editor/EditorText.h"
#include "editor/ScriptEditor.h"
#include "files/FunctionListFile.h"
#include "language/EditorLanguageSupport.h"
#include "language/IdleCheck.h"
#include "script/ScriptCheck.h"
#include "script/Windows1252.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCompleter>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTextBlock>
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
    // With a line end given, a ')' too many is planted before one (plantedLine).
    explicit LanguageFixture(QByteArray bytes, const QByteArray& plantBefore = {})
        : path(directory.filePath(QStringLiteral("script.hsc"))),
          functions(directory.filePath(QStringLiteral("functions.txt")))
    {
        if (!plantBefore.isEmpty())
            plantedLine = plantExtraCloser(bytes, plantBefore);
        if (!writeFile(path, bytes) ||
            !writeFile(functions, RealShapedFunctionList(ListedFunctions)))
            error = "cannot write in " + directory.path().toStdString();
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
    QString functions;
    std::size_t plantedLine = 0;
    std::string error;
    EditorFixture coloured;
    EditorFixture plain;
};

using Fixture = std::function<LanguageFixture&()>;

// Made when a figure first needs it.
Fixture fixtureOf(std::function<QByteArray()> bytes, const QByteArray& plantBefore = {})
{
    auto fixture = std::make_shared<std::optional<LanguageFixture>>();
    return [fixture, bytes, plantBefore]() -> LanguageFixture& {
        if (!*fixture)
            fixture->emplace(bytes(), plantBefore);
        return **fixture;
    };
}

Fixture fixtureOf(qsizetype size, const QByteArray& lineEnd, bool declarations = false)
{
    return fixtureOf(
        [size, lineEnd, declarations] { return RealShapedScript(size, lineEnd, declarations); });
}

// The same script as fixtureOf(size, "\n") with CR LF lines: the same lines, more bytes.
Fixture crLfFixtureOf(qsizetype size)
{
    return fixtureOf([size] { return RealShapedScript(size).replace('\n', "\r\n"); });
}

// The same script in UTF-8: its Windows-1252 letters take two bytes each.
Fixture utf8FixtureOf(qsizetype size)
{
    return fixtureOf([size] {
        const QByteArray bytes = RealShapedScript(size);
        return QString::fromStdU16String(decodeWindows1252(bytes.toStdString())).toUtf8();
    });
}

// Two lines in the middle of a script, one of 8,000 characters (forms of a decompiled
// script run together) and one of 80 after it.
constexpr QByteArrayView LongLineMark = "; long line follows\n";
QByteArray scriptWithALongLine()
{
    QByteArray bytes = RealShapedScript(300 * 1000);
    QByteArray line = "\t(begin";
    while (line.size() < 7990)
        line += " (object_teleport (player0) flag_" + QByteArray::number(line.size() % 97) + ')';
    line = line.left(7999) + ")\n";
    const QByteArray shortLine =
        "\t(sleep_until (volume_test_object trig_bridge_east_12 (player0)) 5 300)     \n";
    const qsizetype middle = bytes.indexOf('\n', bytes.size() / 2) + 1;
    return bytes.insert(middle, LongLineMark.toByteArray() + line + shortLine);
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

// The median of 100 keystrokes typed at a place in the script.
Sample typeAt(EditorFixture& f, const std::function<int(const QTextDocument&)>& place)
{
    loadUntimed(f);
    auto* editor = qobject_cast<ScriptEditor*>(f.editor);
    if (EditorLanguageSupport* language = languageSupport(*editor);
        language && !language->functionList())
        return {0, 0, "the function list beside the script is not in use"};
    putCursor(f.editor, place(*f.editor->document()));
    const QString typed = QStringLiteral("(set done 1) ; \"x\" ").repeated(6).left(100);
    std::vector<double> times;
    for (QChar c : typed)
        times.push_back(keystroke(f.editor, c == u' ' ? Qt::Key_Space : Qt::Key_A, c));
    std::nth_element(times.begin(), times.begin() + 50, times.end());
    f.settle();
    return {times[50], 0, f.failures.failure};
}

Sample typeInTheMiddle(EditorFixture& f)
{
    return typeAt(f, [](const QTextDocument& d) { return d.characterCount() / 2; });
}

// The middle of the first line after the long line's mark, or of the line after it.
int longLineMiddle(const QTextDocument& document, int linesAfter)
{
    const QTextCursor mark = document.find(QString::fromLatin1(LongLineMark.chopped(1)));
    const QTextBlock line = document.findBlock(mark.position()).next();
    const QTextBlock target = linesAfter == 0 ? line : line.next();
    return target.position() + target.length() / 2;
}

Sample typeInTheLongLine(EditorFixture& f)
{
    return typeAt(f, [](const QTextDocument& d) { return longLineMiddle(d, 0); });
}

Sample typeInTheShortLine(EditorFixture& f)
{
    return typeAt(f, [](const QTextDocument& d) { return longLineMiddle(d, 1); });
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
                               if (CheckScript(lexerView(text), nullptr, Notes::None).empty())
                                   problems.clear();
                           }));
    }
    Sample sample{std::max(0.0, with - without), 0, {}};
    if (problems.empty() || problems[FirstToShow(problems)].line != f.plantedLine)
        sample.error = "the note is not on the planted line";
    return sample;
}

// Loaded, and read by the check in its idle steps: what the outline and completion find.
void loadAndCheck(EditorFixture& f)
{
    loadUntimed(f);
    const auto* language = dynamic_cast<const EditorLanguageSupport*>(
        qobject_cast<ScriptEditor*>(f.editor)->language());
    QElapsedTimer waited;
    waited.start();
    while (language && language->declarationsRevision() != f.editor->document()->revision() &&
           waited.elapsed() < 10000)
        QCoreApplication::processEvents();
}

// What the check in idle steps adds to the structure check: every declaration and its
// problems, read from the editor's document.
Sample readDeclarations(EditorFixture& f)
{
    loadUntimed(f);
    Sample sample;
    std::optional<ScriptReading> read;
    sample.seconds = secondsOf([&] { read = ReadDocument(*f.editor->document(), LineEnd::CrLf); });
    if (!read->problems.empty())
        sample.error = "the script has problems: " + read->problems.front().message;
    else if (read->declarations.size() < 1400)
        sample.error = "only " + std::to_string(read->declarations.size()) + " declarations";
    return sample;
}

void sendKey(QWidget* widget, int key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
}

// Ctrl+Shift+O up to the painted list of every script and global.
Sample openOutline(EditorFixture& f)
{
    loadAndCheck(f);
    auto* command = f.editor->findChild<QAction*>(QStringLiteral("goToScript"));
    auto* outline = f.editor->findChild<QWidget*>(QStringLiteral("outline"));
    auto* list = f.editor->findChild<QAbstractItemView*>(QStringLiteral("outlineList"));
    Sample sample;
    sample.seconds = secondsOf([&] {
        command->trigger();
        EditorFixture::paint(outline);
    });
    if (list->model()->rowCount() < 1300)
        sample.error = "the outline lists too few names";
    sendKey(f.editor->findChild<QWidget*>(QStringLiteral("outlineFilter")), Qt::Key_Escape);
    f.settle();
    return sample;
}

// Ctrl+Space after a '(' at the end of the script, up to the painted list of every name:
// the script's own and the function list's.
Sample complete(EditorFixture& f)
{
    loadAndCheck(f);
    putCursor(f.editor, f.editor->document()->characterCount() - 1);
    auto* command = f.editor->findChild<QAction*>(QStringLiteral("completeName"));
    QAbstractItemView* list = f.editor->findChild<QCompleter*>()->popup();
    Sample sample;
    sample.seconds = secondsOf([&] {
        command->trigger();
        EditorFixture::paint(list);
    });
    if (!list->isVisible() || list->model()->rowCount() < 1300 + ListedFunctions / 2)
        sample.error = "the completion list is missing names (" +
                       std::to_string(list->model()->rowCount()) + ")";
    list->hide();
    f.settle();
    return sample;
}

// One keystroke at the same place, taken back untimed.
Sample keystrokeAtTheEnd(EditorFixture& f)
{
    loadAndCheck(f);
    putCursor(f.editor, f.editor->document()->characterCount() - 1);
    const double seconds = keystroke(f.editor, Qt::Key_A, QStringLiteral("a"));
    sendKey(f.editor, Qt::Key_Backspace);
    f.settle();
    return {seconds, 0, f.failures.failure};
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

// The same measure, both sides with the language support, on two scripts.
void addVersus(const std::string& name, const std::string& subjectName,
               const std::string& baselineName, double goal, int pairs, const Fixture& subject,
               const Fixture& baseline, Sample (*measure)(EditorFixture&),
               Sample (*baselineMeasure)(EditorFixture&) = nullptr)
{
    const auto on = [](const Fixture& fixture, Sample (*run)(EditorFixture&)) {
        return [fixture, run] {
            LanguageFixture& f = fixture();
            return f.error.empty() ? run(f.coloured) : Sample{0, 0, f.error};
        };
    };
    addFigure({.name = name,
               .subjectName = subjectName,
               .baselineName = baselineName,
               .goal = {.ratio = goal, .extraMegabytes = 0},
               .pairs = pairs,
               .subject = on(subject, measure),
               .baseline = on(baseline, baselineMeasure ? baselineMeasure : measure)});
}

} // namespace

void addLanguageFigures()
{
    // CR LF lines, as composed scripts have them, and LF lines, as real scripts have them:
    // either way one editor block a line.
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
    const Fixture broken = fixtureOf([] { return RealShapedScript(700 * 1000, "\r\n"); }, "\r\n");
    addFigure({.name = "locate 700 KB",
               .subjectName = "locate",
               .baselineName = "plain Load",
               .goal = {.ratio = 0.1, .extraMegabytes = 0},
               .pairs = 9,
               .subject = [broken] { return locate(broken()); },
               .baseline = [broken] { return load(broken().plain); }});
    // A level's mission script: about 1,500 scripts and globals in 700 KB.
    const Fixture mission = fixtureOf(700 * 1000, "\r\n", true);
    const auto against = [](const char* name, const char* subject, double goal,
                            std::function<Sample()> measure, const char* baseline,
                            std::function<Sample()> base) {
        addFigure({.name = name,
                   .subjectName = subject,
                   .baselineName = baseline,
                   .goal = {.ratio = goal, .extraMegabytes = 0},
                   .pairs = 9,
                   .subject = std::move(measure),
                   .baseline = std::move(base)});
    };
    const auto plainLoad = [mission] { return load(mission().plain); };
    against(
        "declarations 700 KB", "declarations", 0.25,
        [mission] { return readDeclarations(mission().coloured); }, "plain Load", plainLoad);
    against(
        "outline open 700 KB", "outline", 0.1,
        [mission] { return openOutline(mission().coloured); }, "plain Load", plainLoad);
    against(
        "completion 700 KB", "Ctrl+Space", 10, [mission] { return complete(mission().coloured); },
        "keystroke", [mission] { return keystrokeAtTheEnd(mission().coloured); });
    addSideBySide("highlight load 300 KB, LF", "Load", 1.25, 5, smallLf, load);

    // Real scripts as they are on disk, against the same script with CR LF or in
    // Windows-1252.
    const Fixture mediumCrLf = crLfFixtureOf(1 << 20);
    const Fixture mediumLf = fixtureOf(1 << 20, "\n");
    addVersus("keystroke 300 KB, LF", "LF keystroke", "CR LF", 1.3, 5, smallLf,
              crLfFixtureOf(300 * 1000), typeInTheMiddle);
    addVersus("keystroke 1 MB, LF", "LF keystroke", "CR LF", 1.3, 5, mediumLf, mediumCrLf,
              typeInTheMiddle);
    addVersus("load 1 MB, LF", "LF Load", "CR LF", 1.1, 9, mediumLf, mediumCrLf, load);
    addVersus("load 1 MB, UTF-8", "UTF-8 Load", "Windows-1252", 1.3, 9, utf8FixtureOf(1 << 20),
              mediumLf, load);
    const Fixture longLine = fixtureOf(scriptWithALongLine);
    addVersus("keystroke on an 8,000-character line", "long line", "80 characters", 0, 5, longLine,
              longLine, typeInTheLongLine, typeInTheShortLine);
}

} // namespace vantrel::bench
