// The settings dialog's side menu and the frame around each page: its title
// above it and its "Default" link below it.
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "core/session.h"
#include "shell/setup/colourpage.h"
#include "shell/setup/fontpage.h"
#include "shell/setup/htmlpage.h"
#include "shell/setup/letterpage.h"
#include "views/common/named.h"
#include "shell/setup/orvpage.h"
#include "shell/setup/tsetup.h"
#include "shell/setup/syncpage.h"
#include "views/common/labelbutton.h"

namespace orv {

namespace {

LabelButton* MakeSideLabel(const QString& name, const QString& caption)
{
    auto* label = Named<LabelButton>(name, caption);
    label->setMargin(6);
    return label;
}

}  // namespace

QWidget* TSetup::BuildSideMenu()
{
    SideMenu = Named<QFrame>(QStringLiteral("SideMenu"));
    SideMenu->setAutoFillBackground(true);
    SideMenu->setFrameShape(QFrame::StyledPanel);
    SideMenu->installEventFilter(this);
    auto* layout = new QVBoxLayout(SideMenu);
    layout->setContentsMargins(0, 8, 0, 8);
    layout->setSpacing(2);
    // In the order of the pages.
    sideLabels_ = {MakeSideLabel(QStringLiteral("L1"), QStringLiteral("ORV")),
                   MakeSideLabel(QStringLiteral("L2"), QStringLiteral("Letter")),
                   MakeSideLabel(QStringLiteral("L3"), QStringLiteral("Color")),
                   MakeSideLabel(QStringLiteral("L7"), QStringLiteral("HTML")),
                   MakeSideLabel(QStringLiteral("L5"), QStringLiteral("Font")),
                   MakeSideLabel(QStringLiteral("L8"), QStringLiteral("Sync"))};
    L1 = sideLabels_.front();
    L8 = sideLabels_.back();
    int width = 0;
    for (LabelButton* label : sideLabels_) {
        label->installEventFilter(this);
        connect(label, &LabelButton::clicked, this, [this, label] { SideMenuClick(label); });
        layout->addWidget(label);
        QFont bold = label->font();
        bold.setBold(true);
        width = std::max(width, QFontMetrics(bold).horizontalAdvance(label->text()));
    }
    layout->addStretch(1);
    SideMenu->setFixedWidth(width + 40);
    return SideMenu;
}

void TSetup::BuildPages()
{
    Pages = Named<QStackedWidget>(QStringLiteral("Pages"));
    orvPage_ = new OrvPage;
    ScrollBox1 = Named<QScrollArea>(QStringLiteral("ScrollBox1"));
    ScrollBox1->setWidgetResizable(true);
    ScrollBox1->setFrameShape(QFrame::NoFrame);
    ScrollBox1->setWidget(orvPage_);
    BuildPage(QStringLiteral("Panel7"), QStringLiteral("ORV Properties"), ScrollBox1, nullptr);
    letterPage_ = new LetterPage;
    BuildPage(QStringLiteral("Panel3"), QStringLiteral("Printer Properties"), letterPage_, letterPage_->DefaultLabel());
    colourPage_ = new ColourPage(session_.store());
    BuildPage(QStringLiteral("Panel6"), QStringLiteral("ORV colors Properties"), colourPage_,
              colourPage_->DefaultLabel());
    htmlPage_ = new HtmlPage;
    BuildPage(QStringLiteral("Panel2"), QStringLiteral("HTML Properties"), htmlPage_, htmlPage_->DefaultLabel());
    fontPage_ = new FontPage;
    BuildPage(QStringLiteral("Panel5"), QStringLiteral("Font Properties"), fontPage_, fontPage_->DefaultLabel());
    syncPage_ = new SyncPage;
    BuildPage(QStringLiteral("Panel8"), QStringLiteral("Sync with a calendar server"), syncPage_, nullptr);
}

QWidget* TSetup::BuildPage(const QString& name, const QString& title, QWidget* content, LabelButton* defaultLabel)
{
    auto* panel = Named<QWidget>(name);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* heading = Named<QLabel>(name + QStringLiteral("Title"), title);
    heading->setAutoFillBackground(true);
    heading->setMargin(6);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    pageTitles_.at(static_cast<std::size_t>(Pages->count())) = heading;
    layout->addWidget(heading);
    layout->addWidget(content, 1);
    if (defaultLabel) {
        auto* row = new QHBoxLayout;
        row->setContentsMargins(8, 0, 8, 4);
        row->addStretch(1);
        row->addWidget(defaultLabel);
        layout->addLayout(row);
    }
    Pages->addWidget(panel);
    return panel;
}

void TSetup::FixSize()
{
    // Wide enough for the widest page, tall enough for the longest one but
    // "ORV", which scrolls.
    int pageWidth = 0, pageHeight = 0;
    for (int i = 1; i < Pages->count(); ++i) {
        pageWidth = std::max(pageWidth, Pages->widget(i)->sizeHint().width());
        pageHeight = std::max(pageHeight, Pages->widget(i)->sizeHint().height());
    }
    pageWidth = std::max(pageWidth, ScrollBox1->widget()->sizeHint().width() +
                                        ScrollBox1->verticalScrollBar()->sizeHint().width());
    Pages->setMinimumSize(pageWidth, std::max(pageHeight, fontMetrics().height() * 24));
    setFixedSize(sizeHint());
}

}  // namespace orv
