// Every picture and sound file of the game, one line a file. make-pictures and make-sounds name
// what they write from this list, the game reads its files by these names, and
// cmake/AssetFiles.cmake reads the same lines to build and install them; a file name is spelt
// here and nowhere else.
//
// A line is KIND(Name, "file"), and the kind says who reads the file:
//   MOJARA_STORE_PICTURE   the sprite store: read by the game, installed
//   MOJARA_SCREEN_PICTURE  a screen picture the game reads, installed; the game numbers its
//                          screen pictures in the order of these lines
//   MOJARA_SPARE_PICTURE   drawn by make-pictures but not read by the game, which shows a store
//                          cell in its place; not installed
//   MOJARA_REVIEW_PICTURE  drawn for us to look the cast over; not installed
//   MOJARA_SOUND           a sound the game plays: written by make-sounds, installed
// cmake/AssetFiles.cmake matches each line with a regex, so keep one file a line in this form.
//
// Name gives the constant kNameFile below (kTitleFile, kMusicFile, ...), and the ScreenPicture
// enumerator for screen pictures.
#pragma once

#include <array>
#include <string_view>

#define MOJARA_ASSET_FILES(MOJARA_STORE_PICTURE, MOJARA_SCREEN_PICTURE, MOJARA_SPARE_PICTURE, \
                           MOJARA_REVIEW_PICTURE, MOJARA_SOUND)                               \
  MOJARA_STORE_PICTURE(Store, "sprites.png")                                                  \
  MOJARA_SCREEN_PICTURE(Transparent, "transparent.png")                                       \
  MOJARA_SCREEN_PICTURE(Title, "title.png")                                                   \
  MOJARA_SCREEN_PICTURE(WorldMap, "worldmap.png")                                             \
  MOJARA_SCREEN_PICTURE(Continue, "continue.png")                                             \
  MOJARA_SCREEN_PICTURE(Ending, "ending.png")                                                 \
  MOJARA_SCREEN_PICTURE(GameIcon, "icon.png")                                                 \
  MOJARA_SCREEN_PICTURE(HelpIcon, "help-icon.png")                                            \
  MOJARA_SCREEN_PICTURE(Portrait0, "portrait0.png")                                           \
  MOJARA_SCREEN_PICTURE(Portrait1, "portrait1.png")                                           \
  MOJARA_SCREEN_PICTURE(Portrait2, "portrait2.png")                                           \
  MOJARA_SCREEN_PICTURE(Portrait6, "portrait6.png")                                           \
  MOJARA_SCREEN_PICTURE(Portrait7, "portrait7.png")                                           \
  MOJARA_SPARE_PICTURE(Portrait3, "portrait3.png")                                            \
  MOJARA_SPARE_PICTURE(Portrait4, "portrait4.png")                                            \
  MOJARA_SPARE_PICTURE(Portrait5, "portrait5.png")                                            \
  MOJARA_REVIEW_PICTURE(ContactSheet, "contact-sheet.png")                                    \
  MOJARA_SOUND(Music, "music2.mid")                                                           \
  MOJARA_SOUND(HitSound, "snd1.wav")                                                          \
  MOJARA_SOUND(KnockDownSound, "snd2.wav")                                                    \
  MOJARA_SOUND(Beep, "beep.wav")

// The list cut down to one kind, for X(Name, "file") over those lines only.
#define MOJARA_ASSET_SKIP(name, file)
#define MOJARA_SCREEN_PICTURE_FILES(X) \
  MOJARA_ASSET_FILES(MOJARA_ASSET_SKIP, X, MOJARA_ASSET_SKIP, MOJARA_ASSET_SKIP, MOJARA_ASSET_SKIP)
#define MOJARA_SOUND_FILES(X) \
  MOJARA_ASSET_FILES(MOJARA_ASSET_SKIP, MOJARA_ASSET_SKIP, MOJARA_ASSET_SKIP, MOJARA_ASSET_SKIP, X)

namespace mojara::assets {

// kStoreFile, kTransparentFile, kTitleFile, kWorldMapFile, kContinueFile, kEndingFile,
// kGameIconFile, kHelpIconFile, kPortrait0File .. kPortrait7File, kContactSheetFile,
// kMusicFile (the fight theme), kHitSoundFile (a hit landing), kKnockDownSoundFile (a fighter
// knocked down) and kBeepFile (the system beep).
#define MOJARA_ASSET_FILE_NAME(name, file) inline constexpr std::string_view k##name##File = file;
MOJARA_ASSET_FILES(MOJARA_ASSET_FILE_NAME, MOJARA_ASSET_FILE_NAME, MOJARA_ASSET_FILE_NAME,
                   MOJARA_ASSET_FILE_NAME, MOJARA_ASSET_FILE_NAME)
#undef MOJARA_ASSET_FILE_NAME

struct AssetFile {
  std::string_view name;
  bool readByGame;  // and so installed with the game
};

// Every picture make-pictures writes, and every sound make-sounds writes.
#define MOJARA_ASSET_READ(name, file) AssetFile{file, true},
#define MOJARA_ASSET_UNREAD(name, file) AssetFile{file, false},
inline constexpr std::array kPictureFiles = {MOJARA_ASSET_FILES(
    MOJARA_ASSET_READ, MOJARA_ASSET_READ, MOJARA_ASSET_UNREAD, MOJARA_ASSET_UNREAD, MOJARA_ASSET_SKIP)};
inline constexpr std::array kSoundFiles = {MOJARA_SOUND_FILES(MOJARA_ASSET_READ)};
#undef MOJARA_ASSET_READ
#undef MOJARA_ASSET_UNREAD

// The head portrait of each roster slot, as make-pictures draws them.
inline constexpr std::array kPortraitFiles = {kPortrait0File, kPortrait1File, kPortrait2File, kPortrait3File,
                                              kPortrait4File, kPortrait5File, kPortrait6File, kPortrait7File};

}  // namespace mojara::assets
