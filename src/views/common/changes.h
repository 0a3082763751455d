// "These kinds of records changed", published once per change: the views
// subscribe to what they show and refresh only for that. What changed is
// learnt by comparing the data with what was last published, so an edit made
// anywhere is published without the editing code naming it.
#pragma once

#include <QFlags>
#include <QObject>
#include <functional>

#include "core/session.h"

namespace orv {

enum class ChangeKind {
    People = 0x01,
    Calendar = 0x02,
    Weekly = 0x04,
    Monthly = 0x08,
    Annual = 0x10,
    Advanced = 0x20,
    Todos = 0x40,
    Settings = 0x80,
};
Q_DECLARE_FLAGS(ChangeKinds, ChangeKind)
Q_DECLARE_OPERATORS_FOR_FLAGS(ChangeKinds)

// The six record lists: what a day of the calendar can show.
inline constexpr ChangeKinds kEventKinds{ChangeKind::People, ChangeKind::Calendar, ChangeKind::Weekly,
                                         ChangeKind::Monthly, ChangeKind::Annual, ChangeKind::Advanced};
inline constexpr ChangeKinds kEveryKind = kEventKinds | ChangeKind::Todos | ChangeKind::Settings;

class Changes : public QObject {
    Q_OBJECT
public:
    explicit Changes(const Session& session, QObject* parent = nullptr);

    // Publishes what changed since the last time, if anything. `source` made
    // the edit and has shown it already: its own subscriptions are skipped.
    ChangeKinds Publish(const QObject* source = nullptr);
    // Takes the data as they are now as published: an initialisation has
    // just built every view from them.
    void Rebase();
    // Calls `refresh` after every change of one of `kinds` that `receiver`
    // did not make itself, for as long as `receiver` lives.
    void Subscribe(QObject* receiver, ChangeKinds kinds, std::function<void()> refresh);

signals:
    void changed(orv::ChangeKinds kinds, const QObject* source);

private:
    ChangeKinds Compare() const;

    const Session& session_;
    RecordStore::Generations generations_;
    TodoLists todos_;
    Settings settings_;
};

}  // namespace orv
