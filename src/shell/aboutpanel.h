// The about view of the main window (PP5): program name, purpose, version and
// maker, with the maker's web page and support address as clickable labels.
#pragma once

#include <QWidget>

#include "shell/urlopener.h"

class QLabel;

namespace orv {

class AboutPanel : public QWidget {
    Q_OBJECT

public:
    explicit AboutPanel(QWidget* parent = nullptr);

    void SetUrlOpener(UrlOpener opener);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* NameLabel;
    QLabel* PurposeLabel;
    QLabel* VersionLabel;
    QLabel* MakerLabel;
    QLabel* WebPageLabel;
    QLabel* MailLabel;
    UrlOpener opener_ = OpenWithShell;
};

}  // namespace orv
