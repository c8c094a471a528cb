#pragma once

#include "platform/ui/shell.h"

// Opens documents with the shell's default verb.
class WinShell final : public Shell
{
public:
    bool openDocument(const QString &fileName, QWidget *parent) override;
};
