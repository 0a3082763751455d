// What the event page tests share: the page on a session of its own, its
// messages collected by the fake dialogs instead of shown, and the data files as written.
#pragma once

#include <QFile>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <type_traits>

#include "fakedialogs.h"
#include "viewfixture.h"
#include "views/events/eventpage.h"

namespace orv::test {

// A named child of a page or dialog; a missing one stops the program, named.
template <typename W = QWidget>
W* In(const QWidget* parent, const char* name)
{
    W* w = parent->findChild<W*>(QLatin1String(name));
    if (!w) qFatal("no child %s", name);
    return w;
}

// The page under test on a fresh sample session.
template <typename Page>
class PageFixture {
public:
    PageFixture()
    {
        fx.AddSampleRecords();
        if constexpr (std::is_constructible_v<Page, Session&, Navigator&>)
            page = std::make_unique<Page>(*fx.session, fx.navigator);
        else
            page = std::make_unique<Page>(*fx.session);
        page->setDialogs(fake.dialogs());
        page->resize(800, 600);
        page->show();
    }

    // A data file as the page left it on disk; empty when never written.
    QByteArray File(const char* name) const
    {
        QFile f(fx.dir.path() + QStringLiteral("/data/") + QLatin1String(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    template <typename W>
    W* Find(const char* name) const
    {
        return In<W>(page.get(), name);
    }

    void Click(const char* button) { Find<QAbstractButton>(button)->click(); }

    FakeDialogs fake;
    SessionFixture fx;
    std::unique_ptr<Page> page;
};

// The captions of a menu's items, in order.
inline QStringList MenuItems(const QMenu* menu)
{
    QStringList items;
    for (const QAction* a : menu->actions()) items << a->text();
    return items;
}

}  // namespace orv::test

Q_DECLARE_METATYPE(orv::Date)
