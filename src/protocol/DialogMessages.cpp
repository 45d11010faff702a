#include "protocol/DialogMessages.h"

#include <cstdint>

#include "protocol/FieldWriter.h"

namespace protocol {
namespace {

TGameStatistics ReadStatistics(TFieldReader& r) {
    TGameStatistics game;
    game.Won = r.Number(0);
    game.Lost = r.Number(0);
    game.Dropped = r.Number(0);
    game.Place = r.Field();
    game.Score = r.Field();
    // In 64 bits: three counts from the server cannot overflow the sum.
    long long games = static_cast<long long>(game.Won) + game.Lost + game.Dropped;
    game.Games = games > INT32_MAX ? INT32_MAX : games < INT32_MIN ? INT32_MIN : static_cast<int>(games);
    return game;
}

TWebTab ReadWebTab(TFieldReader& r) {
    TWebTab tab;
    tab.Title = r.Field();
    tab.Prefix = r.Field();
    tab.Url = r.Field();
    tab.Refresh = r.Number(0);
    tab.CameraUrl = r.Field();
    return tab;
}

}  // namespace

std::string Build(const THiscoreList& m) {
    TFieldWriter w(m.kCode);
    w.Field(m.MyName).Field(m.MyScore).Field(m.MyPlace);
    for (const auto& row : m.Rows)
        for (const std::string& cell : row) w.Field(cell);
    return w.Take();
}

std::string Build(const TUserInfo& m) {
    TFieldWriter w(m.kCode);
    w.Field(m.Name).Field(m.Date).Field(m.Time).Field(m.LoginCount).Field(m.Ping);
    for (const TGameStatistics& g : m.Games)
        w.Number(g.Won).Number(g.Lost).Number(g.Dropped).Field(g.Place).Field(g.Score);
    return w.Take();
}

std::string Build(const TFileChunk& m) {
    TFieldWriter w(m.kCode);
    w.Number(static_cast<int64_t>(m.Data.size()));
    if (m.HasSize) w.Number(m.Size);
    return w.Raw(m.Data).Take();
}

std::string Build(const TUploadRequest& m) { return TFieldWriter(m.kCode).Take(); }
std::string Build(const TUpdateItem& m) { return TFieldWriter(m.kCode).Field(m.Item).Take(); }
std::string Build(const TBanner& m) { return TFieldWriter(m.kCode).Byte(m.Place).Field(m.Url).Take(); }
std::string Build(const TCameras& m) { return TFieldWriter(m.kCode).Byte(m.On ? 1 : 0).Take(); }
std::string Build(const TUrl& m) { return TFieldWriter(m.kCode).Byte(m.Entry).Field(m.Url).Take(); }

std::string Build(const TWebTabs& m) {
    TFieldWriter w(m.kCode);
    w.Number(m.Area);
    for (const TWebTab& tab : m.Tabs)
        w.Field(tab.Title).Field(tab.Prefix).Field(tab.Url).Number(tab.Refresh).Field(tab.CameraUrl);
    return w.Take();
}

std::string Build(const TQuestion& m) {
    TFieldWriter w(m.kCode);
    w.Field(m.Text);
    for (const std::string& answer : m.Answers) w.Field(answer);
    return w.Take();
}

bool Read(TFieldReader& r, THiscoreList& m) {
    m.MyName = r.Field();
    m.MyScore = r.Field();
    m.MyPlace = r.Field();
    m.Rows.clear();
    while (!r.AtEnd()) {
        std::array<std::string, 3> row;
        for (std::string& cell : row) cell = r.Field();
        m.Rows.push_back(row);
    }
    return true;
}

bool Read(TFieldReader& r, TUserInfo& m) {
    m.Name = r.Field();
    m.Date = r.Field();
    m.Time = r.Field();
    m.LoginCount = r.Field();
    m.Ping = r.Field();
    for (TGameStatistics& game : m.Games) game = ReadStatistics(r);
    return true;
}

bool Read(TFieldReader& r, TFileChunk& m) {
    int length = r.Number(0);
    m.Size = m.HasSize ? r.Number(0) : 0;
    m.Data = r.Bytes(length);
    return true;
}

bool Read(TFieldReader&, TUploadRequest&) { return true; }

bool Read(TFieldReader& r, TUpdateItem& m) {
    m.Item = r.Field();
    return true;
}

bool Read(TFieldReader& r, TBanner& m) {
    m.Place = r.Byte();
    m.Url = r.Field();
    return true;
}

bool Read(TFieldReader& r, TCameras& m) {
    m.On = r.Byte() == 1;
    return true;
}

bool Read(TFieldReader& r, TUrl& m) {
    m.Entry = r.Byte();
    m.Url = r.Field();
    return true;
}

bool Read(TFieldReader& r, TWebTabs& m) {
    m.Area = r.Number(0);
    m.Tabs.clear();
    while (!r.AtEnd()) m.Tabs.push_back(ReadWebTab(r));
    return true;
}

bool Read(TFieldReader& r, TQuestion& m) {
    m.Text = r.Field();
    m.Answers.clear();
    while (!r.AtEnd()) m.Answers.push_back(r.Field());
    return true;
}

}  // namespace protocol
