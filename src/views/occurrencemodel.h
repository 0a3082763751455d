// An occurrence table as the grids show it: Kind and Text, or DaysUntil, Kind
// and Text. An empty table still shows one empty row, as the grids always have
// at least one.
#pragma once

#include <QAbstractTableModel>

#include "engine/occurrence.h"

namespace orv {

class OccurrenceModel : public QAbstractTableModel {
    Q_OBJECT
public:
    OccurrenceModel(bool withDaysColumn, QObject* parent = nullptr);

    void setTable(OccurrenceTable table);
    // Adds lines after the last, moving them in: a table reserved for the
    // whole result takes part after part without moving the lines it holds.
    void appendTable(OccurrenceTable more);
    // Empties the model and hands over the lines it held.
    OccurrenceTable takeTable();
    const OccurrenceTable& table() const { return table_; }
    bool withDaysColumn() const { return withDays_; }
    int textColumn() const { return withDays_ ? 2 : 1; }
    int kindColumn() const { return withDays_ ? 1 : 0; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    bool withDays_;
    OccurrenceTable table_;
};

}  // namespace orv
