#include "app/Application.h"
#include "mainwindow/Form1.h"

#include <QAction>
#include <QApplication>
#include <QProcess>
#include <QTest>
#include <cstring>
#include <iostream>

using namespace vantrel;

namespace {

// Run in a child process at a given scale factor: one line for every shown window and every
// named control in it, "window/control x y width height" in device pixels, and the size of
// the icon a title bar would draw.
int reportGeometry(int argc, char** argv)
{
    QApplication app(argc, argv);
    setUpApplication(app);
    Form1 window;
    window.show();
    if (!QTest::qWaitFor([&window] { return !window.windowIcon().isNull(); }))
        return 1; // the icon comes once the window has painted
    for (const char* command : {"about", "VT"})
        window.findChild<QAction*>(QLatin1String(command))->trigger();
    const qreal ratio = window.devicePixelRatioF();
    const auto print = [ratio](const QString& name, const QRect& placed) {
        std::cout << qPrintable(name);
        for (int value : {placed.x(), placed.y(), placed.width(), placed.height()})
            std::cout << ' ' << qRound(value * ratio);
        std::cout << '\n';
    };
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top != &window && !top->isVisible())
            continue;
        const QList<QWidget*> controls = top->findChildren<QWidget*>() << top;
        for (const QWidget* control : controls) {
            if (control->objectName().isEmpty() || (control->isWindow() && control != top))
                continue;
            print(top->objectName() + u'/' + control->objectName(),
                  QRect(control->mapTo(top, QPoint()), control->size()));
        }
    }
    const QSize icon = window.windowIcon().pixmap(QSize(32, 32), ratio).size();
    std::cout << "icon 0 0 " << icon.width() << ' ' << icon.height() << std::endl;
    return 0;
}

QStringList runReport(const QString& scale)
{
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_SCALE_FACTOR"), scale);
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--report")});
    if (!child.waitForFinished(30000) || child.exitCode() != 0)
        return {};
    QStringList lines =
        QString::fromUtf8(child.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    lines.sort(); // the windows come in no set order
    return lines;
}

} // namespace

class HighDpiTest : public QObject
{
    Q_OBJECT

private slots:
    void scaleTwoDoublesEveryGeometryAndSharpensTheIcon()
    {
        QStringList one = runReport(QStringLiteral("1"));
        QStringList two = runReport(QStringLiteral("2"));
        QVERIFY(one.size() > 40 && one.contains(QStringLiteral("frmAbout/cmdOK 283 192 84 23")) &&
                one.contains(QStringLiteral("icon 0 0 32 32")));
        QVERIFY(!one.filter(QStringLiteral("Form2/WindowsMediaPlayer1 ")).isEmpty());
        QStringList doubled;
        for (const QString& line : one) {
            QStringList words = line.split(u' ');
            for (qsizetype i = 1; i < words.size(); ++i)
                words[i] = QString::number(words[i].toInt() * 2);
            doubled << words.join(u' ');
        }
        doubled.sort();
        QCOMPARE(two, doubled);
    }
};

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--report") == 0)
        return reportGeometry(argc, argv);
    QCoreApplication app(argc, argv);
    HighDpiTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_highdpi.moc"
