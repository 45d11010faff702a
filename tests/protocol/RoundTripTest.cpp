// Every message the server sends is read back by the client's reader, and
// every message the client sends by the server's, field for field.
#include <gtest/gtest.h>

#include <typeinfo>

#include "Samples.h"

namespace protocoltest {
namespace {

template <class TMessage>
void ExpectRoundTrip(const TMessage& sample) {
    std::string bytes = Build(sample);
    ASSERT_FALSE(bytes.empty()) << typeid(TMessage).name();
    TMessage read{};
    // Whether a file chunk carries its size is the reader's state, not the
    // message's.
    if constexpr (std::is_same_v<TMessage, TFileChunk>) read.HasSize = sample.HasSize;
    ASSERT_TRUE(Parse(bytes, read)) << typeid(TMessage).name();
    EXPECT_TRUE(read == sample) << typeid(TMessage).name();
    EXPECT_EQ(Build(read), bytes) << typeid(TMessage).name();
}

// A message of the other direction, or of another code, is not read.
template <class TMessage>
void ExpectCodeChecked(const TMessage& sample) {
    std::string bytes = Build(sample);
    bytes[0] = static_cast<char>(bytes[0] + 1);
    TMessage read{};
    EXPECT_FALSE(Parse(bytes, read)) << typeid(TMessage).name();
}

TEST(RoundTripTest, EveryServerMessageReadsBackAsBuilt) {
    std::apply([](const auto&... sample) { (ExpectRoundTrip(sample), ...); }, ServerSamples());
    std::apply([](const auto&... sample) { (ExpectCodeChecked(sample), ...); }, ServerSamples());
}

TEST(RoundTripTest, EveryClientMessageReadsBackAsBuilt) {
    std::apply([](const auto&... sample) { (ExpectRoundTrip(sample), ...); }, ClientSamples());
    std::apply([](const auto&... sample) { (ExpectCodeChecked(sample), ...); }, ClientSamples());
}

// The client reads whatever the server cut short: every prefix of every
// message reads without failing (the fields missing keep their defaults)
// and never past its end.
TEST(RoundTripTest, EveryPrefixOfAServerMessageIsRead) {
    auto readPrefixes = [](const auto& sample) {
        using TMessage = std::decay_t<decltype(sample)>;
        std::string bytes = Build(sample);
        for (size_t n = 1; n <= bytes.size(); ++n) {
            // Its own copy, so a read past the prefix is a read past the end.
            std::string prefix = bytes.substr(0, n);
            TMessage read{};
            if constexpr (std::is_same_v<TMessage, TGameStartMessage>) {
                EXPECT_EQ(Parse(prefix, read), n >= 2) << typeid(TMessage).name() << " " << n;
            } else {
                EXPECT_TRUE(Parse(prefix, read)) << typeid(TMessage).name() << " " << n;
            }
        }
    };
    std::apply([&](const auto&... sample) { (readPrefixes(sample), ...); }, ServerSamples());
}

// A name ends the message, so the reader drops one last byte 1; a name that
// holds another could not be built again as it was read, and is refused.
TEST(RoundTripTest, NamesAtTheEndAreReadOnlyWhenTheyCanBeBuiltAgain) {
    using namespace std::literals;
    TOpenRoom open;
    EXPECT_TRUE(Parse("+\x00" "eva\x01"sv, open));
    EXPECT_EQ(open.Name, "eva");
    EXPECT_FALSE(Parse("+\x00" "eva\x01\x01"sv, open));
    TForumAdd add;
    EXPECT_FALSE(Parse("\x1F\x03\x00" "e\x01va"sv, add));
}

TEST(RoundTripTest, PayloadsBeyondTheLengthByteAreNotBuilt) {
    EXPECT_TRUE(Build(TGameData{std::string(256, 'x')}).empty());
    EXPECT_EQ(Build(TGameData{std::string(255, 'x')}).size(), 257u);
}

}  // namespace
}  // namespace protocoltest
