// The short report of where two fight traces part.
#include "trace_diff.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace mojara::testing {
namespace {

using Fields = std::vector<std::pair<std::string, std::string>>;  // key, raw JSON value

std::string lineOf(const Fields& fields) {
  std::string out = "{";
  for (const auto& [key, value] : fields) out += (out.size() > 1 ? ",\"" : "\"") + key + "\":" + value;
  return out + "}";
}

// A timer event's state, shaped like the runner's lines, with the fields that change per event.
Fields eventFields(int e) {
  return {{"e", std::to_string(e)},
          {"timer", "\"Timer3\""},
          {"ACTION", "[50000,50000]"},
          {"XPOS", "[" + std::to_string(2415 + e) + ",4305]"},
          {"LIFE", "[255,200]"},
          {"GAZOU", "[[2415,3885,140],[4305,3885,182]]"},
          {"WAKUN", "[\"1Ｐだいさく\\r\\n0Ｐ\",\"2Ｐみよ\\r\\n0Ｐ\"]"},
          {"sounds", "[[\"MMControl3\",\"snd1.wav\"]]"},
          {"beeps", "0"}};
}

const std::string kEndLine = R"({"end":"Form5","e":1187,"STAGE":1,"SCORE":[29797,15100],"LIFE":[238,0]})";

// Events 1 to `events`, each line from `edit` applied to its fields, then the end line.
template <typename Edit>
std::string traceOf(int events, Edit edit) {
  std::string out;
  for (int e = 1; e <= events; ++e) {
    Fields fields = eventFields(e);
    edit(e, fields);
    out += lineOf(fields) + "\n";
  }
  return out + kEndLine + "\n";
}

std::string traceOf(int events) {
  return traceOf(events, [](int, Fields&) {});
}

void set(Fields& fields, const std::string& key, const std::string& value) {
  for (auto& field : fields)
    if (field.first == key) field.second = value;
}

::testing::AssertionResult has(const std::string& report, const std::string& part) {
  if (report.find(part) != std::string::npos) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "no '" << part << "' in the report:\n" << report;
}

// Every line of a report stays short, whatever the lines it compares.
void expectShortLines(const std::string& report) {
  std::istringstream lines(report);
  for (std::string line; std::getline(lines, line);) EXPECT_LE(line.size(), 200u) << line;
  EXPECT_LE(report.size(), 1024u);
}

TEST(TraceDifference, EqualTracesGiveNoReport) {
  EXPECT_EQ(firstTraceDifference("", ""), "");
  const std::string trace = traceOf(1200);
  EXPECT_EQ(firstTraceDifference(trace, std::string(trace)), "");
}

TEST(TraceDifference, AChangedValueIsReportedWithItsEventAndKeyOnly) {
  const std::string expected = traceOf(1200);
  const std::string actual = traceOf(1200, [](int e, Fields& f) {
    if (e == 734) set(f, "LIFE", "[255,195]");
    if (e >= 734) set(f, "beeps", "1");  // later differences are not the first one
  });
  const std::string report = firstTraceDifference(expected, actual);
  EXPECT_EQ(report,
            "trace line 734 (event 734): first difference in key \"LIFE\"\n"
            "  expected: [255,200]\n"
            "  actual:   [255,195]\n");

  const std::string endChanged =
      expected.substr(0, expected.size() - kEndLine.size() - 1) +
      R"({"end":"Form6","e":1187,"STAGE":1,"SCORE":[29797,15100],"LIFE":[0,186]})" + "\n";
  const std::string atEnd = firstTraceDifference(expected, endChanged);
  EXPECT_TRUE(has(atEnd, "trace line 1201 (the end line, event 1187): first difference in key \"end\""));
  EXPECT_TRUE(has(atEnd, "expected: \"Form5\"\n  actual:   \"Form6\"\n"));
}

TEST(TraceDifference, ALongNestedArrayIsShownAroundItsFirstDifference) {
  std::string gazou = "[";
  for (int i = 0; i < 40; ++i) gazou += (i ? ",[" : "[") + std::to_string(1000 + i) + ",3885,14]";
  gazou += "]";
  std::string changed = gazou;
  changed.replace(changed.find("[1035,3885,14]"), 14, "[1035,3885,15]");
  const std::string report =
      firstTraceDifference(traceOf(20, [&](int, Fields& f) { set(f, "GAZOU", gazou); }),
                           traceOf(20, [&](int e, Fields& f) { set(f, "GAZOU", e == 9 ? changed : gazou); }));
  EXPECT_TRUE(
      has(report, "trace line 9 (event 9): first difference in key \"GAZOU\" (the values part at byte "));
  EXPECT_TRUE(has(report, "[1035,3885,14]"));
  EXPECT_TRUE(has(report, "[1035,3885,15]"));
  EXPECT_FALSE(has(report, "[1000,3885,14]"));  // the start of the value is cut off
  expectShortLines(report);
}

TEST(TraceDifference, StringsKeepTheirCommasBracketsAndEscapedQuotesInOneValue) {
  // A comma, brackets, an escaped quote before a bracket, and an escaped backslash before the end.
  const std::string tricky = R"("hit, [x] said \"[\" \\")";
  const auto withLabel = [&](const std::string& label, const std::string& after) {
    return traceOf(5, [&](int e, Fields& f) {
      if (e != 3) return;
      f.insert(f.begin() + 2, {"Label3", "[true," + label + ",[0,0,0]]"});
      set(f, "beeps", after);
    });
  };
  // The value after the string differs: the string must not swallow or split the keys around it.
  const std::string after = firstTraceDifference(withLabel(tricky, "0"), withLabel(tricky, "2"));
  EXPECT_TRUE(has(after, "trace line 3 (event 3): first difference in key \"beeps\""));
  EXPECT_TRUE(has(after, "expected: 0\n  actual:   2\n"));

  // The string itself differs past its escapes.
  const std::string inside =
      firstTraceDifference(withLabel(tricky, "0"), withLabel(R"("hit, [x] said \"[!\" \\")", "0"));
  EXPECT_TRUE(has(inside, "first difference in key \"Label3\""));
  EXPECT_TRUE(has(inside, R"(expected: [true,"hit, [x] said \"[\" \\",[0,0,0]])"));

  // A two-line name written with \r\n escapes differs in its second line.
  const std::string names =
      firstTraceDifference(traceOf(4), traceOf(4, [](int e, Fields& f) {
                             if (e == 2) set(f, "WAKUN", "[\"1Ｐだいさく\\r\\n1Ｐ\",\"2Ｐみよ\\r\\n0Ｐ\"]");
                           }));
  EXPECT_TRUE(has(names, "trace line 2 (event 2): first difference in key \"WAKUN\""));
}

TEST(TraceDifference, MissingAddedRenamedAndMovedKeysAreTold) {
  const std::string expected = traceOf(10);
  const auto without = [](const std::string& key) {
    return [key](int e, Fields& f) {
      if (e == 6) std::erase_if(f, [&](const auto& field) { return field.first == key; });
    };
  };
  const std::string missing = firstTraceDifference(expected, traceOf(10, without("LIFE")));
  EXPECT_TRUE(has(missing, "trace line 6 (event 6): key \"LIFE\" is missing from actual\n"));
  EXPECT_TRUE(has(missing, "expected \"LIFE\": [255,200]"));
  // The last key missing: nothing in actual's line stands where it was.
  EXPECT_TRUE(has(firstTraceDifference(expected, traceOf(10, without("beeps"))),
                  "key \"beeps\" is missing from actual"));

  const std::string added = firstTraceDifference(traceOf(10, without("timer")), expected);
  EXPECT_TRUE(
      has(added, "actual has key \"timer\", which expected does not have\n  actual \"timer\": \"Timer3\""));

  const std::string renamed = firstTraceDifference(expected, traceOf(10, [](int e, Fields& f) {
                                                     if (e == 6) f[4].first = "LIVES";
                                                   }));
  EXPECT_TRUE(has(renamed, "key 5 is \"LIFE\" in expected but \"LIVES\" in actual"));

  const std::string moved = firstTraceDifference(expected, traceOf(10, [](int e, Fields& f) {
                                                   if (e != 6) return;
                                                   std::swap(f[3], f[4]);
                                                   set(f, "sounds", "[]");
                                                 }));
  EXPECT_TRUE(
      has(moved, "the keys are in another order: key 4 is \"XPOS\" in expected but \"LIFE\" in actual"));
  EXPECT_TRUE(has(moved, "first difference in key \"sounds\""));
}

TEST(TraceDifference, ATraceEndingEarlyIsToldWithWhatTheOtherGoesOnWith) {
  const std::string full = traceOf(30);
  const std::string cut = full.substr(0, full.find("{\"e\":21,"));
  EXPECT_TRUE(has(firstTraceDifference(full, cut),
                  "the actual trace ends after line 20; expected goes on with event 21 (11 more lines):\n"
                  "  {\"e\":21,"));
  EXPECT_TRUE(has(firstTraceDifference(cut, full), "the expected trace ends after line 20; actual goes on"));
  EXPECT_TRUE(has(firstTraceDifference(full, ""), "the actual trace is empty; expected starts with event 1"));

  // The fight itself ended sooner: the end line stands where expected still has event 21.
  EXPECT_TRUE(has(
      firstTraceDifference(full, traceOf(20)),
      "trace line 21: actual ends here with its end line; expected goes on with event 21 (11 more lines)"));
  EXPECT_TRUE(has(
      firstTraceDifference(traceOf(20), full),
      "trace line 21: expected ends here with its end line; actual goes on with event 21 (11 more lines)"));

  const std::string noEnd = full.substr(0, full.size() - kEndLine.size() - 1);
  EXPECT_TRUE(has(firstTraceDifference(full, noEnd),
                  "ends after line 30; expected goes on with the end line, event 1187 (1 more line)"));

  EXPECT_EQ(firstTraceDifference(full, full.substr(0, full.size() - 1)),
            "the traces have the same 31 lines, but expected ends with a newline and actual does not\n");
}

// The whole-game runner's log: its lines are told by their time and event, a "result" line (which
// carries the fight's "end" key) is no end line, and the log's own end is its "end" event.
TEST(TraceDifference, AGameLogIsToldByTimeAndEvent) {
  const std::string head = "{\"t\":0,\"ev\":\"load\",\"form\":\"Form3\"}\n";
  const std::string result =
      "{\"t\":9000,\"ev\":\"result\",\"winner\":0,\"end\":\"Form5\",\"e\":1187,\"STAGE\":1}\n";
  const std::string end = "{\"t\":9500,\"ev\":\"end\",\"reason\":\"quit\"}\n";
  const std::string log = head + result + end;

  std::string lost = result;
  lost.replace(lost.find("\"Form5\""), 7, "\"Form6\"");
  EXPECT_TRUE(has(firstTraceDifference(log, head + lost + end),
                  "trace line 2 (t 9000, ev \"result\"): first difference in key \"end\"\n"
                  "  expected: \"Form5\"\n  actual:   \"Form6\"\n"));
  EXPECT_TRUE(has(firstTraceDifference(log, head + end),
                  "trace line 2: actual ends here with its end line; expected goes on with t 9000, ev "
                  "\"result\" (2 more lines)"));
  EXPECT_TRUE(has(firstTraceDifference(log, head + result),
                  "ends after line 2; expected goes on with the end line, t 9500 (1 more line)"));

  EXPECT_TRUE(sameLines(log, log));
  const ::testing::AssertionResult apart = sameLines(log, head + end);
  EXPECT_FALSE(apart);
  EXPECT_TRUE(has(apart.message(), "trace line 2: actual ends here"));
}

TEST(TraceDifference, LinesThatAreNotObjectsAreShownCutShort) {
  const std::string full = traceOf(8);
  // The runner stopped in the middle of writing line 5.
  const std::string broken = full.substr(0, full.find("{\"e\":5,") + 60) + "\n";
  const std::string report = firstTraceDifference(full, broken);
  EXPECT_TRUE(has(
      report, "trace line 5 (event 5): the actual line is not a JSON object; the lines part at column 61"));
  EXPECT_TRUE(has(report, "  expected: ...")) << "the line is cut before its end";
  expectShortLines(report);

  const std::string words = firstTraceDifference("not a trace\n", "{\"e\":1,\"timer\":\"Timer3\"\n");
  EXPECT_TRUE(has(words,
                  "trace line 1: neither line is a JSON object; the lines part at column 1\n"
                  "  expected: not a trace\n  actual:   {\"e\":1,\"timer\":\"Timer3\"\n"));

  // A carriage return shows as \r; the keys and values themselves are equal.
  const std::string crlf = firstTraceDifference("{\"e\":1}\n", "{\"e\":1}\r\n");
  EXPECT_TRUE(has(crlf, "the same keys and values, but the text differs at column 8"));
  EXPECT_TRUE(has(crlf, "actual:   {\"e\":1}\\r\n"));
}

}  // namespace
}  // namespace mojara::testing
