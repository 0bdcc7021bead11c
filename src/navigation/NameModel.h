#pragma once

#include "script/ScriptDeclarations.h"

#include <QAbstractListModel>
#include <vector>

namespace vantrel {

// Names with their kinds, for the outline and for completion: each row shows
// "name - kind" (and the line, for the outline), and its edit role is the name alone,
// which is what completion matches and inserts.
class NameModel : public QAbstractListModel
{
    Q_OBJECT

public:
    enum Role
    {
        PositionRole = Qt::UserRole // where the name is declared, or -1
    };
    struct Entry
    {
        QString name;
        QString kind;
        int line = 0; // 0 for the language's own forms
        int position = -1;
    };

    explicit NameModel(bool showLines, QObject* parent = nullptr);

    void setEntries(std::vector<Entry> entries);
    // The file's scripts and globals, in text order.
    static std::vector<Entry> entriesOf(const Declarations& declarations);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    std::vector<Entry> m_entries;
    bool m_showLines;
};

} // namespace vantrel
