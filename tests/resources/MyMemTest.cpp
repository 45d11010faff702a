// The byte buffer: growth rule, cursor rules, little-endian coding, editing,
// searching and whole-file loading and saving.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "resources/MyMem.h"

namespace {

std::string Bytes(const TMymem& m) {
    return std::string(reinterpret_cast<const char*>(m.Memory()), static_cast<size_t>(m.Size()));
}

void WriteFilled(TMymem& m, int64_t n, char c = 'x') {
    std::string data(static_cast<size_t>(n), c);
    ASSERT_TRUE(m.Write(data.data(), n));
}

// A fresh directory under the test temp folder, removed afterwards.
class MyMemFiles : public testing::Test {
protected:
    std::string Path(const std::string& name) const { return m_dir + name; }
    void Put(const std::string& name, const std::string& content) const {
        TMymem m;
        m.WriteText(content);
        ASSERT_TRUE(m.SaveToFile(Path(name)));
    }

    TTempFolder m_folder{"mymem_"};
    const std::string m_dir = m_folder.Dir();
};

TEST(TMymemTest, CreateGivesEmptyBufferOf1024Bytes) {
    TMymem m;
    EXPECT_EQ(m.Size(), 0);
    EXPECT_EQ(m.Capacity(), 1024);
    EXPECT_EQ(m.Position(), 0);
    EXPECT_FALSE(m.FixedCapacity);
    EXPECT_FALSE(m.ExactShrink);
    EXPECT_NE(m.Memory(), nullptr);
}

TEST(TMymemTest, WritesAreLittleEndian) {
    TMymem m;
    m.WriteInt24(0x123456);
    EXPECT_EQ(Bytes(m), std::string("\x56\x34\x12", 3));
    EXPECT_EQ(m.Size(), 3);
    EXPECT_EQ(m.Position(), 3);

    m.WriteInt24(0xFF000001);  // only the low three bytes
    m.WriteInt16(0xBEEF);
    m.WriteInt32(0x01020304);
    m.WriteByte(0x7F);
    EXPECT_EQ(Bytes(m), std::string("\x56\x34\x12\x01\x00\x00\xEF\xBE\x04\x03\x02\x01\x7F", 13));
}

TEST(TMymemTest, ReadersDecodeWhatWritersWrote) {
    TMymem m;
    m.WriteInt32(0xFFFFFFFE);
    m.WriteByte(200);
    m.WriteText("hello");
    m.WriteInt16(0x1234);
    m.SetPosition(0);
    EXPECT_EQ(m.ReadInt32(), -2);
    EXPECT_EQ(m.ReadByte(), 200);
    EXPECT_EQ(m.ReadText(5), "hello");
    uint16_t v16 = 0;
    EXPECT_TRUE(m.TryReadInt16(v16));
    EXPECT_EQ(v16, 0x1234);
    EXPECT_EQ(m.Position(), m.Size());
}

TEST(TMymemTest, WriteGrowsToOneAndAHalfTimesTheNeed) {
    TMymem m;
    WriteFilled(m, 2000);
    EXPECT_EQ(m.Size(), 2000);
    EXPECT_EQ(m.Capacity(), 3000);
    WriteFilled(m, 1000);
    EXPECT_EQ(m.Capacity(), 3000);
    m.WriteByte(1);
    EXPECT_EQ(m.Capacity(), 4501);
    EXPECT_EQ(m.Size(), 3001);
    EXPECT_EQ(m.ByteAt(1999), 'x');
    EXPECT_EQ(m.ByteAt(3000), 1);
}

TEST(TMymemTest, SetSizeOnEmptyBufferAllocatesExactly) {
    TMymem m;
    m.SetSize(2000);
    EXPECT_EQ(m.Capacity(), 2000);
    EXPECT_EQ(m.Size(), 2000);
    m.SetSize(2100);  // now the size is not 0: factor 1.5
    EXPECT_EQ(m.Capacity(), 3150);
}

TEST(TMymemTest, SetSizeZeroShrinksToMinimumAndRewinds) {
    TMymem m;
    WriteFilled(m, 5000);
    m.SetSize(0);
    EXPECT_EQ(m.Capacity(), 1024);
    EXPECT_EQ(m.Position(), 0);
    EXPECT_EQ(m.Size(), 0);
    m.WriteText("ab");
    m.Clear();
    EXPECT_EQ(m.Size(), 0);
    EXPECT_EQ(m.Position(), 0);
}

TEST(TMymemTest, SetSizeKeepsContentsAndClampsPosition) {
    TMymem m;
    m.WriteText("0123456789");
    m.SetSize(4);
    EXPECT_EQ(m.Position(), 4);
    EXPECT_EQ(Bytes(m), "0123");
    m.SetPosition(2);
    m.SetSize(100000);
    EXPECT_EQ(m.Position(), 2);
    EXPECT_EQ(Bytes(m).substr(0, 4), "0123");
}

TEST(TMymemTest, FlagsSelectExactCapacities) {
    TMymem fixed;
    fixed.FixedCapacity = true;
    WriteFilled(fixed, 2000);
    EXPECT_EQ(fixed.Capacity(), 2000);
    fixed.WriteByte(0);
    EXPECT_EQ(fixed.Capacity(), 2001);
    fixed.SetSize(10);
    EXPECT_EQ(fixed.Capacity(), 1024);

    TMymem shrink;
    shrink.ExactShrink = true;
    shrink.SetSize(5000);
    shrink.SetSize(6000);
    EXPECT_EQ(shrink.Capacity(), 9000);  // growing still uses the factor
    shrink.SetSize(3000);
    EXPECT_EQ(shrink.Capacity(), 3000);

    TMymem plain;
    plain.SetSize(5000);
    plain.SetSize(3000);
    EXPECT_EQ(plain.Capacity(), 4500);
}

TEST(TMymemTest, ReserveAllocatesExactlyAndKeepsState) {
    TMymem m;
    m.WriteText("abc");
    m.SetPosition(1);
    EXPECT_TRUE(m.Reserve(50000));
    EXPECT_EQ(m.Capacity(), 50000);
    EXPECT_EQ(m.Size(), 3);
    EXPECT_EQ(m.Position(), 1);
    EXPECT_EQ(Bytes(m), "abc");
    EXPECT_TRUE(m.Reserve(10));
    EXPECT_EQ(m.Capacity(), 50000);
}

TEST(TMymemTest, WriteBeyondTheSizeExtendsToTheCursor) {
    TMymem m;
    m.WriteText("ab");
    m.SetPosition(5000);
    m.WriteText("z");
    EXPECT_EQ(m.Size(), 5001);
    EXPECT_EQ(m.ByteAt(5000), 'z');
    EXPECT_EQ(m.ByteAt(0), 'a');
}

TEST(TMymemTest, WriteMayCopyFromItsOwnStorageWhileGrowing) {
    TMymem m;
    for (int i = 0; i < 1000; ++i) m.WriteByte(static_cast<uint8_t>(i));
    ASSERT_TRUE(m.Write(m.Memory(), 1000));  // forces a reallocation
    ASSERT_EQ(m.Size(), 2000);
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(m.ByteAt(1000 + i), static_cast<uint8_t>(i));
}

TEST(TMymemTest, EmptyWritesChangeNothing) {
    TMymem m;
    m.WriteText("");
    m.Write(nullptr, 0);
    m.Write("abc", -3);
    EXPECT_EQ(m.Size(), 0);
    EXPECT_EQ(m.Position(), 0);
}

TEST(TMymemTest, RawReadersNeverPassTheSize) {
    TMymem m;
    m.WriteText("ab");
    m.SetPosition(1);
    EXPECT_EQ(m.ReadInt32(), 'b');  // missing bytes read as zero
    EXPECT_EQ(m.Position(), 2);
    EXPECT_EQ(m.ReadByte(), 0);
    EXPECT_EQ(m.Position(), 2);
    m.SetPosition(0);
    EXPECT_EQ(m.ReadText(LLONG_MAX), "ab");
    char out[4] = {'q', 'q', 'q', 'q'};
    m.SetPosition(1);
    m.ReadBytes(out, 4);
    EXPECT_EQ(std::string(out, 4), std::string("b\0\0\0", 4));
    EXPECT_EQ(m.ByteAt(2), 0);
    EXPECT_EQ(m.ByteAt(-1), 0);
}

TEST(TMymemTest, CheckedReadersFailWithoutMovingTheCursor) {
    TMymem m;
    m.WriteText("abc");
    m.SetPosition(1);
    int32_t v32 = 7;
    uint16_t v16 = 7;
    uint8_t v8 = 7;
    std::string text = "keep";
    char out[4] = {};
    EXPECT_FALSE(m.TryReadInt32(v32));
    EXPECT_FALSE(m.TryReadText(3, text));
    EXPECT_FALSE(m.TryReadText(-1, text));
    EXPECT_FALSE(m.TryReadBytes(out, 3));
    EXPECT_EQ(m.Position(), 1);
    EXPECT_EQ(v32, 7);
    EXPECT_EQ(text, "keep");
    EXPECT_TRUE(m.TryReadInt16(v16));
    EXPECT_EQ(v16, 'b' | 'c' << 8);
    EXPECT_FALSE(m.TryReadByte(v8));
    EXPECT_FALSE(m.TryReadInt16(v16));
    EXPECT_EQ(m.Position(), 3);
    m.SetPosition(0);
    EXPECT_TRUE(m.TryReadText(3, text));
    EXPECT_EQ(text, "abc");
}

TEST(TMymemTest, InsertGapMovesTheTailUp) {
    TMymem m;
    m.WriteText("0123456789");
    m.SetPosition(0);
    ASSERT_TRUE(m.InsertGap(9));
    EXPECT_EQ(m.Size(), 19);
    EXPECT_EQ(m.Position(), 0);
    EXPECT_EQ(Bytes(m).substr(9), "0123456789");

    m.WriteText("ABCDEFGHI");
    EXPECT_EQ(Bytes(m), "ABCDEFGHI0123456789");
    m.SetPosition(12);
    m.InsertGap(2000);  // grows the capacity
    EXPECT_EQ(m.Size(), 2019);
    EXPECT_EQ(Bytes(m).substr(0, 12), "ABCDEFGHI012");
    EXPECT_EQ(Bytes(m).substr(2012), "3456789");
}

TEST(TMymemTest, DeleteBytesClosesTheGapAtTheCursor) {
    TMymem m;
    m.WriteText("0123456789");
    m.SetPosition(2);
    m.DeleteBytes(3);
    EXPECT_EQ(Bytes(m), "0156789");
    EXPECT_EQ(m.Position(), 2);
    m.DeleteBytes(100);  // only what is there
    EXPECT_EQ(Bytes(m), "01");
    m.DeleteBytes(-1);
    m.SetPosition(0);
    m.DeleteBytes(0);
    EXPECT_EQ(Bytes(m), "01");
}

TEST(TMymemTest, FindSearchesFromTheCursorWithinTheSize) {
    TMymem m;
    m.WriteText("key=value;key2=x");
    m.SetPosition(0);
    EXPECT_EQ(m.Find("key"), 0);
    EXPECT_EQ(m.Find(";"), 9);
    m.SetPosition(1);
    EXPECT_EQ(m.Find("key"), 10);
    EXPECT_EQ(m.Find("value"), 4);
    m.SetPosition(5);
    EXPECT_EQ(m.Find("value"), -1);  // only before the cursor
    EXPECT_EQ(m.Position(), 5);
    EXPECT_EQ(m.Find(""), -1);

    m.SetSize(15);  // "x" still lies in the storage, but beyond the size
    m.SetPosition(0);
    EXPECT_EQ(m.Find("=x"), -1);
    EXPECT_EQ(m.Find("2="), 13);
}

TEST(TMymemTest, AbsurdSizesAreRefusedAndLeaveTheBufferAlone) {
    TMymem m;
    m.WriteText("abc");
    const uint8_t* before = m.Memory();
    EXPECT_FALSE(m.SetSize(LLONG_MAX));
    EXPECT_FALSE(m.SetSize(TMymem::MaxCapacity + 1));
    EXPECT_FALSE(m.Reserve(LLONG_MAX));
    EXPECT_FALSE(m.InsertGap(LLONG_MAX));
    m.SetPosition(LLONG_MAX - 1);
    EXPECT_FALSE(m.WriteInt32(1));
    EXPECT_EQ(m.Position(), LLONG_MAX - 1);
    m.SetPosition(-7);
    EXPECT_EQ(m.Position(), 0);
    EXPECT_EQ(m.Memory(), before);
    EXPECT_EQ(m.Size(), 3);
    EXPECT_EQ(m.Capacity(), 1024);
    EXPECT_EQ(Bytes(m), "abc");

    EXPECT_TRUE(m.SetSize(-5));
    EXPECT_EQ(m.Size(), 0);
    EXPECT_EQ(m.Position(), 0);
}

TEST_F(MyMemFiles, SaveThenLoadRoundTrips) {
    TMymem out;
    for (int i = 0; i < 3000; ++i) out.WriteByte(static_cast<uint8_t>(i * 7));
    ASSERT_TRUE(out.SaveToFile(Path("a.bin")));
    TMymem in;
    ASSERT_TRUE(in.LoadFromFile(Path("a.bin")));
    EXPECT_EQ(in.Size(), 3000);
    EXPECT_EQ(in.Position(), 0);
    EXPECT_EQ(Bytes(in), Bytes(out));
    EXPECT_EQ(std::filesystem::file_size(Path("a.bin")), 3000u);
}

TEST_F(MyMemFiles, LoadReadsAtTheCursorWithoutMovingIt) {
    Put("b.txt", "XYZ");
    TMymem m;
    m.WriteText("0123456789");
    m.SetPosition(2);
    ASSERT_TRUE(m.LoadFromFile(Path("b.txt")));
    EXPECT_EQ(Bytes(m), "01XYZ56789");  // already large enough: size stays
    EXPECT_EQ(m.Position(), 2);
    m.SetPosition(9);
    ASSERT_TRUE(m.LoadFromFile(Path("b.txt")));
    EXPECT_EQ(Bytes(m), "01XYZ5678XYZ");
}

TEST_F(MyMemFiles, MissingEmptyAndDirectoryFilesFail) {
    Put("empty", "");
    TMymem m;
    m.WriteText("keep");
    EXPECT_FALSE(m.LoadFromFile(Path("nothing")));
    EXPECT_FALSE(m.LoadFromFile(Path("empty")));
    EXPECT_FALSE(m.LoadFromFile(m_dir));
    EXPECT_EQ(Bytes(m), "keep");
    EXPECT_FALSE(m.SaveToFile(Path("no/such/dir")));
}

TEST_F(MyMemFiles, FileThatVanishesBetweenLoadsFails) {
    Put("c.txt", "first");
    TMymem m;
    ASSERT_TRUE(m.LoadFromFile(Path("c.txt")));
    std::filesystem::remove(Path("c.txt"));
    m.SetPosition(5);
    EXPECT_FALSE(m.LoadFromFile(Path("c.txt")));
    EXPECT_EQ(Bytes(m), "first");
    EXPECT_EQ(m.Position(), 5);
}

// Files under /sys announce a length of a page but deliver only their text:
// a real file that is shorter than its length while it is read.
TEST_F(MyMemFiles, ShortReadCountsOnlyTheBytesRead) {
    const std::string path = "/sys/kernel/mm/transparent_hugepage/enabled";
    if (std::filesystem::file_size(path) <= 100) GTEST_SKIP() << "no short-reading file here";
    TMymem m;
    m.WriteText("ab");
    EXPECT_FALSE(m.LoadFromFile(path));
    EXPECT_GT(m.Size(), 2);
    EXPECT_LT(m.Size(), 200);
    EXPECT_EQ(m.Position(), 2);
    EXPECT_EQ(Bytes(m).back(), '\n');
}

TEST_F(MyMemFiles, LoadsAHundredMegabyteFile) {
    constexpr int64_t kSize = 100 * 1000 * 1000;
    int fd = open(Path("big").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(ftruncate(fd, kSize), 0);
    ASSERT_EQ(pwrite(fd, "head", 4, 0), 4);
    ASSERT_EQ(pwrite(fd, "tail", 4, kSize - 4), 4);
    close(fd);

    TMymem m;
    ASSERT_TRUE(m.LoadFromFile(Path("big")));
    EXPECT_EQ(m.Size(), kSize);
    EXPECT_EQ(m.Capacity(), kSize);
    EXPECT_EQ(m.ReadText(4), "head");
    m.SetPosition(kSize - 4);
    EXPECT_EQ(m.ReadText(4), "tail");
    EXPECT_EQ(m.ByteAt(kSize / 2), 0);
}

}  // namespace
