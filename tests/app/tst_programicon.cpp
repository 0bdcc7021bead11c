#include "DeferredIcon.h"
#include "ProgramIcon.h"
#include "ProgramStyle.h"

#include <QPixmap>
#include <QTest>

using namespace vantrel;

class ProgramIconTest : public QObject
{
    Q_OBJECT

private slots:
    void offersEveryDrawnSize()
    {
        const QIcon icon = programIcon();
        QList<QSize> expected;
        for (int side : {16, 24, 32, 48, 64, 128, 256})
            expected.append(QSize(side, side));
        QCOMPARE(icon.availableSizes(), expected);
        for (const QSize& size : expected) {
            const QPixmap drawn(QStringLiteral(":/icons/vantrel-%1.png").arg(size.width()));
            QVERIFY(!drawn.isNull());
            QCOMPARE(icon.pixmap(size).toImage(), drawn.toImage());
        }
    }

    void scalesDownButNeverUp()
    {
        const QIcon icon = programIcon();
        QCOMPARE(icon.pixmap(QSize(20, 20)).size(), QSize(20, 20));
        QCOMPARE(icon.actualSize(QSize(20, 20)), QSize(20, 20));
        QCOMPARE(icon.pixmap(QSize(512, 512)).size(), QSize(256, 256));
        QCOMPARE(icon.actualSize(QSize(512, 512)), QSize(256, 256));
        QCOMPARE(icon.pixmap(QSize(32, 32), 2.0).size(), QSize(64, 64));
    }

    void disabledLooksDifferent()
    {
        const QIcon icon = programIcon();
        const QImage normal = icon.pixmap(QSize(32, 32)).toImage();
        const QImage disabled = icon.pixmap(QSize(32, 32), QIcon::Disabled).toImage();
        QCOMPARE(disabled.size(), normal.size());
        QVERIFY(disabled != normal);
    }

    void deferredIconIsMadeOnceWhenFirstDrawn()
    {
        int made = 0;
        const QIcon icon = deferredIcon([&made] {
            ++made;
            return QIcon(QStringLiteral(":/icons/vantrel-16.png"));
        });
        const QIcon copy = icon;
        QVERIFY(!icon.isNull());
        QCOMPARE(made, 0);
        QCOMPARE(copy.pixmap(QSize(16, 16)).size(), QSize(16, 16));
        QCOMPARE(icon.availableSizes(), QList<QSize>{QSize(16, 16)});
        QCOMPARE(made, 1);
    }

    void menuBarOverflowArrowStillDraws()
    {
        ProgramStyle style;
        const QIcon arrow = style.standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
        QVERIFY(!arrow.pixmap(QSize(16, 16)).isNull());
        QVERIFY(!style.standardIcon(QStyle::SP_MessageBoxCritical).isNull());
    }
};

QTEST_MAIN(ProgramIconTest)
#include "tst_programicon.moc"
