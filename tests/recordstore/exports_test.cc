// The shared library exports the five entry points by the plain names the driver binds.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include "wbtrv32.h"

namespace {

TEST(RecordManagerExports, SharedLibraryAnswersThroughEveryEntryPoint) {
  void* library = dlopen(R7_BIN_DIR "/libwbtrv32.so", RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(library, nullptr) << dlerror();
  auto init = reinterpret_cast<WbtrvInitFn>(dlsym(library, "WBTRVINIT"));
  auto call = reinterpret_cast<BtrCallFn>(dlsym(library, "BTRCALL"));
  auto call_id = reinterpret_cast<BtrCallIdFn>(dlsym(library, "BTRCALLID"));
  auto shell_init = reinterpret_cast<WbrqShellInitFn>(dlsym(library, "WBRQSHELLINIT"));
  auto stop = reinterpret_cast<WbtrvStopFn>(dlsym(library, "WBTRVSTOP"));
  ASSERT_TRUE(init && call && call_id && shell_init && stop);

  EXPECT_EQ(init(nullptr), btr::kOk);
  EXPECT_EQ(shell_init(nullptr), btr::kOk);
  uint8_t block[128] = {};
  char owner[1] = {0};
  uint32_t length = 1;
  char path[] = "/nonexistent-directory/glactfil.btr";
  EXPECT_EQ(call(btr::kOpen, block, owner, &length, path, 255, btr::kModeReadOnly),
            btr::kFileNotFound);
  uint8_t client[16] = {};
  EXPECT_EQ(call_id(btr::kGetFirst, block, nullptr, nullptr, nullptr, 0, 0, client),
            btr::kFileNotOpen);
  EXPECT_EQ(stop(), btr::kOk);
  dlclose(library);
}

}  // namespace
