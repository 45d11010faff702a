// TMyedit: the skinned one-line text entry (aliases, passwords, dates, chat
// lines), and TMyeditComp, its invisible keyboard focus holder.
//
// The entry draws itself on its owner's paint surface like the other
// controls; only the keyboard focus lives in the window: the entry's
// TMyeditComp is a TFocusable that the window's TForm routes keys and typed
// characters to while it is the form's active control. The entry finds its
// form by its paint surface (the form whose Paint() it is); an entry on a
// surface that belongs to no form can be given one with SetForm. Without a
// form the entry draws and edits, but cannot take the keyboard focus.
//
// Text with colours: the text is Windows-1252 bytes, and beside it a string
// of the same length holding one colour number per character. Colour n draws
// with the font "font" + n; the default colour is the number the entry's own
// font name ends with ("font12" gives 12, no trailing digits give 0). Texts
// passed in and out (SetText, TextWithCodes, SelectionWithCodes, the
// clipboard) carry colour codes: byte 1, byte 252 and a colour byte switch
// the colour of the following characters, colour byte 255 meaning the
// default. Reading in, a byte 1 not followed by 252 is dropped by itself.
// Reading out, a code goes before every character whose colour differs from
// the one before (the first compared against the default).
//
// Positions are 1-based: the caret is the character before which typing
// inserts (1 ... length + 1); the selection covers start ... end - 1 (0: no
// selection). After every caret move or text change the entry scrolls so
// the caret sprite ("cur", all frames looping at 100 ms) lies inside it.
//
// Keys (after the on-key-down event): Backspace, Delete, Left and Right
// (with Ctrl: word jumps), Home, End, the clipboard keys Ctrl+C / Ctrl+Insert
// (copy), Ctrl+X / Shift+Delete (cut), Ctrl+V / Shift+Insert (paste); Shift
// with the caret keys extends the selection. Typed characters go through the
// on-key-press event first, which may change the key or clear it to 0;
// characters below 32 are never inserted. Inserting beyond the maximum
// length is ignored silently.
//
// Settings: settings.ini [section] key: font, x, y, width, selection mark
// (x, y and the mark default to 0, the width to 100). The mark is the tint
// the font draws selected characters with.
//
// Lifetime: the entry is created hidden with its window and lives as long
// as it; the owner frees it before the window's paint surface. A freed
// entry leaves its form's focus.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "controls/Form.h"
#include "graphics/Mouse.h"
#include "graphics/Mygfx.h"

class TMyedit;
class TMyfont;
class TMyimagelist;

// The zero-size focus holder of one entry: it takes part in its form's
// keyboard focus and hands keys and characters to the entry.
class TMyeditComp : public TFocusable {
public:
    explicit TMyeditComp(TMyedit& edit);
    ~TMyeditComp() override;
    TMyeditComp(const TMyeditComp&) = delete;
    TMyeditComp& operator=(const TMyeditComp&) = delete;

    void FocusKeyDown(int key, unsigned shift) override;
    void FocusKeyPress(uint8_t ch) override;
    void FocusGained() override;
    void FocusLost() override;
    bool CanFocus() const override { return m_visible && m_enabled; }

    void SetForm(TForm* form);
    TForm* Form() const { return m_form; }
    void SetVisible(bool visible) { m_visible = visible; }
    void SetEnabled(bool enabled);
    bool Enabled() const { return m_enabled; }
    // Becomes its form's active control.
    void TakeFocus();
    // The form's active control, and the form holds the keyboard focus.
    bool Focused() const { return m_focused; }

private:
    TMyedit& m_edit;
    TForm* m_form = nullptr;
    bool m_visible = false;
    bool m_enabled = true;
    bool m_focused = false;
};

class TMyedit : public TMygfx {
public:
    // Setting key to 0 skips the entry's own handling of the key.
    using TKeyDownEvent = std::function<void(TMyedit* sender, int& key, unsigned shift)>;
    // May change the character, or clear it to 0 so nothing is inserted.
    using TKeyPressEvent = std::function<void(TMyedit* sender, uint8_t& key)>;
    using TNotifyEvent = std::function<void(TMyedit* sender)>;

    // Colour codes in texts passed in and out.
    static constexpr uint8_t kCodeStart = 1;
    static constexpr uint8_t kCodeColour = 252;
    static constexpr uint8_t kCodeDefault = 255;  // the colour byte of the default
    // Colours travel as one byte, and 255 names the default.
    static constexpr int kMaxColour = 254;
    static constexpr char kCaretElement[] = "cur";
    static constexpr int kCaretFrameMs = 100;
    static constexpr int kDefaultWidth = 100;

    // Key numbers the entry handles.
    static constexpr int kKeyBackspace = 8;
    static constexpr int kKeyEnd = 35;
    static constexpr int kKeyHome = 36;
    static constexpr int kKeyLeft = 37;
    static constexpr int kKeyRight = 39;
    static constexpr int kKeyInsert = 45;
    static constexpr int kKeyDelete = 46;

    // A hidden, empty entry on the owner's surface, laid out by settings.ini
    // [section] key; maxLength 0: no limit.
    TMyedit(TMygfx* owner, int maxLength, const std::string& key, const std::string& section);
    ~TMyedit() override;

    // Shows or hides the entry with its focus holder (and the caret while
    // focused).
    void Show() override;
    void Hide() override;
    void Detach() override;
    void Draw(const TRect& rect) override;

    // Disabling also disables the focus holder and hides the caret.
    void SetEnabled(bool enabled);
    bool Enabled() const { return m_enabled; }
    bool Visible() const { return m_visible; }
    // Makes the focus holder the window's active control.
    void Focus();
    bool Focused() const;

    // Only with text: selects everything, caret at the end, shown from 1.
    void SelectAll();
    // Takes a text with colour codes; caret to the end, no selection.
    void SetText(const std::string& textWithCodes);
    std::string TextWithCodes() const;
    std::string SelectionWithCodes() const;
    // The plain text (no codes) and its colours, one number per character.
    const std::string& Text() const { return m_text; }
    const std::string& Colours() const { return m_colours; }

    // Clamps to 1 ... length + 1; with shift the selection runs from its
    // anchor to the new caret, without it any selection goes.
    void SetCaret(int position, bool shift);
    // Inserts at the caret as typing does (a selection is deleted first);
    // ignored below 32, at the maximum length, and in a colour other than
    // the default unless colours are allowed.
    void InsertChar(int colour, uint8_t ch);
    void DeleteSelection();
    // The clipboard keys' actions.
    void CopySelection() const;
    void CutSelection();
    void Paste();

    void SetMaxLength(int maxLength) { m_maxLength = maxLength < 0 ? 0 : maxLength; }
    int MaxLength() const { return m_maxLength; }
    // 0 shows the text; otherwise every character draws and measures as it.
    void SetPasswordChar(uint8_t ch);
    uint8_t PasswordChar() const { return m_passwordChar; }
    void SetColoursAllowed(bool allowed) { m_coloursAllowed = allowed; }
    bool ColoursAllowed() const { return m_coloursAllowed; }

    // The form whose focus the entry takes, for a surface of no form.
    void SetForm(TForm* form);
    TForm* Form() const;

    void MoveTo(int x, int y);
    void SetWidth(int width);
    int X() const { return m_x; }
    int Y() const { return m_y; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int Caret() const { return m_caret; }
    int FirstShown() const { return m_firstShown; }
    int SelStart() const { return m_selStart; }
    int SelEnd() const { return m_selEnd; }
    bool HasSelection() const { return m_selStart != 0 && m_selEnd > m_selStart; }
    int DefaultColour() const { return m_defaultColour; }
    int SelectionMark() const { return m_selectionMark; }
    TMyfont* Font() const { return m_font; }
    TMyimagelist* CaretSprite() const { return m_caretSprite.get(); }
    TMyeditComp* FocusHolder() const { return m_comp.get(); }

    TKeyDownEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TNotifyEvent OnExit;

private:
    friend class TMyeditComp;

    // Layout and fonts.
    void ReadLayout(const std::string& key, const std::string& section);
    void CreateCaret();
    TMyfont* ColourFont(int colour) const;
    int ColourAt(int index) const;
    uint8_t ShownChar(int index) const;
    int CharWidth(int index) const;
    int WidthBetween(int from, int to) const;
    void PlaceBounds();

    // Editing.
    void DeleteRange(int from, int to);
    void Insert(int colour, uint8_t ch);
    bool Full() const { return m_maxLength > 0 && Length() >= m_maxLength; }
    int Length() const { return static_cast<int>(m_text.size()); }
    void ClearSelection();
    std::string WithCodes(int from, int to) const;
    void ReadCodes(const std::string& text,
                   const std::function<void(int colour, uint8_t ch)>& take) const;
    void Changed();
    void KeepCaretVisible();

    // Drawing.
    void Repaint();
    void DrawChar(const TRect& clip, int index, int& x) const;
    void ShowCaret();
    void HideCaret();

    // Focus holder calls.
    void KeyDown(int key, unsigned shift);
    bool ClipboardKey(int key, unsigned shift);
    void CaretKey(int key, unsigned shift);
    void KeyPress(uint8_t ch);
    void Backspace();
    void DeleteForward();
    int WordLeft() const;
    int WordRight() const;
    void FocusGained();
    void FocusLost();
    void MouseDown(int button, TShiftState shift, int x, int y);

    int m_x = 0, m_y = 0;
    int m_width = kDefaultWidth;
    int m_height = 0;
    TMyfont* m_font = nullptr;
    int m_defaultColour = 0;
    std::string m_text;
    std::string m_colours;
    int m_caret = 1;
    int m_firstShown = 1;
    int m_selStart = 0, m_selEnd = 0;
    int m_anchor = 0;
    int m_maxLength = 0;
    int m_selectionMark = 0;
    uint8_t m_passwordChar = 0;
    bool m_coloursAllowed = false;
    bool m_enabled = true;
    bool m_visible = false;
    std::unique_ptr<TMyimagelist> m_caretSprite;
    std::unique_ptr<TMyeditComp> m_comp;
    // Fonts "font" + n as colours ask for them; null: not looked up yet.
    mutable std::array<TMyfont*, kMaxColour + 1> m_colourFonts{};
};
