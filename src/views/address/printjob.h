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
class QWidget;

namespace orv {

struct Settings;
struct ViewDialogs;
class WorkProgress;

// Prints `count` documents as one job named `title`, each starting on a new
// page and running on over further pages as it needs, inside `area` (see
// PrintJob::Area; an empty one is the whole page). `document(i)` gives the
// i-th; it need live only until the next call. Sizes in points keep their
// size on paper. False when the printer could not be started.
// With `progress`, each page is a step (each document, when there are
// several) and a Cancel stops at the next page.
bool PrintDocuments(QPrinter& printer, const QRect& area, const QString& title, int count,
                    const std::function<const QTextDocument&(int)>& document, WorkProgress* progress = nullptr);

enum class PrintEnd { Printed, Stopped, Failed };
// Runs `print` (which paints on `printer` as PrintDocuments does and gives
// its answer) beside the window as the long work `what`, see longwork.h: its
// documents must be made within it. A printer that writes a file (PDF)
// writes a temporary file beside it, which replaces the file only when the
// whole job was printed; Stopped (cancelled, or refused as ORV was busy)
// leaves the file as it was. A job for a printer queue is handed to the
// printer system by Qt when painting ends; after a Cancel that is the pages
// painted so far, which the queue shows as a shorter job.
PrintEnd PrintBeside(QWidget* parent, const ViewDialogs& dialogs, QPrinter& printer, const QString& what,
                     const std::function<bool(WorkProgress&)>& print);

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
