#pragma once

#include "platform/ui/dialogs.h"
#include "platform/ui/platform.h"

#include <memory>

class ArchiveHost;

// "&Открыть файл...", "Сохранить как..." and "Закрыть файл". The two file dialogs are
// created once, so each offers the file chosen last time it was used.
class ArchiveFileCommands
{
public:
    ArchiveFileCommands(ArchiveHost &host, const Platform &platform);

    // Asks for a file and loads it; "Файл не существует" for a missing file or a folder.
    // A cancelled dialog does nothing.
    void openFile();
    // Writes the active page's archive lines, in the encoding they were read in, to a file
    // the user picks, after a Yes to replacing an existing one. The old file stays whole
    // when the write fails ("Ошибка сохранения файла!"). Nothing when no page is selected.
    void saveAs();
    // Hides the active page's tab; with no tab left, disables the data commands.
    void closeFile();

private:
    // Shows the dialog set up as both commands want it; the chosen name, or empty when
    // cancelled.
    QString askFileName(FileDialog &dialog, const QString &title);

    ArchiveHost &m_host;
    Platform m_platform;
    std::unique_ptr<FileDialog> m_openDialog;
    std::unique_ptr<FileDialog> m_saveDialog;
};
