// What a printed PDF file says: its pages' text as pdftotext (poppler-utils)
// reads it, one entry per page, blank lines and outer blanks dropped.
#pragma once

#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

namespace orv::test {

inline bool HavePdfTools() { return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty(); }

inline QList<QStringList> PdfPages(const QString& pdf)
{
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!text.waitForFinished()) return {};
    QList<QStringList> pages;
    // pdftotext ends every page with a form feed.
    QStringList all = QString::fromUtf8(text.readAllStandardOutput()).split(QLatin1Char('\f'));
    if (!all.isEmpty() && all.last().trimmed().isEmpty()) all.removeLast();
    for (const QString& page : all) {
        QStringList lines;
        for (const QString& line : page.split(QLatin1Char('\n')))
            if (!line.trimmed().isEmpty()) lines << line.simplified();
        pages << lines;
    }
    return pages;
}

}  // namespace orv::test
