// The frame codec as both peers use it. The first input byte picks the
// options (limit, compression, chunking); the rest is a received stream.
//
// Receiving: the frames cut from the whole stream at once must be the frames
// the server's session stream cuts from the same bytes handed over in
// arbitrary chunks, with the same end (incomplete or an error at the same
// frame); no frame exceeds the limit; a prefix of a complete frame is
// incomplete, never an error. Every message frame, framed again by the
// sending side with any options (including "y" frames), decodes to the same
// message; every "}" and "~" number written back reads as the same number.
// The stream is also read as a connection opening, and a reconnect opening
// written back must parse to the same numbers.
//
// Sending and resuming: the server's stream sends the decoded messages, the
// bytes leave in the input's chunk sizes, acknowledgements and a resume
// from a point the input picks; what a client would read (written bytes,
// then everything again from the resume point) must decode to the same
// messages in order.
//
// The client's side: the real TClient on loopback receives the stream and
// must hand over exactly the messages decoded above (with its control
// frames taken as it documents), report a protocol error where the stream
// has one, and acknowledge what it received. When it is resumable and the
// session is still up, the connection is then cut: its reconnect opening
// must name the bytes it received, and the input's resume reply must make
// it send again exactly what it sent from that count on, or end the
// session when the reply cannot be served.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include "FuzzHarness.h"
#include "Listener.h"
#include "SessionStream.h"
#include "net/transport/Client.h"
#include "platform/headless/Headless.h"
#include "protocol/FrameCodec.h"

namespace {

using protocol::DecodeStatus;
using protocol::FrameKind;
using protocol::TFrame;

void Check(bool condition) {
    if (!condition) std::abort();
}

struct TSettings {
    size_t limit;
    protocol::TFrameOptions options;
    bool resumable;
};

TSettings SettingsOf(uint8_t byte) {
    static constexpr size_t kLimits[] = {protocol::kMaxInflated, 65536, 300, 1};
    TSettings s;
    s.limit = kLimits[byte & 3];
    s.options.compressLarge = (byte & 4) != 0;
    s.options.compressAlways = (byte & 8) != 0;
    s.options.level = (byte >> 4) % 11 - 1;  // -1..9
    s.resumable = (byte & 0x80) != 0;
    return s;
}

// Chunk sizes drawn from the stream itself, so they vary with the input.
class TChunks {
public:
    explicit TChunks(std::string_view bytes) : m_bytes(bytes) {}
    size_t Next() {
        if (m_bytes.empty()) return 7;
        uint8_t b = static_cast<uint8_t>(m_bytes[m_at++ % m_bytes.size()]);
        return 1 + b % 61;
    }

private:
    std::string_view m_bytes;
    size_t m_at = 0;
};

struct TDecoded {
    std::vector<TFrame> frames;
    DecodeStatus end = DecodeStatus::Incomplete;
};

void CheckFrame(const TFrame& frame, size_t available, size_t limit) {
    Check(frame.length >= 1 && frame.length <= available);
    if (frame.kind == FrameKind::Message) Check(frame.payload.size() <= limit);
    if (frame.kind == FrameKind::ResumeReply || frame.kind == FrameKind::SessionNumber)
        Check(frame.payload.size() == frame.length && frame.length <= protocol::kMaxNumberFrame);
}

TDecoded DecodeAll(std::string_view stream, size_t limit) {
    TDecoded out;
    size_t at = 0;
    while (true) {
        TFrame frame;
        std::string error;
        DecodeStatus status = protocol::DecodeFrame(stream.substr(at), frame, error, limit);
        if (status != DecodeStatus::Complete) {
            Check(status == DecodeStatus::Incomplete || !error.empty());
            out.end = status;
            return out;
        }
        CheckFrame(frame, stream.size() - at, limit);
        // Any shorter piece of a complete frame must wait for more bytes.
        for (size_t cut : {frame.length - 1, frame.length / 2, size_t(1)}) {
            if (cut == 0 || cut >= frame.length) continue;
            TFrame partial;
            Check(protocol::DecodeFrame(stream.substr(at, cut), partial, error, limit) == DecodeStatus::Incomplete);
        }
        at += frame.length;
        out.frames.push_back(std::move(frame));
    }
}

bool SameFrame(const TFrame& a, const TFrame& b) {
    return a.kind == b.kind && a.payload == b.payload && a.number == b.number && a.length == b.length;
}

// The server's way: bytes arrive in chunks and frames are cut as they can.
TDecoded DecodeInChunks(std::string_view stream, size_t limit, bool resumable) {
    server::SessionStream session(resumable, limit);
    TChunks chunks(stream);
    TDecoded out;
    size_t given = 0;
    while (true) {
        TFrame frame;
        std::string error;
        DecodeStatus status = session.TakeFrame(frame, error);
        if (status == DecodeStatus::Complete) {
            out.frames.push_back(std::move(frame));
            continue;
        }
        if (status == DecodeStatus::Error || given == stream.size()) {
            out.end = status;
            break;
        }
        size_t n = std::min(chunks.Next(), stream.size() - given);
        session.Receive(reinterpret_cast<const uint8_t*>(stream.data() + given), n);
        given += n;
    }
    Check(session.Received() == given);
    if (resumable) {
        size_t acks = 0;
        for (char ch : session.Unwritten()) acks += ch == static_cast<char>(protocol::kAcknowledge);
        Check(acks == given / protocol::kAcknowledgeBytes);
    }
    return out;
}

void CheckReencoding(const TFrame& frame, const TSettings& s) {
    if (frame.kind == FrameKind::Message) {
        std::string encoded;
        if (!protocol::EncodeFrame(frame.payload, s.options, encoded)) {
            Check(frame.payload.empty());
            return;
        }
        TFrame again;
        std::string error;
        Check(protocol::DecodeFrame(encoded, again, error) == DecodeStatus::Complete);
        Check(again.kind == FrameKind::Message && again.payload == frame.payload && again.length == encoded.size());
        return;
    }
    if ((frame.kind == FrameKind::ResumeReply || frame.kind == FrameKind::SessionNumber) && frame.number >= 0) {
        std::string written;
        if (frame.kind == FrameKind::ResumeReply)
            protocol::AppendResumeReply(static_cast<uint64_t>(frame.number), written);
        else
            protocol::AppendSessionNumber(static_cast<uint64_t>(frame.number), written);
        TFrame again;
        std::string error;
        Check(protocol::DecodeFrame(written, again, error) == DecodeStatus::Complete);
        Check(again.kind == frame.kind && again.number == frame.number && again.length == written.size());
    }
}

void CheckOpening(std::string_view stream) {
    protocol::TOpening opening;
    protocol::OpeningStatus status = protocol::ParseOpening(stream, opening);
    if (status != protocol::OpeningStatus::Complete) return;
    Check(opening.length >= 1 && opening.length <= stream.size());
    for (size_t cut = 1; cut < opening.length; ++cut) {
        protocol::TOpening partial;
        Check(protocol::ParseOpening(stream.substr(0, cut), partial) == protocol::OpeningStatus::Incomplete);
    }
    if (opening.kind != protocol::OpeningKind::Reconnect) return;
    std::string written = protocol::ReconnectOpening(opening.session, opening.bytesReceived);
    protocol::TOpening again;
    Check(protocol::ParseOpening(written, again) == protocol::OpeningStatus::Complete);
    Check(again.kind == opening.kind && again.session == opening.session &&
          again.bytesReceived == opening.bytesReceived && again.length == written.size());
}

// The messages a client cuts from what the server wrote.
std::vector<std::string> ClientReads(std::string_view bytes) {
    std::vector<std::string> messages;
    TDecoded decoded = DecodeAll(bytes, protocol::kMaxInflated);
    Check(decoded.end == DecodeStatus::Incomplete);
    for (const TFrame& f : decoded.frames) {
        Check(f.kind == FrameKind::Message);
        messages.push_back(f.payload);
    }
    return messages;
}

// Sends the messages through a resumable server stream, writing in chunks,
// taking acknowledgements where the client could give them, then resumes
// from a point the client could report.
void CheckSending(const std::vector<std::string>& messages, std::string_view stream) {
    server::SessionStream session(true, protocol::kMaxInflated);
    std::string wire;
    std::vector<std::string> sent;
    for (const std::string& m : messages)
        if (session.SendMessage(m)) sent.push_back(m);
    TChunks chunks(stream);
    uint64_t acknowledged = 0;
    while (!session.Unwritten().empty()) {
        size_t n = std::min(chunks.Next() * 17, session.Unwritten().size());
        wire.append(session.Unwritten().substr(0, n));
        session.MarkWritten(n);
        // The client's k-th acknowledgement comes after 1000k - 1 bytes.
        while ((acknowledged + 1) * protocol::kAcknowledgeBytes - 1 <= wire.size()) {
            Check(session.Acknowledge());
            ++acknowledged;
        }
    }
    Check(!session.Acknowledge());
    Check(session.Written() == wire.size());
    Check(ClientReads(wire) == sent);
    // The client reports what it received: anything from what the server
    // still holds up to everything.
    uint64_t oldest = wire.size() - session.Buffered();
    uint64_t reported = oldest + (stream.empty() ? 0 : static_cast<uint8_t>(stream[0])) % (session.Buffered() + 1);
    Check(session.CanResumeFrom(reported));
    Check(!session.CanResumeFrom(wire.size() + 1));
    if (oldest > 0) Check(!session.CanResumeFrom(oldest - 1));
    session.ResumeFrom(reported);
    std::string resent(session.Unwritten());
    Check(resent == wire.substr(reported));
}


// --- the client's side ----------------------------------------------------

// How long the client side waits for loopback bytes (real time).
constexpr int kPatienceMs = 5000;

bool Readable(int fd, int timeoutMs) {
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, timeoutMs) > 0;
}

// The server's end: a listening loopback socket and the connection taken
// from it.
class TPeer {
public:
    TPeer() {
        std::string error;
        m_listen = server::OpenListener("127.0.0.1", 0, m_port, error);
        Check(m_listen >= 0);
    }
    int Port() const { return m_port; }
    bool Accept() {
        Drop();
        if (!Readable(m_listen, kPatienceMs)) return false;
        m_conn = ::accept(m_listen, nullptr, nullptr);
        return m_conn >= 0;
    }
    void Drop() {
        if (m_conn >= 0) ::close(m_conn);
        m_conn = -1;
    }
    void Write(std::string_view bytes) {
        while (!bytes.empty()) {
            ssize_t n = ::send(m_conn, bytes.data(), bytes.size(), MSG_NOSIGNAL);
            if (n <= 0) return;
            bytes.remove_prefix(static_cast<size_t>(n));
        }
    }
    // What the client wrote so far; false once it closed its end.
    bool Take(std::string& into) {
        char buffer[65536];
        while (Readable(m_conn, 0)) {
            ssize_t n = ::recv(m_conn, buffer, sizeof buffer, 0);
            if (n <= 0) return false;
            into.append(buffer, static_cast<size_t>(n));
        }
        return true;
    }

private:
    int m_listen = -1;
    int m_conn = -1;
    uint16_t m_port = 0;
};

TPeer& Peer() {
    static TPeer* peer = new TPeer;
    return *peer;
}

struct TClientRecord {
    std::vector<std::string> messages;
    int errors = 0;
    int disconnects = 0;
    bool Ended() const { return errors > 0 || disconnects > 0; }
};

void Pump(const std::function<bool()>& done) {
    auto& loop = platform::headless::Loop();
    for (int round = 0; round < kPatienceMs && !done(); ++round) {
        loop.ProcessMessages();
        if (!done()) ::poll(nullptr, 0, 0);
    }
}

// What the client must deliver of the stream: its messages, and the control
// frames it does not use itself. Stops where the client must stop: error
// tells whether it must report a protocol error there, ended whether the
// session ended. An acknowledgement in a resumable session is judged
// against bytes the client sent meanwhile (its answers to keep-alives and
// its own acknowledgements), which only it knows: the comparison stops
// there (open).
struct TExpected {
    std::vector<std::string> messages;
    bool error = false, ended = false, open = false;
};

TExpected Expected(const TDecoded& decoded, bool resumable) {
    TExpected out;
    out.error = decoded.end == DecodeStatus::Error;
    for (const TFrame& frame : decoded.frames) {
        switch (frame.kind) {
            case FrameKind::KeepAlive: continue;
            case FrameKind::Goodbye:
                if (!resumable) break;
                out.error = false;
                out.ended = true;
                return out;
            case FrameKind::Acknowledge:
                if (!resumable) break;
                out.error = false;
                out.open = true;
                return out;
            case FrameKind::SessionNumber:
                if (resumable) continue;
                break;
            default: break;
        }
        out.messages.push_back(frame.payload);
    }
    return out;
}

bool StartsWith(const std::vector<std::string>& all, const std::vector<std::string>& start) {
    return all.size() >= start.size() && std::equal(start.begin(), start.end(), all.begin());
}

// One client on loopback, with what it reported and what it wrote.
class TClientSide {
public:
    explicit TClientSide(bool resumable) : m_client(std::make_unique<Tnet>()) {
        m_client->Host = "127.0.0.1";
        m_client->Port = Peer().Port();
        m_client->Resumable = resumable;
        m_client->WaitStep = [] { platform::headless::Loop().RunFor(50); };
        m_client->OnMessage = [this](TClient*, const std::string& m) { m_record.messages.push_back(m); };
        m_client->OnError = [this](TClient*, const std::string&) { ++m_record.errors; };
        m_disconnects = m_client->OnDisconnect.Subscribe([this](TClient*, int) { ++m_record.disconnects; });
    }

    // Connects; the peer takes the opening and the first keep-alive.
    void Open() {
        m_client->Open();
        Check(m_client->LoggedIn() && Peer().Accept());
        Pump([&] { Peer().Take(m_sent); return m_sent.size() >= 2; });
        Check(m_sent.size() >= 2);
    }

    // The stream arrives. True when the session is still up and resumable.
    bool Feed(std::string_view stream, bool resumable) {
        const TExpected expected = Expected(DecodeAll(stream, protocol::kMaxInflated), resumable);
        Peer().Write(stream);
        // The client cuts frames as it reads: everything is handled once
        // everything is read.
        Pump([&] { return m_record.Ended() || m_client->BytesReceived() >= stream.size() || !m_client->SocketOpen(); });
        if (expected.open) {
            Check(StartsWith(m_record.messages, expected.messages));
            return false;
        }
        Check(m_record.messages == expected.messages);
        Check(expected.error == (m_record.errors > 0));
        Check(expected.ended == (m_record.disconnects > 0 && m_record.errors == 0));
        if (m_record.Ended() || !resumable) return false;
        Check(m_client->BytesReceived() == stream.size());
        return true;
    }

    // The line breaks; the reconnect opening must name the session and the
    // bytes received.
    void Cut() {
        Peer().Take(m_sent);
        Check(m_sent.size() == m_client->BytesSent());
        Peer().Drop();
        Pump([&] { return m_client->AwaitingResume() || m_record.Ended(); });
        Check(m_client->AwaitingResume() && Peer().Accept());
        std::string opening;
        Pump([&] {
            Peer().Take(opening);
            return opening.find('\x01', opening.find('\x01') + 1) != std::string::npos;
        });
        protocol::TOpening parsed;
        Check(protocol::ParseOpening(opening, parsed) == protocol::OpeningStatus::Complete);
        Check(parsed.kind == protocol::OpeningKind::Reconnect && parsed.bytesReceived == m_client->BytesReceived() &&
              parsed.session == static_cast<uint64_t>(m_client->SessionId()));
    }

    // The resume reply names a count near what the client sent: the client
    // sends everything from there again, or ends the session when it no
    // longer holds those bytes or never sent them.
    void Resume(uint8_t choice) {
        const int64_t sent = static_cast<int64_t>(m_client->BytesSent());
        const int64_t keptFrom = sent - m_client->SendBuffer().Position();
        const int64_t reply = std::max<int64_t>(sent - 1100 + choice * 9, 0);
        std::string frame;
        protocol::AppendResumeReply(static_cast<uint64_t>(reply), frame);
        Peer().Write(frame);
        const bool servable = reply >= keptFrom && reply <= sent;
        std::string resent;
        Pump([&] {
            Peer().Take(resent);
            return m_record.Ended() || (!m_client->AwaitingResume() && static_cast<int64_t>(resent.size()) >= sent - reply);
        });
        if (!servable) {
            Check(m_record.disconnects == 1);
            return;
        }
        Check(!m_record.Ended() && !m_client->AwaitingResume());
        Check(resent.substr(0, static_cast<size_t>(sent - reply)) == m_sent.substr(static_cast<size_t>(reply)));
    }

private:
    TClientRecord m_record;
    std::unique_ptr<Tnet> m_client;
    TSubscription m_disconnects;
    std::string m_sent;  // everything the client wrote on the first socket
};

void CheckClient(std::string_view stream, bool resumable, uint8_t resumeChoice) {
    fuzz::Prepare();
    fuzz::TInputStates states;
    TClientSide side(resumable);
    side.Open();
    if (!side.Feed(stream, resumable)) return;
    side.Cut();
    side.Resume(resumeChoice);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const TSettings settings = SettingsOf(data[0]);
    const std::string_view stream(reinterpret_cast<const char*>(data + 1), size - 1);

    const TDecoded whole = DecodeAll(stream, settings.limit);
    const TDecoded chunked = DecodeInChunks(stream, settings.limit, settings.resumable);
    Check(whole.end == chunked.end && whole.frames.size() == chunked.frames.size());
    std::vector<std::string> messages;
    for (size_t i = 0; i < whole.frames.size(); ++i) {
        Check(SameFrame(whole.frames[i], chunked.frames[i]));
        CheckReencoding(whole.frames[i], settings);
        if (whole.frames[i].kind == FrameKind::Message) messages.push_back(whole.frames[i].payload);
    }
    CheckOpening(stream);
    CheckSending(messages, stream);
    CheckClient(stream, settings.resumable, data[0]);
    return 0;
}
