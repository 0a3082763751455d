#include "views/address/phonebookview.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>
#include <utility>

#include "core/session.h"
#include "store/textutil.h"
#include "views/common/chosenfile.h"
#include "views/common/longwork.h"
#include "views/common/labelbutton.h"
#include "views/common/named.h"
#include "views/common/storedtext.h"
#include "views/common/texttablemodel.h"

namespace orv {

PhoneBookView::PhoneBookView(Session& session, QWidget* parent)
    : QWidget(parent), session_(session), dialogs_(StandardDialogs())
{
    // Name and number. The e-mail addresses the page's mail links need stay
    // in the rows: a hidden column would still be met by the keyboard and
    // by screen readers.
    TextTableModel::Source source;
    source.rows = [this] { return static_cast<int>(CurrentRows(Grid::NotTold).size()); };
    source.columns = [] { return 2; };
    source.cell = [this](int row, int column) -> std::string_view {
        const std::vector<PhoneBookRow>& rows = CurrentRows(Grid::NotTold);
        // A view may ask for a row of the build before, until it hears of the new one.
        if (row < 0 || static_cast<std::size_t>(row) >= rows.size()) return {};
        const PhoneBookRow& r = rows[static_cast<std::size_t>(row)];
        return column == 0 ? r.Name : r.Number;
    };
    source.header = [](int column) { return column == 0 ? QStringLiteral("Name") : QStringLiteral("Number"); };
    model_ = new TextTableModel(std::move(source), this);
    setObjectName(QStringLiteral("PhoneBookView"));
    pageSource_ = [this] {
        const Settings& s = session_.settings();
        return PageTexts{DecodeStored(s.Color9), DecodeStored(s.Color10), DecodeStored(s.Color11), QStringLiteral("500")};
    };
    StringGrid1 = Named<QTableView>("StringGrid1", this);
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

PhoneBookView::~PhoneBookView()
{
    // The build in progress tells this view when it ends: it ends first.
    if (pending_.valid()) pending_.wait();
}

void PhoneBookView::Build()
{
    // Only the people listed, with only what their row shows: the name order
    // is stable, so it puts them as it would among everyone.
    const std::vector<AData>& addresses = session_.records().addresses();
    std::vector<AData> people;
    people.reserve(static_cast<std::size_t>(
        std::count_if(addresses.begin(), addresses.end(), [](const AData& a) { return !a.Tele1.empty(); })));
    for (const AData& a : addresses) {
        if (a.Tele1.empty()) continue;
        AData& p = people.emplace_back();
        p.Name = a.Name;
        p.Surname = a.Surname;
        p.Tele1 = a.Tele1;
        p.Email1 = a.Email1;
    }
    if (pending_.valid()) pending_.wait();
    pending_ = std::async(std::launch::async, [this, people = std::move(people)] {
        std::vector<PhoneBookRow> rows = PhoneBookRows(people);
        QMetaObject::invokeMethod(this, [this] { CurrentRows(Grid::Told); }, Qt::QueuedConnection);
        return rows;
    });
}

bool PhoneBookView::TakeRows() const
{
    if (!pending_.valid()) return false;
    rows_ = pending_.get();
    return true;
}

const std::vector<PhoneBookRow>& PhoneBookView::CurrentRows(Grid grid) const
{
    if (TakeRows()) unannounced_ = true;
    if (grid == Grid::Told && std::exchange(unannounced_, false)) model_->Reset();
    return rows_;
}

const std::vector<PhoneBookRow>& PhoneBookView::rows() const { return CurrentRows(Grid::Told); }

void PhoneBookView::showEvent(QShowEvent* event)
{
    // Before the first paint: the grid is never seen half built.
    CurrentRows(Grid::Told);
    QWidget::showEvent(event);
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
    const std::vector<PhoneBookRow> copy = rows();
    QString error;
    bool begun = false;
    bool written = false;
    // Whatever the work's end, `begun` says whether the file was reached.
    RunLongWork(this, dialogs_, QStringLiteral("Saving '%1'").arg(QFileInfo(path).fileName()), [&](WorkProgress& progress) {
        const std::string bytes = page ? PhoneBookHtml(copy, *page) : PhoneBookText(copy);
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
