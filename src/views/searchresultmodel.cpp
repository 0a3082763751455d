#include "views/searchresultmodel.h"

#include "views/storedtext.h"

namespace orv {

void SearchResultModel::setResults(std::vector<std::string> texts, std::vector<int> indexes)
{
    beginResetModel();
    texts_ = std::move(texts);
    indexes_ = std::move(indexes);
    endResetModel();
}

int SearchResultModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(texts_.size());
}

QVariant SearchResultModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount()) return {};
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole) return DecodeStored(textAt(index.row()));
    return {};
}

}  // namespace orv
