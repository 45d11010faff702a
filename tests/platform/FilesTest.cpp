// File helpers: the machine number and the edges of reading and writing.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "platform/Files.h"

namespace {

class TTempDir {
public:
    TTempDir() {
        char name[] = "/tmp/qv_files_XXXXXX";
        if (mkdtemp(name)) m_path = name;
    }
    ~TTempDir() {
        if (!m_path.empty()) std::system(("rm -rf '" + m_path + "'").c_str());
    }
    std::string File(const std::string& name) const { return m_path + "/" + name; }
    bool Ok() const { return !m_path.empty(); }

private:
    std::string m_path;
};

bool Put(const std::string& path, const std::string& text) {
    return platform::WriteWholeFile(path, text.data(), static_cast<int64_t>(text.size()));
}

}  // namespace

TEST(MachineNumber, StableForTheSameIdAndIgnoresTheLineEnd) {
    TTempDir dir;
    ASSERT_TRUE(dir.Ok());
    ASSERT_TRUE(Put(dir.File("a"), "4c4c4544003957108052b4c04f384b32\n"));
    ASSERT_TRUE(Put(dir.File("b"), "4c4c4544003957108052b4c04f384b32"));
    ASSERT_TRUE(Put(dir.File("c"), "4c4c4544003957108052b4c04f384b33\n"));
    uint32_t a = platform::MachineNumber(dir.File("a"));
    EXPECT_NE(a, 0u);
    EXPECT_EQ(platform::MachineNumber(dir.File("a")), a);
    EXPECT_EQ(platform::MachineNumber(dir.File("b")), a);
    EXPECT_NE(platform::MachineNumber(dir.File("c")), a);
}

TEST(MachineNumber, ZeroWithoutAnId) {
    TTempDir dir;
    ASSERT_TRUE(dir.Ok());
    EXPECT_EQ(platform::MachineNumber(dir.File("missing")), 0u);
    ASSERT_TRUE(Put(dir.File("empty"), ""));
    EXPECT_EQ(platform::MachineNumber(dir.File("empty")), 0u);
    ASSERT_TRUE(Put(dir.File("blank"), " \r\n"));
    EXPECT_EQ(platform::MachineNumber(dir.File("blank")), 0u);
    EXPECT_EQ(platform::MachineNumber(dir.File("")), 0u);  // the directory itself
}

TEST(Files, ReadSeekAndTheirEdges) {
    TTempDir dir;
    ASSERT_TRUE(dir.Ok());
    ASSERT_TRUE(Put(dir.File("f"), "hello"));
    platform::TReadFile f;
    ASSERT_TRUE(f.Open(dir.File("f")));
    EXPECT_EQ(f.Size(), 5);
    EXPECT_FALSE(f.Seek(-1));
    EXPECT_TRUE(f.Seek(3));
    char buf[8];
    EXPECT_EQ(f.Read(buf, sizeof buf), 2);
    EXPECT_EQ(std::string(buf, 2), "lo");
    EXPECT_EQ(f.Read(buf, sizeof buf), 0);
    EXPECT_EQ(f.Read(buf, -4), 0);
    f.Close();
    EXPECT_EQ(f.Size(), -1);
    EXPECT_FALSE(f.Open(dir.File("")));  // a directory is not a file
}

TEST(Files, WritingRefusesANegativeLengthAndAtomicWriteReplaces) {
    TTempDir dir;
    ASSERT_TRUE(dir.Ok());
    std::string path = dir.File("g");
    EXPECT_FALSE(platform::WriteWholeFile(path, "x", -1));
    EXPECT_FALSE(platform::FileExists(path));
    ASSERT_TRUE(Put(path, "old contents"));
    ASSERT_TRUE(platform::WriteFileAtomic(path, "new", 3));
    platform::TReadFile f;
    ASSERT_TRUE(f.Open(path));
    EXPECT_EQ(f.Size(), 3);
    EXPECT_FALSE(platform::WriteFileAtomic(path, "x", -1));
    EXPECT_FALSE(platform::WriteFileAtomic(dir.File("no/such/dir"), "x", 1));
}
