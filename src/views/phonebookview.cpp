#include "views/phonebookview.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>
#include <optional>

#include "core/session.h"
#include "store/textutil.h"
#include "views/chosenfile.h"
#include "views/longwork.h"
#include "views/labelbutton.h"
#include "views/storedtext.h"
#include "views/texttablemodel.h"

namespace orv {

PhoneBookView::PhoneBookView(Session& session, QWidget* parent)
    : QWidget(parent), session_(session), dialogs_(StandardDialogs())
{
    // Name and number. The e-mail addresses the page's mail links need stay
    // in the rows: a hidden column would still be met by the keyboard and
    // by screen readers.
    TextTableModel::Source source;
    source.rows = [this] { return static_cast<int>(rows_.size()); };
    source.columns = [] { return 2; };
    source.cell = [this](int row, int column) -> std::string_view {
        const PhoneBookRow& r = rows_[static_cast<std::size_t>(row)];
        return column == 0 ? r.Name : r.Number;
    };
    source.header = [](int column) { return column == 0 ? QStringLiteral("Name") : QStringLiteral("Number"); };
    model_ = new TextTableModel(std::move(source), this);
    setObjectName(QStringLiteral("PhoneBookView"));
    pageSource_ = [this] {
        const Settings& s = session_.settings();
        return PageTexts{DecodeStored(s.Color9), DecodeStored(s.Color10), DecodeStored(s.Color11), QStringLiteral("500")};
    };
    StringGrid1 = new QTableView(this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setAccessibleName(QStringLiteral("Phone book"));
    StringGrid1->setModel(model_);
    StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->setShowGrid(false);
    StringGrid1->verticalHeader()->hide();
    StringGrid1->verticalHeader()->setDefaultSectionSize(StringGrid1->fontMetrics().height() + 4);
    StringGrid1->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    StringGrid1->horizontalHeader()->setHighlightSections(false);
    StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setColumnWidths(225, 120);

    MenuL15 = MakeLabelButton(this, "MenuL15", QStringLiteral("Save as.."));
    connect(MenuL15, &LabelButton::clicked, this, &PhoneBookView::SaveAs);

    auto* links = new QHBoxLayout;
    links->addStretch(1);
    links->addWidget(MenuL15);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(StringGrid1, 1);
    layout->addLayout(links);
}

void PhoneBookView::Build()
{
    rows_ = PhoneBookRows(session_.records().addresses());
    model_->Reset();
}


void PhoneBookView::setColumnWidths(int name, int number)
{
    StringGrid1->setColumnWidth(0, name);
    StringGrid1->setColumnWidth(1, number);
}

int PhoneBookView::columnWidth(int column) const { return StringGrid1->columnWidth(column); }

void PhoneBookView::setTitleColours(const QColor& background, const QColor& text)
{
    // The selected row is drawn in the title colours.
    QPalette p = StringGrid1->palette();
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(g, QPalette::Highlight, background);
        p.setColor(g, QPalette::HighlightedText, text);
    }
    StringGrid1->setPalette(p);
}

void PhoneBookView::SaveAs()
{
    const QString htmlFilter = QStringLiteral("HTML (*.htm)");
    QString chosen = htmlFilter;
    const QString path =
        dialogs_.saveFile(this, htmlFilter + QStringLiteral(";;Text (*.txt)"), QStringLiteral("htm"), &chosen);
    if (path.isEmpty()) return;
    const bool html = chosen == htmlFilter;
    // The file gets the extension of the format chosen, whatever was typed.
    const QFileInfo info(path);
    const QString suffix = info.suffix().toLower();
    QString target = path;
    if (suffix == QLatin1String("htm") || suffix == QLatin1String("html") || suffix == QLatin1String("txt"))
        target.chop(info.suffix().size() + 1);
    target += html ? QStringLiteral(".htm") : QStringLiteral(".txt");
    if (MayOverwrite(dialogs_, this, target)) Save(target, html);
}

bool PhoneBookView::Save(const QString& path, bool html)
{
    std::optional<PhoneBookPage> page;
    if (html) {
        const PageTexts texts = pageSource_();
        const std::string widthText = EncodeTyped(texts.width);
        const std::optional<std::int32_t> width = ParsePageWidth(widthText);
        if (!width) {
            dialogs_.message(this, QStringLiteral("ORV"), DecodeStored(NotAnIntegerMessage(widthText)), {});
            return false;
        }
        page = PhoneBookPage{EncodeTyped(texts.background), EncodeTyped(texts.text), EncodeTyped(texts.link), *width};
    }
    // The page is made from a copy of the rows and written beside the window.
    // Cancel before the file is begun leaves the old one; once begun, the
    // write (a temporary file renamed over the old) runs to its end.
    const std::vector<PhoneBookRow> rows = rows_;
    QString error;
    bool begun = false;
    bool written = false;
    // Whatever the work's end, `begun` says whether the file was reached.
    RunLongWork(this, dialogs_, QStringLiteral("Saving '%1'").arg(QFileInfo(path).fileName()), [&](WorkProgress& progress) {
        const std::string bytes = page ? PhoneBookHtml(rows, *page) : PhoneBookText(rows);
        if (progress.Cancelled()) return;
        begun = true;
        written = WriteChosenFile(path, bytes, error);
    });
    if (!begun) return false;
    if (written) return true;
    dialogs_.message(this, QStringLiteral("ORV"), error, {});
    return false;
}

}  // namespace orv
