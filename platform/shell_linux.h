#pragma once

#include "platform/shell.h"

// Opens documents through the desktop's URL handler.
class LinuxShell final : public Shell
{
public:
    void openDocument(const QString &fileName, QWidget *parent) override;
};
