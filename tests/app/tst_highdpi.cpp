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

// Run in a child process at a given scale factor: the window's and every control's
// geometry in device pixels, and the device pixel size of the icon a title bar would draw.
int reportGeometry(int argc, char** argv)
{
    QApplication app(argc, argv);
    setUpApplication(app);
    Form1 window;
    window.show();
    const qreal ratio = window.devicePixelRatioF();
    QJsonObject report;
    const auto inDevicePixels = [ratio](const QRect& r) {
        return QStringLiteral("%1,%2 %3x%4")
            .arg(qRound(r.x() * ratio))
            .arg(qRound(r.y() * ratio))
            .arg(qRound(r.width() * ratio))
            .arg(qRound(r.height() * ratio));
    };
    // Each window's size and every named control's place in it.
    const auto reportWindow = [&](const QWidget& top) {
        report[top.objectName()] = inDevicePixels(QRect(QPoint(), top.size()));
        for (const QWidget* control : top.findChildren<QWidget*>())
            if (!control->objectName().isEmpty() && !control->isWindow())
                report[top.objectName() + u'/' + control->objectName()] =
                    inDevicePixels(QRect(control->mapTo(&top, QPoint()), control->size()));
    };
    reportWindow(window);
    window.findChild<QAction*>(QStringLiteral("about"))->trigger();
    window.findChild<QAction*>(QStringLiteral("VT"))->trigger();
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top != &window && top->isVisible())
            reportWindow(*top);
    const QPixmap icon = window.windowIcon().pixmap(QSize(32, 32), ratio);
    report[QStringLiteral("icon")] = QStringLiteral("%1x%2").arg(icon.width()).arg(icon.height());
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

QString doubled(const QString& geometry)
{
    QString result;
    QString number;
    for (const QChar c : geometry + QLatin1Char(' ')) {
        if (c.isDigit()) {
            number += c;
            continue;
        }
        if (!number.isEmpty())
            result += QString::number(number.toInt() * 2);
        number.clear();
        result += c;
    }
    return result.trimmed();
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
        QVERIFY(!one.isEmpty() && !two.isEmpty());
        QCOMPARE(one.keys(), two.keys());
        QVERIFY(one.contains(QStringLiteral("frmAbout/cmdOK")));
        QVERIFY(one.contains(QStringLiteral("Form2/WindowsMediaPlayer1")));
        QVERIFY(one.size() > 40);
        for (const QString& key : one.keys()) {
            if (key == QLatin1String("icon"))
                continue;
            QCOMPARE(two[key].toString(), doubled(one[key].toString()));
        }
        QCOMPARE(one[QStringLiteral("icon")].toString(), QStringLiteral("32x32"));
        QCOMPARE(two[QStringLiteral("icon")].toString(), QStringLiteral("64x64"));
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
