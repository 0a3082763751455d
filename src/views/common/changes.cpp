#include "views/common/changes.h"

namespace orv {

namespace {

bool SameTodos(const TodoLists& a, const TodoLists& b)
{
    return a.Top == b.Top && a.Bottom == b.Bottom && a.TodayEveryDay == b.TodayEveryDay && a.EveryDay == b.EveryDay;
}

}  // namespace

Changes::Changes(const Session& session, QObject* parent) : QObject(parent), session_(session) { Rebase(); }

void Changes::Rebase()
{
    generations_ = session_.records().generations();
    todos_ = session_.todos();
    settings_ = session_.settings();
}

ChangeKinds Changes::Compare() const
{
    const RecordStore::Generations& g = session_.records().generations();
    ChangeKinds kinds;
    kinds.setFlag(ChangeKind::People, g.addresses != generations_.addresses);
    kinds.setFlag(ChangeKind::Calendar, g.calendar != generations_.calendar);
    kinds.setFlag(ChangeKind::Weekly, g.weekly != generations_.weekly);
    kinds.setFlag(ChangeKind::Monthly, g.monthly != generations_.monthly);
    kinds.setFlag(ChangeKind::Annual, g.annual != generations_.annual);
    kinds.setFlag(ChangeKind::Advanced, g.advanced != generations_.advanced);
    kinds.setFlag(ChangeKind::Todos, !SameTodos(session_.todos(), todos_));
    kinds.setFlag(ChangeKind::Settings, !(session_.settings() == settings_));
    return kinds;
}

ChangeKinds Changes::Publish(const QObject* source)
{
    const ChangeKinds kinds = Compare();
    if (!kinds) return kinds;
    // Taken before the views hear of it: a view that edits while it refreshes
    // publishes that edit on its own.
    Rebase();
    emit changed(kinds, source);
    return kinds;
}

void Changes::Subscribe(QObject* receiver, ChangeKinds kinds, std::function<void()> refresh)
{
    connect(this, &Changes::changed, receiver,
            [receiver, kinds, refresh = std::move(refresh)](ChangeKinds changed, const QObject* source) {
                if (source != receiver && (changed & kinds)) refresh();
            });
}

}  // namespace orv
