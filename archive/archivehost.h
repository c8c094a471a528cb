#pragma once

#include "archive/archivefields.h"
#include "archive/archivetext.h"

class MeasurementTable;
class Progress;
class QWidget;

// What the main window offers the archive commands: its two tables with their archive
// lines and tabs, the status text and progress bar, and the data commands. The window
// implements it with one-line members; tests implement it with recording doubles.
class ArchiveHost
{
public:
    virtual ~ArchiveHost() = default;

    virtual MeasurementTable &table(ArchiveKind kind) = 0;
    // `List_b` for the basic kind, `List_ind` for the individual kind.
    virtual ArchiveLines &archiveLines(ArchiveKind kind) = 0;

    // Status panel 0, repainted at once so the text shows during a load.
    virtual void setStatusText(const QString &text) = 0;
    virtual Progress &progress() = 0;

    virtual bool isTabVisible(ArchiveKind kind) const = 0;
    // Hiding the selected tab selects the remaining visible one, if any.
    virtual void setTabVisible(ArchiveKind kind, bool visible) = 0;
    // 0 basic, 1 individual, -1 when no page is selected.
    virtual int activePageIndex() const = 0;
    virtual void setActivePage(ArchiveKind kind) = 0;

    // "Выровнить ячейки" on the active table.
    virtual void alignActiveTable() = 0;
    virtual void EnableDataCommands() = 0;
    // Hides both tabs and disables the data commands.
    virtual void DisableDataCommands() = 0;

    // Parent for message boxes and file dialogs.
    virtual QWidget *dialogParent() = 0;
};
