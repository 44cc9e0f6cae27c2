#include "macros/macro_lines.h"

#include <gtest/gtest.h>

#include "macros/tests/macro_test_support.h"

namespace zelko {
namespace {

using testing_support::ContentOf;
using testing_support::EventBytes;
using Bytes = std::vector<std::uint8_t>;

MacroLines WithHeader(std::initializer_list<std::string> events) {
  MacroLines lines{"10"};
  lines.insert(lines.end(), events);
  return lines;
}

TEST(MacroLinesEncoding, DelaysSplitAt2040Ms) {
  struct Case {
    long long ms;
    Bytes bytes;
    std::vector<std::string> decoded;
  };
  const Case cases[] = {
      {0, {0xFE, 0x00}, {"0 0"}},
      {100, {0xFE, 0x0C}, {"0 96"}},
      {2040, {0xFE, 0xFF}, {"0 2040"}},
      {2047, {0xFE, 0xFF, 0xFE, 0x00}, {"0 2040"}},
      {5000, {0xFE, 0xFF, 0xFE, 0xFF, 0xFE, 0x73}, {"0 5000"}},
      {10200, {0xFE, 0xFF, 0xFE, 0xFF, 0xFE, 0xFF, 0xFE, 0xFF, 0xFE, 0xFF}, {"0 10200"}},
  };
  for (const Case& c : cases) {
    const MacroContent content = MacroLinesToContent(WithHeader({DelayLine(c.ms)}), 0);
    EXPECT_EQ(EventBytes(content), c.bytes) << c.ms;
    const DecodedMacro decoded = ContentToMacroLines(content);
    EXPECT_EQ(MacroLines(decoded.lines.begin() + 1, decoded.lines.end()), c.decoded) << c.ms;
    EXPECT_EQ(DelayByteCount(c.ms), c.bytes.size()) << c.ms;
  }
}

TEST(MacroLinesEncoding, PressAndReleaseOfUsage4) {
  const MacroContent content = MacroLinesToContent(
      {"00", KeyLine(true, "A", 0x82, 0x04), KeyLine(false, "A", 0x02, 0x04)}, kReleaseContinue);
  MacroContent expected{};
  const std::uint8_t head[] = {0x00, 0x05, 0x82, 0x04, 0x02, 0x04, 0xCB};
  std::copy(std::begin(head), std::end(head), expected.begin());
  EXPECT_EQ(content, expected);
  EXPECT_EQ(ContentToMacroLines(content).lines, (MacroLines{"00", "1 A CODE:8204", "2 A CODE:0204"}));
}

TEST(MacroLinesEncoding, NoEventsGiveThreeZeroBytesWhateverTheReleaseMode) {
  EXPECT_EQ(MacroLinesToContent({"10"}, kReleaseStop), MacroContent{});
  EXPECT_EQ(MacroLinesToContent({}, kReleaseStop), MacroContent{});
  EXPECT_EQ(ContentToMacroLines(MacroContent{}).lines, MacroLines{"00"});
}

TEST(MacroLinesEncoding, LineFormsOfEveryEvent) {
  struct Case {
    std::string line;
    Bytes bytes;
  };
  const Case cases[] = {
      {MoveXLine(-10), {0xFB, 0xF6}},
      {MoveXLine(12), {0xFB, 0x0C}},
      {MoveYLine(0), {0xFA, 0x00}},
      {MoveYLine(-1), {0xFA, 0xFF}},
      {RepeatStartLine(5), {0xFD, 0x04}},
      {RepeatStartLine(0), {0xFD, 0xFF}},
      {RepeatEndLine(), {0xFC}},
      {MouseButtonLine(MacroMouseButton::kLeft, true), {0xA1}},
      {MouseButtonLine(MacroMouseButton::kBackward, false), {0x30}},
      {KeyLine(true, "Ctrl", 0x81, 0x01), {0x81, 0x01}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EncodeLine(c.line), c.bytes) << c.line;
    EXPECT_EQ(EncodedLineSize(c.line), c.bytes.size()) << c.line;
    EXPECT_FALSE(MacroLineProblem(c.line)) << c.line;
  }
  EXPECT_EQ(MoveXLine(-10), "4 FBF6");
  EXPECT_EQ(MoveXLine(12), "3 FB0C");
  EXPECT_EQ(RepeatStartLine(5), "7 FD04");
  EXPECT_EQ(MouseButtonLine(MacroMouseButton::kForward, true), "1 Forward CODE:00A8");
}

TEST(MacroLinesDecoding, EveryEventCodeGivesItsLine) {
  const MacroContent content =
      ContentOf({0x81, 0x01, 0x01, 0x80, 0x82, 0x04, 0x02, 0x04, 0xA2, 0x22, 0xA4, 0x24, 0xA8, 0x28, 0xB0,
                 0x30, 0xFB, 0x0C, 0xFB, 0xF6, 0xFA, 0x7F, 0xFA, 0x80, 0xFD, 0x04, 0xFC});
  const MacroLines expected{"00",
                            "1 Ctrl CODE:8101",
                            "2 Right Windows CODE:0180",
                            "1 A CODE:8204",
                            "2 A CODE:0204",
                            "1 RightKey CODE:00A2",
                            "2 RightKey CODE:0022",
                            "1 MiddleKey CODE:00A4",
                            "2 MiddleKey CODE:0024",
                            "1 Forward CODE:00A8",
                            "2 Forward CODE:0028",
                            "1 Backward CODE:00B0",
                            "2 Backward CODE:0030",
                            "3 FB0C",
                            "4 FBF6",
                            "5 FA7F",
                            "6 FA80",
                            "7 FD04",
                            "8 00FC"};
  EXPECT_EQ(ContentToMacroLines(content).lines, expected);
  // The lines encode back to the same content.
  EXPECT_EQ(MacroLinesToContent(expected, 0), content);
}

TEST(MacroLinesDecoding, MergesAtMostFiveDelaysPerLine) {
  const MacroContent six =
      ContentOf({0xFE, 0xFF, 0xFE, 0xFF, 0xFE, 0xFF, 0xFE, 0xFF, 0xFE, 0xFF, 0xFE, 0x01});
  EXPECT_EQ(ContentToMacroLines(six).lines, (MacroLines{"10", "0 10200", "0 8"}));
}

TEST(MacroLinesDecoding, HeaderInferredFromTheFirstFourDelayLines) {
  const std::uint8_t a = 0xA1, r = 0x21, d = 0xFE;
  struct Case {
    MacroContent content;
    std::string header;
    DelayMode mode;
  };
  const Case cases[] = {
      {ContentOf({a, d, 6, r, d, 6, a, d, 6, r, d, 6, a}), "0148", DelayMode::kDefault},
      {ContentOf({a, d, 6, r, d, 6, a, d, 6, r}), "10", DelayMode::kRecorded},
      {ContentOf({a, r}), "00", DelayMode::kNone},
      {ContentOf({a, d, 0, r, d, 0, a, d, 0, r, d, 0}), "00", DelayMode::kNone},
      // The fifth delay line is not looked at.
      {ContentOf({a, d, 6, r, d, 6, a, d, 6, r, d, 6, a, d, 9}), "0148", DelayMode::kDefault},
      {ContentOf({a, d, 6, r, d, 6, a, d, 7, r, d, 6}), "10", DelayMode::kRecorded},
  };
  for (const Case& c : cases) {
    const DecodedMacro decoded = ContentToMacroLines(c.content);
    EXPECT_EQ(decoded.lines.front(), c.header);
    EXPECT_EQ(decoded.delay_mode, c.mode);
  }
}

TEST(MacroLinesDecoding, UntrustedContentsEndInsideTheRecord) {
  // Unknown codes become one-byte lines that encode back to themselves.
  const MacroContent unknown = ContentOf({0x37, 0xA1, 0x00});
  const DecodedMacro decoded = ContentToMacroLines(unknown);
  EXPECT_EQ(decoded.lines, (MacroLines{"00", "9 Unknown 37 CODE:0037", "1 LeftKey CODE:00A1",
                                       "9 Unknown 00 CODE:0000"}));
  EXPECT_EQ(MacroLinesToContent(decoded.lines, 0), unknown);

  // Modifier bytes that are not one named bit.
  EXPECT_EQ(ContentToMacroLines(ContentOf({0x81, 0x03, 0x01, 0x10})).lines,
            (MacroLines{"00", "1 Ctrl+Shift CODE:8103", "2 Modifier 10 CODE:0110"}));

  // A two-byte event cut by the length byte is dropped.
  MacroContent cut = ContentOf({0xA1, 0x82});
  EXPECT_EQ(ContentToMacroLines(cut).lines, (MacroLines{"00", "1 LeftKey CODE:00A1"}));

  // Length bytes 0xFF (erased) and above 222: nothing read past offset 223.
  MacroContent erased;
  erased.fill(0xFF);
  EXPECT_EQ(ContentToMacroLines(erased).lines, MacroLines{"00"});
  for (std::uint8_t n : {223, 254}) {
    MacroContent too_long;
    too_long.fill(0xA1);
    too_long[kLengthOffset] = n;
    const DecodedMacro lines = ContentToMacroLines(too_long);
    EXPECT_EQ(lines.lines.size(), 1u + (kMacroContentSize - kFirstEventOffset)) << int{n};
  }
  // Release modes other than 0 and 1 are handed on.
  EXPECT_EQ(ContentToMacroLines(ContentOf({0xA1}, 7)).release_mode, 7);
}

TEST(MacroLinesEncoding, LinesPast221BytesAreCutAtALineBoundary) {
  MacroLines lines{"00"};
  for (int i = 0; i < 110; ++i) lines.push_back("1 A CODE:8204");  // 220 bytes
  lines.push_back("1 LeftKey CODE:00A1");                         // 221
  lines.push_back("1 B CODE:8205");                               // would be 223
  lines.push_back("2 LeftKey CODE:0021");                         // after the cut
  const EncodedMacro encoded = EncodeMacroLines(lines, kReleaseStop);
  EXPECT_EQ(encoded.event_bytes, kMaxEventBytes);
  EXPECT_EQ(encoded.wanted_bytes, 224u);
  EXPECT_EQ(encoded.lines_dropped, 2u);
  EXPECT_EQ(encoded.content[kLengthOffset], kMaxLengthByte);
  EXPECT_TRUE(ContentChecksumHolds(encoded.content));
  EXPECT_EQ(ContentToMacroLines(encoded.content).lines.size(), 112u);

  // A huge delay is one line, dropped whole; nothing is written past the record.
  const EncodedMacro huge = EncodeMacroLines({"00", "1 LeftKey CODE:00A1", "0 2000000000"}, 0);
  EXPECT_EQ(huge.event_bytes, 1u);
  EXPECT_EQ(huge.lines_dropped, 1u);
}

TEST(MacroLinesEncoding, TextThatIsNoLineForm) {
  // The encoder skips such lines; the check names why.
  EXPECT_EQ(EncodedLineSize("1 A CODE:82ZZ"), 0u);
  EXPECT_EQ(EncodedLineSize("8"), 0u);
  EXPECT_EQ(EncodeLine("0 abc"), (Bytes{0xFE, 0x00}));  // not a number counts as 0
  EXPECT_TRUE(EncodeLine("0 -5").empty());
  for (const char* bad : {"", "x", "1A CODE:8204", "0 -5", "0 1.5", "1 A CODE:82ZZ", "1 A 8204",
                          "1 A CODE:0204", "3 FAF6", "9 Unknown CODE:00A1", "8 00FD"}) {
    EXPECT_TRUE(MacroLineProblem(bad)) << bad;
  }
}

TEST(MacroLinesParts, NamePartAndDelayMs) {
  EXPECT_EQ(LineNamePart("1 A CODE:8204"), "A");
  EXPECT_EQ(LineNamePart("2 Left Windows CODE:0108"), "Left Windows");
  EXPECT_EQ(LineNamePart("0 96"), "");
  EXPECT_EQ(DelayLineMs("0 96"), 96);
  EXPECT_EQ(DelayLineMs("0 x"), 0);
  EXPECT_EQ(DelayLineMs("0 99999999999"), 0);
  EXPECT_TRUE(IsHeaderLine("0148"));
  EXPECT_TRUE(IsHeaderLine("00"));
  EXPECT_FALSE(IsHeaderLine("0 48"));
}

}  // namespace
}  // namespace zelko
