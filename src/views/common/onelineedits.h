// A line edit holds one line, but Qt's lets a pasted or dropped text keep its
// line breaks, and a value with a line break cannot be stored as typed. Every
// line edit of the program turns each break (CR LF, LF or a lone CR) into a
// blank as the user types, pastes or drops it, so the change is seen where it
// is made: the same rule as OneLine() of the store.
#pragma once

class QCoreApplication;
class QString;

namespace orv {

// From now on, for every line edit shown in the application.
void KeepLineEditsOnOneLine(QCoreApplication* app);

// The text with each line break a blank; `cursor` moves with the text before it.
QString OneLineText(const QString& text, int* cursor = nullptr);

}  // namespace orv
