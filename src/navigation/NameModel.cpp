#include "navigation/NameModel.h"

#include "navigation/DeclarationSource.h"

namespace vantrel {

NameModel::NameModel(bool showLines, QObject* parent)
    : QAbstractListModel(parent), m_showLines(showLines)
{
}

void NameModel::setEntries(std::vector<Entry> entries)
{
    beginResetModel();
    m_entries = std::move(entries);
    endResetModel();
}

std::vector<NameModel::Entry> NameModel::entriesOf(const Declarations& declarations)
{
    std::vector<Entry> entries;
    entries.reserve(declarations.size());
    for (const Declaration& d : declarations) {
        const bool script = d.kind == Declaration::Kind::Script;
        QString kind = script ? QStringLiteral("script ") + toQString(d.type)
                              : QStringLiteral("global ") + toQString(d.type);
        if (!d.returnType.empty())
            kind += u' ' + toQString(d.returnType);
        entries.push_back({toQString(d.name), kind, int(d.place.line), int(d.place.offset)});
    }
    return entries;
}

int NameModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

QVariant NameModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= int(m_entries.size()))
        return {};
    const Entry& entry = m_entries[size_t(index.row())];
    switch (role) {
    case Qt::EditRole:
        return entry.name;
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        if (m_showLines && entry.line > 0)
            return QStringLiteral("%1 \u2014 %2, line %3")
                .arg(entry.name, entry.kind)
                .arg(entry.line);
        return QStringLiteral("%1 \u2014 %2").arg(entry.name, entry.kind);
    case PositionRole:
        return entry.position;
    default:
        return {};
    }
}

} // namespace vantrel
