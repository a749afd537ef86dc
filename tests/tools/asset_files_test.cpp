// The one list of picture and sound files against everything that follows it: the files the
// tools write, the lists CMake builds and installs from, and the pictures the game reads.
#include "assets/asset_files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "assets/pictures.h"

#if !defined(MOJARA_CMAKE_PICTURE_FILES) || !defined(MOJARA_CMAKE_GAME_PICTURE_FILES) || \
    !defined(MOJARA_CMAKE_SOUND_FILES)
#error "the build must pass the file lists cmake/AssetFiles.cmake read"
#endif

namespace {

namespace fs = std::filesystem;
using namespace mojara::assets;

std::vector<std::string> split(std::string_view joined) {
  std::vector<std::string> out;
  std::stringstream in{std::string(joined)};
  for (std::string item; std::getline(in, item, ',');) out.push_back(item);
  return out;
}

template <typename Files>
std::vector<std::string> namesOf(const Files& files, bool onlyReadByGame = false) {
  std::vector<std::string> out;
  for (const AssetFile& f : files)
    if (f.readByGame || !onlyReadByGame) out.emplace_back(f.name);
  return out;
}

std::set<std::string> asSet(const std::vector<std::string>& names) { return {names.begin(), names.end()}; }

// A fresh folder for one run of a tool, so nothing left over from an earlier build is counted.
class FreshFolder {
 public:
  FreshFolder() {
    std::string pattern = (fs::temp_directory_path() / "mojara-assets-XXXXXX").string();
    if (mkdtemp(pattern.data())) path_ = pattern;
  }
  ~FreshFolder() {
    std::error_code ec;
    if (!path_.empty()) fs::remove_all(path_, ec);
  }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

// Runs TOOL OUTDIR into a fresh folder and answers the names of the files it wrote there.
std::set<std::string> filesWrittenBy(const std::string& tool) {
  const FreshFolder out;
  EXPECT_FALSE(out.path().empty()) << "cannot make a temporary folder";
  const fs::path into = out.path() / "out";
  const std::string command = "'" + tool + "' '" + into.string() + "'";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  std::set<std::string> names;
  std::error_code ec;
  for (const fs::directory_entry& e : fs::directory_iterator(into, ec))
    names.insert(e.path().filename().string());
  return names;
}

TEST(AssetFiles, NamesAreUniqueAndCMakeReadsTheSameList) {
  const std::vector<std::string> pictures = namesOf(kPictureFiles), sounds = namesOf(kSoundFiles);
  std::vector<std::string> all = pictures;
  all.insert(all.end(), sounds.begin(), sounds.end());
  EXPECT_EQ(asSet(all).size(), all.size()) << "a file is named twice";

  EXPECT_EQ(split(MOJARA_CMAKE_PICTURE_FILES), pictures);
  EXPECT_EQ(split(MOJARA_CMAKE_GAME_PICTURE_FILES), namesOf(kPictureFiles, true));
  EXPECT_EQ(split(MOJARA_CMAKE_SOUND_FILES), sounds);
}

TEST(AssetFiles, TheGameReadsExactlyThePicturesMarkedReadByTheGame) {
  std::set<std::string> read = {std::string(kStoreFile)};
  for (std::string_view f : kScreenPictureFiles) read.emplace(f);
  EXPECT_EQ(read, asSet(namesOf(kPictureFiles, true)));

  // A roster slot shows its portrait file or, where the list leaves that file unread, a store cell.
  for (int k = 0; k < mojara::kFighters; ++k) {
    const mojara::forms::PictureRef ref = portrait(k);
    const bool fileRead = read.count(std::string(kPortraitFiles[std::size_t(k)])) != 0;
    if (ref.source == mojara::forms::PictureRef::Source::Screen) {
      EXPECT_EQ(fileOf(static_cast<ScreenPicture>(ref.index)), kPortraitFiles[std::size_t(k)])
          << "slot " << k;
    } else {
      EXPECT_FALSE(fileRead) << kPortraitFiles[std::size_t(k)] << " is marked read but slot " << k
                             << " shows a store cell";
    }
  }
}

#ifdef MOJARA_MAKE_PICTURES
TEST(AssetFiles, MakePicturesWritesEveryListedPictureAndNothingElse) {
  EXPECT_EQ(filesWrittenBy(MOJARA_MAKE_PICTURES), asSet(namesOf(kPictureFiles)));
}
#endif

#ifdef MOJARA_MAKE_SOUNDS
TEST(AssetFiles, MakeSoundsWritesEveryListedSoundAndNothingElse) {
  EXPECT_EQ(filesWrittenBy(MOJARA_MAKE_SOUNDS), asSet(namesOf(kSoundFiles)));
}
#endif

}  // namespace
