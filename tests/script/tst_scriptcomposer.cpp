#include "script/NameCheck.h"
#include "script/ScriptComposer.h"

#include <QTest>

using vantrel::ScriptFields;

namespace {
// The blocks of the default names, byte for byte.
const QByteArray Head = "(script continuous \"Vehicle_Tele\"\r\n";
const QByteArray Warthog = "  (if \r\n"
                           "   (volume_test_object \"Enter\" \"Warthog_name\" )\r\n"
                           "   (object_teleport \"Warthog_name\" \"Exit\" )\r\n"
                           "  )\r\n";
const QByteArray Scorpion = "  (if \r\n"
                            "   (volume_test_object \"Enter\" \"Scorpion_Name\" )\r\n"
                            "   (object_teleport \"Scorpion_Name\" \"Exit\" )\r\n"
                            "  )\r\n";
} // namespace

class ScriptComposerTest : public QObject
{
    Q_OBJECT

private slots:
    void composesByteForByte_data()
    {
        QTest::addColumn<ScriptFields>("fields");
        QTest::addColumn<QByteArray>("script");
        QTest::newRow("one vehicle") << ScriptFields() << Head + Warthog + " )";
        QTest::newRow("two vehicles")
            << ScriptFields{.twoVehicles = true} << Head + Warthog + Scorpion + " )";
        const QByteArray emptyBlock = "  (if \r\n"
                                      "   (volume_test_object \"\" \"\"\r\n"
                                      "   (object_teleport \"\" \"\"\r\n"
                                      "\r\n";
        QTest::newRow("empty fields") << ScriptFields{"", "", "", "", "", "", "", true}
                                      << "(script continuous \"\"\r\n" + emptyBlock + emptyBlock;
        // Quotes, blanks, tabs, UTF-8 and line ends in a value pass through untouched.
        const ScriptFields odd{.scriptName = "my \"tele\" script",
                               .flagName = "Fl\xc3\xa4g\r\n",
                               .vehicleName = " Warthog vehic\t",
                               .lineCloser = "]]",
                               .blockCloser = "}",
                               .twoVehicles = true};
        QTest::newRow("copied as they stand")
            << odd
            << QByteArray("(script continuous \"my \"tele\" script\"\r\n"
                          "  (if \r\n"
                          "   (volume_test_object \"Enter\" \" Warthog vehic\t\"]]\r\n"
                          "   (object_teleport \" Warthog vehic\t\" \"Fl\xc3\xa4g\r\n\"]]\r\n"
                          "}\r\n"
                          "  (if \r\n"
                          "   (volume_test_object \"Enter\" \"Scorpion_Name\"]]\r\n"
                          "   (object_teleport \"Scorpion_Name\" \"Fl\xc3\xa4g\r\n\"]]\r\n"
                          "}\r\n"
                          "]]");
    }

    void composesByteForByte()
    {
        QFETCH(ScriptFields, fields);
        QFETCH(QByteArray, script);
        QCOMPARE(QByteArray::fromStdString(vantrel::ComposeScript(fields)), script);
    }

    // The first thing wrong with a name, reading from its start.
    void nameCheck_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("problem"); // -1 for none
        using enum vantrel::NameProblem;
        QTest::newRow("good") << "Fl\u00E4g_2.5" << -1;
        QTest::newRow("empty") << "" << int(Empty);
        for (const char16_t blank : {u' ', u'\t', u'\n', u'\u00A0', u'\u200A', u'\u3000'})
            QTest::addRow("U+%04X", unsigned(blank)) << QString(QChar(blank)) << int(Whitespace);
        QTest::newRow("quote, then blank") << "a\"b c" << int(Quote);
        QTest::newRow("parenthesis") << "x)" << int(Parenthesis);
        QTest::newRow("semicolon") << "a;b" << int(Semicolon);
    }

    void nameCheck()
    {
        QFETCH(QString, name);
        QFETCH(int, problem);
        const std::optional<vantrel::NameProblem> found = vantrel::CheckName(
            std::u16string_view(reinterpret_cast<const char16_t*>(name.utf16()), name.size()));
        QCOMPARE(found ? int(*found) : -1, problem);
    }
};

QTEST_APPLESS_MAIN(ScriptComposerTest)
#include "tst_scriptcomposer.moc"
