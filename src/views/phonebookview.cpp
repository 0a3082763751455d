#include "views/phonebookview.h"

#include <QAbstractTableModel>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

#include "core/session.h"
#include "store/textutil.h"
#include "views/chosenfile.h"
#include "views/labelbutton.h"
#include "views/storedtext.h"

namespace orv {

// Name, number and the e-mail column that is never seen (the page's mail links).
class PhoneBookModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setRows(std::vector<PhoneBookRow> rows)
    {
        beginResetModel();
        rows_ = std::move(rows);
        endResetModel();
    }
    const std::vector<PhoneBookRow>& rows() const { return rows_; }

    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(rows_.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 3; }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)) return {};
        const PhoneBookRow& r = rows_[static_cast<std::size_t>(index.row())];
        switch (index.column()) {
        case 0: return DecodeStored(r.Name);
        case 1: return DecodeStored(r.Number);
        default: return DecodeStored(r.Email);
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
        if (section == 0) return QStringLiteral("Name");
        if (section == 1) return QStringLiteral("Number");
        return {};
    }

private:
    std::vector<PhoneBookRow> rows_;
};

PhoneBookView::PhoneBookView(Session& session, QWidget* parent)
    : QWidget(parent), session_(session), dialogs_(StandardDialogs()), model_(new PhoneBookModel(this))
{
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
    StringGrid1->setColumnHidden(2, true);
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

void PhoneBookView::Build() { model_->setRows(PhoneBookRows(session_.records().addresses())); }

const std::vector<PhoneBookRow>& PhoneBookView::rows() const { return model_->rows(); }

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
    std::string bytes;
    if (html) {
        const PageTexts texts = pageSource_();
        const std::string widthText = EncodeTyped(texts.width);
        const std::optional<std::int32_t> width = ParsePageWidth(widthText);
        if (!width) {
            dialogs_.message(this, QStringLiteral("ORV"), DecodeStored(NotAnIntegerMessage(widthText)), {});
            return false;
        }
        bytes = PhoneBookHtml(model_->rows(), PhoneBookPage{EncodeTyped(texts.background), EncodeTyped(texts.text),
                                                            EncodeTyped(texts.link), *width});
    } else {
        bytes = PhoneBookText(model_->rows());
    }
    QString error;
    if (WriteChosenFile(path, bytes, error)) return true;
    dialogs_.message(this, QStringLiteral("ORV"), error, {});
    return false;
}

}  // namespace orv
