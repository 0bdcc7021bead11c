#include "script/ScriptCheck.h"
#include "script/TextFormat.h"

#include <QTest>

using namespace vantrel;

Q_DECLARE_METATYPE(LineEnd)
Q_DECLARE_METATYPE(TextEncoding)

namespace {

std::u16string_view view(const QString& text)
{
    return {reinterpret_cast<const char16_t*>(text.utf16()), size_t(text.size())};
}

// Encodes text in pieces of the given length, as Save hands the editor's text on.
std::pair<QByteArray, std::optional<std::size_t>> encodeInPieces(const QString& text, int piece)
{
    Utf8Encoder encoder;
    QByteArray bytes;
    for (qsizetype at = 0; at < text.size() && !encoder.firstUnencodable(); at += piece) {
        const std::u16string_view part = view(text).substr(at, piece);
        QByteArray room(qsizetype(Utf8Encoder::roomFor(part.size())), '\0');
        bytes += room.left(qsizetype(encoder.encode(part, room.data())));
    }
    if (!encoder.firstUnencodable() && encoder.waiting()) {
        char room[4];
        encoder.encode(u"\r", room); // what a save writes next: CR LF
    }
    return {bytes, encoder.firstUnencodable()};
}

} // namespace

class TextFormatTest : public QObject
{
    Q_OBJECT

private slots:
    void lineEndIsTheMostCommonOne_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<LineEnd>("lineEnd");
        QTest::newRow("empty") << "" << LineEnd::CrLf;
        QTest::newRow("CR LF") << "a\r\nb\r\n" << LineEnd::CrLf;
        QTest::newRow("LF") << "a\nb\n" << LineEnd::Lf;
        QTest::newRow("CR") << "a\rb\r" << LineEnd::Cr;
        // Decompiled scripts: CR LF with two stray LFs in the header.
        QTest::newRow("stray LFs first") << "; a\n; b\n(x)\r\n(y)\r\n(z)\r\n" << LineEnd::CrLf;
        QTest::newRow("LF CR is two") << "a\n\rb\n\r" << LineEnd::Lf;
        QTest::newRow("tie CR LF and LF") << "a\r\nb\n" << LineEnd::CrLf;
        QTest::newRow("CR more than LF") << "\r\r\n\r" << LineEnd::Cr;
    }
    void lineEndIsTheMostCommonOne()
    {
        QFETCH(QString, text);
        QFETCH(LineEnd, lineEnd);
        QCOMPARE(MostCommonLineEnd(view(text)), lineEnd);
    }

    void encodingOfBytes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<TextEncoding>("encoding");
        const auto w1252 = TextEncoding::Windows1252;
        const auto utf8 = TextEncoding::Utf8;
        const auto mark = TextEncoding::Utf8WithByteOrderMark;
        QTest::newRow("empty") << QByteArray() << w1252;
        QTest::newRow("ASCII") << QByteArray("(script static void x)\n") << w1252;
        QTest::newRow("two bytes") << QByteArray("caf\xC3\xA9") << utf8;
        QTest::newRow("four bytes") << QByteArray("\xF0\x9F\x98\x80") << utf8;
        QTest::newRow("mark") << QByteArray("\xEF\xBB\xBF(x)") << mark;
        QTest::newRow("mark alone") << QByteArray("\xEF\xBB\xBF") << mark;
        // Windows-1252 letters and quotes are not UTF-8.
        QTest::newRow("1252 letter") << QByteArray("caf\xE9") << w1252;
        QTest::newRow("mark then 1252") << QByteArray("\xEF\xBB\xBF\xE9") << w1252;
        QTest::newRow("cut short") << QByteArray("ok \xE2\x80") << w1252;
        QTest::newRow("lone continuation") << QByteArray("\x80") << w1252;
        QTest::newRow("overlong slash") << QByteArray("\xC0\xAF") << w1252;
        QTest::newRow("surrogate") << QByteArray("\xED\xA0\x80") << w1252;
        QTest::newRow("past U+10FFFF") << QByteArray("\xF4\x90\x80\x80") << w1252;
        QTest::newRow("U+10FFFF") << QByteArray("\xF4\x8F\xBF\xBF") << utf8;
        // A file that holds one of the editor's stand-ins itself is read byte for byte.
        QTest::newRow("line separator") << QByteArray("a\xE2\x80\xA8"
                                                      "b")
                                        << w1252;
        QTest::newRow("symbol for CR") << QByteArray("\xEF\xBB\xBF\xE2\x90\x8D") << w1252;
        QTest::newRow("symbol for LF") << QByteArray("\xE2\x90\x8A") << utf8;
        QTest::newRow("long ASCII then one") << QByteArray(1000, 'x') + "\xC3\xA9" << utf8;
    }
    void encodingOfBytes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(TextEncoding, encoding);
        QCOMPARE(DetectEncoding({bytes.constData(), size_t(bytes.size())}), encoding);
    }

    // Every text without a lone surrogate encodes as Qt encodes it, however it is cut.
    void utf8InPieces_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("bad"); // -1: none
        QTest::newRow("ASCII") << "(x)\r\n" << -1;
        QTest::newRow("mixed") << QStringLiteral("\u00e9\u201c\U0001F600z\u0000") << -1;
        QTest::newRow("pairs") << QStringLiteral("\U0001F600\U0001F601\U00010000") << -1;
        QTest::newRow("lone high") << QString("ab") + QChar(0xD800) + "c" << 2;
        QTest::newRow("high at end") << QString("abc") + QChar(0xD83D) << 3;
        QTest::newRow("two highs") << QString(QChar(0xD83D)) + QChar(0xD83D) + QChar(0xDE00) << 0;
    }
    void utf8InPieces()
    {
        QFETCH(QString, text);
        QFETCH(int, bad);
        for (int piece = 1; piece <= 4; ++piece) {
            const auto [bytes, unencodable] = encodeInPieces(text, piece);
            QCOMPARE(unencodable.has_value(), bad >= 0);
            if (bad >= 0)
                QCOMPARE(*unencodable, std::size_t(bad));
            else
                QCOMPARE(bytes, text.toUtf8());
        }
    }

    // A stand-in CR beside a stand-in LF, or beside a file character, is CR LF in the file:
    // one line end, as the check of the file counts it.
    void crBesideLfIsOneLineEnd_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("line");
        QTest::newRow("file CR LF") << "\r\n)" << 2;
        QTest::newRow("stand-ins") << QStringLiteral("\u240D\u2028)") << 2;
        QTest::newRow("file CR, stand-in LF") << QStringLiteral("\r\u2028)") << 2;
        QTest::newRow("LF then CR") << QStringLiteral("\u2028\u240D)") << 3;
        QTest::newRow("CR then paragraph break") << QStringLiteral("\u240D\u2029)") << 3;
    }
    void crBesideLfIsOneLineEnd()
    {
        QFETCH(QString, text);
        QFETCH(int, line);
        const std::vector<ScriptProblem> problems = CheckScript(view(text));
        QCOMPARE(problems.size(), std::size_t(1));
        QCOMPARE(problems.front().line, std::size_t(line));
        QCOMPARE(problems.front().column, std::size_t(1));
    }
};

QTEST_APPLESS_MAIN(TextFormatTest)
#include "tst_textformat.moc"
