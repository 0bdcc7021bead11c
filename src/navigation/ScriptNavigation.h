#pragma once

#include <QObject>

namespace vantrel {

class DeclarationSource;
class NameCompletion;
class OutlinePopup;
class ScriptEditor;

// Moving around a script by its own names, added to an editor that has the language
// support: "Go to Script…" (Ctrl+Shift+O), "Go to Definition" (F12, or Ctrl+click),
// "Complete Name" (Ctrl+Space, and on its own after '(' and two letters), and the
// occurrences of the name under the cursor. The commands are the editor's actions, so its
// context menu lists them with their keys.
class ScriptNavigation : public QObject
{
    Q_OBJECT

public:
    explicit ScriptNavigation(ScriptEditor& editor);

    void goToDefinition(int position);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void goTo(int position);

    ScriptEditor& m_editor;
    DeclarationSource* m_declarations;
    OutlinePopup* m_outline;
    NameCompletion* m_completion;
};

} // namespace vantrel
