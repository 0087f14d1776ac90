// The stand-in record manager call by call: statuses, buffers, currency, duplicates, read-only.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "fakes/record_manager_client.h"
#include "wbtrv32.h"

namespace recordstore::testing {
namespace {

Bytes Code(const std::string& code) {
  return Bytes(code.begin(), code.end());
}
Bytes Amount(int32_t amount) {
  Bytes value(4);
  StoreU32(value.data(), static_cast<uint32_t>(amount));
  return value;
}

// A value of key 2: the name blank-padded to 8, then the amount.
Bytes NameAndAmount(const std::string& name, int32_t amount) {
  Bytes value = Code(name);
  value.resize(8, ' ');
  const Bytes tail = Amount(amount);
  value.insert(value.end(), tail.begin(), tail.end());
  return value;
}

class RecordManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(file_.Create(), btr::kOk);
    ASSERT_EQ(file_.Open(), btr::kOk);
  }
  void TearDown() override { file_.Close(); }

  void InsertSamples() {
    // Amount 20 three times, in insertion order B, D, A.
    ASSERT_EQ(file_.Insert(SampleRecord("C001", 10, "carol")), btr::kOk);
    ASSERT_EQ(file_.Insert(SampleRecord("B002", 20, "bob")), btr::kOk);
    ASSERT_EQ(file_.Insert(SampleRecord("D003", 20, "dave")), btr::kOk);
    ASSERT_EQ(file_.Insert(SampleRecord("A004", 20, "alice")), btr::kOk);
    ASSERT_EQ(file_.Insert(SampleRecord("E005", -5, "Eve")), btr::kOk);
  }

  // Codes met by Get First then Get Next to the end on `key`.
  std::vector<std::string> Scan(int8_t key) {
    std::vector<std::string> codes;
    int16_t status = file_.Get(btr::kGetFirst, key);
    while (status == btr::kOk) {
      codes.push_back(CodeOf(file_.record()));
      status = file_.Get(btr::kGetNext, key);
    }
    EXPECT_EQ(status, btr::kEndOfFile);
    return codes;
  }

  TempDir dir_;
  Client file_{dir_.File("sample.btr")};
};

using Codes = std::vector<std::string>;

TEST_F(RecordManagerTest, KeysOrderRecordsByTheirTypes) {
  InsertSamples();
  EXPECT_EQ(Scan(0), (Codes{"A004", "B002", "C001", "D003", "E005"}));
  // Integer key: -5 first, the duplicates of 20 in insertion order.
  EXPECT_EQ(Scan(1), (Codes{"E005", "C001", "B002", "D003", "A004"}));
  // Case-insensitive name: "Eve" after "dave".
  EXPECT_EQ(Scan(2), (Codes{"A004", "B002", "C001", "D003", "E005"}));
}

TEST_F(RecordManagerTest, EmptyFileAnswersEndOfFileAndNotFound) {
  EXPECT_EQ(file_.Get(btr::kGetFirst, 0), btr::kEndOfFile);
  EXPECT_EQ(file_.Get(btr::kGetEqual, 0, Code("A004")), btr::kKeyNotFound);
  EXPECT_EQ(file_.Get(btr::kGetGreaterOrEqual, 0, Code("A")), btr::kEndOfFile);
  EXPECT_EQ(file_.Get(btr::kGetNext, 0), btr::kInvalidPositioning);
  uint32_t position = 0;
  EXPECT_EQ(file_.GetPosition(&position), btr::kInvalidPositioning);
  EXPECT_EQ(file_.Delete(), btr::kInvalidPositioning);
  EXPECT_EQ(file_.Update(SampleRecord("A004", 1, "x"), 0), btr::kInvalidPositioning);
}

TEST_F(RecordManagerTest, EachGetHandsBackRecordAndKeyAndSetsGetNextOnItsKeyOnly) {
  InsertSamples();
  // What is read; the operation, key number and key value; the status; the code of the record
  // handed back and the key buffer after the call; the code Get Next then finds ("" at the end).
  const std::tuple<const char*, uint16_t, int8_t, Bytes, int16_t, std::string, Bytes, std::string>
      cases[] = {
          {"first on code", btr::kGetFirst, 0, {}, btr::kOk, "A004", Code("A004"), "B002"},
          {"equal on code", btr::kGetEqual, 0, Code("C001"), btr::kOk, "C001", Code("C001"),
           "D003"},
          {"equal last", btr::kGetEqual, 0, Code("E005"), btr::kOk, "E005", Code("E005"), ""},
          {"equal missing", btr::kGetEqual, 0, Code("C000"), btr::kKeyNotFound, "", {}, ""},
          {"not below, between", btr::kGetGreaterOrEqual, 0, Code("C000"), btr::kOk, "C001",
           Code("C001"), "D003"},
          {"not below, exact", btr::kGetGreaterOrEqual, 0, Code("B002"), btr::kOk, "B002",
           Code("B002"), "C001"},
          {"not below, beyond", btr::kGetGreaterOrEqual, 0, Code("F"), btr::kEndOfFile, "", {}, ""},
          {"equal duplicate: first inserted", btr::kGetEqual, 1, Amount(20), btr::kOk, "B002",
           Amount(20), "D003"},
          {"not below duplicate: first inserted", btr::kGetGreaterOrEqual, 1, Amount(11), btr::kOk,
           "B002", Amount(20), "D003"},
          {"first on integer", btr::kGetFirst, 1, {}, btr::kOk, "E005", Amount(-5), "C001"},
          {"equal without case", btr::kGetEqual, 2, NameAndAmount("CAROL", 10), btr::kOk, "C001",
           NameAndAmount("carol", 10), "D003"},
      };
  for (const auto& [what, operation, key, key_value, status, found, returned_key, next_code] :
       cases) {
    SCOPED_TRACE(what);
    Client reader(file_.path());
    ASSERT_EQ(reader.Open(btr::kModeReadOnly), btr::kOk);
    ASSERT_EQ(reader.Get(operation, key, key_value), status);
    if (status == btr::kOk) {
      EXPECT_EQ(reader.record().size(), kSampleRecordLength);
      EXPECT_EQ(CodeOf(reader.record()), found);
      EXPECT_EQ(Bytes(reader.key().begin(), reader.key().begin() + returned_key.size()),
                returned_key);
      const int16_t next = reader.Get(btr::kGetNext, key);
      if (next_code.empty()) {
        EXPECT_EQ(next, btr::kEndOfFile);
        EXPECT_EQ(reader.Get(btr::kGetNext, key), btr::kEndOfFile) << "stays at the end";
      } else {
        EXPECT_EQ(next, btr::kOk);
        EXPECT_EQ(CodeOf(reader.record()), next_code);
      }
    }
    EXPECT_EQ(reader.Close(), btr::kOk);
  }
  // Get Next on another key is refused.
  ASSERT_EQ(file_.Get(btr::kGetFirst, 0), btr::kOk);
  EXPECT_EQ(file_.Get(btr::kGetNext, 1), btr::kDifferentKeyNumber);
  EXPECT_EQ(file_.Get(btr::kGetNext, 0), btr::kOk) << "the refusal moved nothing";
  EXPECT_EQ(CodeOf(file_.record()), "B002");
}

TEST_F(RecordManagerTest, InsertRefusesDuplicatesOfUniqueKeysAndMakesTheRecordCurrent) {
  InsertSamples();
  EXPECT_EQ(file_.Insert(SampleRecord("A004", 99, "zed")), btr::kDuplicateKey);
  EXPECT_EQ(file_.Insert(SampleRecord("Z999", 20, "ALICE")), btr::kDuplicateKey)
      << "key 2 ignores case";
  EXPECT_EQ(Scan(0).size(), 5u);
  EXPECT_EQ(Scan(1).size(), 5u);
  // An insert makes the record current unless told not to.
  ASSERT_EQ(file_.Insert(SampleRecord("B500", 0, "bea"), 0), btr::kOk);
  EXPECT_EQ(file_.key()[0], 'B');
  ASSERT_EQ(file_.Get(btr::kGetNext, 0), btr::kOk);
  EXPECT_EQ(CodeOf(file_.record()), "C001");

  ASSERT_EQ(file_.Get(btr::kGetFirst, 0), btr::kOk);
  ASSERT_EQ(file_.Insert(SampleRecord("A500", 0, "abe"), btr::kNoCurrencyChange), btr::kOk);
  ASSERT_EQ(file_.Get(btr::kGetNext, 0), btr::kOk);
  EXPECT_EQ(CodeOf(file_.record()), "A500") << "still after A004, where the Get First left it";
}

TEST_F(RecordManagerTest, AScanSeesWhatAnotherPositionBlockWroteBetweenItsReads) {
  InsertSamples();  // A004 B002 C001 D003 E005 by code
  Client reader(file_.path());
  ASSERT_EQ(reader.Open(btr::kModeReadOnly), btr::kOk);
  ASSERT_EQ(reader.Get(btr::kGetFirst, 0), btr::kOk);
  // A write between two reads of a scan (each read keeps its file's read transaction open
  // after it) lands before the next read, which continues from where the scan stood.
  const std::vector<std::pair<std::function<void()>, std::string>> steps = {
      {[&] { EXPECT_EQ(file_.Insert(SampleRecord("B001", 1, "bo")), btr::kOk); }, "B001"},
      {[] {}, "B002"},
      {[&] {
         ASSERT_EQ(file_.Get(btr::kGetEqual, 0, Code("C001")), btr::kOk);
         EXPECT_EQ(file_.Delete(), btr::kOk);
       },
       "D003"},
      {[&] {
         ASSERT_EQ(file_.Get(btr::kGetEqual, 0, Code("E005")), btr::kOk);
         EXPECT_EQ(file_.Update(SampleRecord("E005", 7, "ed"), 0), btr::kOk);
       },
       "E005"},
  };
  for (const auto& [write, next] : steps) {
    write();
    ASSERT_EQ(reader.Get(btr::kGetNext, 0), btr::kOk) << next;
    EXPECT_EQ(CodeOf(reader.record()), next);
  }
  EXPECT_EQ(AmountOf(reader.record()), 7) << "the updated record, not the one read before";
  EXPECT_EQ(reader.Get(btr::kGetNext, 0), btr::kEndOfFile);
  EXPECT_EQ(reader.Close(), btr::kOk);
}

// Within a read transaction a seek a few entries ahead of the last read steps there rather
// than seeking again. Every seek of a walk that mostly goes forward, with misses and
// duplicates, must find what a seek on a freshly opened file finds, and Get Next must go on
// from wherever the walk stands.
TEST_F(RecordManagerTest, SeeksAheadOfTheLastReadFindWhatAFreshSeekFinds) {
  auto code = [](int n) {
    char text[8];
    std::snprintf(text, sizeof text, "K%03d", n);
    return std::string(text);
  };
  for (int n = 0; n < 60; n += 1 + n % 3) {  // codes with gaps; amounts repeat
    ASSERT_EQ(file_.Insert(SampleRecord(code(n), n % 7 * 10, code(n))), btr::kOk);
  }
  const Codes order[2] = {Scan(0), Scan(1)};
  auto value_of = [&](int key, int target) {
    return key == 0 ? Code(code(target)) : Amount(target % 8 * 10 - 5 * (target % 2));
  };
  // What each seek finds on a freshly opened file (opening a file ends the process's read
  // transactions, so this comes first).
  std::map<std::tuple<uint16_t, int, int>, std::pair<int16_t, std::string>> fresh;
  for (uint16_t operation : {btr::kGetEqual, btr::kGetGreaterOrEqual}) {
    for (int key = 0; key < 2; ++key) {
      for (int target = 0; target < 64; ++target) {
        Client reference(file_.path());
        ASSERT_EQ(reference.Open(btr::kModeReadOnly), btr::kOk);
        const int16_t status =
            reference.Get(operation, static_cast<int8_t>(key), value_of(key, target));
        fresh[{operation, key, target}] = {status, CodeOf(reference.record())};
        EXPECT_EQ(reference.Close(), btr::kOk);
      }
    }
  }
  Client walker(file_.path());
  ASSERT_EQ(walker.Open(btr::kModeReadOnly), btr::kOk);
  std::mt19937 rng(11);
  std::string current;  // the walker's current record, and its key
  int current_key = 0;
  int target = 0;
  for (int i = 0; i < 600; ++i) {
    const int what = static_cast<int>(rng() % 4);
    if (what == 0 && !current.empty()) {
      const Codes& codes = order[current_key];
      auto at = std::find(codes.begin(), codes.end(), current);
      const int16_t status = walker.Get(btr::kGetNext, static_cast<int8_t>(current_key));
      if (at + 1 == codes.end()) {
        EXPECT_EQ(status, btr::kEndOfFile) << i;
      } else {
        ASSERT_EQ(status, btr::kOk) << i;
        EXPECT_EQ(CodeOf(walker.record()), *(at + 1)) << i;
        current = CodeOf(walker.record());
      }
      continue;
    }
    // Mostly a little further on; now and then anywhere.
    target = rng() % 4 == 0 ? static_cast<int>(rng() % 64) : (target + rng() % 3) % 64;
    const int key = static_cast<int>(rng() % 2);
    const uint16_t operation = what == 1 ? btr::kGetEqual : btr::kGetGreaterOrEqual;
    const auto& [status, found] = fresh[{operation, key, target}];
    ASSERT_EQ(walker.Get(operation, static_cast<int8_t>(key), value_of(key, target)), status) << i;
    if (status == btr::kOk) {
      EXPECT_EQ(CodeOf(walker.record()), found) << i;
      current = found;
      current_key = key;
    }
  }
  EXPECT_EQ(walker.Close(), btr::kOk);
}

TEST_F(RecordManagerTest, UpdateRules) {
  InsertSamples();
  Client fresh(file_.path());
  ASSERT_EQ(fresh.Open(), btr::kOk);
  EXPECT_EQ(fresh.Update(SampleRecord("B002", 1, "bob"), 0), btr::kInvalidPositioning);
  EXPECT_EQ(fresh.Close(), btr::kOk);
  ASSERT_EQ(file_.Get(btr::kGetEqual, 0, Code("B002")), btr::kOk);
  EXPECT_EQ(file_.Update(SampleRecord("B002", 1, "bob"), 1), btr::kDifferentKeyNumber);
  EXPECT_EQ(file_.Update(SampleRecord("B003", 20, "bob"), 0), btr::kModifiableKeyError);
  EXPECT_EQ(file_.Update(SampleRecord("B002", 20, "ALICE"), 0), btr::kDuplicateKey);
  EXPECT_EQ(file_.Update(SampleRecord("B002", 20, "bob"), 7), btr::kInvalidKeyNumber);

  // Same amount: B002 keeps its place among the duplicates of 20.
  ASSERT_EQ(file_.Update(SampleRecord("B002", 20, "bobby"), 0), btr::kOk);
  EXPECT_EQ(Scan(1), (Codes{"E005", "C001", "B002", "D003", "A004"}));
  // A changed amount goes after the duplicates already there.
  ASSERT_EQ(file_.Get(btr::kGetEqual, 0, Code("C001")), btr::kOk);
  ASSERT_EQ(file_.Update(SampleRecord("C001", 20, "carol"), 0), btr::kOk);
  EXPECT_EQ(Scan(1), (Codes{"E005", "B002", "D003", "A004", "C001"}));
  ASSERT_EQ(file_.Get(btr::kGetEqual, 0, Code("C001")), btr::kOk);
  EXPECT_EQ(file_.record(), SampleRecord("C001", 20, "carol"));
  // Get Next follows the moved record.
  ASSERT_EQ(file_.Get(btr::kGetFirst, 1), btr::kOk);  // E005, -5
  ASSERT_EQ(file_.Update(SampleRecord("E005", 15, "Eve"), 1), btr::kOk);
  ASSERT_EQ(file_.Get(btr::kGetNext, 1), btr::kOk);
  EXPECT_EQ(CodeOf(file_.record()), "B002") << "next after 15 is the first 20";
}

TEST_F(RecordManagerTest, GetNextAfterDeleteContinuesFromTheDeletedPlace) {
  InsertSamples();
  ASSERT_EQ(file_.Get(btr::kGetEqual, 1, Amount(20)), btr::kOk);  // B002
  ASSERT_EQ(file_.Get(btr::kGetNext, 1), btr::kOk);               // D003
  ASSERT_EQ(file_.Delete(), btr::kOk);
  uint32_t position = 0;
  EXPECT_EQ(file_.GetPosition(&position), btr::kInvalidPositioning);
  EXPECT_EQ(file_.Delete(), btr::kInvalidPositioning);
  EXPECT_EQ(file_.Update(SampleRecord("D003", 20, "dave"), 1), btr::kInvalidPositioning);
  ASSERT_EQ(file_.Get(btr::kGetNext, 1), btr::kOk);
  EXPECT_EQ(CodeOf(file_.record()), "A004");
  EXPECT_EQ(Scan(0), (Codes{"A004", "B002", "C001", "E005"}));

  // Deleting every record as a scan meets it empties the file.
  ASSERT_EQ(file_.Get(btr::kGetFirst, 0), btr::kOk);
  int16_t status = btr::kOk;
  while (status == btr::kOk) {
    ASSERT_EQ(file_.Delete(), btr::kOk);
    status = file_.Get(btr::kGetNext, 0);
  }
  EXPECT_EQ(status, btr::kEndOfFile);
  EXPECT_EQ(file_.Get(btr::kGetFirst, 0), btr::kEndOfFile);
}

TEST_F(RecordManagerTest, PositionsFindRecordsDirectly) {
  InsertSamples();
  ASSERT_EQ(file_.Get(btr::kGetEqual, 0, Code("C001")), btr::kOk);
  uint32_t position = 0;
  ASSERT_EQ(file_.GetPosition(&position), btr::kOk);
  EXPECT_NE(position, 0u);

  ASSERT_EQ(file_.Get(btr::kGetFirst, 0), btr::kOk);
  ASSERT_EQ(file_.GetDirect(position, 1), btr::kOk);
  EXPECT_EQ(CodeOf(file_.record()), "C001");
  EXPECT_EQ(Bytes(file_.key().begin(), file_.key().begin() + 4), Amount(10));
  ASSERT_EQ(file_.Get(btr::kGetNext, 1), btr::kOk) << "Get Direct set the currency on key 1";
  EXPECT_EQ(CodeOf(file_.record()), "B002");

  ASSERT_EQ(file_.GetDirect(position, btr::kNoCurrencyChange), btr::kOk);
  EXPECT_EQ(file_.Get(btr::kGetNext, 1), btr::kInvalidPositioning) << "no key currency";
  uint32_t again = 0;
  ASSERT_EQ(file_.GetPosition(&again), btr::kOk);
  EXPECT_EQ(again, position);

  EXPECT_EQ(file_.GetDirect(0, 0), btr::kInvalidRecordAddress);
  EXPECT_EQ(file_.GetDirect(position + 1000, 0), btr::kInvalidRecordAddress);
  ASSERT_EQ(file_.GetDirect(position, 0), btr::kOk);
  ASSERT_EQ(file_.Delete(), btr::kOk);
  EXPECT_EQ(file_.GetDirect(position, 0), btr::kInvalidRecordAddress) << "positions not reused";
}

TEST_F(RecordManagerTest, StatGivesSpecCountsAndShortBuffersGetNothing) {
  InsertSamples();
  Bytes spec;
  ASSERT_EQ(file_.Stat(&spec), btr::kOk);
  const Bytes created = SampleFileSpec();
  ASSERT_EQ(spec.size(), created.size());
  EXPECT_EQ(LoadU16(spec.data()), kSampleRecordLength);
  EXPECT_EQ(LoadU16(spec.data() + 2), 1024);
  EXPECT_EQ(LoadU16(spec.data() + 4), 3) << "key count, read as 16 bits by the driver";
  EXPECT_EQ(LoadU32(spec.data() + 6), 5u);
  EXPECT_EQ(LoadU32(spec.data() + 16 + 6), 5u) << "key 0 unique values";
  EXPECT_EQ(LoadU32(spec.data() + 32 + 6), 3u) << "key 1: -5, 10, 20";
  for (size_t segment = 0; segment < 4; ++segment) {
    const size_t at = 16 + 16 * segment;
    EXPECT_EQ(Bytes(spec.begin() + at, spec.begin() + at + 6),
              Bytes(created.begin() + at, created.begin() + at + 6));
    EXPECT_EQ(spec[at + 10], created[at + 10]);
  }

  Bytes short_buffer(spec.size() - 1, 0xAA);
  uint32_t length = static_cast<uint32_t>(short_buffer.size());
  uint8_t extension[255];
  EXPECT_EQ(file_.Raw(btr::kStat, short_buffer.data(), &length, extension, 255, 0),
            btr::kDataBufferLength);
  EXPECT_EQ(short_buffer, Bytes(spec.size() - 1, 0xAA)) << "nothing written";

  // A short data buffer gets no record, and inserts none.
  Bytes data(kSampleRecordLength - 1, 0xAA);
  length = static_cast<uint32_t>(data.size());
  Bytes key(255, 0);
  EXPECT_EQ(file_.Raw(btr::kGetFirst, data.data(), &length, key.data(), 255, 0),
            btr::kDataBufferLength);
  EXPECT_EQ(data, Bytes(kSampleRecordLength - 1, 0xAA));
  EXPECT_EQ(length, kSampleRecordLength - 1u);
  EXPECT_EQ(file_.Raw(btr::kInsert, data.data(), &length, key.data(), 255, 0),
            btr::kDataBufferLength);
  // A longer data length writes the record length only (the driver's Update offers 1250).
  Bytes long_record = SampleRecord("L001", 3, "long");
  long_record.resize(1250, 'x');
  length = 1250;
  ASSERT_EQ(file_.Raw(btr::kInsert, long_record.data(), &length, key.data(), 255, 0), btr::kOk);
  ASSERT_EQ(file_.Get(btr::kGetEqual, 0, Code("L001")), btr::kOk);
  EXPECT_EQ(file_.record(), SampleRecord("L001", 3, "long"));
}

TEST_F(RecordManagerTest, ReadOnlyOpenRefusesEveryWrite) {
  InsertSamples();
  Client reader(file_.path());
  ASSERT_EQ(reader.Open(btr::kModeReadOnly), btr::kOk);
  EXPECT_EQ(reader.Insert(SampleRecord("Q001", 1, "q")), btr::kAccessDenied);
  ASSERT_EQ(reader.Get(btr::kGetFirst, 0), btr::kOk);
  EXPECT_EQ(reader.Update(SampleRecord("A004", 1, "alice"), 0), btr::kAccessDenied);
  EXPECT_EQ(reader.Delete(), btr::kAccessDenied);
  EXPECT_EQ(Scan(0).size(), 5u);
  EXPECT_EQ(reader.Close(), btr::kOk);
}

TEST_F(RecordManagerTest, CreateReplacesOrRefusesAnExistingFile) {
  InsertSamples();
  Client other(dir_.File("sample.btr"));
  EXPECT_EQ(other.Create(btr::kCreateNoReplace), btr::kFileAlreadyExists);
  EXPECT_EQ(other.Create(0), btr::kFileLocked) << "open in this process";
  ASSERT_EQ(file_.Close(), btr::kOk);
  ASSERT_EQ(other.Create(0), btr::kOk);
  ASSERT_EQ(other.Open(), btr::kOk);
  EXPECT_EQ(other.Get(btr::kGetFirst, 0), btr::kEndOfFile) << "replaced by an empty file";
  EXPECT_EQ(other.Close(), btr::kOk);
  ASSERT_EQ(file_.Open(), btr::kOk);
}

TEST_F(RecordManagerTest, OpenCloseStopAndClientsOwningTheirFiles) {
  Client missing(dir_.File("missing.btr"));
  EXPECT_EQ(missing.Open(), btr::kFileNotFound);
  EXPECT_EQ(missing.Get(btr::kGetFirst, 0), btr::kFileNotOpen);

  Client second(file_.path());
  ASSERT_EQ(second.Open(), btr::kOk);
  EXPECT_EQ(second.Close(), btr::kOk);
  EXPECT_EQ(second.Close(), btr::kFileNotOpen);
  EXPECT_EQ(second.Get(btr::kGetFirst, 0), btr::kFileNotOpen);

  Client exclusive(file_.path());
  EXPECT_EQ(exclusive.Open(btr::kModeExclusive), btr::kFileLocked);
  EXPECT_EQ(exclusive.Open(7), btr::kInvalidOperation);

  // Stop closes every file of the caller, with or without a position block.
  ASSERT_EQ(second.Open(btr::kModeReadOnly), btr::kOk);
  EXPECT_EQ(BTRCALL(btr::kStop, nullptr, nullptr, nullptr, nullptr, 0, 0), btr::kOk);
  EXPECT_EQ(second.Get(btr::kGetFirst, 0), btr::kFileNotOpen);
  EXPECT_EQ(file_.Get(btr::kGetFirst, 0), btr::kFileNotOpen);
  ASSERT_EQ(file_.Open(), btr::kOk);

  // Each client owns its files: a reset closes only the caller's.
  uint8_t client_a[16] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 'R', '7', 1, 0};
  uint8_t client_b[16] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 'R', '7', 2, 0};
  uint8_t block_a[128] = {}, block_b[128] = {};
  std::string path = file_.path();
  uint32_t length = 0;
  ASSERT_EQ(BTRCALLID(btr::kOpen, block_a, nullptr, &length, path.data(), 255, 0, client_a),
            btr::kOk);
  ASSERT_EQ(BTRCALLID(btr::kOpen, block_b, nullptr, &length, path.data(), 255, 0, client_b),
            btr::kOk);
  EXPECT_EQ(BTRCALLID(btr::kReset, nullptr, nullptr, nullptr, nullptr, 0, 0, client_a), btr::kOk);
  EXPECT_EQ(BTRCALLID(btr::kClose, block_a, nullptr, nullptr, nullptr, 0, 0, client_a),
            btr::kFileNotOpen);
  EXPECT_EQ(BTRCALLID(btr::kClose, block_b, nullptr, nullptr, nullptr, 0, 0, client_b), btr::kOk);
  EXPECT_EQ(file_.Get(btr::kGetFirst, 0), btr::kEndOfFile) << "the default client's file stays";
}

TEST_F(RecordManagerTest, UnknownOperationsAreRefused) {
  for (uint16_t operation : {7, 8, 10, 11, 13, 16, 24, 26, 27, 29, 105, 1000, 65535}) {
    EXPECT_EQ(file_.Raw(operation, nullptr, nullptr, nullptr, 0, 0), btr::kInvalidOperation)
        << operation;
  }
}

}  // namespace
}  // namespace recordstore::testing
