// Printing within the page rectangle of the settings (printer dots at 300
// dpi), shared by the address book's print job, the letters and the data list;
// and the print job of the address book: a buffer of address blocks that
// grows person by person and prints as one document, one block after the other.
#pragma once

#include <QFont>
#include <QRect>
#include <QStringList>
#include <QTextDocument>
#include <functional>

class QPrinter;

namespace orv {

struct Settings;

// Prints `count` documents as one job named `title`, each starting on a new
// page and running on over further pages as it needs, inside `area` (see
// PrintJob::Area; an empty one is the whole page). `document(i)` gives the
// i-th; it need live only until the next call. Sizes in points keep their
// size on paper. False when the printer could not be started.
bool PrintDocuments(QPrinter& printer, const QRect& area, const QString& title, int count,
                    const std::function<const QTextDocument&(int)>& document);

class PrintJob {
public:
    PrintJob();

    // "Start printjob" and "Print address": the buffer holds this block alone.
    void Start(const QStringList& block);
    // "Add to printjob": a line with a single blank, then the block, after
    // whatever the buffer holds.
    void Add(const QStringList& block);
    QString text() const { return document_.toPlainText(); }

    // Prints the buffer in `font` as one document with an empty title; the
    // buffer keeps its content. False when the printer could not be started.
    bool Print(QPrinter& printer, const QFont& font, const QRect& area);
    QFont font() const { return document_.defaultFont(); }

    // The settings' page rectangle (left, top, right, bottom in dots); an empty
    // one stands for the whole page.
    static QRect Area(const Settings& settings);

private:
    QTextDocument document_;
};

}  // namespace orv
