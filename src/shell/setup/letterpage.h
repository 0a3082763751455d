// The settings dialog's page "Letter": the printer margins, typed into four
// fields around a drawn sheet of paper.
#pragma once

#include "shell/setup/setuppage.h"

class QLineEdit;

namespace orv {

class LetterPage : public SetupPage {
    Q_OBJECT

public:
    explicit LetterPage(QWidget* parent = nullptr);

private:
    QLineEdit* MarginEdit(const char* name, std::int32_t Settings::*member, const QString& accessible);
    QWidget* Sheet() const;
    // A margin field holds an integer while it is typed into.
    static void KeepInteger(QLineEdit* edit);
};

}  // namespace orv
