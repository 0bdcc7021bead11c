#include "Form1.h"

#include "CommonDialog.h"
#include "CompactCheckBox.h"
#include "Form1Layout.h"
#include "Form2.h"
#include "MessageBoxSink.h"
#include "ProgramColours.h"
#include "ProgramData.h"
#include "ScriptComposer.h"
#include "ScriptEditor.h"
#include "ScriptFileStore.h"
#include "Twips.h"
#include "frmAbout.h"
#include "version.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <algorithm>
#include <limits>
#include <vector>

namespace vantrel {

namespace {

template <class T> T* namedChild(const QWidget* parent, const char* name)
{
    T* child = parent->findChild<T*>(QLatin1String(name), Qt::FindDirectChildrenOnly);
    Q_ASSERT(child);
    return child;
}

void setColours(QWidget* widget, QPalette::ColorRole background, const QColor& backgroundColour,
                QPalette::ColorRole foreground, const QColor& foregroundColour)
{
    QPalette colours = widget->palette();
    colours.setColor(background, backgroundColour);
    colours.setColor(foreground, foregroundColour);
    widget->setPalette(colours);
}

// Fusion draws a gradient on a palette colour; a style sheet gives the flat grey face.
const char* const ButtonStyle = "QPushButton { background-color: rgb(128, 128, 128); color: black;"
                                " border: 1px solid rgb(48, 48, 48); }"
                                "QPushButton:focus { border: 1px solid white; }"
                                "QPushButton:pressed { background-color: rgb(104, 104, 104); }";

} // namespace

Form1::Form1(QWidget* parent, const FileSeams& seams)
    : QMainWindow(parent), m_about([] { return new frmAbout; }),
      m_tutorial([this] { return createTutorial(); })
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromLatin1(ProgramTitle));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    buildControls();
    applyColours();
    setTabOrder();
    nameForScreenReaders();
    buildMenus();
    setUpFileCommands(seams);
    wireCommands();

    // The load step: the instructions go in before the window is first shown.
    Text1->setWholeText(instructions());
    setFixedSize(m_client->width(), m_client->height() + menuBar()->sizeHint().height());
    Txt1->setFocus();
}

Form1::~Form1() = default;

QString Form1::instructions()
{
    return QStringLiteral("Please no Spaces, use underscores to represent them\r\n"
                          "example of a correct name \"Warthog_vehic\"  No Quotes\r\n"
                          "example of a incorrect name \"Warthog vehic\"  No Quotes");
}

QString Form1::scriptText() const
{
    return Txt1->wholeText();
}

void Form1::setScriptText(const QString& text)
{
    Txt1->setWholeText(text);
}

void Form1::buildControls()
{
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("client"));
    m_client->setFixedSize(twipsToPixels(Form1ClientWidthTwips, Form1ClientHeightTwips));
    setCentralWidget(m_client);
    for (const ControlSpec& row : form1Controls()) {
        QWidget* control = createControl(row, m_client);
        control->setObjectName(QLatin1String(row.name));
        const QRect& t = row.twips;
        control->setGeometry(twipsToPixels(t.x(), t.y(), t.width(), t.height()));
        control->setVisible(row.visibleAtStart);
    }

    Txt1 = namedChild<ScriptEditor>(m_client, "Txt1");
    Text1 = namedChild<ScriptEditor>(m_client, "Text1");
    txtscriptname = namedChild<QLineEdit>(m_client, "txtscriptname");
    txttrigger = namedChild<QLineEdit>(m_client, "txttrigger");
    txtflag = namedChild<QLineEdit>(m_client, "txtflag");
    txtvehic = namedChild<QLineEdit>(m_client, "txtvehic");
    txtvehic2 = namedChild<QLineEdit>(m_client, "txtvehic2");
    txtclose = namedChild<QLineEdit>(m_client, "txtclose");
    txtclos1 = namedChild<QLineEdit>(m_client, "txtclos1");
    Label6 = namedChild<QLabel>(m_client, "Label6");
    Check1 = namedChild<QCheckBox>(m_client, "Check1");
    cmdcmpl = namedChild<QPushButton>(m_client, "cmdcmpl");
    cmdsave = namedChild<QPushButton>(m_client, "cmdsave");
    cmdload = namedChild<QPushButton>(m_client, "cmdload");
}

QWidget* Form1::createControl(const ControlSpec& row, QWidget* parent)
{
    const QString text = QString::fromLatin1(row.text);
    switch (row.kind) {
    case ControlKind::Label: {
        auto* label = new QLabel(text, parent);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return label;
    }
    case ControlKind::TextBox: {
        auto* box = new QLineEdit(text, parent);
        // Qt cuts a line edit's text at 32767 characters unless told otherwise; a name is
        // used whole, however long.
        box->setMaxLength(std::numeric_limits<int>::max());
        return box;
    }
    case ControlKind::CheckBox:
        return new CompactCheckBox(text, parent);
    case ControlKind::Button: {
        auto* button = new QPushButton(text, parent);
        button->setAutoDefault(false); // Enter in a text box presses no button
        button->setStyleSheet(QLatin1String(ButtonStyle));
        return button;
    }
    case ControlKind::Editor:
    case ControlKind::Notes: {
        auto* editor = new ScriptEditor(parent);
        editor->setTabChangesFocus(true);
        // Long lines wrap at the box's width, so only a vertical scroll bar is needed.
        editor->setVerticalScrollBarPolicy(
            row.kind == ControlKind::Editor ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        editor->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        return editor;
    }
    }
    Q_UNREACHABLE();
}

void Form1::applyColours()
{
    // The client area is dark; the menu bar keeps the system's look.
    setColours(m_client, QPalette::Window, ProgramColours::WindowBackground, QPalette::WindowText,
               ProgramColours::Text);
    m_client->setAutoFillBackground(true);
    for (QLineEdit* box : {txtscriptname, txttrigger, txtflag, txtvehic, txtvehic2})
        setColours(box, QPalette::Base, ProgramColours::BoxBackground, QPalette::Text,
                   ProgramColours::Text);
    for (ScriptEditor* box : {Txt1, Text1})
        setColours(box, QPalette::Base, ProgramColours::BoxBackground, QPalette::Text,
                   ProgramColours::Text);
    setColours(Check1, QPalette::Button, ProgramColours::Face, QPalette::ButtonText,
               ProgramColours::WindowBackground);
}

void Form1::setTabOrder()
{
    std::vector<const ControlSpec*> order;
    for (const ControlSpec& row : form1Controls())
        if (row.kind != ControlKind::Label)
            order.push_back(&row);
    std::ranges::sort(order, {}, &ControlSpec::tabIndex);
    for (size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(namedChild<QWidget>(m_client, order[i - 1]->name),
                             namedChild<QWidget>(m_client, order[i]->name));
    for (const ControlSpec& row : form1Controls())
        if (row.kind == ControlKind::Label)
            namedChild<QWidget>(m_client, row.name)->setFocusPolicy(Qt::NoFocus);
}

void Form1::nameForScreenReaders()
{
    // Each input box is named by the label beside it, as a screen reader expects.
    const std::pair<const char*, QWidget*> labelled[] = {
        {"Label1", txtscriptname}, {"Label2", txttrigger}, {"Label3", txtflag},
        {"Label4", txtvehic},      {"Label6", txtvehic2},  {"Label5", Check1}};
    for (const auto& [labelName, box] : labelled) {
        auto* label = namedChild<QLabel>(m_client, labelName);
        label->setBuddy(box);
        box->setAccessibleName(label->text());
    }
    Txt1->setAccessibleName(QStringLiteral("Script editor"));
    Text1->setAccessibleName(QStringLiteral("Instructions"));
    txtclose->setAccessibleName(QStringLiteral("Line closer"));
    txtclos1->setAccessibleName(QStringLiteral("Block closer"));
}

void Form1::buildMenus()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("menuBar"));
    QMenu* file = bar->addMenu(QStringLiteral("File"));
    file->setObjectName(QStringLiteral("file"));
    file->addAction(QStringLiteral("Save Script"))->setObjectName(QStringLiteral("SC"));
    file->addAction(QStringLiteral("Load Script"))->setObjectName(QStringLiteral("LS"));
    // About is a command on the menu bar itself, with no items.
    bar->addAction(QStringLiteral("About"))->setObjectName(QStringLiteral("about"));
    QMenu* help = bar->addMenu(QStringLiteral("Help"));
    help->setObjectName(QStringLiteral("hlp"));
    help->addAction(QStringLiteral("Video Tutorial"))->setObjectName(QStringLiteral("VT"));
}

void Form1::wireCommands()
{
    connect(cmdcmpl, &QPushButton::clicked, this, &Form1::compile);
    connect(Check1, &QCheckBox::clicked, this, &Form1::toggleSecondVehicle);
    connect(cmdload, &QPushButton::clicked, this, &Form1::loadScript);
    connect(cmdsave, &QPushButton::clicked, this, &Form1::saveScript);
    const auto action = [this](const char* name) {
        return findChild<QAction*>(QLatin1String(name));
    };
    connect(action("LS"), &QAction::triggered, this, &Form1::loadScript);
    connect(action("SC"), &QAction::triggered, this, &Form1::saveScript);
    connect(action("about"), &QAction::triggered, this, &Form1::showAbout);
    connect(action("VT"), &QAction::triggered, this, &Form1::showTutorial);
}

void Form1::setUpFileCommands(const FileSeams& seams)
{
    if (!seams.dialog)
        m_cdlg = std::make_unique<CommonDialog>(this);
    if (!seams.messages)
        m_messages = std::make_unique<MessageBoxSink>(this);
    m_store = std::make_unique<ScriptFileStore>(seams.messages ? *seams.messages : *m_messages);
    m_fileCommands = std::make_unique<ScriptCommands>(
        seams.dialog ? *seams.dialog : *m_cdlg, *m_store, [this] { return scriptText(); },
        [this](const QString& text) { setScriptText(text); });
}

void Form1::compile()
{
    const auto field = [](const QLineEdit* box) { return box->text().toStdString(); };
    ScriptFields fields;
    fields.scriptName = field(txtscriptname);
    fields.triggerName = field(txttrigger);
    fields.flagName = field(txtflag);
    fields.vehicleName = field(txtvehic);
    fields.secondVehicleName = field(txtvehic2);
    fields.lineCloser = field(txtclose);
    fields.blockCloser = field(txtclos1);
    fields.twoVehicles = Check1->checkState() != Qt::Unchecked;
    setScriptText(QString::fromStdString(ComposeScript(fields)));
}

void Form1::toggleSecondVehicle()
{
    // The box's text is left alone: a hidden name is there again when shown.
    const bool show = Check1->isChecked();
    txtvehic2->setVisible(show);
    Label6->setVisible(show);
}

void Form1::loadScript()
{
    m_fileCommands->load();
}

void Form1::saveScript()
{
    m_fileCommands->save();
}

// One About box, whichever window asks for it.
void Form1::showAbout()
{
    m_about.show();
}

void Form1::showTutorial()
{
    m_tutorial.show();
    hide();
}

Form2* Form1::createTutorial()
{
    auto* tutorial = new Form2(tutorialVideo(QCoreApplication::applicationDirPath()));
    connect(tutorial, &Form2::aboutRequested, this, &Form1::showAbout);
    // Closing the tutorial, or its release, brings this window back as it was left.
    connect(tutorial, &Form2::closed, this, &QWidget::show);
    connect(tutorial, &QObject::destroyed, this, &QWidget::show);
    return tutorial;
}

} // namespace vantrel
