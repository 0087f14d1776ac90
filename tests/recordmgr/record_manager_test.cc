// The driver's binding to the record manager's client library: loading, statuses, retries.
#include "recordmgr/record_manager.h"

#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "base/error_codes.h"
#include "fakes/fake_platform.h"

namespace r7 {
namespace {

// A client library whose entry points are this file's functions and lambdas: it records each call
// and answers with scripted statuses and records.
struct FakeClient {
  bool loadable = true;
  std::set<std::string> missing_entry_points;
  int init_status = 0;
  int init_calls = 0, stop_calls = 0, loads = 0, unloads = 0;
  struct Seen {
    uint16_t operation;
    uint32_t length;
    std::string key;
    int8_t key_number;
    uint8_t key_length;
  };
  std::vector<Seen> calls;
  std::deque<int16_t> statuses;     // next statuses; 0 when empty
  std::deque<std::string> records;  // next records a read returns
};
FakeClient* client = nullptr;

int16_t FakeCall(uint16_t operation, void*, void* data, uint32_t* length, void* key,
                 uint8_t key_length, int8_t key_number) {
  std::string key_text = key ? std::string(static_cast<const char*>(key)) : "";
  client->calls.push_back({operation, *length, key_text, key_number, key_length});
  const int16_t status = client->statuses.empty() ? 0 : client->statuses.front();
  if (!client->statuses.empty()) client->statuses.pop_front();
  if (status == 0 && !client->records.empty() && data != nullptr && *length >= 1250) {
    std::string record = client->records.front();
    client->records.pop_front();
    std::memcpy(data, record.data(), record.size());
    *length = static_cast<uint32_t>(record.size());
  }
  return status;
}

class FakeLibraries : public platform::DynamicLibraries {
 public:
  Handle Load(std::string_view name) override {
    EXPECT_EQ(name, "WBTRV32.DLL");
    ++client->loads;
    return client->loadable ? this : nullptr;
  }
  void* Symbol(Handle, const char* name) override {
    if (client->missing_entry_points.count(name)) return nullptr;
    const std::string_view n = name;
    WbtrvInitFn init = [](char*) -> int16_t {
      ++client->init_calls;
      return static_cast<int16_t>(client->init_status);
    };
    WbtrvStopFn stop = []() -> int16_t {
      ++client->stop_calls;
      return 0;
    };
    WbrqShellInitFn shell_init = [](char*) -> int16_t { return 0; };
    BtrCallIdFn call_id = [](uint16_t operation, void* pos, void* data, uint32_t* length, void* key,
                             uint8_t key_length, int8_t key_number, void*) {
      return FakeCall(operation, pos, data, length, key, key_length, key_number);
    };
    if (n == "WBTRVINIT") return reinterpret_cast<void*>(init);
    if (n == "WBTRVSTOP") return reinterpret_cast<void*>(stop);
    if (n == "WBRQSHELLINIT") return reinterpret_cast<void*>(shell_init);
    if (n == "BTRCALL") return reinterpret_cast<void*>(&FakeCall);
    if (n == "BTRCALLID") return reinterpret_cast<void*>(call_id);
    return nullptr;
  }
  void Unload(Handle) override { ++client->unloads; }
};

class RecordManagerBindingTest : public ::testing::Test {
 protected:
  RecordManagerBindingTest() { client = &fake_client_; }
  ~RecordManagerBindingTest() override {
    manager_.Unbind();  // while the fake library is still there
    client = nullptr;
  }

  FakeClient fake_client_;
  FakeLibraries libraries_;
  testing::FakePlatform platform_;
  ErrorReporter errors_;
  RecordManager manager_{libraries_, platform_.files, platform_.debug, errors_};
  PosBlock position_;
};

TEST_F(RecordManagerBindingTest, TheFirstOpenBindsASecondDoesNotAndAnOverlongPathFails) {
  EXPECT_EQ(manager_.Open("/ledger/glactfil.btr", position_, btr::kModeReadOnly, nullptr), kOk);
  EXPECT_EQ(manager_.Open("/ledger/glbalfil.btr", position_, btr::kModeReadOnly, nullptr), kOk);
  EXPECT_EQ(fake_client_.loads, 1);
  EXPECT_EQ(fake_client_.init_calls, 1);
  ASSERT_EQ(fake_client_.calls.size(), 2u);
  EXPECT_EQ(fake_client_.calls[0].operation, btr::kOpen);
  EXPECT_EQ(fake_client_.calls[0].length, 1u);  // the empty owner name and its terminator
  EXPECT_EQ(fake_client_.calls[0].key, "/ledger/glactfil.btr");
  EXPECT_EQ(fake_client_.calls[0].key_number, btr::kModeReadOnly);
  EXPECT_EQ(fake_client_.calls[0].key_length, 255);
  // An overlong path is refused as an invalid file name.
  EXPECT_EQ(manager_.Open(std::string(300, 'p'), position_, 0, nullptr), kBtrieveError);
  EXPECT_EQ(manager_.last_status(), btr::kInvalidFileName);
}

TEST_F(RecordManagerBindingTest, BindingFailuresReachTheCallerAs38) {
  // Whether the library loads, an entry point it lacks, the initialisation status; the result.
  const std::tuple<bool, std::string, int, int> cases[] = {
      {false, "", 0, 20},         {true, "BTRCALL", 0, 19},
      {true, "BTRCALLID", 0, 19}, {true, "WBRQSHELLINIT", 0, 19},
      {true, "WBTRVSTOP", 0, 19}, {true, "WBTRVINIT", 0, 19},
      {true, "", 1008, 1008},
  };
  for (const auto& [loadable, missing, init_status, expected_status] : cases) {
    FakeClient fresh;
    fresh.loadable = loadable;
    if (!missing.empty()) fresh.missing_entry_points.insert(missing);
    fresh.init_status = init_status;
    client = &fresh;
    RecordManager manager(libraries_, platform_.files, platform_.debug, errors_);
    EXPECT_EQ(manager.Open("f", position_, 0, nullptr), kBtrieveError) << missing;
    EXPECT_EQ(manager.last_status(), expected_status) << missing;
    EXPECT_FALSE(manager.initialised());
    EXPECT_TRUE(fresh.calls.empty());
    if (expected_status == 19) {
      EXPECT_EQ(fresh.unloads, 1) << missing;
    }
    // Entry points that are not bound never reach the library; after a failed
    // initialisation they stay bound, and the next open tries the initialisation again.
    if (init_status == 0) {
      EXPECT_EQ(manager.Call(btr::kGetFirst, &position_, nullptr, nullptr, nullptr, 0), 20);
    } else {
      fresh.init_status = 0;
      EXPECT_EQ(manager.Open("f", position_, 0, nullptr), kOk);
      EXPECT_EQ(fresh.loads, 1);
      EXPECT_EQ(fresh.init_calls, 2);
    }
  }
  client = &fake_client_;
}

TEST_F(RecordManagerBindingTest, AFullFileTableFreesOneFileAndRetriesOnce) {
  int freed = 0;
  const void* company = &freed;
  manager_.SetFreeOneFile([&](const void* requesting) {
    EXPECT_EQ(requesting, company);
    ++freed;
  });
  fake_client_.statuses = {87, 0};
  EXPECT_EQ(manager_.Open("a", position_, 0, company), kOk);
  EXPECT_EQ(freed, 1);
  EXPECT_EQ(fake_client_.calls.size(), 2u);

  fake_client_.calls.clear();
  fake_client_.statuses = {86, 86};
  EXPECT_EQ(manager_.Open("b", position_, 0, company), kBtrieveError);
  EXPECT_EQ(manager_.last_status(), 86);
  EXPECT_EQ(freed, 2);
  EXPECT_EQ(fake_client_.calls.size(), 2u);  // one retry at most
}

TEST_F(RecordManagerBindingTest, ReadsShareOneBufferAndTheCheckKeepsTheStatus) {
  ASSERT_EQ(manager_.Open("f", position_, 0, nullptr), kOk);
  fake_client_.records = {"first record", "second"};
  const unsigned char* record = nullptr;
  const unsigned char* key = nullptr;
  ASSERT_EQ(manager_.GetFirst(position_, &record, &key, 0), kOk);
  ASSERT_EQ(manager_.GetNext(position_, &record, &key, 0), kOk);
  EXPECT_EQ(record, manager_.record_buffer());
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(record), 6), "second");
  EXPECT_EQ(manager_.record_length(), 6);
  EXPECT_EQ(fake_client_.calls.back().length, 1250u);

  fake_client_.statuses = {9};
  EXPECT_EQ(manager_.GetNext(position_, &record, &key, 0), kBtrieveError);
  EXPECT_EQ(manager_.last_status(), 9);
  char wanted[] = "1000";
  EXPECT_EQ(manager_.GetEqual(position_, &record, wanted, 0), kOk);
  EXPECT_EQ(manager_.last_status(), 0);  // a success after a failure clears it
}

TEST_F(RecordManagerBindingTest, CloseDeleteAndResetReportRawStatusesAndUnbindForgetsTheLibrary) {
  ASSERT_EQ(manager_.Open("f", position_, 0, nullptr), kOk);
  fake_client_.statuses = {3};
  EXPECT_EQ(manager_.Close(position_), 3);
  EXPECT_EQ(errors_.text(), "R7 [Tessary] Btrieve error - Closing File");
  errors_.Clear();
  fake_client_.statuses = {8};
  EXPECT_EQ(manager_.Delete(position_), 8);
  EXPECT_EQ(errors_.text(), "R7 [Tessary] Btrieve error - Deleting Record");
  errors_.Clear();
  EXPECT_EQ(manager_.Reset(), 0);
  EXPECT_EQ(fake_client_.calls.back().operation, btr::kStop);
  EXPECT_FALSE(errors_.pending());
  // Unbind stops and forgets the library; the next open binds again.
  ASSERT_EQ(manager_.Open("f", position_, 0, nullptr), kOk);
  EXPECT_EQ(manager_.Unbind(), 0);
  EXPECT_EQ(fake_client_.stop_calls, 1);
  EXPECT_EQ(fake_client_.unloads, 1);
  EXPECT_FALSE(manager_.initialised());
  EXPECT_EQ(manager_.ShellInit(), 20);
  ASSERT_EQ(manager_.Open("f", position_, 0, nullptr), kOk);  // binds again
  EXPECT_EQ(fake_client_.loads, 2);
}

TEST(BtrStatusTextTest, PicksTheTextOfTheStatusAndShowsItUnlessNoShow) {
  // The status and the file, and the text.
  const std::tuple<int, const char*, const char*> cases[] = {
      {20, "", "Btrieve Error 20 - Record Manager Inactive"},
      {12, "glbalfil", "glbalfil - Btrieve Error 12 - File Not Found"},
      {-1, "", "Btrieve Error -1 - Could not Find Btrieve Server"},
      {-7, "", "Btrieve Error -7 - Unknown Btrieve Error"},
      {97, "", "Btrieve Error 97 - Data Message Too Small"},
      {98, "", "Btrieve Error 98 - Unknown Btrieve Error"},
      {150, "", "Btrieve Error 150 - Unknown Btrieve Error"},
      {1008, "", "Btrieve Error 1008 - Invalid Initialization Parameter"},
      {1016, "", "Btrieve Error 1016 - Unknown Btrieve Error"},
      {2005, "", "Btrieve Error 2005 - Wrong Version of SPX Installed"},
      {2007, "", "Btrieve Error 2007 - Unknown Btrieve Error"},
  };
  for (const auto& [status, file, expected] : cases)
    EXPECT_EQ(BtrStatusText(status, file), expected) << status;
  // The status box shows unless No Show is set.
  testing::FakePlatform platform;
  Settings settings;
  ResetToDefaults(settings);
  BtrShowStatus(platform.message_boxes, settings, 5, 4);
  settings.no_show = 1;
  BtrShowStatus(platform.message_boxes, settings, 5, 4);
  ASSERT_EQ(platform.message_boxes.shown().size(), 1u);
  EXPECT_EQ(platform.message_boxes.shown()[0].caption, "R7");
  EXPECT_EQ(platform.message_boxes.shown()[0].text, "Btrieve Error 4 - Key Value Not Found");
}

}  // namespace
}  // namespace r7
