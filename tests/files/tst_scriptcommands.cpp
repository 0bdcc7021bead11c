#include "FileDialog.h"
#include "FileTestSupport.h"
#include "Form1.h"
#include "Windows1252.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <deque>
#include <numeric>

using namespace vantrel;
using namespace vantrel::test;
using Message = RecordingSink::Message;

namespace {

const std::nullopt_t Cancel = std::nullopt;

// Stands in for the file dialog: each show takes the next answer, a path or Cancel.
class ScriptedDialog : public FileDialog
{
public:
    std::deque<std::optional<QString>> answers;
    QStringList shown;

    bool ShowOpen() override { return answer(QStringLiteral("open")); }
    bool ShowSave() override { return answer(QStringLiteral("save")); }
    QString FileName() const override { return m_fileName; }

private:
    bool answer(const QString& kind)
    {
        shown << kind;
        if (answers.empty())
            qFatal("the dialog was shown once more than the test expected");
        const std::optional<QString> next = answers.front();
        answers.pop_front();
        if (next)
            m_fileName = *next;
        return next.has_value();
    }

    QString m_fileName;
};

enum class Command
{
    Load,
    Save
};

// Runs a command the way a user does: its button, or its item in the File menu.
void run(Form1& window, Command command, bool fromMenu)
{
    const bool load = command == Command::Load;
    if (fromMenu) {
        auto* item = window.findChild<QAction*>(load ? "LS" : "SC");
        QVERIFY(item);
        item->trigger();
    } else {
        auto* button = window.findChild<QPushButton*>(load ? "cmdload" : "cmdsave");
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton);
    }
}

} // namespace

class ScriptCommandsTest : public QObject
{
    Q_OBJECT

    std::optional<QTemporaryDir> m_dir;
    RecordingSink m_sink;
    ScriptedDialog m_dialog;
    std::unique_ptr<Form1> m_window;

    QString path(const QString& name) const { return m_dir->filePath(name); }
    void load(const std::optional<QString>& answer, bool fromMenu)
    {
        m_dialog.answers.push_back(answer);
        run(*m_window, Command::Load, fromMenu);
    }
    void save(const std::optional<QString>& answer, bool fromMenu)
    {
        m_dialog.answers.push_back(answer);
        run(*m_window, Command::Save, fromMenu);
    }

    static void fromButtonOrMenu_data()
    {
        QTest::addColumn<bool>("fromMenu");
        QTest::newRow("button") << false;
        QTest::newRow("menu") << true;
    }

private slots:
    void init()
    {
        m_dir.emplace();
        QVERIFY(m_dir->isValid());
        // A save with no name would land in the current folder: make that one visible.
        QVERIFY(QDir::setCurrent(m_dir->path()));
        m_sink.messages.clear();
        m_dialog.shown.clear();
        m_window = std::make_unique<Form1>(nullptr, FileSeams{&m_dialog, &m_sink});
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    void cleanup()
    {
        m_window.reset();
        QDir::setCurrent(QDir::tempPath());
        m_dir.reset();
    }

    void saveAppendsToTheNameWithHsc_data() { fromButtonOrMenu_data(); }
    void saveAppendsToTheNameWithHsc()
    {
        QFETCH(bool, fromMenu);
        m_window->setScriptText(QStringLiteral("A"));
        save(path("loop"), fromMenu);
        m_window->setScriptText(QStringLiteral("B"));
        save(path("loop"), fromMenu);
        save(path("loop.hsc"), fromMenu);
        save(path("loop.txt"), fromMenu);
        QCOMPARE(m_dialog.shown, QStringList(4, QStringLiteral("save")));
        QCOMPARE(readBytes(path("loop.hsc")), "A\r\nB\r\n");
        QCOMPARE(readBytes(path("loop.hsc.hsc")), "B\r\n");
        QCOMPARE(readBytes(path("loop.txt.hsc")), "B\r\n");
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files).size(), 3);
        QCOMPARE(m_window->scriptText(), QStringLiteral("B"));
        QCOMPARE(m_sink.messages.size(), 0);
    }

    void loadReplacesTheEditorText_data() { fromButtonOrMenu_data(); }
    void loadReplacesTheEditorText()
    {
        QFETCH(bool, fromMenu);
        QVERIFY(writeBytes(path("script"), "x\r\ny\n\rz\x80\r\n"));
        load(path("script"), fromMenu);
        QCOMPARE(m_dialog.shown, QStringList{QStringLiteral("open")});
        QCOMPARE(m_window->scriptText(), QStringLiteral("x\r\ny\n\rz\u20AC\r\n"));
        // An empty file loads as the empty text.
        QVERIFY(writeBytes(path("empty"), {}));
        load(path("empty"), fromMenu);
        QCOMPARE(m_window->scriptText(), QString());
        QCOMPARE(m_sink.messages.size(), 0);
    }

    void failedLoadKeepsTheEditorText_data() { fromButtonOrMenu_data(); }
    void failedLoadKeepsTheEditorText()
    {
        QFETCH(bool, fromMenu);
        const QString work = QStringLiteral("unsaved work\r\n");
        m_window->setScriptText(work);
        load(path("missing"), fromMenu);
        load(m_dir->path(), fromMenu);
        QCOMPARE(m_window->scriptText(), work);
        const QList<Message> shown{
            {QStringLiteral("Sorry"),
             QStringLiteral("File not found. Check if the file is Currently exists.")},
            {QStringLiteral("Error"), QStringLiteral("Error 21\r\nIs a directory")}};
        QCOMPARE(m_sink.messages, shown);
    }

    void unsavableCharacterKeepsTheEditorText()
    {
        const QString text = QStringLiteral("(script \u0100)");
        m_window->setScriptText(text);
        save(path("x"), false);
        QCOMPARE(m_window->scriptText(), text);
        QVERIFY(!QFile::exists(path("x.hsc")));
        QCOMPARE(m_sink.messages.size(), 1);
        QCOMPARE(m_sink.messages[0].title, QStringLiteral("Error"));
    }

    void cancelDoesNothing_data() { fromButtonOrMenu_data(); }
    void cancelDoesNothing()
    {
        QFETCH(bool, fromMenu);
        // Before any name was chosen...
        m_window->setScriptText(QStringLiteral("first"));
        save(Cancel, fromMenu);
        load(Cancel, fromMenu);
        QCOMPARE(
            QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            QStringList());
        QCOMPARE(m_window->scriptText(), QStringLiteral("first"));
        // ...and after one: the last name is neither saved to nor loaded again.
        save(path("a"), fromMenu);
        m_window->setScriptText(QStringLiteral("second"));
        save(Cancel, fromMenu);
        load(Cancel, fromMenu);
        QCOMPARE(readBytes(path("a.hsc")), "first\r\n");
        QCOMPARE(m_window->scriptText(), QStringLiteral("second"));
        QCOMPARE(m_dialog.FileName(), path("a"));
        QCOMPARE(m_sink.messages.size(), 0);
    }

    void loadThenSaveKeepsEveryByte()
    {
        for (quint32 seed : {1u, 2u, 3u}) {
            // Every byte value in a random order, CR and LF among them, and a final CR LF.
            QByteArray bytes(256, '\0');
            std::iota(bytes.begin(), bytes.end(), char(0));
            QRandomGenerator random(seed);
            std::shuffle(bytes.begin(), bytes.end(), random);
            bytes += "\r\n";
            const QString name = path(QStringLiteral("all%1").arg(seed));
            QVERIFY(writeBytes(name, bytes));
            load(name, false);
            QCOMPARE(m_window->scriptText(), decodeWindows1252(bytes));
            save(name, true);
            QCOMPARE(readBytes(name + ".hsc"), bytes + "\r\n");
            // The saved file loads as the text plus the CR LF of the save.
            load(name + ".hsc", true);
            QCOMPARE(m_window->scriptText(), decodeWindows1252(bytes + "\r\n"));
        }
        QCOMPARE(m_sink.messages.size(), 0);
    }
};

// Drives the real file dialog of a real main window, as a user would.
class RealDialogTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    RecordingSink m_sink;

    QString path(const QString& name) const { return m_dir.filePath(name); }

    // Runs a command, and answers the modal file dialog that it opens: types the name and
    // presses Return, or cancels. A watchdog closes any modal left open, so that a fault
    // fails the test instead of hanging it.
    static void answerDialog(const std::function<void()>& command,
                             const std::optional<QString>& answer)
    {
        QTimer poll;
        bool answered = false;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog || answered)
                return;
            answered = true;
            if (!answer) {
                dialog->reject();
                return;
            }
            auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QVERIFY(edit);
            edit->setText(*answer);
            QTest::keyClick(edit, Qt::Key_Return);
        });
        bool watchdogFired = false;
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [&] {
            watchdogFired = true;
            while (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
        });
        poll.start(10);
        watchdog.start(10000);
        command();
        QVERIFY(answered);
        QVERIFY2(!watchdogFired, "a modal window was left open");
    }

private slots:
    // The dialogs these tests answer are Qt's own, whatever the desktop offers.
    void initTestCase() { QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs); }

    void fileNameKeepsTheLastChosenPath()
    {
        QVERIFY(m_dir.isValid());
        QWidget window;
        CommonDialog cdlg(&window);
        QCOMPARE(cdlg.FileName(), QString());
        bool confirmed = false;
        answerDialog([&] { confirmed = cdlg.ShowSave(); }, path("chosen"));
        QVERIFY(confirmed);
        QCOMPARE(cdlg.FileName(), path("chosen"));
        answerDialog([&] { confirmed = cdlg.ShowOpen(); }, Cancel);
        QVERIFY(!confirmed);
        QCOMPARE(cdlg.FileName(), path("chosen"));
    }

    void savesLoadsAndCancelsThroughTheOneDialog()
    {
        QVERIFY(m_dir.isValid());
        Form1 window(nullptr, FileSeams{nullptr, &m_sink});
        window.show();
        // Start-up does not pay for a dialog that may never be used.
        QVERIFY(window.findChildren<QFileDialog*>().isEmpty());
        auto* cmdsave = window.findChild<QPushButton*>("cmdsave");
        auto* cmdload = window.findChild<QPushButton*>("cmdload");
        auto* loadItem = window.findChild<QAction*>("LS");

        // "loop" exists: the save neither asks about replacing it nor touches it.
        QVERIFY(writeBytes(path("loop"), "keep"));
        window.setScriptText(QStringLiteral("T"));
        answerDialog([&] { QTest::mouseClick(cmdsave, Qt::LeftButton); }, path("loop"));
        QCOMPARE(readBytes(path("loop.hsc")), "T\r\n");
        QCOMPARE(readBytes(path("loop")), "keep");
        const QList<QFileDialog*> dialogs = window.findChildren<QFileDialog*>();
        QCOMPARE(dialogs.size(), 1);
        QCOMPARE(dialogs.first()->objectName(), QStringLiteral("cdlg"));

        answerDialog([&] { loadItem->trigger(); }, path("loop.hsc"));
        QCOMPARE(window.scriptText(), QStringLiteral("T\r\n"));

        // Cancelled dialogs: nothing saved to the last name, nothing loaded.
        window.setScriptText(QStringLiteral("edited"));
        answerDialog([&] { QTest::mouseClick(cmdsave, Qt::LeftButton); }, Cancel);
        answerDialog([&] { QTest::mouseClick(cmdload, Qt::LeftButton); }, Cancel);
        QCOMPARE(window.scriptText(), QStringLiteral("edited"));
        QCOMPARE(readBytes(path("loop.hsc")), "T\r\n");
        QVERIFY(!QFile::exists(path("loop.hsc.hsc")));
        QCOMPARE(window.findChildren<QFileDialog*>(), dialogs);
        QCOMPARE(m_sink.messages.size(), 0);
    }
};

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    int status = 0;
    {
        ScriptCommandsTest commands;
        status |= QTest::qExec(&commands, argc, argv);
    }
    {
        RealDialogTest real;
        status |= QTest::qExec(&real, argc, argv);
    }
    return status;
}

#include "tst_scriptcommands.moc"
