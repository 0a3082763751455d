#include "views/address/searchresultmodel.h"

#include <QLabel>
#include <QListView>

#include "views/common/named.h"
#include "views/common/storedtext.h"

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

QListView* MakeResultList(QWidget* parent, const char* name, SearchResultModel* model)
{
    auto* list = Named<QListView>(QLatin1String(name), parent);
    list->setModel(model);
    list->setUniformItemSizes(true);  // a long result costs no measuring of every line
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    return list;
}

QLabel* MakeHeading(QWidget* parent, const char* text, QWidget* buddy)
{
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    if (buddy) {
        label->setBuddy(buddy);
        buddy->setAccessibleName(label->text());
    }
    return label;
}

}  // namespace orv
