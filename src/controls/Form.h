// TForm: the base of every skinned window of the client (logon, lobby,
// dialogs, game windows). It owns the window's paint surface, created from
// the window's background ("painter") image when the form is constructed, so
// the surface's start-up weight is reported while windows are created.
//
// A form is created once and lives as long as the program; it is shown and
// hidden, never rebuilt. Subclasses override the Form* hooks; each hook is
// called on the main thread from the platform's events.
//
// Keyboard: key events go first to FormKeyDown (the window sees every key,
// as a key preview); when it returns false they go on to the active control,
// the one focus holder that has the window's keyboard focus (an entry's
// TMyeditComp). Typed characters go to FormKeyPress and then to the active
// control likewise. When the window loses activation the active control
// loses the focus, and gains it again when the window is activated.
//
// A key filter (the key-repeat handler of the game windows) stands in front
// of the key preview: key-downs and key-ups go to it instead of FormKeyDown
// and FormKeyUp, which it calls itself through PreviewKeyDown and
// PreviewKeyUp (possibly more often); what it does not handle goes on to the
// active control. It hears of the window's deactivation before the window.
//
// Enabling: a disabled form ignores mouse and keyboard (its modal box is
// up). ShowModal shows the form, disables every other visible form, pumps
// the message loop until the form is hidden again, and restores the others.
// Modal shows nest: a box shown from a modal form waits inside the first
// wait.
//
// Closing: Close (and the window system's close request) asks
// FormCloseQuery; when it agrees, the form hides and FormClose runs.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Platform.h"

class TPaint;
struct TFormEvents;

// A control that can hold its window's keyboard focus.
class TFocusable {
public:
    virtual ~TFocusable() = default;
    virtual void FocusKeyDown(int key, unsigned shift) = 0;
    virtual void FocusKeyUp(int key, unsigned shift) { (void)key, (void)shift; }
    virtual void FocusKeyPress(uint8_t ch) = 0;
    virtual void FocusGained() = 0;
    virtual void FocusLost() = 0;
    // Visible and enabled.
    virtual bool CanFocus() const = 0;
};

// Stands in front of a window's key handling; see TForm.
class TKeyFilter {
public:
    virtual ~TKeyFilter() = default;
    // True: the key was handled and goes no further.
    virtual bool FilterKeyDown(int key, unsigned shift) = 0;
    virtual bool FilterKeyUp(int key, unsigned shift) = 0;
    virtual void FilterDeactivated() = 0;
};

class TForm {
public:
    // painter: the background image; it sets the window's size. A missing
    // image ends the process with "File not found " + name.
    explicit TForm(const std::string& painter,
                   platform::WindowKind kind = platform::WindowKind::Normal);
    // A window of that size without background image, drawn entirely by
    // its controls (pop-up web windows).
    TForm(int width, int height, platform::WindowKind kind = platform::WindowKind::Normal);
    virtual ~TForm();
    TForm(const TForm&) = delete;
    TForm& operator=(const TForm&) = delete;

    TPaint* Paint() const { return m_paint.get(); }

    void Show();
    void Hide();
    bool Visible() const;
    // Shows the form and waits until it is hidden.
    void ShowModal();
    bool Modal() const { return m_modalDepth > 0; }
    // Asks FormCloseQuery, then hides the form and runs FormClose.
    void Close();

    void SetEnabled(bool enabled);
    bool Enabled() const { return m_enabled; }
    // Gives this window the keyboard focus and activates it.
    void Focus();
    bool Focused() const;
    void BringToFront();
    void Minimize();

    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void SetPosition(int left, int top);

    // The focus holder keys and characters go to; null: none.
    void SetActiveControl(TFocusable* control);
    TFocusable* ActiveControl() const { return m_active; }
    // A control that is being freed leaves the form (no dangling focus).
    void ForgetControl(TFocusable* control);

    // The filter keys go through first (null: none); returns the one it
    // replaces, which the new filter passes keys on to.
    TKeyFilter* SetKeyFilter(TKeyFilter* filter);
    TKeyFilter* KeyFilter() const { return m_keyFilter; }
    // The window's key preview (FormKeyDown, FormKeyUp) for a filter; true
    // when it handled the key.
    bool PreviewKeyDown(int key, unsigned shift) { return FormKeyDown(key, shift); }
    bool PreviewKeyUp(int key, unsigned shift) { return FormKeyUp(key, shift); }

    // Every form of the installed context, in creation order.
    static const std::vector<TForm*>& All();

    // After the form has closed (Close agreed and the form is hidden); the
    // program's main window ends the main loop with it.
    std::function<void(TForm* sender)> OnClose;

protected:
    virtual void FormShow() {}
    virtual void FormHide() {}
    // False refuses the close.
    virtual bool FormCloseQuery() { return true; }
    virtual void FormClose() {}
    virtual void FormActivate() {}
    virtual void FormDeactivate() {}
    // True: the key was handled here and goes no further.
    virtual bool FormKeyDown(int key, unsigned shift) { (void)key, (void)shift; return false; }
    virtual bool FormKeyUp(int key, unsigned shift) { (void)key, (void)shift; return false; }
    virtual bool FormKeyPress(uint8_t& ch) { (void)ch; return false; }
    virtual void FormMouseDown(int button, unsigned shift, int x, int y) { (void)button, (void)shift, (void)x, (void)y; }
    virtual void FormMouseUp(int button, unsigned shift, int x, int y) { (void)button, (void)shift, (void)x, (void)y; }
    virtual void FormMouseMove(unsigned shift, int x, int y) { (void)shift, (void)x, (void)y; }

private:
    TFormEvents Events();
    void KeyDown(int key, unsigned shift);
    void KeyUp(int key, unsigned shift);
    void KeyPress(uint8_t ch);
    void Activated();
    void Deactivated();

    std::unique_ptr<TPaint> m_paint;
    TFocusable* m_active = nullptr;
    TKeyFilter* m_keyFilter = nullptr;
    bool m_enabled = true;
    bool m_hasFocus = false;
    int m_modalDepth = 0;
};
