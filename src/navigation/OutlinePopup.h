#pragma once

#include <QFrame>

class QLineEdit;
class QListView;
class QSortFilterProxyModel;

namespace vantrel {

class DeclarationSource;
class NameModel;
class ScriptEditor;

// "Go to Script": a filter box and the file's scripts and globals, each with its type and
// line, laid over the editor's text. Typing narrows the list, Up and Down choose, Enter
// goes to the declaration, Escape (or the focus leaving) closes it.
class OutlinePopup : public QFrame
{
    Q_OBJECT

public:
    OutlinePopup(ScriptEditor& editor, DeclarationSource& declarations);

    void open();

signals:
    void goTo(int position);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void selectFirst();
    void goToCurrent();
    void dismiss();

    ScriptEditor& m_editor;
    DeclarationSource& m_declarations;
    NameModel* m_model;
    QSortFilterProxyModel* m_filter;
    QLineEdit* m_filterBox;
    QListView* m_list;
};

} // namespace vantrel
