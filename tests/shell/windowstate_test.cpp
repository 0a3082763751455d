// Each window's state saved by the save-all step comes back from the settings
// file at the next start, and is saved again as it was.
#include <QAbstractButton>
#include <QAction>
#include <QTest>

#include "appfixture.h"
#include "shell/setup/tsetup.h"
#include "shell/sidebar.h"
#include "shell/tdata.h"
#include "shell/ttodaybox.h"
#include "views/address/peoplesearchview.h"
#include "views/address/phonebookview.h"
#include "views/documents/tdatalistform.h"
#include "views/documents/timportdata.h"
#include "views/documents/tletter.h"

using namespace orv;

class WindowStateTest : public QObject, public orv::test::AppFixture {
    Q_OBJECT

private:
    // The windows that keep their place and size, with bounds of their own each.
    std::vector<std::pair<QWidget*, QRect>> Windows()
    {
        return {{app->letter(), QRect(20, 30, 420, 310)},     {app->todayBox(), QRect(40, 50, 260, 220)},
                {app->dataList(), QRect(60, 70, 500, 330)},   {app->importData(), QRect(80, 90, 480, 350)},
                {app->setup(), QRect(100, 110, 640, 500)}};
    }
    QAction* FirstMark()
    {
        for (QAction* a : app->data()->sidebar()->findChildren<QAction*>())
            if (a->isCheckable()) return a;
        return nullptr;
    }

private slots:
    void init()
    {
        SetUpApp();
        MarkSettingsSaved();
    }
    void cleanup() { TearDownApp(); }

    void eachWindowsStateComesBackFromTheSettingsFile()
    {
        Start();
        // As far as each window lets itself be moved and sized (the settings dialog has a size of its own).
        std::vector<QRect> placed;
        for (const auto& [window, bounds] : Windows()) {
            window->move(bounds.topLeft());
            window->resize(bounds.size());
            placed.push_back(QRect(window->pos(), window->size()));
        }
        app->data()->move(120, 40);
        QAction* mark = FirstMark();
        QVERIFY(mark);
        const bool marked = !mark->isChecked();
        mark->trigger();
        QCOMPARE(mark->isChecked(), marked);
        app->data()->ShowView(ViewItem::Weekly);
        app->data()->findChild<QAbstractButton*>(QStringLiteral("MenuL19"))->click();  // search by e-mail
        app->data()->phoneBook()->setColumnWidths(150, 90);
        const SearchField field = app->data()->peopleSearch()->category();
        const QSize mainSize = app->data()->size();
        app->SaveAll();
        const QByteArray saved = ReadFile(settings);

        app.reset();
        Start();
        const auto windows = Windows();
        for (std::size_t i = 0; i < windows.size(); ++i)
            QCOMPARE(QRect(windows[i].first->pos(), windows[i].first->size()), placed[i]);
        QCOMPARE(app->data()->pos(), QPoint(120, 40));
        QCOMPARE(app->data()->size(), mainSize);
        QCOMPARE(FirstMark()->isChecked(), marked);
        QCOMPARE(app->data()->sidebar()->current(), std::optional<ViewItem>(ViewItem::Weekly));
        QCOMPARE(app->data()->peopleSearch()->category(), field);
        QCOMPARE(app->data()->phoneBook()->columnWidth(0), 150);
        QCOMPARE(app->data()->phoneBook()->columnWidth(1), 90);
        // Saved again unchanged: every key the windows write was read back.
        app->SaveAll();
        QCOMPARE(ReadFile(settings), saved);
    }
};

QTEST_MAIN(WindowStateTest)
#include "windowstate_test.moc"
