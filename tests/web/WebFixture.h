// Shared set-up of the browser tests: a headless backend with virtual time,
// a local HTTP server, fonts chosen by path (so text draws the same on every
// machine), and a loop driver that never sleeps.
#pragma once

#include <gtest/gtest.h>

#include <cairo.h>

#include <chrono>
#include <functional>
#include <string>

#include "FreshStates.h"
#include "platform/headless/Headless.h"
#include "shell/MyTimer.h"
#include "web/server/TestHttpServer.h"
#include "web/WebView.h"

namespace webtest {

inline web::TWebSettings DejaVuSettings() {
    web::TWebSettings settings;
    const std::string dir = "/usr/share/fonts/truetype/dejavu/";
    settings.FontRegular = dir + "DejaVuSans.ttf";
    settings.FontBold = dir + "DejaVuSans-Bold.ttf";
    settings.FontItalic = dir + "DejaVuSans-Oblique.ttf";
    settings.FontBoldItalic = dir + "DejaVuSans-BoldOblique.ttf";
    return settings;
}

// A PNG of one colour (0xAARRGGBB), as a server would send it.
inline std::string SolidPng(int width, int height, uint32_t argb) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgba(cr, ((argb >> 16) & 0xFF) / 255.0, ((argb >> 8) & 0xFF) / 255.0, (argb & 0xFF) / 255.0,
                          (argb >> 24) / 255.0);
    cairo_paint(cr);
    cairo_destroy(cr);
    std::string png;
    cairo_surface_write_to_png_stream(
        surface,
        [](void* out, const unsigned char* data, unsigned int length) {
            static_cast<std::string*>(out)->append(reinterpret_cast<const char*>(data), length);
            return CAIRO_STATUS_SUCCESS;
        },
        &png);
    cairo_surface_destroy(surface);
    return png;
}

class WebFixture : public ::testing::Test {
protected:
    // First, so it ends after the views that run timers on it.
    TFreshTimers m_states;

    void SetUp() override {
        platform::headless::InstallFresh();
        ASSERT_TRUE(server.Running());
    }

    static platform::headless::TLoop& Loop() { return platform::headless::Loop(); }

    // Runs the loop in 1 ms steps of virtual time until done holds; the
    // loopback transfers move on in real time meanwhile. False after ten
    // real seconds, so a fault fails the test instead of hanging it.
    static bool RunUntil(const std::function<bool()>& done) {
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!done()) {
            if (std::chrono::steady_clock::now() > limit) return false;
            Loop().RunFor(1);
        }
        return true;
    }

    static uint32_t PixelAt(web::IWebView& view, int x, int y) {
        return view.Pixels()[static_cast<size_t>(y) * static_cast<size_t>(view.Width()) + static_cast<size_t>(x)] &
               0xFFFFFF;
    }

    TTestHttpServer server;
};

}  // namespace webtest
