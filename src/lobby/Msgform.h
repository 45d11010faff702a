// The skinned message boxes: every message to the user goes through box
// slots instead of the system's message box. Each window that needs boxes
// owns a slot (TMsgform) with a skin of its own; slot 0 is the lobby's
// shared box. TMsgforms keeps the slots in creation order, addressed by
// index, and is the facility behind controls/MsgBoxes.h (Register makes the
// free functions MsgBox, MsgBoxIn, NewMsgBox and CloseMsgBox reach it).
//
// A slot's box is a borderless, always-on-top window whose elements are the
// skin number n followed by "_Message" (painter), "_Messagetext" (the
// message), "_From" (the title), "_Fromtext" (a fixed skin text) and the
// thirteen button places "_mbYes", "_mbOk", "_mbCus1" ... "_mbCus9", "_mbNo",
// "_mbCan", all in section "Message". A place has a button only when the
// skin has the image of its name followed by "on".
//
// A box with buttons is modal: the owner is disabled, the caller waits in a
// loop that pumps messages until a button, Enter (the default result, when
// it is not 0) or the window system's close request (the default, when the
// box has exactly one button) answers it. A box without buttons is a notice:
// the caller goes on at once and the box stays until CloseMsgBox or the
// slot's next box, which replaces it.
//
// Re-entry: a box asked for while the slot shows a modal box waits (pumping)
// until that one is answered, then shows in its place; the results form a
// stack, one entry per box being waited for, so nested waits in one slot
// each get their own answer. The owner is disabled once, by the first box
// of a run, and gets its old enabled state back when no box of the slot is
// up any more.
//
// Buttons the skin lacks: a requested place without a button is skipped
// (not shown, not counted). A modal box of which no requested button exists
// falls back to the OK place and answers the default result with it; when
// the skin has no OK button either, Enter and the close request answer the
// default, even 0. A caller therefore never waits on a box that cannot be
// answered.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "controls/Form.h"
#include "controls/MsgBoxes.h"

class TRollover;
class TText;

class TMsgform : public TForm {
public:
    static constexpr int kPlaces = 13;
    // Half the gap between two buttons, and the margin of the layout.
    static constexpr int kButtonMargin = 10;
    // The buttons a set may select: bits 1..13.
    static constexpr unsigned kAllButtons = 0x3FFE;
    static constexpr int kEnterKey = 13;

    TMsgform(TForm* owner, int skin);
    ~TMsgform() override;

    // The box of this slot: waits while a modal box of the slot is up,
    // replaces a notice, then shows the text of textKey and the title of
    // titleKey (message texts of the language; a key that is not there is
    // shown as it stands). Returns the bit number of the button pressed,
    // the default or 0; a notice and an empty textKey return 0 at once.
    int Run(const std::string& textKey, const std::string& titleKey, unsigned buttons,
            int defaultResult);
    // Closes a visible box without a result; the owner gets back the
    // enabled state it had before the box.
    void CloseBox();

    // The element name of button place 0..12 for skin number n.
    static std::string ElementName(int skin, int place);

    TForm* Owner() const;
    int Skin() const { return m_skin; }
    // Of the box shown last.
    int ButtonCount() const { return m_buttonCount; }
    int Default() const { return m_default; }
    bool HasButtons() const { return m_modal; }
    // Boxes of this slot being waited for.
    int WaitDepth() const { return static_cast<int>(m_results.size()); }
    // Null when the skin has no button for the place.
    TRollover* Button(int place) const;
    TText* MessageLabel() const { return m_message.get(); }
    TText* TitleLabel() const { return m_title.get(); }
    TText* FromLabel() const { return m_from.get(); }

protected:
    bool FormCloseQuery() override;
    bool FormKeyDown(int key, unsigned shift) override;
    bool FormKeyPress(uint8_t& ch) override;

private:
    void WaitUntilFree();
    int ShowBox(unsigned buttons);
    int WaitForAnswer();
    void HideButtons();
    void PlaceOverOwner();
    unsigned UsableButtons(unsigned requested);
    void LayoutButtons(unsigned usable);
    void HoldOwner();
    void ReleaseOwner();
    void Answer(int result);
    void ButtonClicked(TRollover* sender);
    bool Bare() const;

    TForm* m_owner;
    int m_skin;
    std::unique_ptr<TText> m_message;
    std::unique_ptr<TText> m_title;
    std::unique_ptr<TText> m_from;
    std::array<std::unique_ptr<TRollover>, kPlaces> m_buttons;
    int m_buttonCount = 0;
    int m_default = 0;
    bool m_modal = false;
    // The box stands in for missing buttons: its OK button, Enter and the
    // close request answer the default (see the header comment).
    bool m_fallback = false;
    // Results of the boxes being waited for; the top one is the box shown.
    std::vector<int> m_results;
    // Counts the boxes shown, so a wait knows whether the box up is its own.
    int m_shown = 0;
    bool m_holdingOwner = false;
    bool m_ownerWasEnabled = true;
};

// The slots, in creation order; the facility behind controls/MsgBoxes.h.
class TMsgforms : public IMsgBoxes {
public:
    TMsgforms();
    ~TMsgforms() override;
    TMsgforms(const TMsgforms&) = delete;
    TMsgforms& operator=(const TMsgforms&) = delete;

    // Makes the free functions of controls/MsgBoxes.h reach these slots; the
    // registration ends when this object is freed.
    void Register();

    int NewMsgBox(TForm* owner, int skin) override;
    // 0 for a slot that does not exist.
    int MsgBoxIn(const std::string& textKey, const std::string& titleKey, unsigned buttons,
                 int slot, int defaultResult) override;
    void CloseMsgBox(int slot) override;

    int Count() const { return static_cast<int>(m_slots.size()); }
    // Null for an index out of range.
    TMsgform* Slot(int index) const;

private:
    std::vector<std::unique_ptr<TMsgform>> m_slots;
};
