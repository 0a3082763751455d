#include "views/viewdialogs.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <algorithm>

#include "store/fileio.h"

namespace orv {

namespace {

ViewDialogs::TypedFile RunTyped(QFileDialog& dialog, const QStringList& filters, const QStringList& suffixes, int type)
{
    dialog.setNameFilters(filters);
    const auto suffixFor = [&](qsizetype i) { return i >= 0 && i < suffixes.size() ? suffixes[i] : QString(); };
    if (type >= 0 && type < filters.size()) dialog.selectNameFilter(filters[type]);
    dialog.setDefaultSuffix(suffixFor(type));
    // Two types may share their patterns ("*.TXT"), so a type is told by its filter's position.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&](const QString& filter) { dialog.setDefaultSuffix(suffixFor(filters.indexOf(filter))); });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return {dialog.selectedFiles().first(), static_cast<int>(std::max<qsizetype>(0, filters.indexOf(dialog.selectedNameFilter())))};
}

}  // namespace

ViewDialogs StandardDialogs()
{
    ViewDialogs d;
    d.message = [](QWidget* parent, const QString& title, const QString& text, const QString& detail) {
        QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok, parent);
        if (!detail.isEmpty()) box.setInformativeText(detail);
        box.exec();
    };
    d.ask = [](QWidget* parent, const QString& title, const QString& text, QMessageBox::StandardButtons buttons) {
        QMessageBox box(QMessageBox::Question, title, text, buttons, parent);
        return static_cast<QMessageBox::StandardButton>(box.exec());
    };
    d.openFile = [](QWidget* parent, const QString& filter) {
        return QFileDialog::getOpenFileName(parent, QString(), QString(), filter);
    };
    d.saveFile = [](QWidget* parent, const QString& filter, const QString& suffix, QString* selectedFilter) {
        QFileDialog dialog(parent, QString(), QString(), filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(suffix);
        // The program asks its own question (MayOverwrite), about the name it will really write.
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
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
