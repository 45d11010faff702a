// TIgnoreList: the users whose chat lines the lobby drops, as sorted
// lower-case names without duplicates. Names are folded to lower case
// (ASCII letters) on the way in, so every query ignores letter case.
#pragma once

#include <string>
#include <vector>

class TIgnoreList {
public:
    // Adds the name, or removes it when it is listed; true when it is
    // listed afterwards.
    bool Toggle(const std::string& name);
    bool Contains(const std::string& name) const;
    const std::vector<std::string>& Names() const { return m_names; }

private:
    std::vector<std::string> m_names;
};
