// The stand-in under hostile calls: bad buffers, keys and blocks, foreign files, table limits.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstring>
#include <fstream>
#include <string>

#include "fakes/record_manager_client.h"
#include "wbtrv32.h"

namespace recordstore::testing {
namespace {

class RobustnessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(file_.Create(), btr::kOk);
    ASSERT_EQ(file_.Open(), btr::kOk);
    ASSERT_EQ(file_.Insert(SampleRecord("A001", 1, "ann")), btr::kOk);
  }
  void TearDown() override { file_.Close(); }

  TempDir dir_;
  Client file_{dir_.File("robust.btr")};
};

TEST_F(RobustnessTest, PositionBlocksWithoutALiveHandleAnswerFileNotOpen) {
  uint8_t zeros[128] = {};
  uint8_t garbage[128];
  for (int i = 0; i < 128; ++i) garbage[i] = static_cast<uint8_t>(i * 37 + 11);
  uint8_t forged[128];
  std::memcpy(forged, file_.position_block().data(), 128);
  forged[8] ^= 1;  // another generation
  uint8_t stale[128];
  {
    Client closed(file_.path());
    ASSERT_EQ(closed.Open(), btr::kOk);
    std::memcpy(stale, closed.position_block().data(), 128);
    ASSERT_EQ(closed.Close(), btr::kOk);
  }
  Bytes data(1250);
  uint32_t length = 1250;
  uint8_t key[255] = {};
  for (uint8_t* block : {static_cast<uint8_t*>(nullptr), zeros, garbage, forged, stale}) {
    for (uint16_t operation : {btr::kClose, btr::kInsert, btr::kUpdate, btr::kDelete,
                               btr::kGetEqual, btr::kGetNext, btr::kGetGreaterOrEqual,
                               btr::kGetFirst, btr::kStat, btr::kGetPosition, btr::kGetDirect}) {
      length = 1250;
      EXPECT_EQ(BTRCALL(operation, block, data.data(), &length, key, 255, 0), btr::kFileNotOpen)
          << "operation " << operation;
    }
  }
  EXPECT_EQ(file_.Get(btr::kGetFirst, 0), btr::kOk) << "the live block still works";
}

constexpr int kNone = -1;  // no data length: a null pointer

struct MalformedCase {
  const char* name;
  uint16_t operation;
  bool data;  // pass a data buffer
  int length;
  bool key;  // pass a key buffer
  uint8_t key_length;
  int8_t key_number;
  int16_t status;
};

TEST_F(RobustnessTest, MalformedArgumentsAreAnsweredNotFollowed) {
  ASSERT_EQ(file_.Get(btr::kGetFirst, 0), btr::kOk);
  const MalformedCase cases[] = {
      {"get, no data buffer", btr::kGetFirst, false, 1250, true, 255, 0, btr::kDataBufferLength},
      {"get, no length", btr::kGetFirst, true, kNone, true, 255, 0, btr::kDataBufferLength},
      {"get, short key buffer", btr::kGetFirst, true, 1250, true, 3, 0, btr::kKeyBufferTooShort},
      {"get, no key buffer", btr::kGetEqual, true, 1250, false, 255, 0, btr::kKeyBufferTooShort},
      {"get, key number 3", btr::kGetFirst, true, 1250, true, 255, 3, btr::kInvalidKeyNumber},
      {"get, key number -1", btr::kGetFirst, true, 1250, true, 255, -1, btr::kInvalidKeyNumber},
      {"get, key number 127", btr::kGetEqual, true, 1250, true, 255, 127, btr::kInvalidKeyNumber},
      {"get next, key -128", btr::kGetNext, true, 1250, true, 255, -128, btr::kInvalidKeyNumber},
      {"insert, no data", btr::kInsert, false, 16, true, 255, 0, btr::kDataBufferLength},
      {"insert, key -2", btr::kInsert, true, 16, true, 255, -2, btr::kInvalidKeyNumber},
      {"insert, no key buffer", btr::kInsert, true, 16, false, 0, 1, btr::kKeyBufferTooShort},
      {"update, key -1", btr::kUpdate, true, 16, true, 255, -1, btr::kInvalidKeyNumber},
      {"get direct, no data", btr::kGetDirect, false, 1250, true, 255, 0, btr::kDataBufferLength},
      {"get direct, 3 bytes", btr::kGetDirect, true, 3, true, 255, 0, btr::kDataBufferLength},
      {"get position, 3 bytes", btr::kGetPosition, true, 3, false, 0, 0, btr::kDataBufferLength},
      {"stat, no data", btr::kStat, false, 416, false, 0, 0, btr::kDataBufferLength},
      {"create, empty path", btr::kCreate, false, 80, true, 255, 0, btr::kInvalidFileName},
      {"create, no path", btr::kCreate, true, 80, false, 0, 0, btr::kInvalidFileName},
      {"open, no path", btr::kOpen, true, 1, false, 0, 0, btr::kInvalidFileName},
      {"open, empty path", btr::kOpen, true, 1, true, 0, 0, btr::kInvalidFileName},
  };
  for (const MalformedCase& c : cases) {
    Bytes data(1250, 0);
    uint32_t length = static_cast<uint32_t>(c.length);
    Bytes key(255, 0);
    Client scratch(file_.path());
    std::memcpy(scratch.position_block().data(), file_.position_block().data(), 128);
    EXPECT_EQ(scratch.Raw(c.operation, c.data ? data.data() : nullptr,
                          c.length == kNone ? nullptr : &length, c.key ? key.data() : nullptr,
                          c.key_length, c.key_number),
              c.status)
        << c.name;
  }
  EXPECT_EQ(file_.Get(btr::kGetNext, 0), btr::kEndOfFile) << "currency untouched";
}

TEST_F(RobustnessTest, PathsAreReadAsWindowsWritesThemAndForeignFilesRefused) {
  char path[255];
  std::memset(path, 'a', sizeof path);
  uint8_t block[128] = {};
  uint32_t length = 0;
  EXPECT_EQ(BTRCALL(btr::kOpen, block, nullptr, &length, path, 255, 0), btr::kInvalidFileName);
  EXPECT_EQ(BTRCALL(btr::kOpen, nullptr, nullptr, &length, path, 255, 0),
            btr::kPositionBlockLength);

  // Files that are not the stand-in's own, and a directory, do not open.
  const std::string text_file = dir_.File("notes.txt");
  std::ofstream(text_file) << "not a database, just some words that run on for a while\n";
  const std::string empty_file = dir_.File("empty.btr");
  std::ofstream(empty_file).close();
  for (const std::string& foreign_path : {text_file, empty_file}) {
    Client foreign(foreign_path);
    EXPECT_EQ(foreign.Open(), btr::kNotRecordManagerFile) << foreign_path;
  }
  Client directory(dir_.File(""));
  EXPECT_NE(directory.Open(), btr::kOk);

  // Backslashes separate directories.
  std::string windows_path = file_.path();
  const size_t slash = windows_path.rfind('/');
  windows_path[slash] = '\\';
  Client windows_style(windows_path);
  ASSERT_EQ(windows_style.Open(btr::kModeReadOnly), btr::kOk);
  EXPECT_EQ(windows_style.Get(btr::kGetFirst, 0), btr::kOk);
  EXPECT_EQ(windows_style.Close(), btr::kOk);
}

// Sets an environment variable for one scope.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) { setenv(name, value, 1); }
  ~ScopedEnv() { unsetenv(name_); }

 private:
  const char* name_;
};

TEST_F(RobustnessTest, FileAndHandleTableLimitsAnswer86And87UntilAFileCloses) {
  Client other(dir_.File("other.btr"));
  ASSERT_EQ(other.Create(), btr::kOk);
  {
    ScopedEnv limit("R7_RECORDSTORE_MAX_OPEN", "1");
    EXPECT_EQ(other.Open(), btr::kFileTableFull);
    Client same(file_.path());
    EXPECT_EQ(same.Open(), btr::kOk) << "a file already open takes no new table entry";
    EXPECT_EQ(same.Close(), btr::kOk);
    ASSERT_EQ(file_.Close(), btr::kOk);
    EXPECT_EQ(other.Open(), btr::kOk) << "the retry after freeing a file";
    EXPECT_EQ(other.Close(), btr::kOk);
    ASSERT_EQ(file_.Open(), btr::kOk);
  }

  ScopedEnv handles("R7_RECORDSTORE_MAX_HANDLES", "2");
  Client second(file_.path()), third(file_.path());
  EXPECT_EQ(second.Open(), btr::kOk);
  EXPECT_EQ(third.Open(), btr::kHandleTableFull);
  EXPECT_EQ(second.Close(), btr::kOk);
  EXPECT_EQ(third.Open(), btr::kOk);
  EXPECT_EQ(third.Close(), btr::kOk);
  ScopedEnv nonsense("R7_RECORDSTORE_MAX_HANDLES", "lots");
  EXPECT_EQ(second.Open(), btr::kOk) << "an unreadable limit is no limit";
  EXPECT_EQ(second.Close(), btr::kOk);
}

}  // namespace
}  // namespace recordstore::testing
