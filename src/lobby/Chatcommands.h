// TChatcommands: the commands the lobby's input line knows, tested before a
// line goes out as chat. The line is compared lower-cased, against this
// table in its order; the first row that matches and whose condition holds
// runs, and a line no row takes is chat:
//
//   "/clear"       exact                 empties the current room's view
//   "/hangup"      exact                 closes the session's socket (a
//                                        resumable session reconnects)
//   "/dumpchat"    exact                 the current room's lines, plain,
//                                        into "chat.txt" in the program folder
//   "/netstatus"   exact                 the connection's counters
//   "/ping"        exact, privileged     sends 0x1E at once; code 30 answers
//   "/mem"         exact                 a box with the allocated bytes
//   "/reconnect"   begins the line       as "/hangup"
//   "/dicestat"    begins, privileged    the run's dice statistics
//   "/sendfile"    begins, alias "Sysop" starts an upload of a file of the
//                                        program folder
//   "/filestatus"  begins, alias "Sysop" how far the upload is
//
// So "/ping" of an unprivileged user, or "/sendfile" of another alias, is
// sent as chat. Answers are system lines in the current room.
//
// The upload: "%" announces the name and size, and every code 37 of the
// server (IUpload) sends the next chunk of at most kChunkBytes; the upload
// is forgotten when its last byte went. Only one runs at a time; a file that
// cannot be read starts none and says so.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "net/SessionWindows.h"

class TChatform;
namespace rules {
class TDicestat;
}

class TChatcommands : public IUpload {
public:
    static constexpr int kSystemNameColour = 0;
    static constexpr int kSystemTextColour = 8355711;
    static constexpr size_t kChunkBytes = 5000;
    static constexpr char kOperatorAlias[] = "Sysop";
    static constexpr char kDumpFile[] = "chat.txt";

    // Counts from dice; registers itself as SessionWindows().Upload.
    explicit TChatcommands(const rules::TDicestat& dice);
    ~TChatcommands() override;
    TChatcommands(const TChatcommands&) = delete;
    TChatcommands& operator=(const TChatcommands&) = delete;

    // True when the line was a command and ran.
    bool Execute(TChatform& lobby, const std::string& line);

    // IUpload: the server asks for the next chunk.
    void SendNextChunk() override;
    bool UploadPending() const { return m_upload.has_value(); }

    // Where the messages go; empty: the session's connection.
    std::function<void(const std::string& message)> Sender;

private:
    struct TCommand {
        const char* text;
        bool exact;
        bool (TChatcommands::*allowed)() const;
        void (TChatcommands::*run)(TChatform& lobby, const std::string& line);
    };
    struct TUpload {
        std::string bytes;
        size_t position = 0;
    };
    static const std::vector<TCommand>& Table();

    bool Always() const { return true; }
    bool Privileged() const;
    bool Operator() const;

    void Clear(TChatform& lobby, const std::string& line);
    void Hangup(TChatform& lobby, const std::string& line);
    void DumpChat(TChatform& lobby, const std::string& line);
    void NetStatus(TChatform& lobby, const std::string& line);
    void Ping(TChatform& lobby, const std::string& line);
    void Mem(TChatform& lobby, const std::string& line);
    void Dicestat(TChatform& lobby, const std::string& line);

    // ChatcommandsUpload.cpp
    void SendFile(TChatform& lobby, const std::string& line);
    void FileStatus(TChatform& lobby, const std::string& line);
    static std::string NameSent(const std::string& name);

    static void SystemLine(TChatform& lobby, const std::string& text);
    void Send(const std::string& message);

    const rules::TDicestat& m_dice;
    std::optional<TUpload> m_upload;
};
