// The result list of a search as a list model: the texts shown, each with the
// index of its record, so that a long result costs no widget per line.
#pragma once

#include <QAbstractListModel>
#include <string>
#include <vector>

class QLabel;
class QListView;
class QWidget;

namespace orv {

class SearchResultModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    void setResults(std::vector<std::string> texts, std::vector<int> indexes);
    int indexAt(int row) const { return indexes_[static_cast<std::size_t>(row)]; }
    const std::string& textAt(int row) const { return texts_[static_cast<std::size_t>(row)]; }
    bool empty() const { return texts_.empty(); }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    std::vector<std::string> texts_;
    std::vector<int> indexes_;
};

// The result list of a search view over its model.
QListView* MakeResultList(QWidget* parent, const char* name, SearchResultModel* model);

// A bold heading above a control, which gives the control its accessible name.
QLabel* MakeHeading(QWidget* parent, const char* text, QWidget* buddy = nullptr);

}  // namespace orv
