// The operator's channel: commands over the admin socket reach users as
// message boxes, questions and raw messages; answers are stored and read
// back; the command-line client gets the same replies.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <thread>

#include "AdminClient.h"
#include "AdminLine.h"
#include "ZoneFixture.h"

namespace servertest {
namespace {

class AdminTest : public ZoneTest {
protected:
    void TearDown() override {
        if (m_fd >= 0) close(m_fd);
        ZoneTest::TearDown();
    }

    // Sends one line and drives the server until the reply's last line.
    std::string Admin(const std::string& line) {
        if (m_fd < 0) {
            m_fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
            sockaddr_un sa{};
            sa.sun_family = AF_UNIX;
            std::string path = m_server->Config().AdminSocketPath();
            std::memcpy(sa.sun_path, path.c_str(), path.size() + 1);
            if (connect(m_fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0) return "cannot connect";
        }
        std::string bytes = line + "\n";
        if (send(m_fd, bytes.data(), bytes.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(bytes.size()))
            return "cannot send";
        std::string reply;
        for (int pass = 0; pass < 400; ++pass) {
            m_server->Poll(5);
            char buffer[4096];
            ssize_t n = recv(m_fd, buffer, sizeof buffer, MSG_DONTWAIT);
            if (n > 0) reply.append(buffer, static_cast<size_t>(n));
            size_t last = reply.rfind('\n', reply.size() >= 2 ? reply.size() - 2 : 0);
            std::string tail = reply.substr(last == std::string::npos ? 0 : last + 1);
            if (!reply.empty() && reply.back() == '\n' && (tail == "ok\n" || tail.rfind("error: ", 0) == 0))
                return reply;
        }
        return reply + "(no end)";
    }

    int m_fd = -1;
};

TEST_F(AdminTest, AMessageBoxAndAQuestionReachTheUserAndTheAnswerIsStored) {
    auto eva = Enter("eva");
    EXPECT_EQ(Admin("box eva \"The server restarts at noon\" Sysop"), "ok\n");
    EXPECT_TRUE(Receive(*eva, "\x17" + Field("The server restarts at noon") + Field("Sysop")));

    EXPECT_EQ(Admin("ask eva \"Best game?\" Tumblix Yatzy"), " question 1\nok\n");
    EXPECT_TRUE(Receive(*eva, "q" + Field("Best game?") + Field("Tumblix") + Field("Yatzy")));
    EXPECT_EQ(Admin("answers"), " #1 eva \"Best game?\": no answer\nok\n");
    eva->Send(std::string("q\x03"));  // no third answer
    eva->Send(std::string("q\x02"));
    eva->Settle();
    EXPECT_EQ(Admin("answers eva"), " #1 eva \"Best game?\": answer 2 \"Yatzy\"\nok\n");
    // Answered once; a second answer is not taken.
    eva->Send(std::string("q\x01"));
    eva->Settle();
    EXPECT_EQ(Admin("answers EVA"), " #1 eva \"Best game?\": answer 2 \"Yatzy\"\nok\n");
    std::vector<server::QuestionRecord> stored = m_server->Accounts().Questions("eva", 10);
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].answer, 2);
}

TEST_F(AdminTest, AnyCodeCanBeSentAndMistakesAreExplained) {
    auto eva = Enter("eva");
    EXPECT_EQ(Admin("send eva 250 \"\\x05 caf\xC3\xA9\""), "ok\n");
    EXPECT_TRUE(Receive(*eva, "\xFA\x05 caf\xE9"));
    EXPECT_EQ(Admin("box nobody hello"), "error: nobody is not logged on\n");
    EXPECT_EQ(Admin("send eva 256"), "error: send ALIAS CODE(0..255) [BYTES]\n");
    EXPECT_EQ(Admin("box eva \"unclosed"), "error: a quote is not closed\n");
    EXPECT_EQ(Admin("frobnicate"), "error: unknown command frobnicate (try help)\n");
    EXPECT_EQ(Admin("who"), " eva room 1 icon 15\nok\n");
}

TEST_F(AdminTest, ANoticeInTheNewsRoomReachesEveryoneAndLaterLogonsToo) {
    auto eva = Enter("eva");
    EXPECT_EQ(Admin("say 4 \"News: Yatzy cup on Friday\""), "ok\n");
    std::string line = "\x09" + Word(kNews) + "\x05\x02" + Field("News: Yatzy cup on Friday");
    EXPECT_TRUE(Receive(*eva, line));
    auto bob = EnterKeepingWelcome("bob");
    EXPECT_TRUE(Receive(*bob, line));
    EXPECT_EQ(Admin("say 99 hello"), "error: no room 99, or nothing to say\n");
}

TEST_F(AdminTest, ABanEndsTheSessionAndRefusesTheNextLogon) {
    auto eva = Enter("eva");
    EXPECT_EQ(Admin("ban eva"), " session ended\nok\n");
    EXPECT_TRUE(eva->PumpUntil([&] { return eva->Closed(); }));
    auto again = NewClient();
    EXPECT_EQ(LogOn(*again, LogonMessage("eva", "pw")), std::string("\xFF\x0A"));
    EXPECT_EQ(Admin("unban eva"), "ok\n");
    EXPECT_EQ(Admin("ban nobody"), "error: no account nobody\n");
}

TEST_F(AdminTest, TheCommandLineClientQuotesItsWordsAndReportsTheReply) {
    auto eva = Enter("eva");
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    std::atomic<int> code{-1};
    std::thread operatorSide([&] {
        code = server::RunAdminCommand(m_server->Config().AdminSocketPath(), {"box", "eva", "two \"words\""}, out,
                                       err);
    });
    // The server is driven from here while the client waits on its socket.
    bool got = Receive(*eva, "\x17" + Field("two \"words\"") + Field("System"));
    for (int i = 0; i < 400 && code == -1; ++i) m_server->Poll(5);
    operatorSide.join();
    EXPECT_TRUE(got);
    EXPECT_EQ(code, 0);
    std::rewind(out);
    char text[64] = {};
    EXPECT_EQ(std::string(std::fgets(text, sizeof text, out)), "ok\n");
    std::fclose(out);
    std::fclose(err);
    EXPECT_EQ(server::RunAdminCommand(m_folder + "missing.sock", {"who"}, stdout, stderr), 2);
}

TEST(AdminLine, WordsQuotesEscapesAndText) {
    std::vector<std::string> w;
    std::string error;
    ASSERT_TRUE(server::SplitWords("  ask \"a b\"  c\\\"d \"\\x01\\\\\" caf\xC3\xA9 ", w, error)) << error;
    EXPECT_EQ(w, (std::vector<std::string>{"ask", "a b", "c\"d", "\x01\\", "caf\xE9"}));
    EXPECT_FALSE(server::SplitWords("x \\q", w, error));
    EXPECT_FALSE(server::SplitWords("x \\x4", w, error));
    ASSERT_TRUE(server::SplitWords(server::QuoteWord("say \"hi\" \\o/"), w, error));
    EXPECT_EQ(w, std::vector<std::string>{"say \"hi\" \\o/"});
    EXPECT_EQ(server::ForTerminal("a\x01\xE9"), "a\\x01\xC3\xA9");
}

}  // namespace
}  // namespace servertest
