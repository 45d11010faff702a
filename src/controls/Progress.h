// TProgress: a horizontal gauge, one image shown from its left edge over the
// part position / maximum of its width (the splash window's start-up bar,
// download bars).
//
// The shown width is position × image width / maximum rounded to the
// nearest pixel, halves to even; a maximum of 0 shows nothing new. Only a
// change of the shown width touches the screen: the image is clipped, and a
// growing bar paints just its new strip, then the window is painted at once
// (start-up fills the bar while it is busy creating windows and does not run
// the event loop).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

class TMyimage;
class TPaint;

class TProgress {
public:
    // Created hidden, empty, with maximum 1.
    TProgress(TPaint* surface, const std::string& element, int y, int x);
    ~TProgress();
    TProgress(const TProgress&) = delete;
    TProgress& operator=(const TProgress&) = delete;

    void SetPosition(int position);
    void Show();
    void Hide();
    void SetMaximum(int maximum) { m_maximum = maximum; }

    int Maximum() const { return m_maximum; }
    int Position() const { return m_position; }
    int ShownWidth() const { return m_shown; }
    bool Visible() const { return m_visible; }
    int X() const { return m_x; }
    int Y() const { return m_y; }
    int ImageWidth() const { return m_imageWidth; }
    int ImageHeight() const { return m_imageHeight; }
    TMyimage* Image() const { return m_image.get(); }

    // round(position × size / maximum), halves to even, within 0 ... size;
    // maximum must not be 0.
    static int Scale(int position, int size, int maximum);

private:
    int m_maximum = 1;
    std::unique_ptr<TMyimage> m_image;
    int m_position = 0;
    bool m_visible = false;
    TPaint* m_surface;
    int m_x, m_y;
    int m_imageWidth = 0, m_imageHeight = 0;
    int m_shown = 0;
};
