#pragma once

#include "find/DocumentMatches.h"

#include <QFrame>
#include <functional>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;

namespace vantrel {

class ScriptEditor;

// Find, replace and go to line for a script editor: a bar over the editor's bottom edge,
// which leaves the window's own controls where they are. Its commands are the editor's
// actions, listed in its context menu, with shortcuts that work anywhere in the window.
class FindBar : public QFrame
{
    Q_OBJECT

public:
    enum class Mode
    {
        Find,
        Replace,
        GoToLine
    };

    explicit FindBar(ScriptEditor& editor);

    // Shows the bar for mode, its field focused unless takeFocus is false; for finding, it
    // searches from the selection at once unless searchNow is false.
    void open(Mode mode, bool takeFocus = true, bool searchNow = true);
    void findNext() { step(true); }
    void findPrevious() { step(false); }
    void replace();
    void replaceAll();
    void goToLine();
    // Hides the bar; the editor takes the focus with the match selected.
    void close();

    Mode mode() const { return m_mode; }
    // "3 of 12", "No matches", ...: what the bar says, and its accessible description.
    QString status() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Keys the bar's controls leave alone go no further: the editor under it would take
    // them as typing.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildControls();
    void addActions();
    void action(const char* name, const QString& text, const QKeySequence& key,
                const std::function<void()>& run);
    void place();
    void search();
    void step(bool forward);
    void select(int index);
    void showStatus(const QString& status);
    TextSearch typedSearch() const;
    bool onMatch() const;
    void paintMatches(QPaintEvent* event);

    ScriptEditor& m_editor;
    QWidget* const m_viewport;
    DocumentMatches m_matches;
    Mode m_mode = Mode::Find;
    // Where search as you type looks from: the selection's start when the search began.
    int m_origin = 0;
    QString m_note; // that the last step wrapped, or what the last command did

    QWidget* m_findRow = nullptr;
    QWidget* m_replaceRow = nullptr;
    QWidget* m_lineRow = nullptr;
    QWidget* m_options = nullptr;
    QLineEdit* m_findField = nullptr;
    QLineEdit* m_replaceField = nullptr;
    QLineEdit* m_lineField = nullptr;
    QCheckBox* m_matchCase = nullptr;
    QCheckBox* m_wholeWord = nullptr;
    QLabel* m_status = nullptr;
};

} // namespace vantrel
