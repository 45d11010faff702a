// TUpdateform: the small window that shows the update download's progress:
// painter "update", the label "Headline" of section "Update" and the bar
// "Updateon" at the two numbers of settings [Update] Barwindow (x, y; a
// missing number is 0). The download (TUpdate) owns it and moves the bar by
// the bytes that arrive.
#pragma once

#include <memory>

#include "controls/Form.h"

class TProgress;
class TText;

class TUpdateform : public TForm {
public:
    static constexpr char kSection[] = "Update";

    TUpdateform();
    ~TUpdateform() override;

    // Shows the window with an empty bar of that maximum.
    void Start(int maximum);
    // The bar moves on by that many bytes.
    void Advance(int64_t bytes);

    TText* Headline() const { return m_headline.get(); }
    TProgress* Bar() const { return m_bar.get(); }

private:
    std::unique_ptr<TText> m_headline;
    std::unique_ptr<TProgress> m_bar;
};
