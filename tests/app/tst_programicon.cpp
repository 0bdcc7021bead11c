#include "app/ProgramIcon.h"
#include "app/ProgramStyle.h"
#include "windowkit/DeferredIcon.h"

#include <QPixmap>
#include <QTest>

using namespace vantrel;

class ProgramIconTest : public QObject
{
    Q_OBJECT

private slots:
    // Each drawn size exactly as drawn; others scaled down from a larger one, never up; a
    // greyed look when disabled.
    void drawsEverySizeDownButNeverUp()
    {
        const QIcon icon = programIcon();
        QList<QSize> drawn;
        for (int side : {16, 24, 32, 48, 64, 128, 256}) {
            drawn << QSize(side, side);
            const QPixmap file(QStringLiteral(":/icons/vantrel-%1.png").arg(side));
            QVERIFY(!file.isNull());
            QCOMPARE(icon.pixmap(drawn.last()).toImage(), file.toImage());
        }
        QCOMPARE(icon.availableSizes(), drawn);
        for (const auto& [asked, given] : {std::pair(20, 20), std::pair(512, 256)}) {
            QCOMPARE(icon.pixmap(QSize(asked, asked)).size(), QSize(given, given));
            QCOMPARE(icon.actualSize(QSize(asked, asked)), QSize(given, given));
        }
        QVERIFY(icon.pixmap(QSize(32, 32), QIcon::Disabled).toImage() !=
                icon.pixmap(QSize(32, 32)).toImage());
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
    }
};

QTEST_MAIN(ProgramIconTest)
#include "tst_programicon.moc"
