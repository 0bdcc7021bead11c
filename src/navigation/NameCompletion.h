#pragma once

#include "navigation/NameModel.h"

#include <QObject>
#include <memory>
#include <vector>

class QCompleter;

namespace vantrel {

class DeclarationSource;
class FunctionList;
class ScriptEditor;

// Completes names as they are typed: the language's own forms, the file's scripts and
// globals, and the functions and external globals of the game's function list in use, each
// with its kind (a listed function with its signatures). It offers itself after '(' and two
// letters (the second may be a digit or an underscore), or at once on request; typing
// narrows the list, Enter or Tab inserts the chosen name in place of what was typed of it,
// Escape closes it.
class NameCompletion : public QObject
{
    Q_OBJECT

public:
    NameCompletion(ScriptEditor& editor, DeclarationSource& declarations);

    // Offers the names that start with the part of a name before the cursor.
    void offer();
    QCompleter* completer() const { return m_completer; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fill();
    void takeFunctionList();
    void typed(int position, int removed, int added);
    void follow();
    void show();
    void insert(const QString& name);

    ScriptEditor& m_editor;
    DeclarationSource& m_declarations;
    NameModel* m_model;
    QCompleter* m_completer;
    bool m_stale = true; // the names have changed since the list was filled
    // The function list's names, sorted, kept until another list is used: they are
    // thousands, and the file's own change with every check.
    std::weak_ptr<const FunctionList> m_listedFrom;
    std::vector<NameModel::Entry> m_listed;
    int m_start = -1; // where the name being completed starts
};

} // namespace vantrel
