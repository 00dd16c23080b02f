// window.txt and the choice of where the window opens.
#include "persist/window_file.h"

#include <gtest/gtest.h>

#include "platform/window_placement.h"
#include "support/test_support.h"

namespace quandel::testing {
namespace {

template <typename Window>
std::string Describe(const Window& p) {
  return std::to_string(p.x) + "," + std::to_string(p.y) + " " + std::to_string(p.width) + "x" +
         std::to_string(p.height) + (p.centred ? " centred" : "") + (p.fullscreen ? " fullscreen" : "");
}

template <typename Window>
std::string Describe(const std::optional<Window>& p) {
  return p ? Describe(*p) : "none";
}

TEST(WindowFile, SavedPlacementsLoadBackAndDamagedFilesGiveNone) {
  TempDir dir;
  const DataDir data(dir.path());
  EXPECT_FALSE(LoadWindowPlacement(data));
  for (const SavedWindow& p :
       {SavedWindow{-1200, 40, 1280, 960, false, true}, SavedWindow{0, 0, 800, 600, true, false}}) {
    SCOPED_TRACE(Describe(p));
    ASSERT_TRUE(SaveWindowPlacement(data, p));
    EXPECT_EQ(Describe(LoadWindowPlacement(data)), Describe(p));
  }
  EXPECT_EQ(Describe(ParseWindowPlacement("# hand-edited\r\n\r\n  height=600 \r\nwidth = 800\r\nfullscreen = 0\r\n")),
            "0,0 800x600 centred");
  const std::string tail = "height = 600\nfullscreen = 0\n";
  for (const std::string& text :
       {std::string(), "width = 800\n" + tail + "x = 5\n", "width = 800\nwidth = 900\n" + tail, "width = 0\n" + tail,
        "width = 80x\n" + tail, "width = 99999999999\n" + tail, "depth = 3\nwidth = 800\n" + tail, "width 800\n" + tail,
        std::string("\x89PNG\r\n\x1a\n")})
    EXPECT_FALSE(ParseWindowPlacement(text)) << text;
  WriteFile(dir.File(kWindowFileName), WindowPlacementText({}) + std::string(5000, '#'));
  EXPECT_FALSE(LoadWindowPlacement(data));  // larger than any window file
}

TEST(WindowPlacement, AStoredWindowOpensOnlyWhereItStillFits) {
  const std::vector<DisplayArea> two{{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}};
  const struct {
    std::optional<WindowPlacement> stored;
    std::vector<DisplayArea> displays;
    const char* opened;
  } cases[] = {
      {std::nullopt, two, "0,0 640x480 centred"},
      {WindowPlacement{100, 50, 800, 600, false, false}, two, "100,50 800x600"},
      {WindowPlacement{2000, 10, 1200, 1000, false, true}, two, "2000,10 1200x1000 fullscreen"},  // the second display
      {WindowPlacement{0, 0, 1920, 1080, false, false}, two, "0,0 1920x1080"},          // exactly the first display
      {WindowPlacement{1800, 10, 400, 300, false, false}, two, "0,0 400x300 centred"},  // across both
      {WindowPlacement{2147483000, 0, 400, 300, false, false}, two, "0,0 400x300 centred"},
      {WindowPlacement{0, 0, 1920, 1100, false, true}, two, "0,0 640x480 centred fullscreen"},  // too tall for both
      {WindowPlacement{0, 0, 100, 480, false, false}, two, "0,0 640x480 centred"},              // below the minimum
      {WindowPlacement{100, 50, 800, 600, false, false}, {}, "0,0 640x480 centred"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Describe(ChooseWindowPlacement(c.stored, c.displays, 160, 120)), c.opened) << Describe(c.stored);
}

}  // namespace
}  // namespace quandel::testing
