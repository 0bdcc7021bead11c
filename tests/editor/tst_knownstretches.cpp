#include "editor/KnownStretches.h"

#include <QTest>

using vantrel::KnownStretches;

namespace {

// Each stretch as its length, negative when unknown, with its place in the buffer.
using Shape = std::vector<std::pair<std::int64_t, std::int64_t>>;

Shape shapeOf(const KnownStretches& known)
{
    Shape shape;
    for (const KnownStretches::Stretch& stretch : known.stretches())
        shape.emplace_back(stretch.length, stretch.bufferFrom);
    return shape;
}

constexpr std::int64_t Unknown = KnownStretches::Unknown;

} // namespace

class KnownStretchesTest : public QObject
{
    Q_OBJECT

private slots:
    void changesCutTheKnownTextAndKeepItsPlaces()
    {
        KnownStretches known;
        known.knowWhole(10, 100);
        known.change(3, 2, 1); // a selection typed over
        QCOMPARE(shapeOf(known), (Shape{{3, 100}, {1, Unknown}, {5, 105}}));
        known.change(4, 0, 1); // the next key joins the unknown stretch
        QCOMPARE(shapeOf(known), (Shape{{3, 100}, {2, Unknown}, {5, 105}}));
        known.change(0, 0, 4); // at the very start
        QCOMPARE(shapeOf(known), (Shape{{4, Unknown}, {3, 100}, {2, Unknown}, {5, 105}}));
        known.change(9, 3, 0); // the tail's first characters removed
        QCOMPARE(shapeOf(known), (Shape{{4, Unknown}, {3, 100}, {2, Unknown}, {2, 108}}));
        known.change(11, 0, 2); // typed at the end
        QCOMPARE(shapeOf(known),
                 (Shape{{4, Unknown}, {3, 100}, {2, Unknown}, {2, 108}, {2, Unknown}}));
        QCOMPARE(known.length(), 13);
    }

    void aChangeAcrossStretchesJoinsTheUnknownAroundIt()
    {
        KnownStretches known;
        known.knowWhole(10, 0);
        known.change(2, 1, 1);
        known.change(6, 1, 1);
        known.change(2, 5, 1); // from one unknown stretch over a known one into the next
        QCOMPARE(shapeOf(known), (Shape{{2, 0}, {1, Unknown}, {3, 7}}));
        known.change(0, 3, 0); // everything but the last three characters
        QCOMPARE(shapeOf(known), (Shape{{3, 7}}));
        known.change(0, 0, 1);
        known.change(2, 0, 1);
        known.change(1, 1, 0); // the known character between two typed ones
        QCOMPARE(shapeOf(known), (Shape{{2, Unknown}, {2, 8}}));
    }

    void aChangeItCannotPlaceForgetsEverything()
    {
        KnownStretches known;
        known.knowWhole(10, 0);
        known.change(8, 5, 1); // reaches past the end, as Qt's count of its last separator does
        QCOMPARE(shapeOf(known), (Shape{{6, Unknown}}));
        known.forget(0);
        QVERIFY(known.stretches().empty());
        QCOMPARE(known.length(), 0);
    }
};

QTEST_APPLESS_MAIN(KnownStretchesTest)
#include "tst_knownstretches.moc"
