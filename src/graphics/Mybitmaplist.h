// TMybitmaplist: an ordered, shared set of bitmaps (the states of a button,
// the frames of an animation), reference counted like the bitmaps in it.
// Each bitmap in the list holds one reference of its own.
//
// Numbered series: AddSequence(prefix) adds prefix + 1, prefix + 2, ... with
// "0" inserted between prefix and number until the name is at least 8
// characters long ("3_can" gives 3_can001, "cur" gives cur00001, "1_explode"
// gives 1_explode1), stopping at the first number that does not exist.
#pragma once

#include <string>
#include <vector>

class TMybitmap;

class TMybitmaplist {
public:
    struct TSequence {
        int first = 0;  // 1-based position of the first bitmap added
        int last = 0;   // 1-based position of the last (first - 1 when none)
        int count = 0;
    };

    // A new empty list with one reference.
    static TMybitmaplist* Create();

    TMybitmaplist(const TMybitmaplist&) = delete;
    TMybitmaplist& operator=(const TMybitmaplist&) = delete;

    // Appends the cached bitmap of the name (one more reference) or loads it;
    // a bitmap that had to be loaded reports weight 1 during start-up.
    void Add(const std::string& name);
    // Appends a bitmap the caller has, taking a reference of its own.
    void AddBitmap(TMybitmap* bitmap);
    TSequence AddSequence(const std::string& prefix);
    // The name of frame n of a series (the zero-padding rule above).
    static std::string SequenceName(const std::string& prefix, int n);

    // 0-based; nullptr out of range.
    TMybitmap* Get(int index) const;
    int Count() const { return static_cast<int>(m_bitmaps.size()); }

    void AddRef() { ++m_references; }
    // One reference less; the last one releases every bitmap and frees the
    // list.
    void Release();
    int References() const { return m_references; }

private:
    TMybitmaplist() = default;
    ~TMybitmaplist();

    int m_references = 1;
    std::vector<TMybitmap*> m_bitmaps;
};
