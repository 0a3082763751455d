#include "views/today/occurrencemodel.h"

#include <iterator>
#include <utility>

#include "views/common/storedtext.h"

namespace orv {

OccurrenceModel::OccurrenceModel(bool withDaysColumn, QObject* parent)
    : QAbstractTableModel(parent), withDays_(withDaysColumn)
{
}

void OccurrenceModel::setTable(OccurrenceTable table)
{
    beginResetModel();
    table_ = std::move(table);
    lines_ = {};
    endResetModel();
}

void OccurrenceModel::setLines(PeriodicalLines lines)
{
    beginResetModel();
    table_ = {};
    lines_ = std::move(lines);
    endResetModel();
}

int OccurrenceModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid()) return 0;
    return lineCount() == 0 ? 1 : static_cast<int>(lineCount());
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
    if (row < lines_.size()) {
        if (index.column() == textColumn()) return DecodeStored(lines_.text(row));
        return index.column() == kindColumn() ? QString(QChar::fromLatin1(lines_.kind(row))) : QStringLiteral(" ");
    }
    if (row >= table_.size()) return QString();
    const Occurrence& o = table_[row];
    if (index.column() == textColumn()) return DecodeStored(o.Text);
    if (index.column() == kindColumn()) return o.Kind ? QString(QChar::fromLatin1(o.Kind)) : QString();
    // The days column: to-do lines have a blank there.
    return o.DaysUntil == Occurrence::NoDays ? QStringLiteral(" ") : QString::number(o.DaysUntil);
}

}  // namespace orv
