#include "app/app.h"

#include "app/shutdown.h"
#include "game/input.h"

namespace quandel {

App::App(Platform& p, DataDir d) : platform(p), dir(std::move(d)) { platform.SetInputSink(this); }

App::~App() { platform.SetInputSink(nullptr); }

void App::MouseMove(int16_t button, int16_t marker, float x, float y) { picMain_MouseMove(*this, button, marker, x, y); }

void App::MouseDown(int16_t button, int16_t marker, float x, float y) { picMain_MouseDown(*this, button, marker, x, y); }

// One notch, one call; a notch that arrives while a wheel handler runs is not dispatched again.
void App::WheelTowardsUser() {
  if (inWheelDispatch_ || !acceptWheel) return;
  inWheelDispatch_ = true;
  WheelMinus(*this, 0);
  inWheelDispatch_ = false;
}

void App::WheelAwayFromUser() {
  if (inWheelDispatch_ || !acceptWheel) return;
  inWheelDispatch_ = true;
  WheelPlus(*this, 0);
  inWheelDispatch_ = false;
}

void App::CloseRequested() {
  if (state.quitRequested == 1) return;  // already closing
  Form_QueryUnload(*this);
  Form_Unload(*this);
}

}  // namespace quandel
