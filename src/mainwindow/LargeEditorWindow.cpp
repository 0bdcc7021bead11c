#include "mainwindow/LargeEditorWindow.h"

#include "editor/ScriptEditor.h"
#include "version.h"
#include "windowkit/ProgramColours.h"
#include "windowkit/Twips.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <utility>

namespace vantrel {

const QString LargeEditorWindow::EditCommand = QStringLiteral("Edit in Large Window");

LargeEditorWindow::LargeEditorWindow(ScriptEditor& editor, QWidget& mainWindow,
                                     const QString& buttonStyle)
    : QWidget(nullptr, Qt::Window), m_editor(editor), m_mainWindow(mainWindow),
      m_home(editor.parentWidget()), m_homeGeometry(editor.geometry()), m_buttonStyle(buttonStyle)
{
    // No parent window: one that stays above the main window would hide its commands.
    setObjectName(QStringLiteral("LargeEditorWindow"));
    setAccessibleName(QStringLiteral("Large script window"));
    setScriptFile(QString());
    using namespace ProgramColours;
    setColours(this, {{QPalette::Window, WindowBackground}, {QPalette::WindowText, Text}});
    auto* layout = new QVBoxLayout(this);
    const int margin = twipsToPixels(120);
    layout->setContentsMargins(margin, margin, margin, margin);

    // One command in both windows: it follows the editor, and works in the main window
    // while the editor is away.
    m_command = new QAction(EditCommand, &m_mainWindow); // found there by its name
    m_command->setObjectName(QStringLiteral("EditInLargeWindow"));
    m_command->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E));
    m_command->setShortcutContext(Qt::WindowShortcut);
    m_command->setCheckable(true);
    connect(m_command, &QAction::triggered, this, [this](bool open) {
        if (open)
            this->open();
        else
            bringBack();
    });
    m_editor.addAction(m_command);
    m_mainWindow.addAction(m_command);
    m_mainWindow.installEventFilter(this);
}

LargeEditorWindow::~LargeEditorWindow()
{
    if (isOpen())
        putEditorHome();
}

bool LargeEditorWindow::isOpen() const
{
    return m_editor.parentWidget() == this;
}

void LargeEditorWindow::open()
{
    if (!isOpen()) {
        buildNote();
        const QObjectList& siblings = m_home->children();
        m_above = nullptr;
        for (qsizetype i = siblings.indexOf(&m_editor) + 1; i < siblings.size() && !m_above; ++i)
            m_above = qobject_cast<QWidget*>(siblings[i]);
        m_note->show();
        layout()->addWidget(&m_editor);
        m_editor.show();
        // The main window's keyboard focus waits on the way back.
        m_back->setFocus();
        placeFirstTime();
        m_command->setChecked(true);
    }
    show();
    raise();
    activateWindow();
    m_editor.setFocus();
}

void LargeEditorWindow::bringBack()
{
    if (isOpen())
        close();
}

void LargeEditorWindow::setScriptFile(const QString& path, bool changed)
{
    const QString program = QString::fromLatin1(ProgramTitle);
    const QString name = path.isEmpty() ? QStringLiteral("Script") : QFileInfo(path).fileName();
    setWindowTitle(QStringLiteral("%1%2 - %3")
                       .arg(name, changed ? QStringLiteral(" (changed)") : QString(), program));
}

void LargeEditorWindow::closeEvent(QCloseEvent* event)
{
    if (isOpen()) {
        putEditorHome();
        if (m_mainWindow.isVisible()) {
            m_mainWindow.raise();
            m_mainWindow.activateWindow();
        }
    }
    event->accept();
}

// Closing the main window closes this one too, as the program always closed with it; the
// editor is home before the main window's own close runs.
bool LargeEditorWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_mainWindow && event->type() == QEvent::Close)
        bringBack();
    return QWidget::eventFilter(watched, event);
}

void LargeEditorWindow::buildNote()
{
    if (m_note)
        return;
    m_note = new QWidget(m_home);
    m_note->setObjectName(QStringLiteral("LargeWindowNote"));
    m_note->setGeometry(m_homeGeometry);
    // Drawn like the editor whose place it holds.
    const QPalette& editorColours = m_editor.palette();
    setColours(m_note, {{QPalette::Window, editorColours.color(QPalette::Base)},
                        {QPalette::WindowText, editorColours.color(QPalette::Text)}});
    m_note->setAutoFillBackground(true);

    auto* text = new QLabel(QStringLiteral("The script is open in the large window."), m_note);
    text->setObjectName(QStringLiteral("lblLargeWindow"));
    text->setAlignment(Qt::AlignCenter);
    text->setWordWrap(true);
    m_back = new QPushButton(QStringLiteral("Bring the Script Back"), m_note);
    m_back->setObjectName(QStringLiteral("cmdBringBack"));
    m_back->setAutoDefault(false);
    m_back->setStyleSheet(m_buttonStyle);
    m_back->setMinimumSize(twipsToPixels(2295, 375)); // as large as the main window's buttons
    m_back->setToolTip(m_command->shortcut().toString(QKeySequence::NativeText));
    connect(m_back, &QPushButton::clicked, this, &LargeEditorWindow::bringBack);

    auto* layout = new QVBoxLayout(m_note);
    layout->addStretch();
    layout->addWidget(text);
    layout->addWidget(m_back, 0, Qt::AlignHCenter);
    layout->addStretch();
}

void LargeEditorWindow::placeFirstTime()
{
    if (std::exchange(m_placed, true))
        return;
    // Two thirds of the screen the main window is on, centred; later opens find it where
    // it was left.
    const QRect area = m_mainWindow.screen()->availableGeometry();
    QRect place(QPoint(), area.size() * 2 / 3);
    place.moveCenter(area.center());
    setGeometry(place);
}

// Back to its place in the main window, in the stacking order as well. The tab order needs
// no help: the editor, first in it, and the button that stands in for it both join the end
// of the main window's focus chain, which Tab follows round to its start.
void LargeEditorWindow::putEditorHome()
{
    m_editor.setParent(m_home);
    m_editor.setGeometry(m_homeGeometry);
    if (m_above)
        m_editor.stackUnder(m_above);
    m_editor.show();
    m_editor.setFocus();
    m_note->hide();
    m_command->setChecked(false);
}

} // namespace vantrel
