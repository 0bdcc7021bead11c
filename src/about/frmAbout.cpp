#include "about/frmAbout.h"

#include "version.h"
#include "windowkit/ProgramColours.h"
#include "windowkit/Twips.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

namespace vantrel {

namespace {

constexpr QRect ClientTwips{2340, 1935, 5730, 3555};

// One stroke of the etched rule: a grey line with a white one just below it.
struct RuleLine
{
    int leftTwips;
    int rightTwips;
    int topTwips;
    int widthPixels;
    const QColor& colour;
};

const std::array<RuleLine, 2> RuleLines{{
    {105, 5654, 2460, 2, ProgramColours::RuleHighlight},
    {90, 5654, 2445, 1, ProgramColours::RuleShadow},
}};

QLabel* label(QWidget* parent, const char* name, const QRect& twips, const QString& text = {})
{
    auto* created = place(new QLabel(text, parent), name, twips);
    created->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    created->setWordWrap(true);
    setColours(created, {{QPalette::WindowText, ProgramColours::Text}});
    return created; // labels fill no background, so the box's grey shows behind the text
}

void fill(QWidget* widget, const QColor& colour)
{
    setColours(widget, {{QPalette::Window, colour}});
    widget->setAutoFillBackground(true);
}

} // namespace

frmAbout::frmAbout()
{
    setObjectName(QStringLiteral("frmAbout"));
    // A tool window stays out of the taskbar. Qt takes quit-on-close away from parentless
    // tool windows; it is given back so that this box, like any other window of the
    // program, keeps the program running while it is open.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setAttribute(Qt::WA_QuitOnClose, true);
    setGeometry(twipsToPixels(ClientTwips));
    setFixedSize(size());
    fill(this, ProgramColours::WindowBackground);

    buildControls();
    drawRule();
    load();
}

void frmAbout::buildControls()
{
    cmdOK = place(new QPushButton(QStringLiteral("OK"), this), "cmdOK", {4245, 2880, 1260, 345});
    cmdOK->setDefault(true); // Enter presses it; Escape rejects the dialog, which closes it too
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    picIcon = place(new QLabel(this), "picIcon", {240, 240, 540, 540});
    picIcon->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    picIcon->setAlignment(Qt::AlignCenter);
    picIcon->setPixmap(QApplication::windowIcon().pixmap(32, 32));
    fill(picIcon, ProgramColours::Face);

    lblTitle = label(this, "lblTitle", {960, 240, 3885, 480});
    lblVersion = label(this, "lblVersion", {1050, 780, 3885, 225});
    lblDescription = label(this, "lblDescription", {1050, 1125, 3885, 1170},
                           QStringLiteral("Written by the Vantrel contributors. Thanks to "
                                          "everyone who tried it out, reported a problem or "
                                          "suggested an improvement."));
    lblDisclaimer = label(this, "lblDisclaimer", {255, 2625, 3870, 825},
                          QStringLiteral("Video tutorial by the Vantrel contributors."));
    cmdOK->setFocus();
}

void frmAbout::drawRule()
{
    for (size_t index = 0; index < RuleLines.size(); ++index) {
        const RuleLine& line = RuleLines[index];
        Line1[index] = place(new QWidget(this), "Line1",
                             {line.leftTwips, line.topTwips, line.rightTwips - line.leftTwips,
                              line.widthPixels * TwipsPerPixel});
        Line1[index]->setProperty("index", int(index));
        fill(Line1[index], line.colour);
    }
}

// The load step: runs once per box, before it is first shown.
void frmAbout::load()
{
    setWindowTitle(QStringLiteral("About ") + QString::fromLatin1(ProgramTitle));
    lblVersion->setText(QStringLiteral("Version ") + versionNumber());
    lblTitle->setText(QString::fromLatin1(ProgramTitle));
}

} // namespace vantrel
