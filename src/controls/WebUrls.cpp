#include "controls/WebUrls.h"

#include "resources/StrFuncs.h"

namespace {

// The largest window a page may ask for: the screen the client needs.
constexpr int kMaxWindowWidth = 800, kMaxWindowHeight = 600;

bool SmallNumber(const std::string& text, int limit, int& value) {
    int32_t parsed = 0;
    if (text.empty() || !ParseInteger(text, parsed) || parsed <= 0) return false;
    value = parsed > limit ? limit : parsed;
    return true;
}

}  // namespace

std::string WithRand(const std::string& url, uint32_t random) {
    if (url.find("Rand=") != std::string::npos) return url;
    const char joint = url.find('?') != std::string::npos ? '&' : '?';
    return url + joint + "Rand=" + std::to_string(random);
}

std::string LoginString(const std::string& alias, const std::string& password, const std::string& language) {
    return "User=" + UrlEncode(alias) + "&Password=" + UrlEncode(password) + "&Language=" + language;
}

std::string FillLogin(const std::string& url, const std::string& login) { return ReplaceAll(url, "{Login}", login); }

bool ObwindowSize(const std::string& url, int& width, int& height) {
    static const std::string kName = "obwindow=";
    const std::string lower = LowerCaseAscii(url);
    const size_t at = lower.find(kName);
    if (at == std::string::npos) return false;
    const size_t from = at + kName.size();
    const size_t end = url.find('&', from);
    std::string value = url.substr(from, end == std::string::npos ? std::string::npos : end - from);
    const std::string first = CutField(value);
    return SmallNumber(first, kMaxWindowWidth, width) && SmallNumber(value, kMaxWindowHeight, height);
}

std::string FetchableForm(const std::string& url) {
    std::string out;
    for (char c : url) {
        const auto byte = static_cast<uint8_t>(c);
        if (byte <= 0x20 || byte >= 0x7F) out += "%" + HexByte(byte);
        else out += c;
    }
    return out;
}
