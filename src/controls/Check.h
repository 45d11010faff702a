// TCheck: a toggle with N states, each drawn by a button of its own, and a
// label to its right.
//
// The owner names the states' button elements as a comma list ("1_Chekof,
// 1_Chekon"); without one there are two, "Chekof" (state 0) and "Chekon"
// (state 1). Only the current state's button is shown; clicking it moves to
// the next state, and the last state wraps to 0, so clicks cycle through all
// states. Ticked means any state but 0.
//
// settings.ini [section] key gives x, y, the width of the whole control
// (each default 10; 0: the width of state 0's image) and the label's font;
// text.ini (section, key) up to its first comma is the label.
//
// SetTicked on a hidden toggle changes only the values and raises no
// on-change; shown, it swaps the buttons and raises it.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TPaint;
class TRollover;
class TText;

class TCheck {
public:
    using TChangeEvent = std::function<void(TCheck* sender)>;

    static constexpr char kDefaultStates[] = "Chekof,Chekon";
    static constexpr int kLayoutDefault = 10;
    // Pixels between the image and the label.
    static constexpr int kLabelGap = 10;

    // An empty state list means kDefaultStates. Created hidden.
    TCheck(TPaint* surface, const std::string& states, const std::string& key,
           const std::string& section);
    ~TCheck();
    TCheck(const TCheck&) = delete;
    TCheck& operator=(const TCheck&) = delete;

    void Show();
    void Hide();
    void SetTicked(bool ticked);
    // n at or beyond the number of states means 0.
    void SetState(int n);
    void SetEnabled(bool enabled);

    TChangeEvent OnChange;

    bool Ticked() const { return m_ticked; }
    int State() const { return m_state; }
    int StateCount() const { return static_cast<int>(m_buttons.size()); }
    bool Visible() const { return m_visible; }
    bool Enabled() const { return m_enabled; }
    int X() const { return m_x; }
    int Y() const { return m_y; }
    int Width() const { return m_width; }
    int ImageHeight() const { return m_imageHeight; }
    TRollover* Button(int state) const;
    TText* Label() const { return m_label.get(); }

private:
    void CreateButtons(const std::string& states);
    void CreateLabel(const std::string& font, const std::string& key, const std::string& section);
    void SwapButtons(int from, int to);

    TPaint* m_surface;
    bool m_ticked = false;
    bool m_enabled = true;
    std::vector<std::unique_ptr<TRollover>> m_buttons;
    int m_x = kLayoutDefault, m_y = kLayoutDefault;
    int m_width = kLayoutDefault;
    int m_imageHeight = 0;
    std::unique_ptr<TText> m_label;
    int m_state = 0;
    bool m_visible = false;
};
