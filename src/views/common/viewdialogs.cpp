#include "views/common/viewdialogs.h"

#include <QFile>
#include <QFileDialog>
#include <QDir>
#include <QFileInfo>
#include <QFontDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>
#include <algorithm>

#include "store/fileio.h"

namespace orv {

namespace {

QString& LastFolder()
{
    static QString folder;
    return folder;
}

ViewDialogs::TypedFile RunTyped(QFileDialog& dialog, const QStringList& filters, const QStringList& suffixes, int type)
{
    dialog.setNameFilters(filters);
    const auto suffixFor = [&](qsizetype i) { return i >= 0 && i < suffixes.size() ? suffixes[i] : QString(); };
    if (type >= 0 && type < filters.size()) dialog.selectNameFilter(filters[type]);
    dialog.setDefaultSuffix(suffixFor(type));
    // Two types may share their patterns ("*.TXT"), so a type is told by its filter's position.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&](const QString& filter) { dialog.setDefaultSuffix(suffixFor(filters.indexOf(filter))); });
    dialog.setDirectory(StartFolder());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    RememberFolder(dialog.selectedFiles().first());
    return {dialog.selectedFiles().first(), static_cast<int>(std::max<qsizetype>(0, filters.indexOf(dialog.selectedNameFilter())))};
}

}  // namespace

QString StartFolder()
{
    const QString& last = LastFolder();
    if (!last.isEmpty() && QFileInfo(last).isDir()) return last;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir()) return documents;
    return QDir::homePath();
}

void RememberFolder(const QString& chosenFile)
{
    if (!chosenFile.isEmpty()) LastFolder() = QFileInfo(chosenFile).absolutePath();
}

ViewDialogs StandardDialogs()
{
    ViewDialogs d;
    d.message = [](QWidget* parent, const QString& title, const QString& text, const QString& detail) {
        QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok, parent);
        if (!detail.isEmpty()) box.setInformativeText(detail);
        box.exec();
    };
    d.alert = [](QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text) {
        QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
        box.exec();
    };
    d.ask = [](QWidget* parent, const QString& title, const QString& text, QMessageBox::StandardButtons buttons) {
        QMessageBox box(QMessageBox::Question, title, text, buttons, parent);
        return static_cast<QMessageBox::StandardButton>(box.exec());
    };
    d.openFile = [](QWidget* parent, const QString& filter) {
        const QString path = QFileDialog::getOpenFileName(parent, QString(), StartFolder(), filter);
        RememberFolder(path);
        return path;
    };
    d.saveFile = [](QWidget* parent, const QString& filter, const QString& suffix, QString* selectedFilter) {
        QFileDialog dialog(parent, QString(), StartFolder(), filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(suffix);
        // The program asks its own question (MayOverwrite), about the name it will really write.
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
        RememberFolder(dialog.selectedFiles().first());
        if (selectedFilter) *selectedFilter = dialog.selectedNameFilter();
        return dialog.selectedFiles().first();
    };
    d.chooseFont = [](QWidget* parent, const QFont& initial) -> std::optional<QFont> {
        bool ok = false;
        const QFont font = QFontDialog::getFont(&ok, initial, parent);
        if (!ok) return std::nullopt;
        return font;
    };
    d.choosePrinter = [](QWidget* parent, QPrinter& printer) {
        QPrintDialog dialog(&printer, parent);
        return dialog.exec() == QDialog::Accepted;
    };
    d.openTyped = [](QWidget* parent, const QStringList& filters, int type) {
        QFileDialog dialog(parent);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        return RunTyped(dialog, filters, {}, type);
    };
    d.saveTyped = [](QWidget* parent, const QStringList& filters, const QStringList& suffixes, int type) {
        QFileDialog dialog(parent);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        return RunTyped(dialog, filters, suffixes, type);
    };
    return d;
}

bool MayOverwrite(const ViewDialogs& dialogs, QWidget* parent, const QString& path)
{
    const auto yes = [&](const QString& question) {
        return dialogs.ask(parent, QStringLiteral("Confirm"), question,
                           QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel) == QMessageBox::Yes;
    };
    // A link is written through: the question names the file that changes.
    if (QFileInfo(path).isSymLink()) {
        const QString target = QFile::decodeName(LinkTarget(QFile::encodeName(path).toStdString()).c_str());
        if (QFileInfo::exists(target))
            return yes(QStringLiteral("OK to overwrite %1\n(%2 is a link to it)").arg(target, path));
        return yes(QStringLiteral("%1 is a link to %2, which does not exist. OK to create it?").arg(path, target));
    }
    if (!QFileInfo::exists(path)) return true;
    return yes(QStringLiteral("OK to overwrite %1").arg(path));
}

void BringForward(QWidget* window)
{
    if (window->isMinimized()) window->showNormal();
    else window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace orv
