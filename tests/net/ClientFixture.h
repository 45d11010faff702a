// A TClient connected to a scripted peer, with everything it reports
// recorded, and a frame reader for what the peer receives.
#pragma once

#include <memory>
#include <vector>

#include "NetFixture.h"
#include "protocol/FrameCodec.h"

namespace nettest {

class ClientFixture : public NetFixture {
protected:
    void TearDown() override {
        client.reset();
        NetFixture::TearDown();
    }

    // Creates the client with its recorders; Open() is left to the case.
    Tnet& Make(bool resumable) {
        client = std::make_unique<Tnet>();
        client->Host = "127.0.0.1";
        client->Port = peer.Port();
        client->Resumable = resumable;
        client->WaitStep = VirtualStep;
        client->OnMessage = [this](TClient*, const std::string& m) { messages.push_back(m); };
        client->OnError = [this](TClient*, const std::string& e) { errors.push_back(e); };
        disconnected = client->OnDisconnect.Subscribe([this](TClient*, int) { ++disconnects; });
        client->OnReconnect = [this](TClient*, int) { ++reconnects; };
        return *client;
    }

    // Opens, accepts, and takes the opening byte and the first keep-alive.
    Tnet& Connected(bool resumable) {
        Make(resumable);
        client->Open();
        EXPECT_TRUE(client->LoggedIn());
        EXPECT_TRUE(peer.Accept());
        std::string opening = peer.Read(2);
        EXPECT_EQ(opening, std::string(resumable ? "\xFE{" : "\xFF{"));
        return *client;
    }

    // The next frame the peer receives, decoded.
    protocol::TFrame PeerFrame() {
        protocol::TFrame frame;
        while (true) {
            std::string error;
            if (protocol::DecodeFrame(m_pending, frame, error) == protocol::DecodeStatus::Complete) {
                m_pending.erase(0, frame.length);
                return frame;
            }
            std::string more = peer.ReadAvailable();
            if (more.empty()) {
                ADD_FAILURE() << "no complete frame from the client";
                return {};
            }
            m_pending += more;
        }
    }

    // Waits until the client has taken in `total` bytes of the session.
    bool ReceivedBytes(uint64_t total) {
        return PumpUntil([&] { return client->BytesReceived() >= total; });
    }

    TPeer peer;
    std::unique_ptr<Tnet> client;
    std::vector<std::string> messages;
    std::vector<std::string> errors;
    int disconnects = 0;
    int reconnects = 0;
    TSubscription disconnected;

private:
    std::string m_pending;
};

inline std::string Frame(const std::string& message) {
    std::string out;
    protocol::EncodeFrame(message, {}, out);
    return out;
}

inline std::string Pattern(size_t n, int salt = 0) {
    std::string s;
    for (size_t i = 0; i < n; ++i) s.push_back(static_cast<char>((i * 31 + static_cast<size_t>(salt)) & 0xFF));
    return s;
}

}  // namespace nettest
