#include "NamedChild.h"
#include "frmAbout.h"

#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QTest>

using namespace vantrel;

namespace {
const QColor Red(255, 0, 0);
} // namespace

class AboutBoxTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // A program icon that can be recognised in the picture box: a red square in the
        // middle, transparent around it.
        QPixmap icon(32, 32);
        icon.fill(Qt::transparent);
        QPainter(&icon).fillRect(8, 8, 16, 16, Red);
        QApplication::setWindowIcon(QIcon(icon));
    }

    void shownAsDesigned()
    {
        frmAbout box;
        box.show();
        QVERIFY(QTest::qWaitForWindowActive(&box));
        QCOMPARE(box.windowTitle(), QStringLiteral("About Vantrel"));
        QCOMPARE(child<QLabel>(box, "lblTitle")->text(), QStringLiteral("Vantrel"));
        QCOMPARE(child<QLabel>(box, "lblVersion")->text(), QStringLiteral("Version 1.0.8"));
        for (const char* credit : {"lblDescription", "lblDisclaimer"})
            QVERIFY(child<QLabel>(box, credit)->text().contains(QLatin1String("contributors")));
        auto* ok = child<QPushButton>(box, "cmdOK");
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        QCOMPARE(box.findChildren<QPushButton*>().size(), 1); // no other command
        QCOMPARE(QApplication::focusWidget(), ok);
        QVERIFY(ok->isDefault());

        QCOMPARE(box.geometry(), QRect(156, 129, 382, 237));
        QCOMPARE(box.minimumSize(), box.maximumSize());
        QCOMPARE(box.windowType(), Qt::Tool); // kept out of the taskbar
        QCOMPARE(box.windowFlags() & (Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
                 Qt::WindowCloseButtonHint);
        QVERIFY(!box.isModal());
        const std::pair<const char*, QRect> controls[] = {
            {"cmdOK", {283, 192, 84, 23}},         {"picIcon", {16, 16, 36, 36}},
            {"lblTitle", {64, 16, 259, 32}},       {"lblVersion", {70, 52, 259, 15}},
            {"lblDescription", {70, 75, 259, 78}}, {"lblDisclaimer", {17, 175, 258, 55}}};
        for (const auto& [name, geometry] : controls)
            QCOMPARE(child<QWidget>(box, name)->geometry(), geometry);
    }

    void coloursIconAndEtchedRuleAsDrawn()
    {
        frmAbout box;
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        const QImage image = box.grab().toImage();
        const QColor dark(64, 64, 64), grey(128, 128, 128), white(Qt::white);
        const std::tuple<int, int, QColor> pixels[] = {
            {5, 5, dark},
            {325, 150, dark}, // behind a transparent label
            {20, 20, grey},   // the picture box, around the icon
            {34, 34, Red},    // the program's icon
            // The rule: a grey line with a white line two pixels wide just below it; the
            // white line starts one pixel later.
            {200, 162, dark},
            {200, 163, grey},
            {200, 164, white},
            {200, 165, white},
            {200, 166, dark},
            {6, 163, grey},
            {6, 164, dark},
            {376, 164, white},
            {377, 164, dark}};
        for (const auto& [x, y, colour] : pixels)
            QVERIFY2(image.pixelColor(x, y) == colour,
                     qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
        for (const char* name : {"lblTitle", "lblVersion", "lblDescription", "lblDisclaimer"})
            QCOMPARE(child<QLabel>(box, name)->palette().color(QPalette::WindowText),
                     QColor(192, 192, 192));
    }

    void everyWayOfClosingUnloadsTheBox_data()
    {
        QTest::addColumn<int>("key"); // or 0 for a click on OK, -1 for the close box
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("Enter") << int(Qt::Key_Enter);
        QTest::newRow("Escape") << int(Qt::Key_Escape);
        QTest::newRow("click OK") << 0;
        QTest::newRow("close box") << -1;
    }

    void everyWayOfClosingUnloadsTheBox()
    {
        QFETCH(int, key);
        QPointer<frmAbout> box = new frmAbout;
        box->setAttribute(Qt::WA_DeleteOnClose); // as the window layer shows it
        box->show();
        QVERIFY(QTest::qWaitForWindowActive(box));
        if (key > 0)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key),
                            key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        else if (key == 0)
            QTest::mouseClick(child<QPushButton>(*box, "cmdOK"), Qt::LeftButton);
        else
            box->close();
        QTRY_VERIFY(box.isNull());
    }
};

QTEST_MAIN(AboutBoxTest)
#include "tst_frmabout.moc"
