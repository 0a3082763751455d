// The pieces the settings dialog's pages are laid out with: a row that keeps a
// box to its own width, a caption and its field, the name a screen reader
// gives a field, and the "Default" link at the foot of a page.
#pragma once

#include <QString>

#include "core/settings.h"

class QSpinBox;
class QVBoxLayout;
class QWidget;

namespace orv {

class LabelButton;

// Check boxes and radio buttons keep their own width, so that a click lands
// on their caption and not on empty space beside it.
void AddLeft(QVBoxLayout* layout, QWidget* widget, int indent = 0);

// A caption followed by its field on one line.
void AddRow(QVBoxLayout* layout, const QString& caption, QWidget* field);

// The name a screen reader gives a field: its caption without the colon and
// blanks. A combo box also names its text field and its list.
void NameAfter(QWidget* field, QString caption);

// On Linux a combo box reads its text as its name and takes its caption from
// a label that names it as its buddy, beside it. A field whose caption stands
// elsewhere (a column heading, the row's sample) gets such a label, unseen.
void LabelUnseen(QWidget* field, const QString& caption);

// The underlined "Default" link that puts a page's values back.
LabelButton* MakeDefaultLabel(const QString& name);

void SetRange(QSpinBox* box, SettingRange range);

}  // namespace orv
