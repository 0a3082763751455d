#include "views/common/texttablemodel.h"

#include "views/common/storedtext.h"

namespace orv {

TextTableModel::TextTableModel(Source source, QObject* parent) : QAbstractTableModel(parent), source_(std::move(source)) {}

void TextTableModel::Reset()
{
    beginResetModel();
    endResetModel();
}

int TextTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : source_.rows(); }

int TextTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : source_.columns(); }

QVariant TextTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
    if (index.row() >= source_.rows() || index.column() >= source_.columns()) return {};
    return DecodeStored(source_.cell(index.row(), index.column()));
}

bool TextTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || !source_.setCell) return false;
    source_.setCell(index.row(), index.column(), EncodeTyped(value.toString()));
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

Qt::ItemFlags TextTableModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && source_.setCell) f |= Qt::ItemIsEditable;
    return f;
}

QVariant TextTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role == Qt::DisplayRole && orientation == Qt::Horizontal && source_.header && section >= 0 &&
        section < source_.columns())
        return source_.header(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

}  // namespace orv
