// The battle window's own words: its captions are made of these and numbers. The English front
// ends find each in the catalogue by the same words.
#pragma once

#include <string_view>

namespace mojara::battle {

inline constexpr std::string_view kHitsWord = "ＨＩＴ！！";         // after the hit count
inline constexpr std::string_view kTimeUpWord = "Ｔｉｍｅ　Ｕｐ！";
inline constexpr std::string_view kKnockOutWord = "Ｋ．Ｏ．！！";
inline constexpr std::string_view kLifeBonusWord = "ＬＩＦＥ：";     // before the life bonus
inline constexpr std::string_view kTimeBonusWord = "ＴＩＭＥ：";     // before the time bonus
inline constexpr std::string_view kPointsWord = "Ｐ";               // after the side, and the points
inline constexpr std::string_view kClockWord = "ＴＩＭＥ";           // over the seconds
inline constexpr std::string_view kClockDesignWord = "ＴＩＭＥ９９";  // the clock before the first tick
// The banner's words, in the order of battle::Banner.
inline constexpr std::string_view kBannerWords[] = {"READY?", "ＲＥＡＤＹ？", "GO!!", "待った！！"};

}  // namespace mojara::battle
