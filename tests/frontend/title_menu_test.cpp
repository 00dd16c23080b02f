// The title menu: every entry takes the mouse where it is drawn, and a click stores its setting.
#include "frontend/title_menu.h"

#include <gtest/gtest.h>

#include "app/app.h"
#include "app/startup.h"
#include "frontend/title_screen.h"
#include "platform/headless/headless_platform.h"
#include "support/test_support.h"

namespace quandel {
namespace {

using sheet::Look;

TEST(TitleMenu, EveryEntryLitUnderTheMouseIsDrawnInsideTheAreaThatTakesItsClicks) {
  testing::TempDir dir;
  HeadlessPlatform platform;
  App app(platform, DataDir(dir.path()));
  std::string error;
  ASSERT_TRUE(SetUpSurfaces(app.surfaces, 0, std::string(QUANDEL_BINARY_DIR) + "/game", &error)) << error;
  app.surfaces.titleSheet.Resize(288, 437);
  const Settings usual, other{0, 0, 3, 0, 1, 2};
  for (const TitleEntry& e : TitleEntries()) {
    SCOPED_TRACE(int{e.item});
    // A selected entry is not lit, so each is looked at under settings that do not select it.
    app.settings = TitleEntryLook(e, usual, 0) == Look::kSelected ? other : usual;
    ComposeTitle(app, {.replayAvailable = true});
    const Surface plain = app.surfaces.backBuffer;
    ComposeTitle(app, {.replayAvailable = true, .hover = e.item});
    const testing::Changed lit = testing::ChangedArea(plain, app.surfaces.backBuffer);
    ASSERT_LE(lit.left, lit.right) << "not lit";
    EXPECT_EQ(TitleItemAt((lit.left + lit.right) / 2.0f, (lit.top + lit.bottom) / 2.0f, true), e.item) << "centre";
    EXPECT_EQ(TitleItemAt(lit.left, lit.top, true), e.item) << "top left";
    EXPECT_EQ(TitleItemAt(lit.right, lit.bottom, true), e.item) << "bottom right";
  }
  const TitleEntry& replay = TitleEntries()[1];
  EXPECT_EQ(TitleItemAt(replay.area.x + 1, replay.area.y + 1, false), 0) << "replay entry without a replay";
}

TEST(TitleMenu, ClicksStoreTheirSettings) {
  // item, choice, then auto frame skip, frame skip, music off and effects level from 0, 2, 0, 1
  const struct {
    uint8_t item;
    TitleChoice choice;
    std::vector<int> after;
  } cases[] = {{1, TitleChoice::kPlay, {0, 2, 0, 1}},      {12, TitleChoice::kReplay, {0, 2, 0, 1}},
               {0, TitleChoice::kNone, {0, 2, 0, 1}},      {2, TitleChoice::kFrameSkip, {1, 2, 0, 1}},
               {3, TitleChoice::kFrameSkip, {0, 3, 0, 1}}, {6, TitleChoice::kFrameSkip, {0, 0, 0, 1}},
               {7, TitleChoice::kSound, {0, 2, 1, 1}},     {8, TitleChoice::kSound, {0, 2, 0, 1}},
               {9, TitleChoice::kSound, {0, 2, 0, 2}},     {11, TitleChoice::kSound, {0, 2, 0, 0}}};
  for (const auto& c : cases) {
    Settings s{0, 0, 2, 0, 0, 1};
    EXPECT_EQ(TitleClick(c.item, s), c.choice) << int{c.item};
    EXPECT_EQ(std::vector<int>({s.autoFrameSkip, s.frameSkip, s.musicOff, s.effectsLevel}), c.after) << int{c.item};
  }
  Settings automatic{0, 0, 2, 1, 0, 1};
  TitleClick(4, automatic);
  EXPECT_EQ(automatic.autoFrameSkip, 0) << "a frame skip number chosen behind AUTO";
}

}  // namespace
}  // namespace quandel
