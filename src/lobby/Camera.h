// TCamera: a web-camera panel of a web area. The live page is the panel
// "Camera" (settings [Chat]) refreshed at the area's period; while the
// camera is off the still strip (the skin's frames "camera01", "camera02",
// ...) stands in its place and runs through its frames in a loop. Beside it
// the panel "Cameratext" shows the camera's text page. Active says whether
// the camera is shown live (server message 96 switches every camera).
#pragma once

#include <memory>
#include <string>

class TBrowser;
class TMygfx;
class TMyimagelist;

class TCamera {
public:
    TCamera(TMygfx* parent, const std::string& cameraUrl, const std::string& textUrl, int refreshSeconds);
    ~TCamera();
    TCamera(const TCamera&) = delete;
    TCamera& operator=(const TCamera&) = delete;

    void SetActive(bool active);
    bool Active() const { return m_active; }
    void Show();
    void Hide();
    bool Shown() const { return m_shown; }

    TBrowser& Live() const { return *m_live; }
    TBrowser& Text() const { return *m_text; }
    // Null when the skin has no still frames.
    TMyimagelist* Still() const { return m_still.get(); }

    // Time each still frame stays.
    static constexpr int kStillFrameMs = 500;

private:
    void ShowParts();

    std::unique_ptr<TBrowser> m_live, m_text;
    void ShowStill();
    void HideStill();

    std::unique_ptr<TMyimagelist> m_still;
    std::string m_cameraUrl;
    bool m_active = false, m_shown = false;
};
