// THtmlContainer: litehtml's document container of the browser view, which
// draws with cairo into the view's pixels and asks its host for the style
// sheets and images a page names.
//
// litehtml reads a style sheet the moment it meets the link; the container
// answers from the sheets its host has fetched so far and tells the host of
// each one missing, and the host lays the page out again once they have
// arrived. Images work the same way: an image not yet fetched has size 0 and
// is drawn once it arrives.
#pragma once

#include <litehtml.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "web/FontSet.h"
#include "web/ImageDecoder.h"

typedef struct _cairo cairo_t;

namespace web {

class IContainerHost {
public:
    virtual ~IContainerHost() = default;
    // An absolute URL the page needs that has not been asked for yet.
    virtual void WantStyleSheet(const std::string& url) = 0;
    virtual void WantImage(const std::string& url) = 0;
    // A link was clicked; target is its "target" attribute.
    virtual void LinkClicked(const std::string& url, const std::string& target) = 0;
};

class THtmlContainer : public litehtml::document_container {
public:
    THtmlContainer(IContainerHost& host, const TWebSettings& settings);
    ~THtmlContainer();

    void SetBaseUrl(const std::string& url) { m_baseUrl = url; }
    const std::string& BaseUrl() const { return m_baseUrl; }
    void SetViewport(int width, int height) { m_width = width, m_height = height; }
    // The fetched sheets and images by absolute URL (a failed one is stored
    // empty, so it is not asked for again).
    void AddStyleSheet(const std::string& url, const std::string& text) { m_sheets[url] = text; }
    void AddImage(const std::string& url, TImage image) { m_images[url] = std::move(image); }
    void ForgetResources();
    std::string Resolve(const char* src, const char* base) const;

    // litehtml's callbacks.
    litehtml::uint_ptr create_font(const char* faceName, int size, int weight, litehtml::font_style italic,
                                   unsigned int decoration, litehtml::font_metrics* fm) override;
    void delete_font(litehtml::uint_ptr hFont) override;
    int text_width(const char* text, litehtml::uint_ptr hFont) override;
    void draw_text(litehtml::uint_ptr hdc, const char* text, litehtml::uint_ptr hFont, litehtml::web_color color,
                   const litehtml::position& pos) override;
    int pt_to_px(int pt) const override;
    int get_default_font_size() const override;
    const char* get_default_font_name() const override;
    void draw_list_marker(litehtml::uint_ptr hdc, const litehtml::list_marker& marker) override;
    void load_image(const char* src, const char* baseurl, bool redraw_on_ready) override;
    void get_image_size(const char* src, const char* baseurl, litehtml::size& sz) override;
    void draw_background(litehtml::uint_ptr hdc, const litehtml::background_paint& bg) override;
    void draw_borders(litehtml::uint_ptr hdc, const litehtml::borders& borders, const litehtml::position& draw_pos,
                      bool root) override;
    void set_caption(const char*) override {}
    void set_base_url(const char* base_url) override;
    void link(const std::shared_ptr<litehtml::document>&, const litehtml::element::ptr&) override {}
    void on_anchor_click(const char* url, const litehtml::element::ptr& el) override;
    void set_cursor(const char*) override {}
    void transform_text(litehtml::tstring& text, litehtml::text_transform tt) override;
    void import_css(litehtml::tstring& text, const litehtml::tstring& url, litehtml::tstring& baseurl) override;
    void set_clip(const litehtml::position& pos, const litehtml::border_radiuses& radius, bool valid_x,
                  bool valid_y) override;
    void del_clip() override;
    void get_client_rect(litehtml::position& client) const override;
    std::shared_ptr<litehtml::element> create_element(const char*, const litehtml::string_map&,
                                                      const std::shared_ptr<litehtml::document>&) override {
        return nullptr;
    }
    void get_media_features(litehtml::media_features& media) const override;
    void get_language(litehtml::tstring& language, litehtml::tstring& culture) const override;

private:
    void ApplyClip(cairo_t* cr) const;
    void DrawImage(cairo_t* cr, const litehtml::background_paint& bg, cairo_surface_t* image) const;

    IContainerHost& m_host;
    int m_defaultSize;
    TFontSet m_fonts;
    std::vector<std::unique_ptr<TFont>> m_liveFonts;
    std::map<std::string, std::string> m_sheets;
    std::map<std::string, TImage> m_images;
    std::string m_baseUrl;
    int m_width = 0, m_height = 0;
    std::vector<litehtml::position> m_clips;
};

}  // namespace web
