#include "support/headless_game.h"

#include <gtest/gtest.h>

#include <sstream>

#include "platform/data_files.h"
#include "platform/host_link.h"
#include "platform/trace.h"
#include "state/assets.h"
#include "state/game_state.h"
#include "support/trace_reader.h"

namespace {
InputScript Parse(std::string_view script) {
  std::string error;
  auto parsed = ParseInputScript(script, &error);
  if (!parsed) ADD_FAILURE() << "bad test script: " << error;
  return parsed.value_or(InputScript{});
}
}  // namespace

HeadlessGame::HeadlessGame(std::string_view script) : host_(Parse(script)) {
  GameState = Title;  // as at process start, also when tests share a process
  AttachHost(&host_);
  SetDataFolders({PQ_ASSET_DIR});
  OpenTraceInMemory();
  if (StartUp() != 1)
    ADD_FAILURE() << "start-up failed: are the generated assets in " << PQ_ASSET_DIR;
}

HeadlessGame::~HeadlessGame() {
  ShutDown();
  CloseTrace();
  AttachHost(nullptr);
}

std::vector<std::string> HeadlessGame::TakeTrace() {
  std::vector<std::string> lines;
  std::istringstream in(::TakeTrace());
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::vector<std::string> HeadlessGame::TakeEvents(std::string_view ev) {
  return Events(TakeTrace(), ev);
}
