#include "NamedChild.h"
#include "about/frmAbout.h"

#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QTest>

using namespace vantrel;

class AboutBoxTest : public QObject
{
    Q_OBJECT

    QPointer<frmAbout> m_box;

private slots:
    void initTestCase()
    {
        // A program icon that can be recognised in the picture box: a red square in the
        // middle, transparent around it.
        QPixmap icon(32, 32);
        icon.fill(Qt::transparent);
        QPainter(&icon).fillRect(8, 8, 16, 16, Qt::red);
        QApplication::setWindowIcon(QIcon(icon));
    }

    // The box as the window layer shows it: released when it closes.
    void init()
    {
        m_box = new frmAbout;
        m_box->setAttribute(Qt::WA_DeleteOnClose);
        m_box->show();
        QVERIFY(QTest::qWaitForWindowActive(m_box));
    }

    void cleanup() { delete m_box; }

    void shownAsDesignedAndDrawn()
    {
        frmAbout& box = *m_box;
        QCOMPARE(box.windowTitle(), QStringLiteral("About Vantrel"));
        QCOMPARE(box.geometry(), QRect(156, 129, 382, 237));
        QCOMPARE(box.minimumSize(), box.maximumSize());
        QCOMPARE(box.windowType(), Qt::Tool); // kept out of the taskbar
        QCOMPARE(box.windowFlags() & (Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
                 Qt::WindowCloseButtonHint);
        QCOMPARE(QApplication::focusWidget(), child<QPushButton>(box, "cmdOK"));
        const std::tuple<const char*, QRect, const char*> controls[] = {
            {"cmdOK", {283, 192, 84, 23}, "OK"},
            {"picIcon", {16, 16, 36, 36}, ""},
            {"lblTitle", {64, 16, 259, 32}, "Vantrel"},
            {"lblVersion", {70, 52, 259, 15}, "Version 1.0.8"},
            {"lblDescription",
             {70, 75, 259, 78},
             "Written by the Vantrel contributors. Thanks to everyone who tried it out, reported "
             "a problem or suggested an improvement."},
            {"lblDisclaimer", {17, 175, 258, 55}, "Video tutorial by the Vantrel contributors."}};
        for (const auto& [name, geometry, text] : controls) {
            const QWidget* control = child<QWidget>(box, name);
            QCOMPARE(control->geometry(), geometry);
            QCOMPARE(control->property("text").toString(), QLatin1String(text));
            if (qobject_cast<const QLabel*>(control) && *text)
                QCOMPARE(control->palette().color(QPalette::WindowText), QColor(192, 192, 192));
        }

        // As drawn: the dark face, also behind a transparent label; the picture box's grey
        // around the icon; and the rule, a grey line with a white line two pixels wide just
        // below it, which starts one pixel later.
        const QImage image = box.grab().toImage();
        const QColor dark(64, 64, 64), grey(128, 128, 128), white(Qt::white);
        const std::tuple<int, int, QColor> pixels[] = {
            {5, 5, dark},     {325, 150, dark}, {20, 20, grey},    {34, 34, Qt::red},
            {200, 162, dark}, {200, 163, grey}, {200, 164, white}, {200, 165, white},
            {200, 166, dark}, {6, 163, grey},   {6, 164, dark},    {376, 164, white},
            {377, 164, dark}};
        for (const auto& [x, y, colour] : pixels) // paired with the point, to name it
            QCOMPARE(std::pair(QPoint(x, y), image.pixelColor(x, y)),
                     std::pair(QPoint(x, y), colour));
    }

    void everyWayOfClosingReleasesTheBox_data()
    {
        QTest::addColumn<int>("key"); // or 0 for a click on OK
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("Escape") << int(Qt::Key_Escape);
        QTest::newRow("click OK") << 0;
    }

    void everyWayOfClosingReleasesTheBox()
    {
        QFETCH(int, key);
        if (key == 0)
            QTest::mouseClick(child<QPushButton>(*m_box, "cmdOK"), Qt::LeftButton);
        else
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QTRY_VERIFY(m_box.isNull());
    }
};

QTEST_MAIN(AboutBoxTest)
#include "tst_frmabout.moc"
