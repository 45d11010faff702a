#include "graphics/Mybitmaplist.h"

#include "graphics/GreatBitmap.h"
#include "graphics/Mybitmap.h"

namespace {

// Names of a series are padded with zeros to this length.
constexpr size_t kSequenceNameLength = 8;
constexpr int kAddWeight = 1;

}  // namespace

TMybitmaplist* TMybitmaplist::Create() { return new TMybitmaplist(); }

TMybitmaplist::~TMybitmaplist() {
    for (TMybitmap* bitmap : m_bitmaps) bitmap->Release();
}

void TMybitmaplist::Release() {
    if (--m_references == 0) delete this;
}

void TMybitmaplist::Add(const std::string& name) {
    bool loaded = false;
    m_bitmaps.push_back(TMybitmap::Acquire(name, &loaded));
    if (loaded) TGreatBitmap::Instance().ReportProgress(this, kAddWeight);
}

void TMybitmaplist::AddBitmap(TMybitmap* bitmap) {
    if (bitmap == nullptr) return;
    bitmap->AddRef();
    m_bitmaps.push_back(bitmap);
}

std::string TMybitmaplist::SequenceName(const std::string& prefix, int n) {
    const std::string number = std::to_string(n);
    const size_t length = prefix.size() + number.size();
    const size_t zeros = length < kSequenceNameLength ? kSequenceNameLength - length : 0;
    return prefix + std::string(zeros, '0') + number;
}

TMybitmaplist::TSequence TMybitmaplist::AddSequence(const std::string& prefix) {
    TSequence result;
    result.first = Count() + 1;
    for (int n = 1;; ++n) {
        const std::string name = SequenceName(prefix, n);
        if (!TMybitmap::Exists(name)) break;
        Add(name);
        ++result.count;
    }
    result.last = Count();
    return result;
}

TMybitmap* TMybitmaplist::Get(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return m_bitmaps[size_t(index)];
}
