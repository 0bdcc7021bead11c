// The second baseline for start-up: the main window's controls, with its texts, font and
// colours, and nothing of the program behind them: no commands, no file store, no window
// icon, no style of its own. What the toolkit needs to show that window.
// Usage: vantrel_same_controls_window
#include "mainwindow/Form1Layout.h"
#include "version.h"
#include "windowkit/ProgramColours.h"
#include "windowkit/ProgramFont.h"
#include "windowkit/Twips.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

using namespace vantrel;

QWidget* control(const ControlSpec& row, QWidget* client)
{
    using namespace ProgramColours;
    const QString caption = QString::fromLatin1(row.caption);
    if (row.field) {
        auto* box = new QLineEdit(QString::fromStdString(ScriptFields{}.*row.field), client);
        setColours(box, {{QPalette::Base, BoxBackground}, {QPalette::Text, Text}});
        return box;
    }
    if (&row == &form1::Txt1 || &row == &form1::Text1) {
        auto* editor = new QPlainTextEdit(client);
        editor->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        editor->setVerticalScrollBarPolicy(&row == &form1::Txt1 ? Qt::ScrollBarAlwaysOn
                                                                : Qt::ScrollBarAlwaysOff);
        if (&row == &form1::Text1)
            editor->setPlainText(QString::fromLatin1(form1::Instructions));
        setColours(editor, {{QPalette::Base, BoxBackground}, {QPalette::Text, Text}});
        return editor;
    }
    if (&row == &form1::Check1) {
        auto* check = new QCheckBox(caption, client);
        setColours(check, {{QPalette::Button, Face}, {QPalette::ButtonText, WindowBackground}});
        return check;
    }
    if (&row == &form1::cmdcmpl || &row == &form1::cmdsave || &row == &form1::cmdload) {
        auto* button = new QPushButton(caption, client);
        setColours(button, {{QPalette::Button, Face}, {QPalette::ButtonText, ButtonText}});
        return button;
    }
    auto* label = new QLabel(caption, client);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    app.setFont(programFont());
    QMainWindow window;
    window.setWindowTitle(QString::fromLatin1(ProgramTitle));
    for (const char* title : {"File", "About", "Help"})
        window.menuBar()->addAction(QLatin1String(title));

    auto* client = place(new QWidget(&window), "client", form1::ClientTwips);
    setColours(client, {{QPalette::Window, ProgramColours::WindowBackground},
                        {QPalette::WindowText, ProgramColours::Text}});
    client->setAutoFillBackground(true);
    window.setCentralWidget(client);
    for (const ControlSpec* row : form1::Controls)
        place(control(*row, client), row->name, row->twips)->setVisible(row->visibleAtStart);
    window.setFixedSize(client->width(), client->height() + window.menuBar()->sizeHint().height());
    window.show();
    return app.exec();
}
