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

    void shownAsDesignedAndDrawn()
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
        for (const char* name : {"lblTitle", "lblVersion", "lblDescription", "lblDisclaimer"})
            QCOMPARE(child<QLabel>(box, name)->palette().color(QPalette::WindowText),
                     QColor(192, 192, 192));

        // As drawn.
        const QImage image = box.grab().toImage();
        const auto at = [&image](int x, int y) { return image.pixelColor(x, y); };
        const QColor dark(64, 64, 64), grey(128, 128, 128), white(Qt::white);
        QCOMPARE(at(5, 5), dark);
        QCOMPARE(at(325, 150), dark); // behind a transparent label
        QCOMPARE(at(20, 20), grey);   // the picture box, around the icon
        QCOMPARE(at(34, 34), Red);    // the program's icon
        // The rule: a grey line with a white line two pixels wide just below it, which
        // starts one pixel later.
        QCOMPARE(at(200, 162), dark);
        QCOMPARE(at(200, 163), grey);
        QCOMPARE(at(200, 164), white);
        QCOMPARE(at(200, 165), white);
        QCOMPARE(at(200, 166), dark);
        QCOMPARE(at(6, 163), grey);
        QCOMPARE(at(6, 164), dark);
        QCOMPARE(at(376, 164), white);
        QCOMPARE(at(377, 164), dark);
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
