#include "views/address/printjob.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPrinter>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cstdio>
#include <memory>
#include <unistd.h>

#include "core/settings.h"
#include "store/fileio.h"
#include "views/common/longwork.h"

namespace orv {

PrintJob::PrintJob() { document_.setDocumentMargin(0); }

void PrintJob::Start(const QStringList& block) { document_.setPlainText(block.join(QLatin1Char('\n'))); }

void PrintJob::Add(const QStringList& block)
{
    QString text = document_.toPlainText();
    text += QStringLiteral("\n \n") + block.join(QLatin1Char('\n'));
    document_.setPlainText(text);
}

QRect PrintJob::Area(const Settings& s)
{
    return QRect(QPoint(s.PageL, s.PageT), QPoint(s.PageR - 1, s.PageB - 1)).normalized();
}

bool PrintJob::Print(QPrinter& printer, const QFont& font, const QRect& area)
{
    document_.setDefaultFont(font);
    return PrintDocuments(printer, area, QString(), 1, [this](int) -> const QTextDocument& { return document_; });
}

bool PrintDocuments(QPrinter& printer, const QRect& area, const QString& title, int count,
                    const std::function<const QTextDocument&(int)>& document, WorkProgress* progress)
{
    printer.setDocName(title);
    printer.setFullPage(true);
    printer.setResolution(300);
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    // The page rectangle is in printer dots; without one the whole page is used.
    QRectF rect = area;
    const QRectF page = printer.pageLayout().fullRectPixels(printer.resolution());
    if (rect.width() <= 1 || rect.height() <= 1) rect = page;
    if (progress) progress->SetTotal(count);
    bool firstPage = true;
    for (int n = 0; n < count; ++n) {
        // A copy laid out on the printer, so that point sizes count in its dots, not the screen's pixels.
        const QTextDocument& source = document(n);
        std::unique_ptr<QTextDocument> doc(source.clone());
        doc->setDocumentMargin(0);
        doc->documentLayout()->setPaintDevice(&printer);
        doc->setDefaultFont(source.defaultFont());
        doc->setPageSize(rect.size());
        const int pages = doc->pageCount();
        // A single document (the address blocks) counts its pages.
        if (progress && count == 1) progress->SetTotal(pages);
        for (int i = 0; i < pages; ++i) {
            if (progress && progress->Cancelled()) {
                // Where the print engine can drop the job, it does; otherwise
                // the job ends with the pages painted so far.
                printer.abort();
                painter.end();
                return true;
            }
            if (!firstPage) printer.newPage();
            firstPage = false;
            painter.save();
            painter.translate(rect.left(), rect.top() - i * rect.height());
            const QRectF clip(0, i * rect.height(), rect.width(), rect.height());
            painter.setClipRect(clip);
            QAbstractTextDocumentLayout::PaintContext context;
            context.clip = clip;
            context.palette.setColor(QPalette::Text, Qt::black);
            doc->documentLayout()->draw(&painter, context);
            painter.restore();
            if (progress && count == 1) progress->Advance(i + 1);
        }
        if (progress && count > 1) progress->Advance(n + 1);
    }
    return painter.end();
}

namespace {

// A name beside `path` that nothing has yet, as WriteFileAtomic's temporaries are named.
QString TemporaryName(const QString& path)
{
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    const QString prefix = QString::fromStdString(TemporaryNamePrefix(QFile::encodeName(path).toStdString()));
    for (;;) {
        QString name = prefix;
        for (int i = 0; i < 6; ++i) name += QLatin1Char(letters[QRandomGenerator::global()->bounded(62)]);
        if (!QFileInfo::exists(name)) return name;
    }
}

}  // namespace

PrintEnd PrintBeside(QWidget* parent, const ViewDialogs& dialogs, QPrinter& printer, const QString& what,
                     const std::function<bool(WorkProgress&)>& print)
{
    // A file is printed under a temporary name beside the file it replaces
    // (at the end of a chain of links), as every file is written.
    const QString target = printer.outputFileName();
    const QString replaced =
        target.isEmpty() ? QString() : QFile::decodeName(LinkTarget(QFile::encodeName(target).toStdString()).c_str());
    const QString scratch = target.isEmpty() ? QString() : TemporaryName(replaced);
    if (!target.isEmpty()) printer.setOutputFileName(scratch);
    bool started = false;
    const WorkEnd end = RunLongWork(parent, dialogs, what, [&](WorkProgress& progress) {
        started = print(progress);
        // The pages reach the disk before the file takes its name.
        if (started && !scratch.isEmpty() && !progress.Cancelled()) {
            QFile written(scratch);
            if (written.open(QIODevice::ReadOnly)) ::fsync(written.handle());
        }
    });
    if (target.isEmpty()) return end != WorkEnd::Done ? PrintEnd::Stopped : started ? PrintEnd::Printed : PrintEnd::Failed;
    printer.setOutputFileName(target);
    if (end == WorkEnd::Done && started) {
        // The file keeps the permissions it had.
        if (QFileInfo::exists(replaced)) QFile::setPermissions(scratch, QFile::permissions(replaced));
        if (std::rename(QFile::encodeName(scratch).constData(), QFile::encodeName(replaced).constData()) == 0)
            return PrintEnd::Printed;
    }
    QFile::remove(scratch);
    return end != WorkEnd::Done ? PrintEnd::Stopped : PrintEnd::Failed;
}

}  // namespace orv
