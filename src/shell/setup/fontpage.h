// The settings dialog's page "Font": the font the program may use instead of
// the desktop's, where it is used, its character set and the indicator size.
#pragma once

#include "shell/setup/setuppage.h"

class QCheckBox;
class QLineEdit;
class QSpinBox;
class QVBoxLayout;

namespace orv {

class FontPage : public SetupPage {
    Q_OBJECT

public:
    explicit FontPage(QWidget* parent = nullptr);

private:
    void BuildFontRow(QVBoxLayout* layout);
    void BuildUseRows(QVBoxLayout* layout);
    void ChooseFont();
    // "Default font": the font and its use, not where it is used.
    void SetFontDefaults();

    QCheckBox* CB27 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QSpinBox* SpinEdit2 = nullptr;
};

}  // namespace orv
