// The about view of the main window (PP5): program name, purpose, version and
// maker, with the maker's web page and support address as links (label buttons).
#pragma once

#include <QWidget>

#include "shell/urlopener.h"

class QLabel;

namespace orv {

class LabelButton;

class AboutPanel : public QWidget {
    Q_OBJECT

public:
    explicit AboutPanel(QWidget* parent = nullptr);

    void SetUrlOpener(UrlOpener opener);

private:
    QLabel* NameLabel;
    QLabel* PurposeLabel;
    QLabel* VersionLabel;
    QLabel* MakerLabel;
    LabelButton* WebPageLabel;
    LabelButton* MailLabel;
    UrlOpener opener_ = OpenWithShell;
};

}  // namespace orv
