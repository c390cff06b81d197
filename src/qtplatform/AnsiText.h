#pragma once
// The widget edge: Shift-JIS bytes of the book and profile to and from Qt
// strings.

#include <QString>
#include <filesystem>

#include "platform/Cp932.h"

namespace sorabel {

// For display: bytes that are not valid Shift-JIS show as U+FFFD.
QString toQString(std::string_view ansi);

// Throws ConversionError for a character that Shift-JIS cannot hold.
AnsiString toAnsi(const QString& text);

// A file path from a Qt string (paths on disk are in the system's encoding).
std::filesystem::path toPath(const QString& path);
// And back.
QString fromPath(const std::filesystem::path& path);

}  // namespace sorabel
