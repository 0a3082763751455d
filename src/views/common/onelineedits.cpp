#include "views/common/named.h"
#include "views/common/onelineedits.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLineEdit>

namespace orv {

namespace {

constexpr const char* kGuarded = "orvOneLine";

void Fix(QLineEdit* edit, const QString& text)
{
    if (!text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r'))) return;
    int cursor = edit->cursorPosition();
    const QString fixed = OneLineText(text, &cursor);
    edit->setText(fixed);
    edit->setCursorPosition(cursor);
    // Who listens to the user's edits hears the text as it now stands.
    emit edit->textEdited(fixed);
}

// Every widget is polished once before it is first shown: the moment to
// reach line edits made at any time, in any window or dialog.
class Guard : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Polish) {
            if (auto* edit = qobject_cast<QLineEdit*>(watched); edit && !edit->property(kGuarded).toBool()) {
                edit->setProperty(kGuarded, true);
                connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) { Fix(edit, text); });
            }
        }
        return false;
    }
};

}  // namespace

QString OneLineText(const QString& text, int* cursor)
{
    QString out;
    out.reserve(text.size());
    int moved = cursor ? *cursor : 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n')) {
            if (cursor && i + 1 < *cursor) --moved;  // two characters became one
            out += QLatin1Char(' ');
            ++i;
        } else {
            out += c == QLatin1Char('\r') || c == QLatin1Char('\n') ? QLatin1Char(' ') : c;
        }
    }
    if (cursor) *cursor = moved;
    return out;
}

void KeepLineEditsOnOneLine(QCoreApplication* app)
{
    static const QString name = QStringLiteral("orvOneLineGuard");
    if (!app || app->findChild<QObject*>(name, Qt::FindDirectChildrenOnly)) return;
    auto* guard = Named<Guard>(name, app);
    app->installEventFilter(guard);
}

}  // namespace orv
