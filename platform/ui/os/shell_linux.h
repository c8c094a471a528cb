#pragma once

#include "platform/ui/shell.h"

// Opens documents through the desktop's URL handler, after asking the desktop whether it
// has an application for the document's type at all.
class LinuxShell final : public Shell
{
public:
    bool openDocument(const QString &fileName, QWidget *parent) override;
};
