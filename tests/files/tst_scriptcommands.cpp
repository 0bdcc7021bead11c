#include "FileDialog.h"
#include "FileTestSupport.h"
#include "Form1.h"
#include "NamedChild.h"
#include "Windows1252.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <deque>

using namespace vantrel;
using namespace vantrel::test;

namespace {

const std::nullopt_t Cancel = std::nullopt;

// Stands in for the file dialog: each show takes the next answer, a path or Cancel, and
// notes which dialog it was, "o" for open, "s" for save.
struct ScriptedDialog : FileDialog
{
    bool ShowOpen() override { return answer("o"); }
    bool ShowSave() override { return answer("s"); }
    QString FileName() const override { return name; }
    bool answer(const char* kind)
    {
        shown += QLatin1String(kind);
        if (answers.empty())
            qFatal("the dialog was shown once more than the test expected");
        const std::optional<QString> next = answers.front();
        answers.pop_front();
        name = next.value_or(name);
        return next.has_value();
    }
    std::deque<std::optional<QString>> answers;
    QString shown;
    QString name;
};

// Runs a command, and answers the modal file dialog that it opens: types the name and
// presses Return, or cancels. A watchdog closes any modal left open, so that a fault fails
// the test instead of hanging it.
void answerRealDialog(const std::function<void()>& command, const std::optional<QString>& answer)
{
    bool answered = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog || std::exchange(answered, true))
            return;
        if (!answer)
            return dialog->reject();
        auto* edit = child<QLineEdit>(*dialog, "fileNameEdit");
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

} // namespace

class ScriptCommandsTest : public QObject
{
    Q_OBJECT

    std::optional<QTemporaryDir> m_dir;
    RecordingSink m_sink;
    ScriptedDialog m_dialog;
    std::unique_ptr<Form1> m_window;

    QString path(const QString& name) const { return m_dir->filePath(name); }
    // Runs Load or Save the way a user does: its button, or its item in the File menu.
    void run(bool load, const std::optional<QString>& answer, bool fromMenu)
    {
        m_dialog.answers.push_back(answer);
        if (fromMenu)
            m_window->findChild<QAction*>(load ? "LS" : "SC")->trigger();
        else
            QTest::mouseClick(m_window->findChild<QPushButton*>(load ? "cmdload" : "cmdsave"),
                              Qt::LeftButton);
    }
    void load(const std::optional<QString>& answer, bool fromMenu = false)
    {
        run(true, answer, fromMenu);
    }
    void save(const std::optional<QString>& answer, bool fromMenu = false)
    {
        run(false, answer, fromMenu);
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

    void saveAppendsToTheNameWithHscAndLoadReadsIt_data() { fromButtonOrMenu_data(); }
    void saveAppendsToTheNameWithHscAndLoadReadsIt()
    {
        QFETCH(bool, fromMenu);
        m_window->setScriptText(QStringLiteral("A"));
        save(path("loop"), fromMenu);
        m_window->setScriptText(QStringLiteral("B"));
        save(path("loop"), fromMenu);
        save(path("loop.hsc"), fromMenu);
        save(path("loop.txt"), fromMenu);
        QCOMPARE(readBytes(path("loop.hsc")), "A\r\nB\r\n");
        QCOMPARE(readBytes(path("loop.hsc.hsc")), "B\r\n");
        QCOMPARE(readBytes(path("loop.txt.hsc")), "B\r\n");
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files).size(), 3);
        load(path("loop.hsc"), fromMenu);
        QCOMPARE(m_window->scriptText(), QStringLiteral("A\r\nB\r\n"));
        QVERIFY(writeBytes(path("empty"), {})); // an empty file loads as the empty text
        load(path("empty"), fromMenu);
        QCOMPARE(m_window->scriptText(), QString());
        QCOMPARE(m_dialog.shown, QStringLiteral("ssssoo"));
        QVERIFY(m_sink.messages.isEmpty());
    }

    void cancelDoesNothing_data() { fromButtonOrMenu_data(); }
    void cancelDoesNothing()
    {
        QFETCH(bool, fromMenu);
        // Before any name was chosen...
        m_window->setScriptText(QStringLiteral("first"));
        save(Cancel, fromMenu);
        load(Cancel, fromMenu);
        QVERIFY(
            QDir(m_dir->path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
        QCOMPARE(m_window->scriptText(), QStringLiteral("first"));
        // ...and after one: the last name is neither saved to nor loaded again.
        save(path("a"), fromMenu);
        m_window->setScriptText(QStringLiteral("second"));
        save(Cancel, fromMenu);
        load(Cancel, fromMenu);
        QCOMPARE(readBytes(path("a.hsc")), "first\r\n");
        QCOMPARE(m_window->scriptText(), QStringLiteral("second"));
        QVERIFY(m_sink.messages.isEmpty());
    }

    void failuresKeepTheEditorText()
    {
        const QString work = QStringLiteral("unsaved (work \u0100)");
        m_window->setScriptText(work);
        load(path("missing"));
        load(m_dir->path());
        save(path("x"));
        QCOMPARE(m_window->scriptText(), work);
        QVERIFY(!QFile::exists(path("x.hsc")));
        QCOMPARE(m_sink.messages.size(), 3);
    }

    void loadThenSaveKeepsEveryByte()
    {
        for (quint32 seed : {1u, 2u, 3u}) {
            // Every byte value in a random order, CR and LF among them, and a final CR LF.
            const QByteArray bytes = shuffledBytes(seed) + "\r\n";
            const QString name = path(QStringLiteral("all%1").arg(seed));
            QVERIFY(writeBytes(name, bytes));
            load(name);
            QCOMPARE(m_window->scriptText(), decodeWindows1252(bytes));
            save(name, true);
            QCOMPARE(readBytes(name + ".hsc"), bytes + "\r\n");
            // The saved file loads as the text plus the CR LF of the save.
            load(name + ".hsc", true);
            QCOMPARE(m_window->scriptText(), decodeWindows1252(bytes + "\r\n"));
        }
        QVERIFY(m_sink.messages.isEmpty());
    }

    // The real file dialog, driven as a user would.
    void fileNameKeepsTheLastChosenPath()
    {
        QWidget window;
        CommonDialog cdlg(&window);
        window.findChild<QFileDialog*>("cdlg")->setOption(QFileDialog::DontUseNativeDialog);
        QCOMPARE(cdlg.FileName(), QString());
        bool confirmed = false;
        answerRealDialog([&] { confirmed = cdlg.ShowSave(); }, path("chosen"));
        QVERIFY(confirmed);
        QCOMPARE(cdlg.FileName(), path("chosen"));
        answerRealDialog([&] { confirmed = cdlg.ShowOpen(); }, Cancel);
        QVERIFY(!confirmed);
        QCOMPARE(cdlg.FileName(), path("chosen"));
    }

    void savesLoadsAndCancelsThroughTheOneDialog()
    {
        Form1 window(nullptr, FileSeams{nullptr, &m_sink});
        window.show();
        const QList<QFileDialog*> dialogs = window.findChildren<QFileDialog*>();
        QCOMPARE(dialogs.size(), 1);
        QCOMPARE(dialogs.first()->objectName(), QStringLiteral("cdlg"));
        dialogs.first()->setOption(QFileDialog::DontUseNativeDialog);
        auto* cmdsave = window.findChild<QPushButton*>("cmdsave");
        const auto clickSave = [&] { QTest::mouseClick(cmdsave, Qt::LeftButton); };
        const auto triggerLoad = [&] { window.findChild<QAction*>("LS")->trigger(); };

        // "loop" exists: the save neither asks about replacing it nor touches it.
        QVERIFY(writeBytes(path("loop"), "keep"));
        window.setScriptText(QStringLiteral("T"));
        answerRealDialog(clickSave, path("loop"));
        QCOMPARE(readBytes(path("loop.hsc")), "T\r\n");
        QCOMPARE(readBytes(path("loop")), "keep");
        answerRealDialog(triggerLoad, path("loop.hsc"));
        QCOMPARE(window.scriptText(), QStringLiteral("T\r\n"));

        // Cancelled dialogs: nothing saved to the last name, nothing loaded.
        window.setScriptText(QStringLiteral("edited"));
        answerRealDialog(clickSave, Cancel);
        answerRealDialog(triggerLoad, Cancel);
        QCOMPARE(window.scriptText(), QStringLiteral("edited"));
        QCOMPARE(readBytes(path("loop.hsc")), "T\r\n");
        QCOMPARE(window.findChildren<QFileDialog*>(), dialogs);
        QVERIFY(m_sink.messages.isEmpty());
    }
};

QTEST_MAIN(ScriptCommandsTest)
#include "tst_scriptcommands.moc"
