// The print job of the address book: a buffer of address blocks that grows
// person by person and prints as one document, one block after the other,
// within the page rectangle of the settings (printer dots at 300 dpi).
#pragma once

#include <QFont>
#include <QRect>
#include <QStringList>
#include <QTextDocument>

class QPrinter;

namespace orv {

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
    static QRect Area(int left, int top, int right, int bottom);

private:
    QTextDocument document_;
};

}  // namespace orv
