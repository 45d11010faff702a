#include "IniMaker.h"

#include "platform/Codepage.h"
#include "platform/Files.h"
#include "resources/Inifile.h"

namespace skin {

bool WriteIniFile(const TSourceFile& source, const std::string& path, std::string& error) {
    // A fresh file: TInifile would otherwise merge what the last build (or
    // the client) left there.
    platform::RemoveFile(path);
    TInifile ini(path);
    for (const TSourceSection& section : source.Sections()) {
        for (const TSourceLine& line : section.lines) {
            const std::string value = platform::Utf8ToCp1252(line.value);
            if (line.bare || line.key.empty() || platform::Cp1252ToUtf8(value) != line.value) {
                error = source.Where(line.number) +
                        (line.bare || line.key.empty() ? "expected key = value"
                                                       : "a character that Windows-1252 does not have");
                return false;
            }
            ini.WriteString(section.name, line.key, value);
        }
    }
    ini.Flush();
    if (ini.Dirty()) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}

}  // namespace skin
