// The standard dialogs the views open: message boxes, the
// question with Yes/No/Cancel, file, font and print dialogs. A view keeps them
// as values, so that a test answers them without a person at the screen.
#pragma once

#include <QFont>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QPrinter;
class QWidget;

namespace orv {

struct ViewDialogs {
    // An information box with an OK button; `detail` (may be empty) is shown below the text.
    std::function<void(QWidget* parent, const QString& title, const QString& text, const QString& detail)> message;
    // A box with the icon its message calls for (a warning, an error, none) and an OK button.
    std::function<void(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text)> alert;
    // A question; returns the button pressed.
    std::function<QMessageBox::StandardButton(QWidget* parent, const QString& title, const QString& text,
                                              QMessageBox::StandardButtons buttons)>
        ask;
    // File names, empty when cancelled. `filter` in Qt's form ("vCard (*.vcf)");
    // the save dialog adds `suffix` to a name typed without one and reports the
    // filter chosen in `selectedFilter`. It does not ask about a file that
    // exists: the caller asks with MayOverwrite once it knows the final name.
    std::function<QString(QWidget* parent, const QString& filter)> openFile;
    std::function<QString(QWidget* parent, const QString& filter, const QString& suffix, QString* selectedFilter)> saveFile;
    std::function<std::optional<QFont>(QWidget* parent, const QFont& initial)> chooseFont;
    // Sets up the printer (the print dialog); false when cancelled.
    std::function<bool(QWidget* parent, QPrinter& printer)> choosePrinter;

    // The file dialogs whose chosen type decides how a file is read or
    // written (letters, data lists, import): one filter per type in Qt's form,
    // `type` the 0-based type shown first. The answer names the file (empty
    // when cancelled) and the type chosen. The save dialog's default suffix
    // follows the type (`suffixes[type]`, empty for none); it asks nothing
    // about an existing file, because the window asks "OK to overwrite %s".
    struct TypedFile {
        QString path;
        int type = 0;
    };
    std::function<TypedFile(QWidget* parent, const QStringList& filters, int type)> openTyped;
    std::function<TypedFile(QWidget* parent, const QStringList& filters, const QStringList& suffixes, int type)>
        saveTyped;
};

// The dialogs of the desktop. Their file dialogs open in the folder of the
// last file chosen in any of them while the program runs, else in the
// user's documents folder (the home folder when there is none), never in
// the folder the program happened to be started from.
ViewDialogs StandardDialogs();
QString StartFolder();
void RememberFolder(const QString& chosenFile);

// True when `path` does not exist yet or the user answers Yes to "OK to
// overwrite %s".
bool MayOverwrite(const ViewDialogs& dialogs, QWidget* parent, const QString& path);

// Shows a window (restored when minimised), raises it and gives it the focus.
void BringForward(QWidget* window);

}  // namespace orv
