// An occurrence table as the grids show it: Kind and Text, or DaysUntil, Kind
// and Text. An empty table still shows one empty row, as the grids always have
// at least one.
#pragma once

#include <QAbstractTableModel>

#include "engine/occurrence.h"
#include "engine/periodical.h"

namespace orv {

class OccurrenceModel : public QAbstractTableModel {
    Q_OBJECT
public:
    OccurrenceModel(bool withDaysColumn, QObject* parent = nullptr);

    void setTable(OccurrenceTable table);
    const OccurrenceTable& table() const { return table_; }
    // The periodical search's lines, kept as compact as the search made them
    // (a century holds millions); replaces the table, as setTable replaces them.
    void setLines(PeriodicalLines lines);
    std::size_t lineCount() const { return table_.size() + lines_.size(); }
    Occurrence line(std::size_t row) const { return row < table_.size() ? table_[row] : lines_[row]; }
    bool withDaysColumn() const { return withDays_; }
    int textColumn() const { return withDays_ ? 2 : 1; }
    int kindColumn() const { return withDays_ ? 1 : 0; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    bool withDays_;
    OccurrenceTable table_;
    PeriodicalLines lines_;
};

}  // namespace orv
