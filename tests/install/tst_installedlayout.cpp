// Run from an installed tree in place of the window program (check-relocated.sh copies it
// beside vantrel-window): what the program finds by the install layout's paths from its
// own folder, it must find there too.
#include "NamedChild.h"
#include "about/frmAbout.h"
#include "app/Application.h"
#include "app/ProgramIcon.h"
#include "mainwindow/Form1.h"
#include "programdata/ProgramData.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QTest>
#include <QVideoFrame>
#include <QVideoSink>
#include <QVideoWidget>

using namespace vantrel;

namespace {

QWidget* windowNamed(const QString& name)
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == name)
            return widget;
    return nullptr;
}

// The file that a shared library mapped into this process was loaded from.
QString loadedFrom(const QString& library)
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return {};
    for (const QByteArray& line : maps.readAll().split('\n')) {
        const qsizetype path = line.indexOf('/');
        if (path >= 0 && line.endsWith('/' + library.toUtf8()))
            return QString::fromUtf8(line.mid(path));
    }
    return {};
}

QString canonical(const QString& path)
{
    return QFileInfo(path).canonicalFilePath();
}

} // namespace

class InstalledLayoutTest : public QObject
{
    Q_OBJECT

    // Where the tree was installed: the program never learns it, the test compares with it.
    const QString m_prefix = qEnvironmentVariable("VANTREL_TEST_PREFIX");
    // A member: frames may still be on their way when the test function ends.
    int m_frames = 0;

private slots:
    void initTestCase()
    {
        QVERIFY2(QFileInfo(m_prefix).isDir(), "VANTREL_TEST_PREFIX names the installed tree");
        QVERIFY2(QFileInfo::exists(QCoreApplication::applicationDirPath() + "/vantrel-window"),
                 "runs from the window program's folder");
        setUpApplication(*qApp);
    }

    void videoIsFoundInTheDataFolder()
    {
        const QUrl video = tutorialVideo(QCoreApplication::applicationDirPath());
        QCOMPARE(canonical(video.toLocalFile()),
                 canonical(m_prefix + "/share/vantrel/vantrel-tutorial.webm"));
    }

    // The main window's Video Tutorial loads the tutorial window from the installed library
    // folder and plays the installed video; the tutorial's About shows the box with the
    // program's icon.
    void tutorialAndAboutBoxOpenFromTheMainWindow()
    {
        Form1 main;
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        QTRY_VERIFY(!QApplication::windowIcon().isNull()); // set after the first paint

        child<QAction>(main, "VT")->trigger();
        QWidget* tutorial = windowNamed(QStringLiteral("Form2"));
        QVERIFY2(tutorial && tutorial->isVisible(), "the tutorial window did not open");
        QCOMPARE(canonical(loadedFrom(QStringLiteral("libvantrel_tutorial.so"))),
                 canonical(m_prefix + "/lib/vantrel/libvantrel_tutorial.so"));
        connect(child<QVideoWidget>(*tutorial, "video")->videoSink(),
                &QVideoSink::videoFrameChanged, this,
                [this](const QVideoFrame& frame) { m_frames += frame.isValid() ? 1 : 0; });
        QTRY_VERIFY_WITH_TIMEOUT(m_frames > 0, 30'000);

        child<QAction>(*tutorial, "about1")->trigger();
        frmAbout* box = theOne<frmAbout>();
        QVERIFY(box && box->isVisible());
        QCOMPARE(child<QLabel>(*box, "picIcon")->pixmap().toImage(),
                 programIcon().pixmap(32, 32).toImage());
        box->close();
        tutorial->close();
    }
};

QTEST_MAIN(InstalledLayoutTest)
#include "tst_installedlayout.moc"
