#pragma once

#include "files/FileDialog.h"
#include "files/MessageSink.h"
#include "mainwindow/Form1.h"

#include <QPlainTextEdit>
#include <QPushButton>

namespace vantrel::bench {

// The main window beside the toolkit's floor: a bare QPlainTextEdit of the size of the
// main window's editor, in a window of its own. Both are shown, offscreen. The window's
// file dialog answers with a set path, and a failure the store reports is kept.
struct EditorFixture
{
    struct ScriptedDialog : FileDialog
    {
        bool ShowOpen() override { return true; }
        bool ShowSave() override { return true; }
        bool ShowSaveAs() override { return true; }
        QString FileName() const override { return path; }
        void setFileName(const QString& name) override { path = name; }
        QString path;
    };

    struct FailureRecorder : MessageSink
    {
        void showCritical(const QString& title, const QString& text) override
        {
            failure = (title + QStringLiteral(": ") + text).toStdString();
        }
        std::string failure;
    };

    EditorFixture();

    // Paints the widget now, as the user would see it once the event loop came round.
    static void paint(QWidget* widget) { widget->repaint(); }
    // Untimed housekeeping between samples: pending events, and the undo history that
    // would otherwise grow with every replaced text.
    void settle();
    // Both editors empty, as at start-up.
    void clear();

    ScriptedDialog dialog;
    FailureRecorder failures;
    Form1 form;
    QPlainTextEdit* editor = nullptr;
    QPushButton* compile = nullptr;
    QPushButton* load = nullptr;
    QPushButton* save = nullptr;
    QPlainTextEdit floor;
};

} // namespace vantrel::bench
