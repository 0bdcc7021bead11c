#include "editor/EditorText.h"
#include "find/GoToLine.h"

#include <QTest>

using namespace vantrel;

Q_DECLARE_METATYPE(std::optional<LineColumn>)

class GoToLineTest : public QObject
{
    Q_OBJECT

private slots:
    void parsesWhatUsersType_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<long long>("line"); // 0: names no place
        QTest::addColumn<long long>("column");
        QTest::newRow("line") << "12" << 12LL << 1LL;
        QTest::newRow("line and column") << "12:5" << 12LL << 5LL;
        QTest::newRow("as check prints it") << "12:5:" << 12LL << 5LL;
        QTest::newRow("spaces") << "  7 : 3 " << 7LL << 3LL;
        QTest::newRow("colon, no column") << "7:" << 7LL << 1LL;
        QTest::newRow("too large") << "99999999999999999999999" << 9223372036854775807LL << 1LL;
        QTest::newRow("empty") << "" << 0LL << 0LL;
        QTest::newRow("line 0") << "0" << 0LL << 0LL;
        QTest::newRow("column 0") << "3:0" << 0LL << 0LL;
        QTest::newRow("negative") << "-3" << 0LL << 0LL;
        QTest::newRow("word") << "ten" << 0LL << 0LL;
        QTest::newRow("trailing text") << "3:4: error" << 0LL << 0LL;
        QTest::newRow("Arabic-Indic digit") << QString::fromUtf8("\u0663") << 0LL << 0LL;
    }
    void parsesWhatUsersType()
    {
        QFETCH(QString, typed);
        QFETCH(long long, line);
        QFETCH(long long, column);
        const auto place = parseLineColumn(typed);
        QCOMPARE(place.has_value(), line > 0);
        if (place) {
            QCOMPARE(place->line, line);
            QCOMPARE(place->column, column);
        }
    }

    // Lines end wherever the check command ends them: CR LF, a lone LF, a lone CR.
    void findsThePlaceInTheEditorsText_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<long long>("line");
        QTest::addColumn<long long>("column");
        QTest::addColumn<int>("position");
        const QString crlf = QStringLiteral("ab\r\ncdef\r\ng");
        const QString lf = QStringLiteral("ab\ncdef\ng");
        const QString mixed = QStringLiteral("ab\ncdef\r\ng\rh");
        QTest::newRow("CR LF line 2") << crlf << 2LL << 3LL << 5;
        QTest::newRow("LF line 2") << lf << 2LL << 3LL << 5;
        QTest::newRow("mixed line 3") << mixed << 3LL << 1LL << 8;
        QTest::newRow("mixed line 4 after a lone CR") << mixed << 4LL << 1LL << 10;
        QTest::newRow("column past the line's end") << crlf << 1LL << 40LL << 2;
        QTest::newRow("line past the end") << crlf << 900LL << 1LL << 8;
        QTest::newRow("surrogate pair is one column")
            << QStringLiteral("x\U0001F600yz") << 1LL << 3LL << 3;
    }
    void findsThePlaceInTheEditorsText()
    {
        QFETCH(QString, file);
        QFETCH(long long, line);
        QFETCH(long long, column);
        QFETCH(int, position);
        const QString editorText = toEditorText(file);
        QCOMPARE(positionOf(lexerView(editorText), {line, column}), position);
    }
};

QTEST_GUILESS_MAIN(GoToLineTest)
#include "tst_gotoline.moc"
