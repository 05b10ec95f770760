// The file dialogs that ask where to write a file, which file to read and which folder to use.

#include "runtime/codepage.h"
#include "toolkit/toolkitstate.h"
#include "toolkit/toolkitwindow.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QRegularExpression>

namespace {

// "csv" for "CSV-Dateien (*.csv)"; "" when the filter names no extension.
QString extensionOf(const QString& filter) {
    static const QRegularExpression pattern(QStringLiteral(R"(\*\.(\w+))"));
    return pattern.match(filter).captured(1);
}

QWidget* ownerWidget(int owner) {
    const auto window = toolkit().windows.find(owner);
    return window == toolkit().windows.end() ? nullptr : window->second.widget.data();
}

std::string askPerson(int owner, const QString& caption, const QString& defaultName, const QString& filter) {
    QFileDialog dialog(ownerWidget(owner), caption, QDir::current().filePath(defaultName), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(extensionOf(filter));
    dialog.setWindowModality(Qt::ApplicationModal);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return QFile::encodeName(dialog.selectedFiles().first()).toStdString();
}

std::string chosen(QFileDialog& dialog) {
    dialog.setWindowModality(Qt::ApplicationModal);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return QFile::encodeName(dialog.selectedFiles().first()).toStdString();
}

} // namespace

std::string askFolderName(int owner, std::string_view caption) {
    if (toolkit().saveFileAnswerer)
        return toolkit().saveFileAnswerer(std::string(caption), {});
    QFileDialog dialog(ownerWidget(owner), toQString(caption), QDir::currentPath());
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    return chosen(dialog);
}

std::string askSaveFileName(int owner, std::string_view caption, std::string_view defaultName,
                            std::string_view filter) {
    if (toolkit().saveFileAnswerer)
        return toolkit().saveFileAnswerer(std::string(caption), std::string(defaultName));
    return askPerson(owner, toQString(caption), toQString(defaultName), toQString(filter));
}

void setSaveFileAnswerer(SaveFileAnswerer answerer) {
    toolkit().saveFileAnswerer = std::move(answerer);
}

std::string askOpenFileName(int owner, std::string_view caption, std::string_view filter) {
    if (toolkit().openFileAnswerer)
        return toolkit().openFileAnswerer(std::string(caption));
    if (toolkit().saveFileAnswerer)
        return toolkit().saveFileAnswerer(std::string(caption), {});
    QFileDialog dialog(ownerWidget(owner), toQString(caption), QDir::currentPath(), toQString(filter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return chosen(dialog);
}

void setOpenFileAnswerer(OpenFileAnswerer answerer) {
    toolkit().openFileAnswerer = std::move(answerer);
}
