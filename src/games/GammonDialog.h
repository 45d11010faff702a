// TGammonDialog: the Backgammon table's own question box, drawn on the
// window itself ("2_Doubbox" at "Doubleboxx", "Doubleboxy" of section
// "Gammon"): a text ("Doubletext") and a yes ("2_Doubok") and a no
// ("2_Doubno") button. It asks whether to take a double and whether to
// end the turn. The window goes on handling events while it is open; the
// answer arrives through the callback given to Ask, once, after the box
// has closed. The box belongs beside the board, where nothing else is
// drawn over it: its parts are shown in order, each over the one before.
#pragma once

#include <functional>
#include <memory>
#include <string>

class TMyimage;
class TPaint;
class TRollover;
class TText;

class TGammonDialog {
public:
    using TAnswer = std::function<void(bool yes)>;

    TGammonDialog(TPaint* surface, const std::string& section);
    ~TGammonDialog();
    TGammonDialog(const TGammonDialog&) = delete;
    TGammonDialog& operator=(const TGammonDialog&) = delete;

    // Opens the box with the text; a box already open is replaced (its
    // question goes unanswered).
    void Ask(const std::string& text, TAnswer onAnswer);
    // Closes without an answer.
    void Close();
    void Answer(bool yes);

    bool Open() const { return m_open; }
    // The text the skin gives the box first (the double question's format).
    const std::string& InitialText() const { return m_initialText; }
    TRollover* Yes() const { return m_yes.get(); }
    TRollover* No() const { return m_no.get(); }
    TText* Text() const { return m_text.get(); }

private:
    std::unique_ptr<TMyimage> m_box;
    std::unique_ptr<TRollover> m_yes, m_no;
    std::unique_ptr<TText> m_text;
    std::string m_initialText;
    TAnswer m_onAnswer;
    bool m_open = false;
};
