// TRollover: the skinned image button, the base of most clickable things.
//
// An element name E selects two images: E + "on", shown while the pointer is
// over the button or while it is down-locked, and E + "of", shown otherwise.
// With a section, settings.ini [section] E gives x, y, "true" for
// transparent drawing and a font; text.ini (section, E) up to its first
// comma gives a caption drawn centred under the image.
//
// Mouse behaviour (hidden and disabled buttons ignore the mouse):
//   move inside, left button up     lit: "on" shown, "Rollover.wav" played
//   move outside, left button up    normal: "of" shown, no longer pressed
//   moves with the left button held ignored (the state stays as it was)
//   left press while lit            "Rolldown.wav", pressed, on-click
//   release while lit               not pressed; on-release with the button
// The click fires on the press, not on the release. A down-locked button
// keeps its "on" image whatever the pointer does. The click handler may free
// the button; nothing of it is touched after the call.
//
// Owners set x, y, tag, attention, enabled, the caption's maximum width and
// the font directly; the next Show lays the button out again.
//
// A missing E + "on" image ends the process with "File not found " + name.
// The button is created hidden; the owner frees it before the window's paint
// surface.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "graphics/Mouse.h"

class TMygfx;
class TMyfont;
class TMyimage;
class TMyimagelist;
class TPaint;
class TText;

class TRollover {
public:
    using TClickEvent = std::function<void(TRollover* sender)>;
    using TReleaseEvent = std::function<void(TRollover* sender, int button)>;

    static constexpr char kHoverSound[] = "Rollover.wav";
    static constexpr char kPressSound[] = "Rolldown.wav";
    // Pixels between the image and its caption line.
    static constexpr int kCaptionGap = 2;
    static constexpr int kBlinkMs = 200;

    // An empty section reads no layout and no caption.
    TRollover(TMygfx* owner, const std::string& section, const std::string& element,
              TClickEvent onClick);
    ~TRollover();
    TRollover(const TRollover&) = delete;
    TRollover& operator=(const TRollover&) = delete;

    void Show();
    void Hide();
    // Down-lock: lit regardless of the pointer (tab bars).
    void SetDown(bool down);
    void SetCaption(const std::string& caption);
    void SetTransparent(bool transparent);
    void StartBlink();
    void StopBlink();
    // Rebuilds the images, caption and blink list under another owner
    // (possibly on another window), shown again if the button was.
    void MoveToOwner(TMygfx* owner);

    // Fields the owners set; the next Show lays the button out again.
    void SetX(int x);
    void SetY(int y);
    void SetPosition(int x, int y);
    void SetTag(int tag) { m_tag = tag; }
    void SetAttention(bool attention) { m_attention = attention; }
    void SetEnabled(bool enabled) { m_enabled = enabled; }
    void SetCaptionMaxWidth(int width);
    void SetFont(TMyfont* font);

    TClickEvent OnClick;
    TReleaseEvent OnRelease;

    int X() const { return m_x; }
    int Y() const { return m_y; }
    // The whole button: the image, widened and heightened by a caption.
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int ImageWidth() const;
    int ImageHeight() const;
    int ImageOffset() const { return m_imageOffset; }
    int Tag() const { return m_tag; }
    bool Attention() const { return m_attention; }
    bool Enabled() const { return m_enabled; }
    bool Visible() const { return m_visible; }
    bool Hovering() const { return m_hovering; }
    bool Pressed() const { return m_pressed; }
    bool Down() const { return m_down; }
    bool Blinking() const { return m_blinking; }
    const std::string& Caption() const { return m_caption; }
    int CaptionWidth() const { return m_captionWidth; }
    TText* CaptionLabel() const { return m_label.get(); }
    TMyfont* Font() const;
    const std::string& Element() const { return m_element; }
    TMyimage* OnImage() const { return m_on.get(); }
    TMyimage* OfImage() const { return m_of.get(); }
    TMyimagelist* BlinkList() const { return m_blink.get(); }
    TMygfx* Owner() const { return m_owner; }
    TPaint* Surface() const { return m_surface; }

private:
    void LoadImages();
    void ReadLayout(const std::string& section);
    void Subscribe();
    void Unsubscribe();
    bool Inside(int x, int y) const;
    void Light(bool lit);
    void Layout();
    void PlaceBlink();
    void RunBlink();
    void CreateLabel();

    void PointerMoved(TShiftState shift, int x, int y);
    void ButtonDown(int button, TShiftState shift, int x, int y);
    void ButtonUp(int button, TShiftState shift, int x, int y);

    bool m_hovering = false;
    int m_x = 0, m_y = 0;
    bool m_pressed = false;
    int m_height = 0, m_width = 0;
    bool m_layoutPending = true;
    int m_captionMaxWidth = 0;
    int m_tag = 0;
    TMyfont* m_font = nullptr;  // none: "font1" when a caption needs one
    TPaint* m_surface = nullptr;
    TMygfx* m_owner = nullptr;
    std::string m_element;
    std::unique_ptr<TMyimage> m_on;
    std::unique_ptr<TMyimage> m_of;
    bool m_transparent = false;
    int m_imageOffset = 0;
    bool m_down = false;
    std::string m_caption;
    int m_captionWidth = 0;
    std::unique_ptr<TText> m_label;
    bool m_attention = false;
    std::unique_ptr<TMyimagelist> m_blink;
    bool m_blinking = false;
    bool m_visible = false;
    bool m_enabled = true;
    std::string m_hoverSound = kHoverSound;
    std::string m_pressSound = kPressSound;
};
