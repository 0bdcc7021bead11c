#include "NamedChild.h"
#include "frmAbout.h"

#include <QApplication>
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

    void loadStepWritesTheTexts()
    {
        frmAbout box;
        QCOMPARE(box.windowTitle(), QStringLiteral("About Vantrel"));
        QCOMPARE(child<QLabel>(box, "lblTitle")->text(), QStringLiteral("Vantrel"));
        QCOMPARE(child<QLabel>(box, "lblVersion")->text(), QStringLiteral("Version 1.0.8"));
        QCOMPARE(child<QPushButton>(box, "cmdOK")->text(), QStringLiteral("OK"));
        for (const char* credit : {"lblDescription", "lblDisclaimer"})
            QVERIFY(child<QLabel>(box, credit)->text().contains(QLatin1String("contributors")));
        // No button or command other than OK.
        QCOMPARE(box.findChildren<QPushButton*>().size(), 1);
    }

    void frameAndPlacementFollowTheDesign()
    {
        frmAbout box;
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QCOMPARE(box.geometry(), QRect(156, 129, 382, 237));
        QCOMPARE(box.minimumSize(), box.maximumSize());
        QCOMPARE(box.windowType(), Qt::Tool); // kept out of the taskbar
        QVERIFY(!(box.windowFlags() & Qt::WindowMinMaxButtonsHint));
        QVERIFY(box.windowFlags() & Qt::WindowCloseButtonHint);
        QVERIFY(!box.isModal());
        QCOMPARE(child<QPushButton>(box, "cmdOK")->geometry(), QRect(283, 192, 84, 23));
        QCOMPARE(child<QLabel>(box, "picIcon")->geometry(), QRect(16, 16, 36, 36));
        QCOMPARE(child<QLabel>(box, "lblTitle")->geometry(), QRect(64, 16, 259, 32));
        QCOMPARE(child<QLabel>(box, "lblVersion")->geometry(), QRect(70, 52, 259, 15));
        QCOMPARE(child<QLabel>(box, "lblDescription")->geometry(), QRect(70, 75, 259, 78));
        QCOMPARE(child<QLabel>(box, "lblDisclaimer")->geometry(), QRect(17, 175, 258, 55));
    }

    void coloursIconAndEtchedRuleAsDrawn()
    {
        frmAbout box;
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        const QImage image = box.grab().toImage();
        const QColor dark(64, 64, 64);
        QCOMPARE(image.pixelColor(5, 5), dark);
        QCOMPARE(image.pixelColor(325, 150), dark);                // behind a transparent label
        QCOMPARE(image.pixelColor(20, 20), QColor(128, 128, 128)); // picture box, around the icon
        QCOMPARE(image.pixelColor(34, 34), Red);                   // the program's icon
        // The rule: a grey line with a white line two pixels wide just below it.
        QCOMPARE(image.pixelColor(200, 162), dark);
        QCOMPARE(image.pixelColor(200, 163), QColor(128, 128, 128));
        QCOMPARE(image.pixelColor(200, 164), QColor(Qt::white));
        QCOMPARE(image.pixelColor(200, 165), QColor(Qt::white));
        QCOMPARE(image.pixelColor(200, 166), dark);
        QCOMPARE(image.pixelColor(6, 163), QColor(128, 128, 128));
        QCOMPARE(image.pixelColor(6, 164), dark); // the white line starts one pixel later
        QCOMPARE(image.pixelColor(376, 164), QColor(Qt::white));
        QCOMPARE(image.pixelColor(377, 164), dark);
        for (const char* name : {"lblTitle", "lblVersion", "lblDescription", "lblDisclaimer"}) {
            const QLabel* label = child<QLabel>(box, name);
            QCOMPARE(label->palette().color(QPalette::WindowText), QColor(192, 192, 192));
            QVERIFY(!label->autoFillBackground());
        }
    }

    void okHasTheFocus()
    {
        frmAbout box;
        box.show();
        QVERIFY(QTest::qWaitForWindowActive(&box));
        auto* ok = child<QPushButton>(box, "cmdOK");
        QCOMPARE(QApplication::focusWidget(), ok);
        QVERIFY(ok->isDefault());
    }

    void everyWayOfClosingUnloadsTheBox_data()
    {
        QTest::addColumn<QString>("how");
        for (const char* how : {"Return", "Enter", "Escape", "click OK", "close box"})
            QTest::newRow(how) << QString::fromLatin1(how);
    }

    void everyWayOfClosingUnloadsTheBox()
    {
        QFETCH(QString, how);
        QPointer<frmAbout> box = new frmAbout;
        box->setAttribute(Qt::WA_DeleteOnClose); // as the window layer shows it
        box->show();
        QVERIFY(QTest::qWaitForWindowActive(box));
        auto* ok = child<QPushButton>(*box, "cmdOK");
        if (how == QLatin1String("Return"))
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        else if (how == QLatin1String("Enter"))
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
        else if (how == QLatin1String("Escape"))
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        else if (how == QLatin1String("click OK"))
            QTest::mouseClick(ok, Qt::LeftButton);
        else
            box->close();
        QTRY_VERIFY(box.isNull());
    }
};

QTEST_MAIN(AboutBoxTest)
#include "tst_frmabout.moc"
