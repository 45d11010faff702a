#include "resources/Inifile.h"

#include <algorithm>
#include <cstring>
#include <numeric>
#include <set>
#include <string_view>

#include "platform/Files.h"
#include "resources/SaveOver.h"
#include "resources/StrFuncs.h"

namespace {

// The byte that stands for "=" inside a key in the file.
constexpr char kEscapedEquals = '\xFF';

unsigned char FoldByte(char c) {
    auto byte = static_cast<unsigned char>(c);
    return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte + 32) : byte;
}

// The one key order of the system: bytes compared unsigned after folding
// ASCII letters.
bool FoldedLess(std::string_view a, std::string_view b) {
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        unsigned char x = FoldByte(a[i]), y = FoldByte(b[i]);
        if (x != y) return x < y;
    }
    return a.size() < b.size();
}

bool FoldedEqual(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (FoldByte(a[i]) != FoldByte(b[i])) return false;
    return true;
}

std::vector<TInifile*>& LiveList() {
    // Never freed: objects destroyed during static destruction still find it.
    static auto* list = new std::vector<TInifile*>;
    return *list;
}

}  // namespace

// ---------------------------------------------------------------------------
// TSection

size_t TSection::LowerBound(const std::string& key) const {
    auto at = std::lower_bound(m_keys.begin(), m_keys.end(), key,
                               [](const std::string& a, const std::string& b) { return FoldedLess(a, b); });
    return static_cast<size_t>(at - m_keys.begin());
}

int TSection::IndexOf(const std::string& key) const {
    size_t at = LowerBound(key);
    if (at < m_keys.size() && FoldedEqual(m_keys[at], key)) return static_cast<int>(at);
    return -1;
}

void TSection::Put(const std::string& key, const std::string& value) {
    size_t at = LowerBound(key);
    if (at < m_keys.size() && FoldedEqual(m_keys[at], key)) {
        m_keys[at] = key;
        m_values[at] = value;
        return;
    }
    m_keys.insert(m_keys.begin() + static_cast<std::ptrdiff_t>(at), key);
    m_values.insert(m_values.begin() + static_cast<std::ptrdiff_t>(at), value);
}

bool TSection::Remove(const std::string& key) {
    int at = IndexOf(key);
    if (at < 0) return false;
    m_keys.erase(m_keys.begin() + at);
    m_values.erase(m_values.begin() + at);
    return true;
}

void TSection::AppendLoaded(uint32_t keyBegin, uint32_t keyLength, uint32_t valueLength) {
    m_loaded.push_back({keyBegin, keyLength, valueLength});
}

void TSection::FinishLoading(const char* base) {
    std::vector<TLoadedLine> lines;
    lines.swap(m_loaded);
    auto keyOf = [base](const TLoadedLine& l) { return std::string_view(base + l.keyBegin, l.keyLength); };
    auto valueOf = [base](const TLoadedLine& l) {
        return std::string(base + l.keyBegin + l.keyLength + 1, l.valueLength);
    };
    if (!m_keys.empty()) {
        for (const auto& l : lines) Put(std::string(keyOf(l)), valueOf(l));
        return;
    }
    // Stable order keeps equal keys in file order; the last of each run is
    // the one a line-by-line WriteString would have left.
    std::stable_sort(lines.begin(), lines.end(),
                     [&](const TLoadedLine& a, const TLoadedLine& b) { return FoldedLess(keyOf(a), keyOf(b)); });
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i + 1 < lines.size() && FoldedEqual(keyOf(lines[i]), keyOf(lines[i + 1]))) continue;
        m_keys.emplace_back(keyOf(lines[i]));
        m_values.push_back(valueOf(lines[i]));
    }
}

// ---------------------------------------------------------------------------
// TInifile: loading

TInifile::TInifile(const std::string& path) : m_path(path) {
    m_loading = true;
    Load();
    m_loading = false;
    m_dirty = false;
    m_timer.SetInterval(kWriteBackMs);
    m_timer.SetEnabled(false);
    m_timer.OnTimer = [this](TMyTimer*) { Flush(); };
    LiveList().push_back(this);
}

TInifile::~TInifile() {
    if (m_dirty) Flush();
    m_timer.SetEnabled(false);
    auto& list = LiveList();
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

const std::vector<TInifile*>& TInifile::LiveFiles() { return LiveList(); }

void TInifile::Load() {
    if (ReadFileIntoContents()) ParseContents();
    // The bytes are not needed once parsed; give the memory back.
    m_contents.ExactShrink = true;
    m_contents.Clear();
    m_contents.ExactShrink = false;
    m_current = nullptr;
}

bool TInifile::ReadFileIntoContents() {
    platform::TReadFile file;
    if (!file.Open(m_path)) return false;
    int64_t size = file.Size();
    if (size <= 0 || size > kMaxFileSize) return false;
    if (!m_contents.SetSize(size)) return false;
    int64_t got = file.Read(m_contents.Memory(), size);
    m_contents.SetSize(got);
    return got > 0;
}

void TInifile::ParseContents() {
    char* base = reinterpret_cast<char*>(m_contents.Memory());
    char* end = base + m_contents.Size();
    for (char* p = base; p < end;) {
        auto* cr = static_cast<char*>(std::memchr(p, '\r', static_cast<size_t>(end - p)));
        ParseLine(base, p, cr ? cr : end);
        if (!cr) break;
        p = cr + 1;
        if (p < end && *p == '\n') ++p;
    }
    for (auto& section : m_sections) section->FinishLoading(base);
}

void TInifile::ParseLine(char* base, char* begin, char* end) {
    while (begin < end && *begin == ' ') ++begin;
    if (begin == end) return;
    auto length = static_cast<size_t>(end - begin);
    if (*begin == '[') {
        auto* close = static_cast<char*>(std::memchr(begin, ']', length));
        if (close) FindSection(std::string(begin + 1, close));
        return;
    }
    auto* equals = static_cast<char*>(std::memchr(begin, '=', length));
    if (!equals || !m_current) return;
    std::replace(begin, equals, kEscapedEquals, '=');
    // Offsets fit 32 bits: the file is at most kMaxFileSize.
    m_current->AppendLoaded(static_cast<uint32_t>(begin - base), static_cast<uint32_t>(equals - begin),
                            static_cast<uint32_t>(end - equals - 1));
}

// ---------------------------------------------------------------------------
// TInifile: lookups and writes

TSection& TInifile::FindSection(const std::string& name) {
    std::string lower = LowerCaseAscii(name);
    auto found = m_sectionIndex.find(lower);
    if (found != m_sectionIndex.end()) {
        m_current = found->second;
        return *m_current;
    }
    m_sections.push_back(std::make_unique<TSection>(lower));
    m_current = m_sections.back().get();
    m_sectionIndex.emplace(std::move(lower), m_current);
    return *m_current;
}

std::string TInifile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue) {
    TSection& s = FindSection(section);
    int at = s.IndexOf(key);
    return at < 0 ? defaultValue : s.Value(at);
}

int32_t TInifile::ReadInteger(const std::string& section, const std::string& key, int32_t defaultValue) {
    int32_t value = defaultValue;
    if (!ParseInteger(ReadString(section, key, ""), value)) return defaultValue;
    return value;
}

std::vector<int32_t> TInifile::ReadIntList(const std::string& section, const std::string& key) {
    return ParseIntList(ReadString(section, key, ""));
}

void TInifile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
    std::string stored = key;
    std::replace(stored.begin(), stored.end(), kEscapedEquals, '=');
    FindSection(section).Put(stored, value);
    MarkDirty();
}

void TInifile::WriteInteger(const std::string& section, const std::string& key, int32_t value) {
    WriteString(section, key, std::to_string(value));
}

void TInifile::WriteIntList(const std::string& section, const std::string& key,
                            const std::vector<int32_t>* list) {
    if (list) WriteString(section, key, IntListText(*list));
}

bool TInifile::DeleteKey(const std::string& section, const std::string& key) {
    if (!FindSection(section).Remove(key)) return false;
    MarkDirty();
    return true;
}

// ---------------------------------------------------------------------------
// TInifile: saving

void TInifile::MarkDirty() {
    if (m_loading) return;
    m_dirty = true;
    if (!m_timer.Enabled()) m_timer.SetEnabled(true);
}

void TInifile::Flush() {
    if (m_dirty && !SaveContents()) return;  // the running timer tries again
    m_dirty = false;
    m_timer.SetEnabled(false);
}

bool TInifile::BuildContents() {
    m_contents.Clear();
    m_contents.SetPosition(0);
    bool ok = true;
    for (const auto& section : m_sections) {
        if (section->Count() == 0) continue;
        if (m_contents.Size() > 0) ok = ok && m_contents.WriteText("\r\n");
        ok = ok && m_contents.WriteText("[" + section->Name() + "]\r\n");
        for (int i = 0; ok && i < section->Count(); ++i) {
            std::string key = section->Key(i);
            std::replace(key.begin(), key.end(), '=', kEscapedEquals);
            ok = m_contents.WriteText(key) && m_contents.WriteByte('=') &&
                 m_contents.WriteText(section->Value(i)) && m_contents.WriteText("\r\n");
        }
        if (!ok) break;
    }
    return ok;
}

bool TInifile::SaveContents() {
    bool ok = BuildContents() &&
              SaveOverFile(m_path, m_contents.Memory(), m_contents.Size());
    m_contents.Clear();
    return ok;
}

std::string TInifile::SavedText() {
    std::string text;
    if (BuildContents() && m_contents.Size() > 0)
        text.assign(reinterpret_cast<const char*>(m_contents.Memory()), static_cast<size_t>(m_contents.Size()));
    m_contents.Clear();
    return text;
}

// At normal exit, objects still alive with unsaved changes are written. Their
// timers are left alone: the timer dispatcher may already be gone.
struct TInifileFinalizer {
    ~TInifileFinalizer() {
        for (TInifile* file : LiveList())
            if (file->m_dirty && file->SaveContents()) file->m_dirty = false;
    }
};

namespace {
TInifileFinalizer g_finalizer;
}

// ---------------------------------------------------------------------------
// Integer lists

namespace {

// Adds one item of a list: a range, a number, or -1 for anything else.
void AddListItem(const std::string& item, std::set<int32_t>& numbers, size_t& invalid) {
    auto total = [&] { return numbers.size() + invalid; };
    if (total() >= TInifile::kMaxIntListNumbers) return;
    auto dash = item.find('-');
    int32_t first = 0, last = 0;
    if (dash != std::string::npos && ParseInteger(item.substr(0, dash), first) &&
        ParseInteger(item.substr(dash + 1), last) && last >= first) {
        for (int64_t v = first; v <= last && total() < TInifile::kMaxIntListNumbers; ++v)
            numbers.insert(static_cast<int32_t>(v));
        return;
    }
    if (ParseInteger(item, first))
        numbers.insert(first);
    else
        ++invalid;
}

}  // namespace

std::vector<int32_t> ParseIntList(const std::string& text) {
    if (text.empty()) return {};
    std::set<int32_t> numbers;
    size_t invalid = 0;
    for (size_t from = 0;;) {
        size_t comma = text.find(',', from);
        AddListItem(text.substr(from, comma == std::string::npos ? std::string::npos : comma - from),
                    numbers, invalid);
        if (comma == std::string::npos) break;
        from = comma + 1;
    }
    std::vector<int32_t> list(numbers.begin(), numbers.end());
    list.insert(list.end(), invalid, -1);
    return list;
}

std::string IntListText(const std::vector<int32_t>& list) {
    std::string text;
    for (size_t i = 0; i < list.size();) {
        size_t last = i;
        while (last + 1 < list.size() && int64_t{list[last + 1]} == int64_t{list[last]} + 1) ++last;
        if (!text.empty()) text += ',';
        text += std::to_string(list[i]);
        if (last > i) text += '-' + std::to_string(list[last]);
        i = last + 1;
    }
    return text;
}
