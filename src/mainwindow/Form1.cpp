#include "mainwindow/Form1.h"

#include "about/frmAbout.h"
#include "editor/ScriptEditor.h"
#include "files/ScriptFileStore.h"
#include "find/FindBar.h"
#include "language/EditorLanguageSupport.h"
#include "mainwindow/CommonDialog.h"
#include "mainwindow/CompactCheckBox.h"
#include "mainwindow/Form1Layout.h"
#include "mainwindow/FunctionListCommands.h"
#include "mainwindow/LargeEditorWindow.h"
#include "mainwindow/MessageBoxSink.h"
#include "mainwindow/NameMark.h"
#include "navigation/ScriptNavigation.h"
#include "programdata/ProgramData.h"
#include "programdata/TutorialLibrary.h"
#include "script/ScriptComposer.h"
#include "tutorial/TutorialWindowMaker.h"
#include "version.h"
#include "windowkit/ProgramColours.h"
#include "windowkit/Twips.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <algorithm>
#include <limits>
#include <vector>

namespace vantrel {

namespace {

template <class Control> Control* laidOut(Control* control, const ControlSpec& row)
{
    place(control, row.name, row.twips)->setVisible(row.visibleAtStart);
    return control;
}

QString caption(const ControlSpec& row)
{
    return QString::fromLatin1(row.caption);
}

// Fusion draws a gradient on a palette colour; a style sheet gives the flat grey face.
QString buttonStyle()
{
    using namespace ProgramColours;
    return QStringLiteral("QPushButton { background-color: %1; color: %2; border: 1px solid %3; }"
                          "QPushButton:focus { border: 1px solid %4; }"
                          "QPushButton:pressed { background-color: %5; }")
        .arg(Face.name(), ButtonText.name(), ButtonEdge.name(), FocusEdge.name(),
             PressedFace.name());
}

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
    markNames();
    buildMenus();
    setUpFileCommands(seams);
    wireCommands();
    m_largeWindow = std::make_unique<LargeEditorWindow>(*Txt1, *this, buttonStyle());

    // The load step: the instructions go in before the window is first shown.
    Text1->setWholeText(instructions());
    setFixedSize(m_client->width(), m_client->height() + menuBar()->sizeHint().height());
    Txt1->setFocus();
}

Form1::~Form1() = default;

QString Form1::instructions()
{
    return QString::fromLatin1(form1::Instructions);
}

QString Form1::scriptText() const
{
    return Txt1->wholeText();
}

void Form1::setScriptText(const QString& text, TextEncoding encoding)
{
    Txt1->setWholeText(text, encoding);
    Txt1->document()->setModified(false);
}

void Form1::openScript(const QString& path)
{
    m_fileCommands->load(path);
    showFileState();
}

QString Form1::fileState() const
{
    const QString& file = m_fileCommands->textFile();
    return QStringLiteral("File: %1%2")
        .arg(file.isEmpty() ? QStringLiteral("none") : QDir::toNativeSeparators(file),
             Txt1->document()->isModified() ? QStringLiteral(" (changed)") : QString());
}

// Shown where the documented layout leaves room: the editor's tooltip, its context menu and
// what a screen reader says of it. The window's caption stays as documented.
void Form1::showFileState()
{
    const QString state = fileState();
    m_fileStateItem->setText(state);
    Txt1->setToolTip(state);
    Txt1->setDescriptionPart(ScriptEditor::DescriptionPart::File, state);
    if (m_largeWindow)
        m_largeWindow->setScriptFile(m_fileCommands->textFile(), Txt1->document()->isModified());
}

void Form1::closeEvent(QCloseEvent* event)
{
    if (m_fileCommands->mayClose())
        return QMainWindow::closeEvent(event);
    event->ignore();
    showFileState();
}

// Files dropped anywhere on the window load; the editors take the ones dropped on them.
// The load runs once the drop is over: a message box it shows must not hold up the
// program that the file was dragged from.
void Form1::dragEnterEvent(QDragEnterEvent* event)
{
    if (!ScriptEditor::droppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void Form1::dropEvent(QDropEvent* event)
{
    const QString file = ScriptEditor::droppedFile(event->mimeData());
    if (file.isEmpty())
        return;
    event->acceptProposedAction();
    QMetaObject::invokeMethod(
        this, [this, file] { openScript(file); }, Qt::QueuedConnection);
}

// A name box lets a dropped file pass on to the window, which loads it, rather than take
// its address as text; dropped text still goes in.
bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if ((type == QEvent::DragEnter || type == QEvent::DragMove || type == QEvent::Drop) &&
        !ScriptEditor::droppedFile(static_cast<QDropEvent*>(event)->mimeData()).isEmpty()) {
        event->ignore();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void Form1::buildControls()
{
    m_client = place(new QWidget(this), "client", form1::ClientTwips);
    m_client->setFixedSize(m_client->size());
    setCentralWidget(m_client);
    // Made in the table's order, which is also their stacking order: a label reaches under
    // the input box beside it, and the box stays on top.
    Label1 = label(form1::Label1);
    txtscriptname = inputBox(form1::txtscriptname);
    Label2 = label(form1::Label2);
    txttrigger = inputBox(form1::txttrigger);
    Label3 = label(form1::Label3);
    txtflag = inputBox(form1::txtflag);
    Label4 = label(form1::Label4);
    txtvehic = inputBox(form1::txtvehic);
    Label6 = label(form1::Label6);
    txtvehic2 = inputBox(form1::txtvehic2);
    Check1 = focusable(new CompactCheckBox(caption(form1::Check1), m_client), form1::Check1);
    Label5 = label(form1::Label5);
    cmdcmpl = button(form1::cmdcmpl);
    cmdsave = button(form1::cmdsave);
    cmdload = button(form1::cmdload);
    txtclos1 = inputBox(form1::txtclos1);
    txtclose = inputBox(form1::txtclose);
    // Long lines wrap at the box's width, so only a vertical scroll bar is needed.
    Txt1 = editor(form1::Txt1, Qt::ScrollBarAlwaysOn);
    Txt1->setTabChangesFocus(false); // scripts are indented with tabs; Ctrl+Tab moves on
    setLanguageSupport(*Txt1, true); // the instructions box stays plain
    new FindBar(*Txt1);
    new ScriptNavigation(*Txt1);
    Text1 = editor(form1::Text1, Qt::ScrollBarAlwaysOff);
}

template <class Control> Control* Form1::focusable(Control* control, const ControlSpec& row)
{
    m_tabOrder.emplace_back(row.tabIndex, laidOut(control, row));
    return control;
}

QLabel* Form1::label(const ControlSpec& row)
{
    auto* label = laidOut(new QLabel(caption(row), m_client), row);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setFocusPolicy(Qt::NoFocus);
    return label;
}

QLineEdit* Form1::inputBox(const ControlSpec& row)
{
    const QString text = QString::fromStdString(ScriptFields{}.*row.field);
    auto* box = focusable(new QLineEdit(text, m_client), row);
    // Qt cuts a line edit's text at 32767 characters unless told otherwise; a name is used
    // whole, however long.
    box->setMaxLength(std::numeric_limits<int>::max());
    box->installEventFilter(this);
    m_inputBoxes.emplace_back(box, row.field);
    return box;
}

QPushButton* Form1::button(const ControlSpec& row)
{
    auto* button = focusable(new QPushButton(caption(row), m_client), row);
    button->setAutoDefault(false); // Enter in a text box presses no button
    button->setStyleSheet(buttonStyle());
    return button;
}

ScriptEditor* Form1::editor(const ControlSpec& row, Qt::ScrollBarPolicy verticalScrollBar)
{
    auto* editor = focusable(new ScriptEditor(m_client), row);
    editor->setTabChangesFocus(true);
    editor->setVerticalScrollBarPolicy(verticalScrollBar);
    editor->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return editor;
}

void Form1::applyColours()
{
    using namespace ProgramColours;
    // The client area is dark; the menu bar keeps the system's look.
    setColours(m_client, {{QPalette::Window, WindowBackground}, {QPalette::WindowText, Text}});
    m_client->setAutoFillBackground(true);
    for (QWidget* box : std::initializer_list<QWidget*>{txtscriptname, txttrigger, txtflag,
                                                        txtvehic, txtvehic2, Txt1, Text1})
        setColours(box, {{QPalette::Base, BoxBackground}, {QPalette::Text, Text}});
    setColours(Check1, {{QPalette::Button, Face}, {QPalette::ButtonText, WindowBackground}});
}

void Form1::setTabOrder()
{
    std::vector<std::pair<int, QWidget*>> order = std::exchange(m_tabOrder, {});
    std::ranges::sort(order, {}, &std::pair<int, QWidget*>::first);
    for (size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1].second, order[i].second);
}

void Form1::nameForScreenReaders()
{
    // Each input box is named by the label beside it, as a screen reader expects.
    const std::pair<QLabel*, QWidget*> labelled[] = {{Label1, txtscriptname}, {Label2, txttrigger},
                                                     {Label3, txtflag},       {Label4, txtvehic},
                                                     {Label6, txtvehic2},     {Label5, Check1}};
    for (const auto& [label, box] : labelled) {
        label->setBuddy(box);
        box->setAccessibleName(label->text());
    }
    Txt1->setAccessibleName(QStringLiteral("Script editor"));
    Text1->setAccessibleName(QStringLiteral("Instructions"));
    txtclose->setAccessibleName(QStringLiteral("Line closer"));
    txtclos1->setAccessibleName(QStringLiteral("Block closer"));
}

// A name that would not stand as one word in the script is marked as it is typed.
void Form1::markNames()
{
    for (QLineEdit* box : {txtscriptname, txttrigger, txtflag, txtvehic, txtvehic2})
        new NameMark(box);
}

void Form1::buildMenus()
{
    const auto command = [this](QWidget* menu, const char* text, const char* name,
                                void (Form1::*run)()) {
        QAction* action = menu->addAction(QString::fromUtf8(text));
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, run);
        return action;
    };
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("menuBar"));
    QMenu* file = bar->addMenu(QStringLiteral("File"));
    file->setObjectName(QStringLiteral("file"));
    command(file, "Save Script", "SC", &Form1::saveScript);
    command(file, "Load Script", "LS", &Form1::loadScript);
    // Additions behind the documented items, which keep their places and have no keys.
    command(file, "Save Changes", "CH", &Form1::saveChanges)->setShortcut(QKeySequence::Save);
    command(file, "Save Script As\u2026", "SA", &Form1::saveScriptAs)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    // About is a command on the menu bar itself, with no items.
    command(bar, "About", "about", &Form1::showAbout);
    QMenu* help = bar->addMenu(QStringLiteral("Help"));
    help->setObjectName(QStringLiteral("hlp"));
    command(help, "Video Tutorial", "VT", &Form1::showTutorial);
}

void Form1::wireCommands()
{
    connect(cmdcmpl, &QPushButton::clicked, this, &Form1::compile);
    connect(Check1, &QCheckBox::clicked, this, &Form1::toggleSecondVehicle);
    connect(cmdload, &QPushButton::clicked, this, &Form1::loadScript);
    connect(cmdsave, &QPushButton::clicked, this, &Form1::saveScript);
    setAcceptDrops(true);
    for (ScriptEditor* editor : {Txt1, Text1})
        connect(editor, &ScriptEditor::fileDropped, this, &Form1::openScript, Qt::QueuedConnection);
    m_fileStateItem = new QAction(Txt1);
    m_fileStateItem->setObjectName(QStringLiteral("fileState"));
    m_fileStateItem->setEnabled(false);
    Txt1->addAction(m_fileStateItem);
    connect(Txt1->document(), &QTextDocument::modificationChanged, this, &Form1::showFileState);
    showFileState();
}

void Form1::setUpFileCommands(const FileSeams& seams)
{
    if (!seams.dialog)
        m_cdlg = std::make_unique<CommonDialog>(this);
    if (!seams.messages)
        m_messages = std::make_unique<MessageBoxSink>(this);
    MessageSink& messages = seams.messages ? *seams.messages : *m_messages;
    m_store = std::make_unique<ScriptFileStore>(messages);
    FileDialog& dialog = seams.dialog ? *seams.dialog : *m_cdlg;
    // The function list of the loaded script's game, found beside it once it loaded.
    if (!seams.functionListDialog)
        m_functionListDialog =
            std::make_unique<CommonDialog>(this, QStringLiteral("functionListDialog"));
    m_functionLists = std::make_unique<FunctionListCommands>(
        *Txt1, seams.functionListDialog ? *seams.functionListDialog : *m_functionListDialog,
        messages);
    Txt1->addAction(m_functionLists->useAction());
    QTextDocument* text = Txt1->document();
    m_fileCommands = std::make_unique<ScriptCommands>(
        dialog, *m_store, messages,
        EditorLink{Txt1->wholeTextInPieces(),
                   [this, &dialog](const QString& t, TextEncoding encoding) {
                       setScriptText(t, encoding);
                       m_functionLists->scriptLoaded(dialog.FileName());
                   },
                   [text] { return text->isModified(); }, [text] { text->setModified(false); }});
}

void Form1::compile()
{
    ScriptFields fields;
    for (const auto& [box, field] : m_inputBoxes)
        fields.*field = box->text().toStdString();
    fields.twoVehicles = Check1->checkState() != Qt::Unchecked;
    setScriptText(QString::fromStdString(ComposeScript(fields)));
    // A new script: Save Changes must not write it over the file that was loaded.
    m_fileCommands->forgetFile();
    showFileState();
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
    showFileState();
}

void Form1::saveScript()
{
    m_fileCommands->save();
}

void Form1::saveChanges()
{
    m_fileCommands->saveChanges();
    showFileState();
}

void Form1::saveScriptAs()
{
    m_fileCommands->saveAs();
    showFileState();
}

// One About box, whichever window asks for it.
void Form1::showAbout()
{
    m_about.show();
}

void Form1::showTutorial()
{
    if (m_tutorial.show())
        hide();
}

QMainWindow* Form1::createTutorial()
{
    TutorialWindowMaker* maker = tutorialWindowMaker();
    if (!maker)
        return nullptr;
    // Closing the tutorial, or its release, brings this window back as it was left.
    QMainWindow* tutorial = maker->makeTutorialWindow(
        tutorialVideo(QCoreApplication::applicationDirPath()), [this] { showAbout(); },
        [this] { show(); });
    connect(tutorial, &QObject::destroyed, this, &QWidget::show);
    return tutorial;
}

} // namespace vantrel
