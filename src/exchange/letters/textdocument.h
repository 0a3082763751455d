// The letter area's document and the exchange model, both ways: what the
// letter window edits is saved, merged and printed through RichDocument.
#pragma once

#include <QTextDocument>

#include "exchange/letters/richdocument.h"

namespace orv {

// Font family and size as each fragment resolves them against the document's
// default font, so every run of the result names both.
RichDocument FromTextDocument(const QTextDocument& document);

// Replaces the document's content; runs without a font or size take the
// document's default font.
void ToTextDocument(const RichDocument& rich, QTextDocument& document);

}  // namespace orv
