// TColumn: a vertical gauge, one image shown from its bottom edge over the
// part position / maximum of its height (bars that fill bottom to top).
//
// Like TProgress, but the maximum starts at 0, which shows nothing until the
// owner sets one, and the image is clipped from the top.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

class TMyimage;
class TPaint;

class TColumn {
public:
    // Created hidden, empty, with maximum 0.
    TColumn(TPaint* surface, const std::string& element, int y, int x);
    ~TColumn();
    TColumn(const TColumn&) = delete;
    TColumn& operator=(const TColumn&) = delete;

    void SetPosition(int position);
    void Show();
    void Hide();
    void SetTransparent(bool transparent);
    void SetMaximum(int maximum) { m_maximum = maximum; }

    int Maximum() const { return m_maximum; }
    int Position() const { return m_position; }
    int ShownHeight() const { return m_shown; }
    bool Visible() const { return m_visible; }
    int X() const { return m_x; }
    int Y() const { return m_y; }
    int ImageWidth() const { return m_imageWidth; }
    int ImageHeight() const { return m_imageHeight; }
    TMyimage* Image() const { return m_image.get(); }

private:
    int m_maximum = 0;
    std::unique_ptr<TMyimage> m_image;
    int m_position = 0;
    bool m_visible = false;
    TPaint* m_surface;
    int m_x, m_y;
    int m_imageWidth = 0, m_imageHeight = 0;
    int m_shown = 0;
};
