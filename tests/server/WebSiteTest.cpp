// The zone's web site: pages from the database through its own read-only
// connection, texts escaped, the lobby's "Game" numbering, news from the
// zone, and the whole round trip over HTTP on a loopback port.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "AccountStore.h"
#include "ServerFixture.h"
#include "web/WebLinks.h"
#include "web/WebSite.h"

namespace {

using server::web::WebSite;

class WebSiteTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder = servertest::MakeTempFolder();
        std::string error;
        ASSERT_TRUE(m_store.Open(m_folder + "accounts.db", error)) << error;
        AddPlayer("eva", 1, 1620.4, 3);
        AddPlayer("<b>bo</b>", 1, 1550, 1);
        AddPlayer("dan", 2, 1700, 2);
        server::web::WebSiteConfig config;
        config.port = 0;
        ASSERT_TRUE(m_site.Start(config, m_folder + "accounts.db", error)) << error;
    }
    void TearDown() override {
        m_site.Stop();
        m_store.Close();
        servertest::RemoveFolder(m_folder);
    }
    void AddPlayer(const std::string& alias, int game, double rating, int won) {
        server::Account account;
        account.alias = alias;
        account.passwordHash = "x";
        ASSERT_EQ(m_store.Create(account), server::AccountStore::Result::Ok);
        server::GameStanding standing;
        standing.won = won;
        standing.rating.rating = rating;
        ASSERT_TRUE(m_store.SaveStanding(account.id, game, standing));
    }
    // A whole HTTP/1.0 exchange over loopback.
    std::string Get(const std::string& target) {
        const int fd = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<uint16_t>(m_site.Port()));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        EXPECT_EQ(connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        const std::string request = "GET " + target + " HTTP/1.0\r\n\r\n";
        EXPECT_EQ(write(fd, request.data(), request.size()), static_cast<ssize_t>(request.size()));
        std::string reply;
        char buffer[4096];
        for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;) reply.append(buffer, static_cast<size_t>(n));
        close(fd);
        return reply;
    }

    std::string m_folder;
    server::AccountStore m_store;
    WebSite m_site;
};

TEST_F(WebSiteTest, ProfileShowsStatisticsPerGameAndEscapesAliases) {
    const std::string eva = m_site.Serve("/profile", "EVA", "", "").body;
    EXPECT_NE(eva.find("<h1>eva</h1>"), std::string::npos);
    // Tumblix: 3 won, rating 1620, first place.
    EXPECT_NE(eva.find("<b>Tumblix</b> <span class=\"mist\">rating 1620, place 1</span><br>won 3 &middot; "
                       "lost 0 &middot; left 0"),
              std::string::npos);
    EXPECT_NE(eva.find("<b>Yatzy</b> <span class=\"mist\">not rated yet"), std::string::npos);
    const std::string bo = m_site.Serve("/profile", "<b>bo</b>", "", "").body;
    EXPECT_NE(bo.find("&lt;b&gt;bo&lt;/b&gt;"), std::string::npos);
    EXPECT_EQ(bo.find("<b>bo"), std::string::npos);
    EXPECT_NE(m_site.Serve("/profile", "nobody", "", "").body.find("Nobody is called nobody."), std::string::npos);
}

TEST_F(WebSiteTest, TopListTakesTheLobbysGameNumberAndOrdersByRating) {
    const std::string top = m_site.Serve("/top100", "", "2", "").body;  // kind 1, Tumblix
    EXPECT_NE(top.find("Top 100 Tumblix"), std::string::npos);
    const size_t eva = top.find(">eva<"), bo = top.find("&lt;b&gt;bo");
    ASSERT_NE(eva, std::string::npos);
    ASSERT_NE(bo, std::string::npos);
    EXPECT_LT(eva, bo);
    EXPECT_EQ(top.find("dan"), std::string::npos);
    EXPECT_EQ(m_site.Serve("/top100", "", "6", "").status, 404);
    EXPECT_EQ(m_site.Serve("/top100", "", "x", "").status, 200);  // the default: Tumblix
    EXPECT_EQ(m_site.Serve("/etc/passwd", "", "", "").status, 404);
}

TEST_F(WebSiteTest, NewsComesNewestFirstOverHttp) {
    m_site.News().Add("Yatzy at eight");
    m_site.News().Add("Server <restart> at nine");
    const std::string reply = Get("/news?User=eva&Password=x&Language=en&Rand=5");
    EXPECT_EQ(reply.rfind("HTTP/1.1 200", 0), 0u) << reply.substr(0, 40);
    EXPECT_NE(reply.find("charset=windows-1252"), std::string::npos);
    const size_t nine = reply.find("Server &lt;restart&gt; at nine"), eight = reply.find("Yatzy at eight");
    ASSERT_NE(nine, std::string::npos);
    ASSERT_NE(eight, std::string::npos);
    EXPECT_LT(nine, eight);
    EXPECT_EQ(Get("/profile?Alias=eva").rfind("HTTP/1.1 200", 0), 0u);
}

TEST_F(WebSiteTest, ZoneLinksPointAtTheSiteUnlessServerIniNamesThem) {
    server::ZoneConfig zone;
    zone.banners[0] = {"http://elsewhere/ad"};
    zone.urls[1] = "http://elsewhere/tumblix";
    server::web::FillZoneLinks(zone, m_site.BaseUrl());
    EXPECT_EQ(zone.banners[0], std::vector<std::string>{"http://elsewhere/ad"});
    EXPECT_EQ(zone.urls[1], "http://elsewhere/tumblix");
    ASSERT_EQ(zone.banners[1].size(), 3u);
    EXPECT_EQ(zone.banners[1][0], m_site.BaseUrl() + "/banner?n=2");
    EXPECT_EQ(zone.banners[2], std::vector<std::string>{m_site.BaseUrl() + "/badge"});
    ASSERT_EQ(zone.webTabs[0].size(), 3u);
    EXPECT_EQ(zone.webTabs[0][0].Url, m_site.BaseUrl() + "/news");
    EXPECT_EQ(zone.webTabs[0][1].Title, "Web");
    EXPECT_EQ(zone.webTabs[0][2].Url, m_site.BaseUrl() + "/camera");
    EXPECT_EQ(zone.webTabs[0][2].CameraUrl, m_site.BaseUrl() + "/cameratext");
    EXPECT_EQ(zone.urls[0], m_site.BaseUrl() + "/visit?n=1");
    EXPECT_EQ(zone.urls[6], m_site.BaseUrl() + "/visit?n=7");
    ASSERT_EQ(zone.webTabs[1].size(), 4u);
    EXPECT_EQ(zone.webTabs[1][3].Url, m_site.BaseUrl() + "/top100?Game=5");
    EXPECT_EQ(m_site.BaseUrl(), "http://127.0.0.1:" + std::to_string(m_site.Port()));
}

TEST_F(WebSiteTest, VisitsAreCountedPerEntryAndTheCameraShowsTheLatestArrivals) {
    EXPECT_EQ(Get("/visit?n=2&Rand=9").rfind("HTTP/1.1 200", 0), 0u);
    EXPECT_EQ(m_site.Serve("/visit", "", "", "2").status, 200);
    EXPECT_EQ(m_site.Serve("/visit", "", "", "8").status, 404);
    EXPECT_EQ(m_site.Serve("/visit", "", "", "").status, 404);
    EXPECT_EQ(m_site.Visits(), (server::web::VisitCounts{0, 2, 0, 0, 0, 0, 0}));
    EXPECT_NE(m_site.Serve("/", "", "", "").body.find("<td>Tumblix</td><td class=\"n\">2</td>"), std::string::npos);

    ASSERT_TRUE(m_store.RecordLogon(1, "pw", 0, 0, 1700000000));
    ASSERT_TRUE(m_store.RecordLogon(2, "pw", 0, 0, 1700000600));
    const std::string camera = m_site.Serve("/camera", "", "", "").body;
    EXPECT_NE(camera.find("3 members"), std::string::npos);
    const size_t bo = camera.find("&lt;b&gt;bo&lt;/b&gt; <span class=\"mist\">2023-11-14 22:23"),
                 eva = camera.find("eva <span class=\"mist\">2023-11-14 22:13");
    ASSERT_NE(bo, std::string::npos);
    ASSERT_NE(eva, std::string::npos);
    EXPECT_LT(bo, eva);
    EXPECT_EQ(camera.find("dan"), std::string::npos);  // never logged on
}

}  // namespace
