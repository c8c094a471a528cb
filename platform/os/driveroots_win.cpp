#include "platform/os/driveroots_win.h"

#include <windows.h>

QStringList WinDriveRoots::roots() const
{
    // 26 roots of "X:\" and a NUL each, and the final NUL: 105 characters fit.
    constexpr DWORD kBufferChars = 129;
    wchar_t buffer[kBufferChars] = {};
    const DWORD length = GetLogicalDriveStringsW(kBufferChars, buffer);
    // 0 is failure; more than the buffer is the size it would have needed.
    if (length == 0 || length > kBufferChars)
        return {};
    QStringList roots;
    DWORD i = 0;
    while (i < length && buffer[i] != L'\0') {
        // Each root is "X:\" and its NUL, four characters; measured rather than assumed.
        DWORD rootLength = 0;
        while (i + rootLength < length && buffer[i + rootLength] != L'\0')
            ++rootLength;
        roots.append(QString::fromWCharArray(buffer + i, qsizetype(rootLength)));
        i += rootLength + 1;
    }
    return roots;
}
