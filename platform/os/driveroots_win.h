#pragma once

#include "platform/driveroots.h"

// The logical drives as GetLogicalDriveStringsW lists them: "A:\", "C:\" ...
class WinDriveRoots final : public DriveRoots
{
public:
    QStringList roots() const override;
};
