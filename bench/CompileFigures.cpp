#include "CompileFigures.h"

#include "EditorFixture.h"
#include "Figures.h"

#include <QLineEdit>
#include <memory>
#include <optional>

namespace vantrel::bench {
namespace {

struct CompileFixture : EditorFixture
{
    explicit CompileFixture(const QString& fieldText)
    {
        if (!fieldText.isEmpty())
            for (const char* name : {"txtscriptname", "txttrigger", "txtflag", "txtvehic",
                                     "txtvehic2", "txtclose", "txtclos1"})
                form.findChild<QLineEdit*>(QLatin1String(name))->setText(fieldText);
        compile->click();
        script = form.scriptText();
    }

    QString script;
};

void addCompileFigure(const std::string& label, const QString& fieldText, int rounds)
{
    auto fixture = std::make_shared<std::optional<CompileFixture>>();
    const auto ready = [fixture, fieldText]() -> CompileFixture& {
        if (!*fixture)
            fixture->emplace(fieldText);
        return **fixture;
    };
    // Small scripts take microseconds: each sample compiles several times.
    const auto measure = [ready, rounds](auto step) {
        CompileFixture& f = ready();
        const double seconds = secondsOf([&] {
            for (int i = 0; i < rounds; ++i)
                step(f);
        });
        f.settle();
        return Sample{seconds / rounds, 0, {}};
    };
    addFigure({.name = "compile " + label,
               .subjectName = "Compile",
               .baselineName = "setPlainText",
               .goal = {},
               .pairs = 7,
               .subject =
                   [measure] {
                       return measure([](CompileFixture& f) {
                           f.compile->click();
                           EditorFixture::paint(f.editor);
                       });
                   },
               .baseline =
                   [measure] {
                       return measure([](CompileFixture& f) {
                           f.floor.setPlainText(f.script);
                           EditorFixture::paint(&f.floor);
                       });
                   }});
}

} // namespace

void addCompileFigures()
{
    addCompileFigure("(default fields)", QString(), 50);
    addCompileFigure("(64 KB fields)", QStringLiteral("Warthog_name_").repeated(5042).left(65536),
                     1);
}

} // namespace vantrel::bench
