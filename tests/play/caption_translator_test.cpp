// What a text reads in another language: whole, line by line, and the forms the game composes
// with numbers and names in them. The catalogue here is a small one of the test's own.
#include "play/caption_translator.h"

#include <gtest/gtest.h>

#include <map>

namespace mojara {
namespace {

struct CaptionTranslatorTest : ::testing::Test {
  std::map<std::string, std::string> catalogue = {
      {"ＦＩＧＨＴ！！", "FIGHT!!"},  {"Ｋ．Ｏ．！！", "K.O.!!"},
      {"だいさく", "Daisaku"},        {"暗黒騎士 jiro", "Dark Knight Jiro"},
      {"{n}Ｐ{name}", "{n}P {name}"}, {"{n}Ｐ", "{n} pts"},
      {"{n}ＨＩＴ！！", "{n} HIT!!"}, {"ＬＩＦＥ：{n}", "LIFE: {n}"},
      {"ＴＩＭＥ：{n}", "TIME: {n}"}, {"一行目\n二行目\n", "A whole block\nof its own\n"},
  };
  // Entries with a plural form, chosen as English chooses: one, or any other count.
  std::map<std::string, std::string> plurals = {{"{n}ＨＩＴ！！", "{n} HITS!!"}};
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
  EXPECT_EQ(tr("Ｋ．Ｏ．！！\r\nＬＩＦＥ：30000\r\nＴＩＭＥ：9900"), "K.O.!!\nLIFE: 30000\nTIME: 9900");
  EXPECT_EQ(tr("Ｋ．Ｏ．！！\r\n\r\n"), "K.O.!!\n\n") << "empty lines stay";
}

TEST_F(CaptionTranslatorTest, ComposedFormsTakeTheirNumbersWholeAndTranslateTheirNames) {
  EXPECT_EQ(tr("1Ｐだいさく\r\n2147483647Ｐ"), "1P Daisaku\n2147483647 pts");
  EXPECT_EQ(tr("2Ｐ暗黒騎士 jiro\r\n0Ｐ"), "2P Dark Knight Jiro\n0 pts");
  EXPECT_EQ(tr("1ＨＩＴ！！"), "1 HIT!!");
  EXPECT_EQ(tr("-5Ｐ"), "-5 pts");
  // A name the catalogue does not know is shown as the game wrote it, inside the English form.
  EXPECT_EQ(tr("1Ｐ新人"), "1P 新人");
}

// A form's number is also its count, which picks the entry's plural form; a text looked up whole
// has no count.
TEST_F(CaptionTranslatorTest, AFormsNumberPicksItsPluralForm) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"1ＨＩＴ！！", "1 HIT!!"},
      {"2ＨＩＴ！！", "2 HITS!!"},
      {"0ＨＩＴ！！", "0 HITS!!"},
      {"-1ＨＩＴ！！", "-1 HIT!!"},
      {"184467440737095516160ＨＩＴ！！", "184467440737095516160 HITS!!"},
      {"3Ｐだいさく", "3P Daisaku"},  // an entry without plural forms answers every count
  };
  for (const auto& [text, shown] : cases) EXPECT_EQ(tr(text), shown);
  counts.clear();
  tr("ＦＩＧＨＴ！！");
  tr("21ＨＩＴ！！");
  ASSERT_GE(counts.size(), 3u);
  EXPECT_EQ(counts.back(), 21ul) << "the form";
  counts.pop_back();
  for (const auto& count : counts) EXPECT_EQ(count, std::nullopt) << "a text looked up as it is";
}

TEST_F(CaptionTranslatorTest, WhatFitsNoEntryNorFormIsShownAsTheGameWroteIt) {
  EXPECT_EQ(tr("99"), "99") << "the clock's digits";
  EXPECT_EQ(tr("ＨＩＴ！！"), "ＨＩＴ！！") << "a form's number is never empty";
  EXPECT_EQ(tr("1ＨＩＴ！！だ"), "1ＨＩＴ！！だ") << "a form matches the whole line";
  EXPECT_EQ(tr("ＰＰ"), "ＰＰ");
  EXPECT_EQ(tr("未訳"), "未訳");
  // A form without its own entry leaves the line alone, numbers and all.
  catalogue.erase("{n}Ｐ");
  EXPECT_EQ(tr("300Ｐ"), "300Ｐ");
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
