#include "views/printjob.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPrinter>
#include <memory>

#include "core/settings.h"

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
                    const std::function<const QTextDocument&(int)>& document)
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
        for (int i = 0; i < pages; ++i) {
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
        }
    }
    return painter.end();
}

}  // namespace orv
