#include "lobby/IgnoreList.h"

#include <algorithm>

#include "resources/StrFuncs.h"

bool TIgnoreList::Toggle(const std::string& name) {
    const std::string lower = LowerCaseAscii(name);
    auto place = std::lower_bound(m_names.begin(), m_names.end(), lower);
    if (place != m_names.end() && *place == lower) {
        m_names.erase(place);
        return false;
    }
    m_names.insert(place, lower);
    return true;
}

bool TIgnoreList::Contains(const std::string& name) const {
    return std::binary_search(m_names.begin(), m_names.end(), LowerCaseAscii(name));
}
