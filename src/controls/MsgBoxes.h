// The skinned message boxes as the rest of the client calls them.
//
// Every message to the user goes through one facility of box slots (each
// window that needs boxes owns a slot with a skin of its own; slot 0 is the
// lobby's shared box). The facility itself is a window of the lobby; the
// logon, the dispatcher and the game windows sit beside or below it, so it
// registers itself here at start-up and they call these functions. Without
// a registered facility (tools, some tests) every call returns 0 and shows
// nothing.
//
// Buttons are a set of bit numbers 1..13 (value = sum of 2^bit); a result is
// the bit number of the button pressed, or 0.
#pragma once

#include <string>

class TForm;

namespace mb {
inline constexpr int Yes = 1;
inline constexpr int Ok = 2;
inline constexpr int Custom1 = 3;  // custom buttons 1..9 are 3..11
inline constexpr int No = 12;
inline constexpr int Cancel = 13;

inline constexpr unsigned Bit(int result) { return 1u << result; }
// The sets the callers use.
inline constexpr unsigned kOk = Bit(Ok);                       // 4
inline constexpr unsigned kYesNo = Bit(Yes) | Bit(No);         // 4098
inline constexpr unsigned kConnect = Bit(Custom1) | Bit(Cancel);  // 8200
}  // namespace mb

class IMsgBoxes {
public:
    virtual ~IMsgBoxes() = default;
    // A slot for owner with skin number n (0 lobby, 1..4 the games).
    virtual int NewMsgBox(TForm* owner, int skin) = 0;
    // textKey and titleKey are looked up in the message section of the
    // language; a key that is not there is shown as it stands.
    virtual int MsgBoxIn(const std::string& textKey, const std::string& titleKey, unsigned buttons,
                         int slot, int defaultResult) = 0;
    virtual void CloseMsgBox(int slot) = 0;
};

// Registers the facility with the installed context (null removes it); the
// caller keeps ownership.
void SetMsgBoxes(IMsgBoxes* boxes);
// Removes the facility if it is still the registered one; safe after the
// context ended (a facility's destructor).
void ClearMsgBoxes(IMsgBoxes* boxes);
IMsgBoxes* MsgBoxes();

int NewMsgBox(TForm* owner, int skin);
int MsgBoxIn(const std::string& textKey, const std::string& titleKey, unsigned buttons, int slot,
             int defaultResult);
// MsgBoxIn on slot 0, the shared box.
int MsgBox(const std::string& textKey, const std::string& titleKey, unsigned buttons, int defaultResult);
void CloseMsgBox(int slot);
