// Shared set-up of the dispatcher tests: the connection fixture (a scripted
// peer for what the session sends), a program folder of its own below an
// installation root with text.ini, settings.ini and version.ini, a fresh
// session, and every window replaced by a fake that logs its calls.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "ClientFixture.h"
#include "FakeWindows.h"
#include "TempFolder.h"
#include "net/Dispatcher.h"
#include "net/Session.h"
#include "resources/Paths.h"
#include "resources/Texts.h"

namespace nettest {

inline std::string F(const std::string& text) { return text + '\x01'; }

// The texts the dispatcher's templates come from.
constexpr char kTexts[] =
    "[en-Message]\r\n"
    "logontext=Welcome\r\n"
    "Won={1} points, place {2}\r\n"
    "Wonbonus={1}+{2}/{3}/{4}\r\n"
    "Lost=lost {1}\r\n"
    "Rating={1}: {2} ({3})\r\n"
    "Tourgame={1}|{2}|{3}|{4}\r\n"
    "[en-Chat]\r\n"
    "Tumblixname=Tumblix\r\nBgname=Backgammon\r\nPuzzlename=Puzzle\r\nYatzyname=Yatzy\r\n";

class DispatchFixture : public ClientFixture {
protected:
    void SetUp() override {
        ClientFixture::SetUp();
        std::filesystem::create_directory(root + "bin");
        SetProgramDirectory(root + "bin/");
        WriteFile(root + "bin/text.ini", kTexts);
        WriteFile(root + "bin/settings.ini", "");
        LoadTextsAndSettings(root + "bin/");
        Session().EndProgram = [this] { ++endings; };
        TSessionWindows& w = SessionWindows();
        w.Lobby = &lobby;
        w.Tables = &tables;
        w.Previews = &previews;
        for (int kind = 1; kind <= 4; ++kind) w.Games[size_t(kind)] = &games[kind - 1];
        w.Hiscore = &dialogs;
        w.Info = &dialogs;
        w.Update = &dialogs;
        w.Upload = &dialogs;
        w.Web = &dialogs;
        w.Question = &dialogs;
        w.Options = &dialogs;
        w.Logon = &logon;
        w.Registration = &registration;
        SetMsgBoxes(&boxes);
    }
    // The texts are saved and freed when the fixture's states end, after
    // the folder has gone: unload them first.
    void TearDown() override {
        UnloadTextsAndSettings();
        ClientFixture::TearDown();
    }

    static void WriteFile(const std::string& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }

    // A connected resumable client as the session's connection; the peer
    // has taken its opening.
    TClient& SessionClient() {
        Connected(true);
        Session().Client = client.get();
        return *client;
    }
    // The next message the peer receives (keep-alives skipped).
    std::string Sent() {
        while (true) {
            protocol::TFrame frame = PeerFrame();
            if (frame.kind == protocol::FrameKind::Message) return frame.payload;
        }
    }

    const TBoxCall& LastBox() const {
        static const TBoxCall none{};
        return boxes.calls.empty() ? none : boxes.calls.back();
    }
    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        for (const auto& c : log.calls)
            if (c.rfind("AddLine(", 0) == 0) lines.push_back(c);
        return lines;
    }

    TTempFolder m_root{"qvdisp"};
    std::string root = m_root.Dir();
    TCallLog log;
    TFakeBoxes boxes;
    TFakeLobby lobby{log};
    TFakeTables tables{log};
    TFakePreviews previews{log};
    TFakeGame games[4] = {{log, 1}, {log, 2}, {log, 3}, {log, 4}};
    TFakeDialogs dialogs{log};
    TFakeSessionForm registration{log, "Registration"};
    TFakeSessionForm logonForm{log, "Logon"};
    TFakeLogon logon{logonForm};
    int endings = 0;
};

}  // namespace nettest
