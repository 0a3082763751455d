// A view or window of the address book and the documents on a session of its
// own, its dialogs answered by the test.
#pragma once

#include <QAbstractButton>
#include <QTest>
#include <memory>

#include "fakedialogs.h"
#include "store/datafile.h"
#include "viewfixture.h"

namespace orv::test {

// A window on a session of its own whose dialogs the test answers: the test
// class derives from QObject and this, makes `window` in init() after Open()
// and calls Close() in cleanup(), which keeps the folder of a failed test.
template <typename Window>
struct WindowFixture {
    std::unique_ptr<SessionFixture> fx;
    std::unique_ptr<Window> window;
    FakeDialogs fake;

    void Open()
    {
        fx = std::make_unique<SessionFixture>();
        fake = FakeDialogs{};
    }
    void Close()
    {
        window.reset();
        if (QTest::currentTestFailed()) fx->dir.setAutoRemove(false);
        fx.reset();
    }
    void Click(const char* name)
    {
        QTest::mouseClick(window->template findChild<QAbstractButton*>(QLatin1String(name)), Qt::LeftButton);
    }
    QString Path(const char* name) const { return fx->dir.filePath(QLatin1String(name)); }
    // A file of the test's folder holding `bytes`, by its path.
    QString WriteFile(const char* name, const QByteArray& bytes) const
    {
        Write(Path(name), bytes);
        return Path(name);
    }
    RecordStore& Records() { return fx->session->records(); }

    // The address book as data.orv holds it now, read back as the program would.
    std::vector<AData> OnDisk() const
    {
        std::vector<AData> list;
        ParseDataText(ReadWholeFile(fx->session->dataFolder() + "data.orv").content, list);
        return list;
    }
};

}  // namespace orv::test
