// The POSIX file system and library loader: Windows paths and names mapped to this system.
#include "platform/posix/file_system_posix.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/posix/dynamic_library_posix.h"

namespace r7::platform::posix {
namespace {

namespace fs = std::filesystem;

TEST(FileSystemPosixTest, ResolvesWindowsPathsAndListsAsWindowsDoes) {
  fs::path root = fs::temp_directory_path() / ("r7-fs-" + std::to_string(::getpid()));
  fs::remove_all(root);
  fs::create_directories(root / "Tessary" / "data_05");
  std::ofstream(root / "Tessary" / "data_05" / "CompFile.DAT") << "0123456789";
  std::string windows = "C:" + root.string() + "\\TESSARY\\DATA_05\\compfile.dat";
  for (char& c : windows) c = c == '/' ? '\\' : c;

  PosixFileSystem files;
  EXPECT_EQ(ResolveWindowsPath(windows), (root / "Tessary" / "data_05" / "CompFile.DAT").string());
  EXPECT_EQ(files.ReadPrefix(windows, 4), "0123");
  EXPECT_EQ(files.ReadPrefix(windows, 100), "0123456789");
  EXPECT_TRUE(files.FileExists(windows));
  EXPECT_FALSE(files.FileExists(root.string() + "/Tessary"));
  EXPECT_TRUE(files.DirectoryExists(root.string() + "\\TESSARY\\"));
  EXPECT_EQ(files.ReadPrefix(root.string() + "/Tessary/missing.dat", 10), std::nullopt);
  EXPECT_EQ(files.ReadPrefix(root.string() + "/Tessary", 10), std::nullopt);  // a directory
  // A component that does not exist is kept as written.
  EXPECT_EQ(ResolveWindowsPath(root.string() + "\\Tessary\\New\\x.sad"),
            (root / "Tessary" / "New" / "x.sad").string());

  // Names without an extension, sorted as Windows sorts them.
  const fs::path list = root / "list";
  for (const char* dir : {"b", "DATA_05", "a.dir", "Tutorial"}) fs::create_directories(list / dir);
  std::ofstream(list / "DATA1.TXT") << "";
  std::ofstream(list / "README") << "";
  EXPECT_EQ(files.ListExtensionless(list.string()),
            (std::vector<std::string>{".", "..", "b", "DATA_05", "README", "Tutorial"}));
  EXPECT_TRUE(files.ListExtensionless(list.string() + "/missing").empty());
  fs::remove_all(root);
}

// A new file put in place of an old one, by Windows paths that differ in case.
TEST(FileSystemPosixTest, ReplacesAndRemovesFiles) {
  fs::path root = fs::temp_directory_path() / ("r7-replace-" + std::to_string(::getpid()));
  fs::remove_all(root);
  fs::create_directories(root / "Data");
  std::ofstream(root / "Data" / "00.sad") << "old";
  std::ofstream(root / "Data" / "00.sad.new") << "new";
  const std::string windows = "C:" + root.string() + "\\DATA\\";
  PosixFileSystem files;

  EXPECT_TRUE(files.PutFileInPlace(windows + "00.SAD.NEW", windows + "00.SAD"));
  EXPECT_EQ(files.ReadPrefix(windows + "00.sad", 10), "new");
  EXPECT_FALSE(files.FileExists(windows + "00.sad.new"));
  // Nothing to move, or a directory in the way: both stay as they were.
  EXPECT_FALSE(files.PutFileInPlace(windows + "00.sad.new", windows + "00.sad"));
  std::ofstream(root / "Data" / "x") << "x";
  EXPECT_FALSE(files.PutFileInPlace(windows + "x", root.string()));
  EXPECT_TRUE(files.FileExists(windows + "x"));

  EXPECT_TRUE(files.RemoveFile(windows + "X"));
  EXPECT_FALSE(files.RemoveFile(windows + "x"));
  EXPECT_FALSE(files.RemoveFile(windows));  // never a directory
  fs::remove_all(root);
}

TEST(DynamicLibraryPosixTest, MapsWindowsNamesAndSearchesOnlyR7LibraryPathWhenSet) {
  EXPECT_EQ(SharedLibraryName("WBTRV32.DLL"), "libwbtrv32.so");
  EXPECT_EQ(SharedLibraryName("wbtrv32.dll"), "libwbtrv32.so");
  EXPECT_EQ(SharedLibraryName("libm.so.6"), "libm.so.6");
  fs::path empty = fs::temp_directory_path() / ("r7-lib-" + std::to_string(::getpid()));
  fs::create_directories(empty);
  ::setenv("R7_LIBRARY_PATH", empty.c_str(), 1);
  PosixDynamicLibraries libraries;
  EXPECT_EQ(libraries.Load("libc.so.6"), nullptr);
  ::unsetenv("R7_LIBRARY_PATH");
  DynamicLibraries::Handle libc = libraries.Load("libc.so.6");
  ASSERT_NE(libc, nullptr);
  EXPECT_NE(libraries.Symbol(libc, "strlen"), nullptr);
  EXPECT_EQ(libraries.Symbol(libc, "no_such_entry_point"), nullptr);
  libraries.Unload(libc);
  fs::remove_all(empty);
}

}  // namespace
}  // namespace r7::platform::posix
