// The web panels' pictures: "Webwindow", the frame of pop-up web windows
// (its corners stand at the window's corners, its middle row and column
// are stretched along the edges), and "camera01" to "camera04", the still
// strip a web camera panel runs through while the camera is off, the size of
// [Chat] Camera: a struck-through camera whose lens sends out a ring that
// widens from frame to frame.
#include <cmath>

#include "WindowArt.h"

namespace skin {
namespace {

constexpr int kFrameSide = 48;

bool Webwindow(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    TCanvas canvas(kFrameSide, kFrameSide);
    TArtKit kit(ctx, canvas);
    kit.WindowGround();
    kit.WindowFrame();
    return Encode("Webwindow", canvas, BackgroundConversion(ctx.palette), images, error);
}

constexpr int kStillFrames = 4;

bool CameraStill(const TArtContext& ctx, int frame, int w, int h, std::vector<TImage>& images, std::string& error) {
    TCanvas canvas(w, h);
    TArtKit kit(ctx, canvas);
    cairo_t* cr = kit.Cr();
    canvas.SetColour(kit.Colour("deep"));
    cairo_paint(cr);
    const double cx = w / 2.0, cy = h / 2.0 - 8;
    // The ring leaves the lens and widens, one step a frame.
    canvas.SetColour(kit.Colour("line"));
    cairo_set_line_width(cr, 2);
    cairo_arc(cr, cx, cy, 18.0 + 10.0 * frame, 0, 2 * M_PI);
    cairo_stroke(cr);
    // A camera body with its lens, struck through: the camera is off.
    canvas.SetColour(kit.Colour("rim"));
    canvas.RoundedRect(cx - 26, cy - 16, 52, 32, 6);
    cairo_fill(cr);
    canvas.SetColour(kit.Colour("night"));
    cairo_arc(cr, cx, cy, 10, 0, 2 * M_PI);
    cairo_fill(cr);
    canvas.SetColour(kit.Colour("rose"));
    cairo_set_line_width(cr, 3);
    cairo_move_to(cr, cx - 30, cy + 20);
    cairo_line_to(cr, cx + 30, cy - 20);
    cairo_stroke(cr);
    const std::string caption = "CAMERA OFF";
    kit.Caption(cx - kit.CaptionWidth(caption) / 2, cy + 40, caption);
    return Encode("camera0" + std::to_string(frame + 1), canvas, OpaqueConversion(), images, error);
}

bool CameraStrip(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    std::vector<int> box;
    if (!ctx.layout.Numbers("Chat", "Camera", 0, 4, box, error)) return false;
    for (int frame = 0; frame < kStillFrames; ++frame)
        if (!CameraStill(ctx, frame, box[2], box[3], images, error)) return false;
    return true;
}

}  // namespace

bool DrawWebArt(const TArtContext& context, std::vector<TImage>& images, std::string& error) {
    return Webwindow(context, images, error) && CameraStrip(context, images, error);
}

}  // namespace skin
