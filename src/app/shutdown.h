// Closing the window: the title settings and scores are saved, every sound channel closed, and the
// running loop told to stop at its next pass.
#pragma once

namespace quandel {

class App;

void Form_QueryUnload(App& app);
void Form_Unload(App& app);

}  // namespace quandel
