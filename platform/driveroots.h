#pragma once

#include <QStringList>

// The logical drive roots, in the system's order: "C:\", "D:\" ... on Windows, the
// mount points of mounted file systems (each ending in "/") elsewhere.
class DriveRoots
{
public:
    virtual ~DriveRoots() = default;
    // Empty when the enumeration fails.
    virtual QStringList roots() const = 0;
};
