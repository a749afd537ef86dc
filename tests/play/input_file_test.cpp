// Input files are read whole, up to a limit, and only when they really are files.
#include "play/input/input_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace mojara {
namespace {

std::string errorOf(const std::string& path) {
  try {
    readInputFile(path, "the keys file");
  } catch (const InputError& e) {
    return e.what();
  }
  return "no error";
}

TEST(InputFile, WhatCannotBeReadAsAFileIsRefusedNamingIt) {
  EXPECT_EQ(errorOf("/nonexistent/keys"), "cannot read the keys file /nonexistent/keys");
  EXPECT_EQ(errorOf(::testing::TempDir()),
            "cannot read the keys file " + ::testing::TempDir() + ": it is a folder");
  // An endless device is refused at the limit instead of filling the memory.
  EXPECT_EQ(errorOf("/dev/zero"), "the keys file /dev/zero is larger than 16 MB");
}

TEST(InputFile, AFileIsReadWholeByteForByte) {
  const std::string path = ::testing::TempDir() + "input-" + std::to_string(::getpid()) + ".txt";
  const std::string text = std::string("5 A\r\n\0 6 B", 11);
  std::ofstream(path, std::ios::binary) << text;
  EXPECT_EQ(readInputFile(path, "the keys file"), text);
  std::filesystem::remove(path);
}

TEST(InputFile, LinesLoseTheirLineEndsAndTheTextItsByteOrderMark) {
  EXPECT_EQ(splitLines("a\r\nb\n\nc"), (std::vector<std::string>{"a", "b", "", "c"}));
  EXPECT_EQ(splitLines("\xEF\xBB\xBF# x\r\n"), (std::vector<std::string>{"# x"}));
  EXPECT_EQ(splitLines("a\rb\n"), (std::vector<std::string>{"a\rb"}));  // a lone CR stays
  EXPECT_TRUE(splitLines("").empty());
}

TEST(InputFile, MessagesQuoteAtMostEightyCharactersAndNeverHalfACharacter) {
  EXPECT_EQ(quote("short"), "'short'");
  const std::string kana = "だ";  // three bytes
  std::string long_;
  for (int i = 0; i < 40; ++i) long_ += kana;
  const std::string q = quote(long_);
  EXPECT_LE(q.size(), 80u + 5);
  EXPECT_EQ(q, "'" + long_.substr(0, 78) + "...'");  // 26 whole characters
}

}  // namespace
}  // namespace mojara
