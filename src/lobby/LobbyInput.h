// TLobbyInput: the lobby's chat input line with its history and the symbol
// picker. The line is "Chatedit", or "Chateditbig" in big-chat mode (the
// typed text moves along when the mode changes); colour codes may be typed
// into it. Enter hands the typed line to OnSubmit and keeps it in the
// history, which Up and Down walk. The "Symbol" button opens the picker
// above itself, and a picked symbol goes into the line in colour 99.
//
// It needs only the window it lies on, so it can be used and tested apart
// from the rest of the lobby.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "lobby/InputHistory.h"

class TCharselect;
class TForm;
class TMyedit;
class TRollover;

class TLobbyInput {
public:
    // The colour the symbol picker inserts in ("font99").
    static constexpr int kSymbolColour = 99;

    // The elements' layouts and captions are read from the section.
    TLobbyInput(TForm& window, const std::string& section);
    ~TLobbyInput();
    TLobbyInput(const TLobbyInput&) = delete;
    TLobbyInput& operator=(const TLobbyInput&) = delete;

    // The visible line.
    TMyedit* Edit() const;
    TMyedit* SmallEdit() const { return m_edit.get(); }
    TMyedit* BigEdit() const { return m_editBig.get(); }
    TCharselect* Picker() const { return m_picker.get(); }
    TRollover* SymbolButton() const { return m_symbol.get(); }
    const TInputHistory& History() const { return m_history; }
    void Addline(const std::string& text) { m_history.Addline(text); }

    // Enter: a typed line (plain: without its colour codes; line: with
    // them); nothing while the line is empty.
    std::function<void(const std::string& plain, const std::string& line)> OnSubmit;
    void Submit();
    // Up and Down.
    void HistoryBack();
    void HistoryForward();
    void OpenPicker();
    // Shows the big-chat line or the normal one, carrying the typed text.
    void SetBig(bool big);
    // A press on the window gives the line the focus, unless the picker is
    // open.
    void WindowPressed();

private:
    void Picked(uint8_t code);

    TForm& m_window;
    std::unique_ptr<TRollover> m_symbol;
    std::unique_ptr<TMyedit> m_edit, m_editBig;
    std::unique_ptr<TCharselect> m_picker;
    TInputHistory m_history;
    bool m_big = false;
};
