// The settings dialog's page "HTML": the colours of the phone book's web page
// and its width, which is used at once and never saved.
#pragma once

#include "shell/setup/colourentry.h"

class QLineEdit;

namespace orv {

class HtmlPage : public ColourEntriesPage {
    Q_OBJECT

public:
    explicit HtmlPage(QWidget* parent = nullptr);

    // The page width ("Width"), as typed.
    QString Width() const;

private:
    QLineEdit* Edit4 = nullptr;
};

}  // namespace orv
