#include "persist/settings.h"

#include <gtest/gtest.h>

#include "support/expect_fields.h"
#include "support/test_support.h"

namespace quandel {
namespace {

struct Loaded {
  int recordingOff, drawMode;
  std::string file;
};

Loaded LoadFrom(const std::string* contents, bool failRename = false) {
  testing::TempDir dir;
  if (contents) testing::WriteFile(dir.File("config.txt"), *contents);
  Settings s;
  s.recordingOff = true;
  s.drawMode = 9;
  DataDir data(dir.path());
  data.set_fault_hook([&](SaveStep step) { return failRename && step == SaveStep::kRename; });
  LoadSettings(s, data);
  return {s.recordingOff, s.drawMode, testing::ReadFile(dir.File("config.txt"))};
}

}  // namespace

TEST(Settings, OnlyTheLastTwoCharactersOfTheFirstTwoFieldsCountAndTheFileIsAlwaysRewritten) {
  // A fresh file: the two values, then the notes explaining them, the same in every rewrite.
  const Loaded none = LoadFrom(nullptr);
  EXPECT_FIELDS(FIELD(none.recordingOff, 0), FIELD(none.drawMode, 0));
  const std::string head = "ReplaySave = 0\r\nDrawMode = 0\r\n";
  ASSERT_EQ(none.file.substr(0, head.size()), head);
  const std::string notes = none.file.substr(head.size());
  EXPECT_NE(notes.find("//DrawMode = 3:"), std::string::npos);
  auto expectedFile = [&](int recordingOff, int drawMode) {
    return "ReplaySave = " + std::to_string(recordingOff) + "\r\nDrawMode = " + std::to_string(drawMode) + "\r\n" +
           notes;
  };
  const std::string huge(200000, 'x');
  const struct {
    std::string text;
    int recordingOff, drawMode;
  } cases[] = {
      {"ReplaySave = 1\r\nDrawMode = 3\r\n" + notes, 1, 3},
      {"ReplaySave = 1\r\nDrawMode = 4\r\n", 1, 0},
      {"ReplaySave = 2\r\nDrawMode = 7\r\n", 0, 0},
      {"ReplaySave = 1\nDrawMode = 12\n", 1, 0},
      {"ReplaySave =1\r\nDrawMode =2\r\n", 0, 0},  // "=" stops the number before its digit
      {"ReplaySave = -1\r\nDrawMode = -0\r\n", 0, 0},
      {"  ReplaySave = 01\rDrawMode = 3.\r", 1, 3},
      {"ReplaySave = 1, DrawMode = 2, more\r\nDrawMode = 1", 1, 2},  // a comma ends a field
      {"\r\nDrawMode = 2\r\n", 0, 2},                                // an empty line is an empty field
      {"ReplaySave = 1", 1, 0},                                      // fewer than two lines
      {"", 0, 0},
      {std::string("Replay\0Save = 1\r\nDraw = \0"
                   "2\r\n",
                   28),
       1, 0},
      {"ReplaySave = 1\r\nDrawMode = 1.5\r\n", 1, 0},  // ".5" rounds half to even
      {"ReplaySave = 1 \r\nDrawMode = .6\r\n" + huge, 1, 1},
      {"ReplaySave = 1\r\nDrawMode = 2 " + huge + " 3\r\n", 1, 0},  // a field past the read limit
  };
  for (const auto& c : cases) {
    const Loaded l = LoadFrom(&c.text);
    EXPECT_FIELDS(FIELD(l.recordingOff, c.recordingOff), FIELD(l.drawMode, c.drawMode)) << c.text.substr(0, 40);
    EXPECT_EQ(l.file, expectedFile(c.recordingOff, c.drawMode)) << c.text.substr(0, 40);
  }
}

TEST(Settings, AFailedWriteKeepsTheValuesAndTheOldFile) {
  const std::string old = "ReplaySave = 1\r\nDrawMode = 3\r\nmy notes\r\n";
  const Loaded l = LoadFrom(&old, true);
  EXPECT_FIELDS(FIELD(l.recordingOff, 1), FIELD(l.drawMode, 3));
  EXPECT_EQ(l.file, old);
}

}  // namespace quandel
