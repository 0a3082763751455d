#include "shell/thelpbox.h"

#include <QComboBox>
#include <QFile>
#include <QMenuBar>
#include <QTextBrowser>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QVBoxLayout>
#include <array>
#include <utility>

#include "shell/maker.h"
#include "views/common/named.h"

// The pages live in a static library; without this reference the linker would
// drop their resource object and every page would load empty.
static void InitHelpResources() { Q_INIT_RESOURCE(help); }

namespace orv {

namespace {

struct PageEntry {
    const char* subject;
    const char* suffix;
};

constexpr std::array<PageEntry, THelpBox::PageCount> kPages{{
    {"ORV", "orv"},
    {"Calendar", "cal"},
    {"Month calendar", "moncal"},
    {"Address book", "add"},
    {"Weekly events", "week"},
    {"Monthly events", "month"},
    {"Annual events", "year"},
    {"Advanced events", "adv"},
    {"To do list", "todo"},
    {"Search people", "sadd"},
    {"Search calendar", "scal"},
    {"Periodical search", "sper"},
    {"Phone book", "phone"},
    {"Event type letters", "etype"},
    {"Menu", "menu"},
    {"readme", "readme"},
}};

bool IsPage(int index) { return index >= 0 && index < THelpBox::PageCount; }

}  // namespace

THelpBox::THelpBox(QWidget* parent) : QMainWindow(parent)
{
    InitHelpResources();
    setObjectName(QStringLiteral("HelpBox"));
    setWindowTitle(QStringLiteral("ORV Help"));
    setWindowFlag(Qt::Tool);
    BuildMenus();
    BuildPage();
    // "activated" comes with every choice, the page already shown included,
    // so choosing it again reloads it and starts again at its top.
    connect(ComboBox1, &QComboBox::activated, this, &THelpBox::ComboBox1Change);
    resize(520, 600);
}

void THelpBox::BuildMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("File"));
    file->setObjectName(QStringLiteral("File1"));
    Close1 = file->addAction(QStringLiteral("Close"), this, &QWidget::hide);
    Close1->setObjectName(QStringLiteral("Close1"));

    QMenu* maker = menuBar()->addMenu(QStringLiteral("Help"));
    maker->setObjectName(QStringLiteral("Maker1"));
    Homepage1 = maker->addAction(QStringLiteral("ORV on the web..."), this, [this] { Open(MakerWebPageUrl()); });
    Homepage1->setObjectName(QStringLiteral("Homepage1"));
    Support1 = maker->addAction(QStringLiteral("E-mail support..."), this,
                                [this] { Open(SupportMailUrl(QStringLiteral("ORV"))); });
    Support1->setObjectName(QStringLiteral("Support1"));
    Bugreport1 = maker->addAction(QStringLiteral("Report a bug..."), this,
                                  [this] { Open(SupportMailUrl(QStringLiteral("Bug report"))); });
    Bugreport1->setObjectName(QStringLiteral("Bugreport1"));
}

void THelpBox::BuildPage()
{
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(4, 4, 4, 4);
    ComboBox1 = Named<QComboBox>("ComboBox1", central);
    for (const PageEntry& page : kPages) ComboBox1->addItem(QString::fromLatin1(page.subject));
    ComboBox1->setMaxVisibleItems(PageCount);
    ComboBox1->setAccessibleName(QStringLiteral("Help page"));
    layout->addWidget(ComboBox1);
    RichEdit1 = Named<QTextBrowser>("RichEdit1", central);
    RichEdit1->setOpenLinks(false);
    RichEdit1->setAccessibleName(QStringLiteral("Help text"));
    layout->addWidget(RichEdit1, 1);
    setCentralWidget(central);
}

void THelpBox::ShowHelpPage(int index)
{
    if (!IsPage(index)) index = PageOrv;
    ComboBox1->setCurrentIndex(index);
    LoadPage(index);
    show();
    raise();
    activateWindow();
}

QString THelpBox::Subject(int page)
{
    return IsPage(page) ? QString::fromLatin1(kPages[static_cast<std::size_t>(page)].subject) : QString();
}

QString THelpBox::ResourcePath(int page)
{
    if (!IsPage(page)) return QString();
    return QStringLiteral(":/help/hlp") + QString::fromLatin1(kPages[static_cast<std::size_t>(page)].suffix) +
           QStringLiteral(".html");
}

void THelpBox::SetUrlOpener(UrlOpener opener) { opener_ = std::move(opener); }

void THelpBox::ComboBox1Change(int index) { LoadPage(index); }

void THelpBox::LoadPage(int index)
{
    QFile page(ResourcePath(index));
    // Every page is compiled in, so this only fails for an index outside the table.
    if (!page.open(QIODevice::ReadOnly)) return;
    RichEdit1->setHtml(QString::fromUtf8(page.readAll()));
    RichEdit1->setAccessibleDescription(Subject(index));

    // The title line is bold on every page, whatever the page's own markup says.
    QTextCursor cursor(RichEdit1->document());
    cursor.movePosition(QTextCursor::Start);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    cursor.mergeCharFormat(bold);
    cursor.movePosition(QTextCursor::Start);
    RichEdit1->setTextCursor(cursor);
}

void THelpBox::Open(const QUrl& url) const
{
    if (opener_) opener_(url);
}

}  // namespace orv
