#include "Application.h"
#include "Form1.h"

#include <QAction>
#include <QApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>
#include <cstring>
#include <iostream>

using namespace vantrel;

namespace {

// Run in a child process at a given scale factor: every window's and every named control's
// geometry, and the size of the icon a title bar would draw, all in device pixels.
int reportGeometry(int argc, char** argv)
{
    QApplication app(argc, argv);
    setUpApplication(app);
    Form1 window;
    window.show();
    window.findChild<QAction*>(QStringLiteral("about"))->trigger();
    window.findChild<QAction*>(QStringLiteral("VT"))->trigger();
    const qreal ratio = window.devicePixelRatioF();
    const auto pixels = [ratio](std::initializer_list<int> values) {
        QStringList numbers;
        for (int value : values)
            numbers << QString::number(qRound(value * ratio));
        return numbers.join(u',');
    };
    QJsonObject report;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top != &window && !top->isVisible())
            continue;
        report[top->objectName()] = pixels({top->width(), top->height()});
        for (const QWidget* control : top->findChildren<QWidget*>()) {
            const QPoint at = control->mapTo(top, QPoint());
            if (!control->objectName().isEmpty() && !control->isWindow())
                report[top->objectName() + u'/' + control->objectName()] =
                    pixels({at.x(), at.y(), control->width(), control->height()});
        }
    }
    const QSize icon = window.windowIcon().pixmap(QSize(32, 32), ratio).size();
    report[QStringLiteral("icon")] = QStringLiteral("%1,%2").arg(icon.width()).arg(icon.height());
    std::cout << QJsonDocument(report).toJson(QJsonDocument::Compact).constData() << std::endl;
    return 0;
}

QJsonObject runReport(const QString& scale)
{
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_SCALE_FACTOR"), scale);
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--report")});
    if (!child.waitForFinished(30000) || child.exitCode() != 0)
        return {};
    return QJsonDocument::fromJson(child.readAllStandardOutput()).object();
}

} // namespace

class HighDpiTest : public QObject
{
    Q_OBJECT

private slots:
    void scaleTwoDoublesEveryGeometryAndSharpensTheIcon()
    {
        const QJsonObject one = runReport(QStringLiteral("1"));
        const QJsonObject two = runReport(QStringLiteral("2"));
        QCOMPARE(one.keys(), two.keys());
        QVERIFY(one.contains(QStringLiteral("frmAbout/cmdOK")));
        QVERIFY(one.contains(QStringLiteral("Form2/WindowsMediaPlayer1")));
        QVERIFY(one.size() > 40);
        QCOMPARE(one[QStringLiteral("icon")].toString(), QStringLiteral("32,32"));
        for (const QString& key : one.keys()) {
            QStringList doubled = one[key].toString().split(u',');
            for (QString& number : doubled)
                number = QString::number(number.toInt() * 2);
            QCOMPARE(two[key].toString(), doubled.join(u','));
        }
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
