// A grid of stored texts read through the owner's own rows, so that a list of
// 20 000 persons is shown without an item per cell. Texts are decoded as the
// store keeps them and typed text is stored as UTF-8.
#pragma once

#include <QAbstractTableModel>
#include <functional>
#include <string>
#include <string_view>

namespace orv {

class TextTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Source {
        std::function<int()> rows;
        std::function<int()> columns;
        std::function<std::string_view(int row, int column)> cell;
        // Empty for a grid the user cannot edit.
        std::function<void(int row, int column, std::string text)> setCell;
        // Empty: the columns are numbered from 1.
        std::function<QString(int column)> header;
    };

    explicit TextTableModel(Source source, QObject* parent = nullptr);

    // The owner's rows changed as a whole.
    void Reset();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    Source source_;
};

}  // namespace orv
