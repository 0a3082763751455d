#include "views/occurrencemodel.h"

#include <iterator>
#include <utility>

#include "views/storedtext.h"

namespace orv {

OccurrenceModel::OccurrenceModel(bool withDaysColumn, QObject* parent)
    : QAbstractTableModel(parent), withDays_(withDaysColumn)
{
}

void OccurrenceModel::setTable(OccurrenceTable table)
{
    beginResetModel();
    table_ = std::move(table);
    endResetModel();
}

void OccurrenceModel::appendTable(OccurrenceTable more)
{
    if (more.empty()) return;
    if (table_.empty()) {
        // The one empty row shown so far becomes the first line.
        beginResetModel();
        table_.insert(table_.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
        endResetModel();
        return;
    }
    const int first = static_cast<int>(table_.size());
    beginInsertRows({}, first, first + static_cast<int>(more.size()) - 1);
    table_.insert(table_.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
    endInsertRows();
}

OccurrenceTable OccurrenceModel::takeTable()
{
    beginResetModel();
    OccurrenceTable old = std::exchange(table_, {});
    endResetModel();
    return old;
}

int OccurrenceModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid()) return 0;
    return table_.empty() ? 1 : static_cast<int>(table_.size());
}

int OccurrenceModel::columnCount(const QModelIndex& parent) const
{
    if (parent.isValid()) return 0;
    return withDays_ ? 3 : 2;
}

QVariant OccurrenceModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    const auto row = static_cast<std::size_t>(index.row());
    if (row >= table_.size()) return QString();
    const Occurrence& o = table_[row];
    if (index.column() == textColumn()) return DecodeStored(o.Text);
    if (index.column() == kindColumn()) return o.Kind ? QString(QChar::fromLatin1(o.Kind)) : QString();
    // The days column: to-do lines have a blank there.
    return o.DaysUntil == Occurrence::NoDays ? QStringLiteral(" ") : QString::number(o.DaysUntil);
}

}  // namespace orv
