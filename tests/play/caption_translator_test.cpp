// What a text reads in another language: whole, line by line, the forms the game composes with
// numbers and names in them, and a form composed from a number. The catalogue here is a small one
// of the test's own.
#include "play/texts/caption_translator.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>

namespace mojara {
namespace {

struct CaptionTranslatorTest : ::testing::Test {
  std::map<std::string, std::string> catalogue = {
      {"ＦＩＧＨＴ！！", "FIGHT!!"},
      {"Ｋ．Ｏ．！！", "K.O.!!"},
      {"だいさく", "Daisaku"},
      {"暗黒騎士 jiro", "Dark Knight Jiro"},
      {"{n}Ｐ{name}", "{n}P {name}"},
      {"{n}ＨＩＴ！！", "{n} HIT!!"},
      {"ばとるすぴーど（速い～遅い）：{n}", "Speed: {n}"},
      {"テン{name}", "Num {name}"},
      {"←", "Left"},
      {"一行目\n二行目\n", "A whole block\nof its own\n"},
  };
  // Entries with a plural form, chosen as English chooses: one, or any other count.
  std::map<std::string, std::string> plurals = {{"{n}ＨＩＴ！！", "{n} HITS!!"},
                                                {"ばとるすぴーど（速い～遅い）：{n}", "Speeds: {n}"}};
  std::vector<std::string> asked;
  std::vector<std::optional<unsigned long>> counts;
  CaptionTranslator translator{
      [this](const std::string& original, std::optional<unsigned long> count) -> std::optional<std::string> {
        asked.push_back(original);
        counts.push_back(count);
        if (auto plural = plurals.find(original); plural != plurals.end() && count && *count != 1)
          return plural->second;
        auto it = catalogue.find(original);
        if (it == catalogue.end()) return std::nullopt;
        return it->second;
      }};
  std::string tr(std::string_view text) { return translator.translate(text); }
};

TEST_F(CaptionTranslatorTest, AWholeTextIsLookedUpFirstAndThenLineByLine) {
  EXPECT_EQ(tr("ＦＩＧＨＴ！！"), "FIGHT!!");
  EXPECT_EQ(tr("一行目\n二行目\n"), "A whole block\nof its own\n") << "a help topic is one entry";
  EXPECT_EQ(tr("Ｋ．Ｏ．！！\r\nＦＩＧＨＴ！！"), "K.O.!!\nFIGHT!!");
  EXPECT_EQ(tr("Ｋ．Ｏ．！！\r\n\r\n"), "K.O.!!\n\n") << "empty lines stay";
}

TEST_F(CaptionTranslatorTest, ComposedFormsTakeTheirNumbersWholeAndTranslateTheirNames) {
  EXPECT_EQ(tr("ばとるすぴーど（速い～遅い）：1\r\nテン←"), "Speed: 1\nNum Left");
  EXPECT_EQ(tr("ばとるすぴーど（速い～遅い）：-1"), "Speed: -1");
  // A name the catalogue does not know is shown as the game wrote it, inside the English form.
  EXPECT_EQ(tr("テンPgUp"), "Num PgUp");
  // The battle's lines are composed from their numbers, not read back.
  EXPECT_EQ(tr("1Ｐだいさく"), "1Ｐだいさく");
}

// A form's number is also its count, which picks the entry's plural form, read back from a
// caption or composed; a text looked up whole has no count.
TEST_F(CaptionTranslatorTest, AFormsNumberPicksItsPluralForm) {
  const std::string read = "ばとるすぴーど（速い～遅い）：";
  const std::pair<std::string, std::string> readBack[] = {
      {"1", "Speed: 1"},
      {"2", "Speeds: 2"},
      {"0", "Speeds: 0"},
      {"-1", "Speed: -1"},
      {"184467440737095516160", "Speeds: 184467440737095516160"},
  };
  for (const auto& [number, shown] : readBack) EXPECT_EQ(tr(read + number), shown);
  const std::pair<std::int64_t, std::string> composed[] = {
      {1, "Speed: 1"},   {2, "Speeds: 2"}, {0, "Speeds: 0"}, {-1, "Speed: -1"},
      {INT64_MIN, "Speeds: -9223372036854775808"},
  };
  for (const auto& [number, shown] : composed) EXPECT_EQ(translator.compose(read + "{n}", number), shown);
  EXPECT_EQ(translator.compose("{n}ＨＩＴ！！", 1), "1 HIT!!");
  EXPECT_EQ(translator.compose("{n}ＨＩＴ！！", 12), "12 HITS!!");
  // An entry without plural forms answers every count.
  EXPECT_EQ(translator.compose("{n}Ｐ{name}", 3, "だいさく"), "3P Daisaku");
  counts.clear();
  tr("ＦＩＧＨＴ！！");
  tr("ばとるすぴーど（速い～遅い）：21");
  ASSERT_GE(counts.size(), 3u);
  EXPECT_EQ(counts.back(), 21ul) << "the form";
  counts.pop_back();
  for (const auto& count : counts) EXPECT_EQ(count, std::nullopt) << "a text looked up as it is";
}

TEST_F(CaptionTranslatorTest, WhatFitsNoEntryNorFormIsShownAsTheGameWroteIt) {
  EXPECT_EQ(tr("99"), "99") << "the clock's digits";
  EXPECT_EQ(tr("ばとるすぴーど（速い～遅い）："), "ばとるすぴーど（速い～遅い）：") << "a form's number is never empty";
  EXPECT_EQ(tr("ばとるすぴーど（速い～遅い）：1だ"), "ばとるすぴーど（速い～遅い）：1だ") << "a form matches the whole line";
  EXPECT_EQ(tr("テン"), "テン") << "nor its name";
  EXPECT_EQ(tr("未訳"), "未訳");
  EXPECT_EQ(translator.compose("{n}Ｐ{name}", -5, "新人"), "-5P 新人") << "a name it has no entry for";
  // A form without its own entry leaves the line alone, numbers and names and all; composed, it
  // is the game's own line.
  catalogue.erase("テン{name}");
  EXPECT_EQ(tr("テン←"), "テン←");
  EXPECT_EQ(translator.compose("{n}Ｐ", 300), "300Ｐ");
  catalogue.erase("{n}Ｐ{name}");
  EXPECT_EQ(translator.compose("{n}Ｐ{name}", 1, "だいさく"), "1Ｐだいさく");
}

TEST_F(CaptionTranslatorTest, AnEmptyTextIsNeverLookedUp) {
  // gettext answers the empty text with the catalogue's header.
  EXPECT_EQ(tr(""), "");
  EXPECT_EQ(tr("\r\n"), "\n");
  for (const std::string& original : asked) EXPECT_FALSE(original.empty());
}

TEST(CaptionTranslator, EveryComposedFormHasItsPlaceholdersSpelledRight) {
  for (std::string_view form : CaptionTranslator::composedForms()) {
    std::string rest(form);
    for (std::string_view known : {"{n}", "{name}"})
      for (std::size_t at; (at = rest.find(known)) != std::string::npos;) rest.erase(at, known.size());
    EXPECT_EQ(rest.find_first_of("{}"), std::string::npos) << form;
  }
}

}  // namespace
}  // namespace mojara
