// The web panels' pictures: "Webwindow", the frame of pop-up web windows
// (its corners stand at the window's corners, its middle row and column
// are stretched along the edges), and "camera1", the still picture a web
// camera panel shows while the camera is off, the size of [Chat] Camera.
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

bool CameraStill(const TArtContext& ctx, std::vector<TImage>& images, std::string& error) {
    std::vector<int> box;
    if (!ctx.layout.Numbers("Chat", "Camera", 0, 4, box, error)) return false;
    const int w = box[2], h = box[3];
    TCanvas canvas(w, h);
    TArtKit kit(ctx, canvas);
    cairo_t* cr = kit.Cr();
    canvas.SetColour(kit.Colour("deep"));
    cairo_paint(cr);
    // A camera body with its lens, struck through: the camera is off.
    const double cx = w / 2.0, cy = h / 2.0 - 8;
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
    return Encode("camera1", canvas, OpaqueConversion(), images, error);
}

}  // namespace

bool DrawWebArt(const TArtContext& context, std::vector<TImage>& images, std::string& error) {
    return Webwindow(context, images, error) && CameraStill(context, images, error);
}

}  // namespace skin
