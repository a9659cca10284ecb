// A host that wraps another and passes every call on. Decorators (demo
// recording and replay, present tracing) derive from it and override only
// the calls they change.
#pragma once

#include <functional>

#include "host/host.h"

class HostDecorator : public Host {
 public:
  explicit HostDecorator(Host& inner) : inner_(inner) {}

  Host& Inner() { return inner_; }

  std::uint32_t Ticks() override { return inner_.Ticks(); }
  void Sleep(std::uint32_t ms) override { inner_.Sleep(ms); }
  std::uint32_t WaitUntil(std::uint32_t start, std::uint32_t ms) override {
    return inner_.WaitUntil(start, ms);
  }
  void Present(const ScreenView& screen) override { inner_.Present(screen); }
  void VisibleChanged(const ScreenView& screen) override { inner_.VisibleChanged(screen); }
  KeySnapshot ReadKeyboard() override { return inner_.ReadKeyboard(); }
  PadSnapshot ReadGamepad() override { return inner_.ReadGamepad(); }
  bool EscapeDown() override { return inner_.EscapeDown(); }
  HostEvent PollEvent() override { return inner_.PollEvent(); }
  void WaitForEvent() override { inner_.WaitForEvent(); }
  void PostQuit() override { inner_.PostQuit(); }
  bool OpenAudio(AudioSource& source) override { return inner_.OpenAudio(source); }
  void CloseAudio() override { inner_.CloseAudio(); }
  bool QuitRequested() override { return inner_.QuitRequested(); }

 private:
  Host& inner_;
};

// A decorator that sees every blocking call that is not a device read pass
// through Around, which must run the call (or throw instead of it).
class BlockingCallDecorator : public HostDecorator {
 public:
  using HostDecorator::HostDecorator;

  void Sleep(std::uint32_t ms) override {
    Around([&] { Inner().Sleep(ms); });
  }
  std::uint32_t WaitUntil(std::uint32_t start, std::uint32_t ms) override {
    std::uint32_t woke = 0;
    Around([&] { woke = Inner().WaitUntil(start, ms); });
    return woke;
  }
  void Present(const ScreenView& screen) override {
    Around([&] { Inner().Present(screen); });
  }
  void WaitForEvent() override {
    Around([&] { Inner().WaitForEvent(); });
  }

 protected:
  virtual void Around(const std::function<void()>& call) = 0;
};
