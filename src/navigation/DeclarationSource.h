#pragma once

#include "script/ScriptDeclarations.h"

#include <QObject>
#include <QString>
#include <memory>
#include <vector>

namespace vantrel {

class ScriptEditor;

// The scripts and globals of an editor's text, as the language support's last check read
// them, or read afresh when a place must be exact.
class DeclarationSource : public QObject
{
    Q_OBJECT

public:
    explicit DeclarationSource(ScriptEditor& editor);

    // Up to date with the text: read now when the last check is older (a few
    // milliseconds for the longest scripts). What goes to a declaration uses these.
    const Declarations& current();
    // The last ones read, which may be older than the text (or none, without the language
    // support): enough to know the names.
    const Declarations& latest();
    // The declaration of a name, compared without regard to case, among current(): the
    // first, or the static that replaces a stub.
    const Declaration* find(const QString& name);
    // Whether the name is declared, among latest(); cheap enough for every cursor move.
    bool isDeclared(const QString& name);

signals:
    // latest() changed.
    void changed();

private:
    void take(std::shared_ptr<const Declarations> declarations, int revision);
    void refresh();

    ScriptEditor& m_editor;
    std::shared_ptr<const Declarations> m_declarations = std::make_shared<const Declarations>();
    int m_revision = -1;
};

QString toQString(std::u16string_view text);

} // namespace vantrel
