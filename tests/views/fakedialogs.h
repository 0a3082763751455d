// Dialogs answered by the test: messages are written down, questions, file
// names and fonts come from queues, and printing goes to a PDF file.
#pragma once

#include <QPrinter>
#include <QQueue>
#include <QStringList>

#include "views/common/viewdialogs.h"

namespace orv::test {

struct FakeDialogs {
    QStringList messages;  // "title|text|detail"
    QStringList questions;
    QQueue<QMessageBox::StandardButton> answers;
    QQueue<QString> files;
    QString filter;  // the save dialog's chosen filter; empty: the first offered
    std::optional<QFont> font = QFont(QStringLiteral("DejaVu Sans"), 12);
    QString pdf;     // where the printer writes; empty: the print dialog is cancelled
    int type = 0;    // the type chosen in the typed file dialogs

    ViewDialogs dialogs()
    {
        ViewDialogs d;
        d.message = [this](QWidget*, const QString& title, const QString& text, const QString& detail) {
            messages << title + QLatin1Char('|') + text + QLatin1Char('|') + detail;
        };
        d.alert = [this](QWidget*, QMessageBox::Icon, const QString& title, const QString& text) {
            messages << title + QLatin1Char('|') + text + QLatin1Char('|');
        };
        d.ask = [this](QWidget*, const QString&, const QString& text, QMessageBox::StandardButtons) {
            questions << text;
            return answers.isEmpty() ? QMessageBox::Cancel : answers.dequeue();
        };
        d.openFile = [this](QWidget*, const QString&) { return files.isEmpty() ? QString() : files.dequeue(); };
        d.saveFile = [this](QWidget*, const QString& offered, const QString&, QString* selected) {
            if (selected) *selected = filter.isEmpty() ? offered.section(QStringLiteral(";;"), 0, 0) : filter;
            return files.isEmpty() ? QString() : files.dequeue();
        };
        d.chooseFont = [this](QWidget*, const QFont&) { return font; };
        d.choosePrinter = [this](QWidget*, QPrinter& printer) {
            if (pdf.isEmpty()) return false;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return true;
        };
        d.openTyped = [this](QWidget*, const QStringList&, int) {
            return ViewDialogs::TypedFile{files.isEmpty() ? QString() : files.dequeue(), type};
        };
        d.saveTyped = [this](QWidget*, const QStringList&, const QStringList&, int) {
            return ViewDialogs::TypedFile{files.isEmpty() ? QString() : files.dequeue(), type};
        };
        return d;
    }
};

}  // namespace orv::test
