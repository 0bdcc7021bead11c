#include "cli/ComposeCommand.h"

#include "cli/Arguments.h"
#include "cli/Console.h"
#include "cli/Options.h"
#include "cli/Utf16.h"
#include "files/ScriptFileStore.h"
#include "script/NameCheck.h"
#include "script/ScriptComposer.h"
#include "script/Windows1252.h"

#include <cerrno>
#include <cstring>

namespace vantrel {
namespace {

QString codePointAt(const QString& text, qsizetype index)
{
    const char32_t code = QStringView(text).mid(index).toUcs4().value(0);
    return QStringLiteral("U+%1").arg(QString::number(code, 16).toUpper().rightJustified(4, u'0'));
}

// A name the file could not hold ends the command before anything is written.
bool encodable(std::string_view option, const QString& name, Console& console)
{
    const std::optional<std::size_t> bad = encodeWindows1252(utf16(name)).firstUnencodable;
    if (bad)
        console.error(QStringLiteral("--%1 \"%2\": %3 has no byte in Windows-1252; nothing was "
                                     "written")
                          .arg(latin1(option), name, codePointAt(name, *bad)));
    return !bad;
}

void warnAboutName(std::string_view option, const QString& name, Console& console)
{
    if (const std::optional<NameProblem> problem = CheckName(utf16(name)))
        console.warning(
            QStringLiteral("--%1 \"%2\": %3")
                .arg(latin1(option), name, QLatin1StringView(NameProblemText(*problem))));
}

} // namespace

int runCompose(const QMap<QString, QString>& options, Console& console)
{
    const auto given = [&](std::string_view option) { return options.find(latin1(option)); };
    ScriptFields fields;
    for (const Option& option : Options) {
        if (!option.field)
            continue;
        if (const auto name = given(option.name); name != options.end()) {
            if (!encodable(option.name, *name, console))
                return 1;
            // UTF-8, as the window's boxes hand their names to the generator.
            fields.*option.field = name->toStdString();
        }
    }
    for (const Option& option : Options)
        if (const auto name = given(option.name); option.field && name != options.end())
            warnAboutName(option.name, *name, console);
    fields.twoVehicles = given(SecondVehicleOption) != options.end();
    const QString script = QString::fromStdString(ComposeScript(fields));

    if (const auto output = given(OutputOption); output != options.end()) {
        ConsoleSink sink(console, *output);
        return ScriptFileStore(sink).SaveTextFile(script, *output) ? 0 : 1;
    }
    if (!console.write(encodeWindows1252(utf16(script)).bytes)) {
        console.error(QStringLiteral("standard output: ") +
                      QString::fromLocal8Bit(std::strerror(errno)));
        return 1;
    }
    return 0;
}

} // namespace vantrel
