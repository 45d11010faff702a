// Writes a source file's key lines into one of the client's ini files
// (settings.ini, text.ini) through the client's own TInifile, so the file is
// byte for byte what the client writes: lower-case section names, keys
// sorted, CR LF line ends. Values are converted from UTF-8 to Windows-1252.
#pragma once

#include <string>

#include "SourceFile.h"

namespace skin {

// Replaces the file at path. False with a message on a bare line, a
// character outside Windows-1252, or a failed write.
bool WriteIniFile(const TSourceFile& source, const std::string& path, std::string& error);

}  // namespace skin
