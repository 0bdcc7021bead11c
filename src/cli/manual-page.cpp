// Writes the manual page from its template, with the version and the options filled in
// from the table that the parser and --help read. Run by the build.
#include "cli/Options.h"
#include "version.h"

#include <QFile>
#include <QSaveFile>
#include <cstdio>

namespace {

// Each place must be in the template, so that an edit there cannot drop the options.
bool fill(QString& page, const QString& place, const QString& text)
{
    if (!page.contains(place)) {
        std::fprintf(stderr, "manual-page: the template has no %s\n", qPrintable(place));
        return false;
    }
    page.replace(place, text);
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: manual-page TEMPLATE PAGE\n");
        return 2;
    }
    QFile source(QString::fromLocal8Bit(argv[1]));
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "%s: %s\n", argv[1], qPrintable(source.errorString()));
        return 1;
    }
    QString page = QString::fromUtf8(source.readAll());
    if (!fill(page, QStringLiteral("@VERSION@"), vantrel::versionNumber()) ||
        !fill(page, QStringLiteral("@CHECK_OPTIONS@\n"),
              vantrel::manualSynopsis(vantrel::OptionScope::Check)) ||
        !fill(page, QStringLiteral("@COMPOSE_OPTIONS@\n"),
              vantrel::manualSynopsis(vantrel::OptionScope::Compose)) ||
        !fill(page, QStringLiteral("@OPTIONS@\n"), vantrel::manualOptions()))
        return 1;

    QSaveFile target(QString::fromLocal8Bit(argv[2]));
    if (!target.open(QIODevice::WriteOnly) || target.write(page.toUtf8()) < 0 || !target.commit()) {
        std::fprintf(stderr, "%s: %s\n", argv[2], qPrintable(target.errorString()));
        return 1;
    }
    return 0;
}
