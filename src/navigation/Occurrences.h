#pragma once

#include <QObject>
#include <QTimer>

namespace vantrel {

class DeclarationSource;
class ScriptEditor;

// When the name under the cursor is one of the file's scripts or globals, its other places
// in view get a quiet background. Only the text in view is searched, once the cursor or
// the view has settled, so a long script costs no more than a short one.
class Occurrences : public QObject
{
    Q_OBJECT

public:
    Occurrences(ScriptEditor& editor, DeclarationSource& declarations);

    static const QString Group; // the editor's selection group

private:
    void update();

    ScriptEditor& m_editor;
    DeclarationSource& m_declarations;
    QTimer m_settle;
};

} // namespace vantrel
