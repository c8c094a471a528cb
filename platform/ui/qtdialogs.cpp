#include "platform/ui/qtdialogs.h"

#include "platform/ui/filefilter.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace {
const QString kApplicationTitle = u"ЛИРАС-Д7"_s;

// Where the desktop's own dialogs start on a program's first use: the user's documents, else
// home. Never the working folder, which for an installed program is its read-only data folder.
QString firstUseFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir())
        return documents;
    return QDir::homePath();
}

} // namespace

std::unique_ptr<QMessageBox> QtDialogs::createBox(BoxKind kind, QWidget *parent,
                                                  const QString &text)
{
    std::unique_ptr<QMessageBox> box;
    switch (kind) {
    case BoxKind::Message:
        box = std::make_unique<QMessageBox>(QMessageBox::NoIcon, kApplicationTitle, text,
                                            QMessageBox::Ok, parent);
        break;
    case BoxKind::Confirm:
        box = std::make_unique<QMessageBox>(QMessageBox::Question, u"Confirm"_s, text,
                                            QMessageBox::Yes | QMessageBox::No, parent);
        box->setDefaultButton(QMessageBox::Yes);
        box->setEscapeButton(QMessageBox::No);
        // The confirmation keeps the toolkit's English words even where Qt's own texts are
        // translated.
        box->button(QMessageBox::Yes)->setText(u"&Yes"_s);
        box->button(QMessageBox::No)->setText(u"&No"_s);
        break;
    case BoxKind::Error:
        box = std::make_unique<QMessageBox>(QMessageBox::Critical, kApplicationTitle, text,
                                            QMessageBox::Ok, parent);
        break;
    }
    return box;
}

void QtDialogs::message(QWidget *parent, const QString &text)
{
    createBox(BoxKind::Message, parent, text)->exec();
}

bool QtDialogs::confirm(QWidget *parent, const QString &text)
{
    // Closing the box any other way than with Yes counts as No.
    return createBox(BoxKind::Confirm, parent, text)->exec() == QMessageBox::Yes;
}

void QtDialogs::error(QWidget *parent, const QString &text)
{
    createBox(BoxKind::Error, parent, text)->exec();
}

std::unique_ptr<FileDialog> QtDialogs::createFileDialog(FileDialog::Kind kind)
{
    return std::make_unique<QtFileDialog>(kind);
}

QtFileDialog::QtFileDialog(Kind kind, Runner runner)
    : m_kind(kind), m_runner(std::move(runner))
{
    if (!m_runner)
        m_runner = [](QFileDialog &dialog) { return dialog.exec(); };
}

void QtFileDialog::prepare(QFileDialog &dialog) const
{
    if (m_kind == Kind::Open) {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        // The commands ask before replacing a file themselves.
        dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    }
    // An empty title leaves the dialog's own "Open" or "Save As".
    if (!title().isEmpty())
        dialog.setWindowTitle(title());
    const QStringList filters = qtNameFilters(filter());
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const int index = filterIndex() - 1;
        dialog.selectNameFilter(filters.value(index >= 0 && index < filters.size() ? index : 0));
    }
    QString extension = defaultExtension();
    while (extension.startsWith(u'.'))
        extension.remove(0, 1);
    dialog.setDefaultSuffix(extension);
    if (!fileName().isEmpty()) {
        const QFileInfo last(fileName());
        dialog.setDirectory(last.absolutePath());
        dialog.selectFile(last.fileName());
    } else {
        dialog.setDirectory(firstUseFolder());
    }
}

bool QtFileDialog::execute(QWidget *parent)
{
    QFileDialog dialog(parent);
    prepare(dialog);
    // Relative names (help file, guide pictures) resolve against the current folder, so
    // whatever the dialog does, that folder is the same afterwards.
    const QString currentFolder = QDir::currentPath();
    const bool accepted = m_runner(dialog) == QDialog::Accepted;
    if (QDir::currentPath() != currentFolder)
        QDir::setCurrent(currentFolder);
    const QStringList chosen = dialog.selectedFiles();
    if (!accepted || chosen.isEmpty() || chosen.first().isEmpty())
        return false;
    setFileName(QFileInfo(chosen.first()).absoluteFilePath());
    return true;
}
