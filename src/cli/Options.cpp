#include "cli/Options.h"

#include <algorithm>

namespace vantrel {
namespace {

// The manual's entry heading is written for a short form or a value, not both.
static_assert(std::ranges::none_of(Options, [](const Option& option) {
    return option.letter != 0 && !option.value.empty();
}));

QString text(std::string_view view)
{
    return QString::fromUtf8(view.data(), qsizetype(view.size()));
}

// The window's default for the name that the option sets; the texts show it for "%1".
QString fieldDefault(const Option& option)
{
    return option.field ? QString::fromStdString(ScriptFields().*option.field) : QString();
}

// In roff a plain '-' is a hyphen, which may break a line and copies badly from the page.
QString roff(const QString& plain)
{
    QString escaped = plain;
    return escaped.replace(u'\\', QStringLiteral("\\e")).replace(u'-', QStringLiteral("\\-"));
}

QString longForm(const Option& option)
{
    return QStringLiteral("--") + latin1(option.name);
}

// "-h", or empty for an option without one.
QString shortForm(const Option& option)
{
    return option.letter ? QStringLiteral("-") + QLatin1Char(option.letter) : QString();
}

QString helpLabel(const Option& option)
{
    QString label = longForm(option);
    if (option.letter)
        label.prepend(shortForm(option) + QStringLiteral(", "));
    if (!option.value.empty())
        label += u' ' + text(option.value);
    return label;
}

QString manualHeading(const Option& option)
{
    if (!option.value.empty())
        return QStringLiteral(".BI %1 \" %2\"").arg(roff(longForm(option)), text(option.value));
    if (option.letter)
        return QStringLiteral(".BR %1 \", \" %2")
            .arg(roff(shortForm(option)), roff(longForm(option)));
    return QStringLiteral(".B ") + roff(longForm(option));
}

} // namespace

const Option* findOption(QStringView spelled, OptionScope scope)
{
    const auto spells = [&](const Option& option) {
        return (option.scope == scope || option.scope == OptionScope::AnyCommand) &&
               (spelled == longForm(option) || (option.letter && spelled == shortForm(option)));
    };
    const auto found = std::ranges::find_if(Options, spells);
    return found == std::end(Options) ? nullptr : found;
}

QString optionsHelp(std::initializer_list<OptionScope> scopes)
{
    qsizetype widest = 0;
    for (const Option& option : Options)
        widest = std::max(widest, helpLabel(option).size());
    const qsizetype column = 2 + widest + 2;
    const QString indent(column, u' ');

    QString lines;
    for (const Option& option : Options) {
        if (std::ranges::find(scopes, option.scope) == scopes.end())
            continue;
        lines += (QStringLiteral("  ") + helpLabel(option)).leftJustified(column) +
                 text(option.help)
                     .replace(QStringLiteral("%1"), fieldDefault(option))
                     .replace(u'\n', u'\n' + indent) +
                 u'\n';
    }
    return lines;
}

QString manualSynopsis(OptionScope scope)
{
    QString lines;
    for (const Option& option : Options)
        if (option.scope == scope)
            lines += QStringLiteral(".OP %1 %2\n").arg(roff(longForm(option)), text(option.value));
    return lines;
}

QString manualOptions()
{
    QString entries;
    for (const Option& option : Options) {
        const QString paragraph =
            text(option.manual).replace(QStringLiteral("%1"), roff(fieldDefault(option)));
        entries += QStringLiteral(".TP\n") + manualHeading(option) + u'\n' + paragraph + u'\n';
    }
    return entries;
}

} // namespace vantrel
