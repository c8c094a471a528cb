#pragma once

#include "platform/ansicodepage.h"

#include <array>
#include <memory>
#include <optional>

// What codepages.cpp needs from the system's converters; implemented once per system
// (iconv on Linux, the Win32 conversion functions on Windows).
namespace codepagebackend {

// The character of every byte of a single-byte code page, U+FFFD for a byte without one;
// nullopt when the system has no such code page.
std::optional<std::array<char16_t, 256>> byteTable(int number);

// A converter for a code page of more than one byte per character; null when the system
// has no such code page.
std::unique_ptr<AnsiCodePage> makeMultiByte(int number);

// The number of the ANSI code page this system uses.
int systemCodePageNumber();

} // namespace codepagebackend
