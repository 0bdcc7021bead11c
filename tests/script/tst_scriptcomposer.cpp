#include "ScriptComposer.h"

#include <QTest>

using vantrel::ComposeScript;
using vantrel::ScriptFields;

namespace {
QByteArray compose(const ScriptFields& fields)
{
    return QByteArray::fromStdString(ComposeScript(fields));
}
} // namespace

class ScriptComposerTest : public QObject
{
    Q_OBJECT

private slots:
    void oneVehicleDefaultsByteForByte()
    {
        const QByteArray expected = "(script continuous \"Vehicle_Tele\"\r\n"
                                    "  (if \r\n"
                                    "   (volume_test_object \"Enter\" \"Warthog_name\" )\r\n"
                                    "   (object_teleport \"Warthog_name\" \"Exit\" )\r\n"
                                    "  )\r\n"
                                    " )";
        QCOMPARE(compose(ScriptFields{}), expected);
    }

    void twoVehiclesDefaultsByteForByte()
    {
        ScriptFields fields;
        fields.twoVehicles = true;
        const QByteArray expected = "(script continuous \"Vehicle_Tele\"\r\n"
                                    "  (if \r\n"
                                    "   (volume_test_object \"Enter\" \"Warthog_name\" )\r\n"
                                    "   (object_teleport \"Warthog_name\" \"Exit\" )\r\n"
                                    "  )\r\n"
                                    "  (if \r\n"
                                    "   (volume_test_object \"Enter\" \"Scorpion_Name\" )\r\n"
                                    "   (object_teleport \"Scorpion_Name\" \"Exit\" )\r\n"
                                    "  )\r\n"
                                    " )";
        QCOMPARE(compose(fields), expected);
        QCOMPARE(compose(fields).count("\r\n"), 9);
    }

    void emptyFieldsGiveEmptyQuotesAndLines()
    {
        const ScriptFields fields{"", "", "", "", "", "", "", true};
        const QByteArray expected = "(script continuous \"\"\r\n"
                                    "  (if \r\n"
                                    "   (volume_test_object \"\" \"\"\r\n"
                                    "   (object_teleport \"\" \"\"\r\n"
                                    "\r\n"
                                    "  (if \r\n"
                                    "   (volume_test_object \"\" \"\"\r\n"
                                    "   (object_teleport \"\" \"\"\r\n"
                                    "\r\n";
        QCOMPARE(compose(fields), expected);
    }

    void valuesAreCopiedAsTheyStand()
    {
        ScriptFields fields;
        fields.scriptName = "my \"tele\" script";
        fields.vehicleName = " Warthog vehic\t";
        fields.flagName = "Fl\xc3\xa4g\r\n"; // UTF-8 and a line end pass through untouched
        const QByteArray script = compose(fields);
        QVERIFY(script.startsWith("(script continuous \"my \"tele\" script\"\r\n"));
        QVERIFY(script.contains("   (volume_test_object \"Enter\" \" Warthog vehic\t\" )\r\n"));
        QVERIFY(
            script.contains("   (object_teleport \" Warthog vehic\t\" \"Fl\xc3\xa4g\r\n\" )\r\n"));
    }

    void closersChangeEveryLineThatUsesThem()
    {
        ScriptFields fields;
        fields.lineCloser = "]]";
        fields.blockCloser = "}";
        fields.twoVehicles = true;
        const QList<QByteArray> lines = compose(fields).split('\n');
        QCOMPARE(lines.size(), 10);
        for (int i : {2, 3, 6, 7})
            QVERIFY2(lines[i].endsWith("]]\r"), lines[i].constData());
        QCOMPARE(lines[4], QByteArray("}\r"));
        QCOMPARE(lines[8], QByteArray("}\r"));
        QCOMPARE(lines[9], QByteArray("]]"));
    }

    void secondVehicleIgnoredInOneVehicleMode()
    {
        ScriptFields fields;
        fields.secondVehicleName = "Ghost\r\n)";
        QCOMPARE(compose(fields), compose(ScriptFields{}));
        QVERIFY(!compose(fields).contains("Ghost"));
    }
};

QTEST_APPLESS_MAIN(ScriptComposerTest)
#include "tst_scriptcomposer.moc"
