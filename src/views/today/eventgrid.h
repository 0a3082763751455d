// The grid every event list of the program uses: the overview's three tables,
// the Today Box and the day lists. Kind (and DaysUntil) in narrow button-face
// columns, the text 5 pixels in, the current line in the title colours while
// the grid has the focus, and a filler strip that carries the narrow column
// down to the bottom below the last row.
#pragma once

#include <QColor>
#include <QTableView>

#include "engine/occurrence.h"

namespace orv {

class OccurrenceModel;
class PeriodicalLines;

class EventGrid : public QTableView {
    Q_OBJECT
public:
    enum class Columns { KindText, DaysKindText };
    static constexpr int MinRowHeight = 14;

    // `fillerName` is the objectName of the filler strip (Panel2, Panel14 ...).
    EventGrid(Columns columns, const QString& fillerName, QWidget* parent = nullptr);

    // Replaces the lines; an empty table shows one empty row and no current line.
    void setTable(OccurrenceTable table);
    const OccurrenceTable& table() const;
    // Replaces the lines with a periodical search's; table() is empty then.
    void setLines(PeriodicalLines lines);
    bool hasLines() const { return lineCount() != 0; }
    std::size_t lineCount() const;
    Occurrence line(std::size_t row) const;

    // The current line, or null when the grid has no lines. The pointer is
    // good until the next call, or until the lines change.
    const Occurrence* currentLine() const;
    int currentRow() const;
    void setCurrentRow(int row);

    void setIndicatorWidth(int pixels);
    int indicatorWidth() const { return indicator_; }
    void setTitleColours(const QColor& background, const QColor& text);
    QColor titleBackground() const { return titleBack_; }
    QColor titleText() const { return titleText_; }

    QWidget* filler() const { return filler_; }
    int textColumn() const;

    // The row a press at viewport height `y` selects: y / h - 0.5 rounded to
    // the nearest whole number, halves to the even one (h the row height),
    // counted from the first visible row; -1 when there is no such row.
    int rowAtPress(int y) const;

signals:
    // Any mouse button pressed over the lines, after the row under the pointer
    // became current; also a keyboard move of the current line.
    void lineClicked(int row);
    void lineDoubleClicked(int row);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void updateGeometries() override;

private:
    void applyRowHeight();
    void applyColumnWidths();
    void placeFiller();

    void linesChanged();

    OccurrenceModel* model_;
    mutable Occurrence current_;  // currentLine() of periodical lines, made from them
    QWidget* filler_;
    int indicator_ = 16;
    QColor titleBack_{0x33, 0x4D, 0x73};
    QColor titleText_{Qt::white};
};

}  // namespace orv
