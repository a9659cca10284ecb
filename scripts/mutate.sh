#!/usr/bin/env bash
# Plants faults in the game one at a time and checks that the tests catch
# each: for every line of the list below it edits one file of src/ with sed,
# rebuilds the one test binary named, runs it whole (the long runs left out)
# and reports caught or NOT CAUGHT (a line whose pattern no longer matches
# its file is reported and counts as not caught). The file is put back byte
# for byte after each fault, also when the script is interrupted; a file that
# changed in any other way meanwhile is left alone and reported.
#
#   scripts/mutate.sh            every fault
#   scripts/mutate.sh flame      only the faults whose name contains "flame"
#
# Uses the default build (build/default), configured first if needed.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
root=$PWD
build=$root/build/default
pick=${1:-}

# name | file | sed script | test binary (suite)
faults=$(cat <<'EOF'
village-music|src/shell/main_loop.cpp|s/KeepMusicLooping(sounds::village)/KeepMusicLooping(sounds::castle)/|shell
castle-music|src/shell/main_loop.cpp|s/KeepMusicLooping(sounds::castle);/KeepMusicLooping(sounds::village);/|shell
elmo-castle-music|src/shell/main_loop.cpp|s/KeepMusicLooping(sounds::castle2)/KeepMusicLooping(sounds::castle)/|shell
elmo-music-stopped-before-battle|src/battle/end_screens.cpp|s/^  RunConversation(Elmo);/  RunConversation(Elmo);StopSlot(sounds::castle2);/|battle
strike-not-at-500|src/battle/battle.cpp|s/monsterX = 500;/monsterX = 480;/|battle
flame-order|src/world/demon_castle_scene.cpp|s/{32, 96, 32, 128}/{32, 128, 32, 96}/|world
no-flash-back|src/battle/battle.cpp|/^void ShowHeroDamage/,/^}/s/^  PresentFrame();$/  ;/|battle
no-inn-present|src/dialogue/inn.cpp|s/^  PresentFrame();$/  ;/|dialogue
map-drawing-one-row-short|src/world/map_drawing.cpp|s/r < rows;/r < rows - 1;/|world
flame-cycle-of-three|src/world/demon_castle_scene.cpp|s/(cellAnimFrame + 1) % 4/(cellAnimFrame + 1) % 3/|world
elmo-pictures-swapped|src/world/demon_castle_scene.cpp|s/elmoFrame == 0 ? 1280 : 1344/elmoFrame == 0 ? 1344 : 1280/|world
forest-encounters-as-open-ground|src/world/world_map_scene.cpp|s/Rand() % 5 : Rand() % 10/Rand() % 10 : Rand() % 10/|world
random-multiplier|src/platform/random.cpp|s/214013u/214011u/|world
level-up-early|src/battle/rewards.cpp|s/Player.exp \/ 50 == Player.level/Player.exp \/ 40 == Player.level/|battle
hero-lunge-frame|src/battle/battle.cpp|s/heroFrame == 2 ? 154 : 550/heroFrame == 1 ? 154 : 550/|battle
new-game-gold|src/state/player.cpp|s/Player.gold = 20;/Player.gold = 21;/|shell
sword-price|src/dialogue/shop.cpp|s/{"SWORD", 90}/{"SWORD", 80}/|dialogue
fifth-herb-sold|src/dialogue/shop.cpp|s/kMostHerbs = 4;/kMostHerbs = 5;/|dialogue
typing-pause|src/dialogue/message_box.cpp|s/kTypingPauseMs = 50;/kTypingPauseMs = 40;/|dialogue
village-exit-cell|src/world/map_entry.cpp|s/column = 48;/column = 47;/|world
keeper-step-follows-facing|src/world/walking.cpp|s/Towards(figure.x, figure.tileX \* kUnitsPerCell)/directionStep[figure.facing].dx/|world
blit-clipped-a-column-short|src/platform/display.cpp|s/r.right = r.left + kScreenWidth - x;/r.right = r.left + kScreenWidth - x - 1;/|platform
camera-stops-a-pixel-early|src/world/camera.cpp|s/c.y = mapPixelHeight - kScreenHeight;/c.y = mapPixelHeight - kScreenHeight - 1;/|world
hero-swings-four-times|src/battle/blows.cpp|s/tries < 5/tries < 4/|battle
level-up-hp-gain|src/battle/rewards.cpp|s/20 + Rand() % 10/21 + Rand() % 10/|battle
inn-price|src/dialogue/inn.cpp|s/kRoomPrice = 30;/kRoomPrice = 25;/|dialogue
inn-silent|src/dialogue/inn.cpp|s/^  PlaySlot(sounds::hp, kPlayOnce);/  ;/|dialogue
status-menu-move-silent|src/dialogue/status_menu.cpp|/choice == Exit \&\&/,/choice = UseHerb;/s/PlaySlot(sounds::button, kPlayOnce);/;/|dialogue
woman-text|src/dialogue/conversation.cpp|s/he will strongest in the world./he will be strongest in the world./|dialogue
no-state-trace|src/state/game_state.cpp|s/^  TraceEvent("state").Int("to", state);/  ;/|shell
dpad-up-is-down|src/host/key_map.cpp|s/in.dpadUp ? -32768 : 32767/in.dpadUp ? 32767 : -32768/|host
z-key-on-x|src/host/key_map.cpp|s/{SDL_SCANCODE_Z, DIK_Z}/{SDL_SCANCODE_X, DIK_Z}/|host
web-s-key-on-d|src/host/web/web_input.cpp|s/{"KeyS", DIK_S}/{"KeyD", DIK_S}/|web
demo-pad-y-written-as-x|src/host/demo_format.cpp|s/static_cast<std::uint32_t>(pad.y)/static_cast<std::uint32_t>(pad.x)/|host
web-pixels-white-not-255|src/host/web/web_input.cpp|s/(five >> 2));/0);/|web
web-start-opens-no-menu|src/host/web/web_input.cpp|s/down(9);/down(8);/|web
last-screenshot-number-unused|src/host/bmp_writer.cpp|s/n < 10000;/n < 9999;/|host
demo-size-unchecked|src/host/demo_format.cpp|s/if (bytes.size() > kLargestDemoBytes) return fail(0, "too large to be a demo");//|host
headless-present-on-a-boundary-waits-not|src/host/headless_host.cpp|s/while (Boundary(k) <= now_) ++k;/while (Boundary(k) < now_) ++k;/|host
key-state-count-unchecked|src/host/key_map.cpp|s/sc < count \&\& sc < SDL_NUM_SCANCODES/sc < SDL_NUM_SCANCODES \&\& count > 0/|host
bmp-pixel-data-unchecked|src/platform/bmp_file.cpp|s/if (out->dataAt > bytes.size()) return Fail(error, "pixel data missing");//|platform
wave-odd-chunk-unpadded|src/platform/wave_file.cpp|s/ + (size \& 1);/;/|platform
wave-top-rate-refused|src/platform/wave_file.cpp|s/rate > kMaxRate/rate >= kMaxRate/|platform
bmp-rle-literal-unpadded|src/platform/bmp_file.cpp|s/length += length \& 1;/;/|platform
font-tilde-blank|src/platform/font.cpp|s/c > kLast) return kEmpty/c >= kLast) return kEmpty/|platform
sound-loop-plays-once|src/platform/sound.cpp|s/v.playing = v.looping;/v.playing = false;/|platform
battle-forest-44-as-grass|src/battle/battle_screen.cpp|/^    case 44:$/d|battle
battle-herb-heals-nothing|src/battle/battle.cpp|s/^    Player.hp = Player.maxHp;$/    ;/|battle
world-battle-costs-no-step|src/world/world_map_scene.cpp|s/if (walkable \&\& roll != 0)/if (walkable)/|world
world-pushed-person-stays|src/world/town_scene.cpp|s/actors\[inTheWay\].pause = 0;/;/|world
world-keeper-does-not-turn|src/world/town_scene.cpp|s/actors\[slot\].facing = Down;/;/|world
scale-nine-accepted|src/shell/options.cpp|s/\*n > 8)/*n > 9)/|shell
battle-sprites-unkeyed|src/state/assets.cpp|s/^  SetColourKey(pictures::pbattle.get(), 0xFF00FF);//|shell
herb-heals-short|src/dialogue/status_menu.cpp|s/Player.hp = Player.maxHp;/Player.hp = Player.maxHp - 1;/|dialogue
line-two-lower|src/dialogue/message_box.cpp|s/return 410;/return 411;/|dialogue
game-over-one-sound|src/battle/end_screens.cpp|s/^    PlaySlot(sounds::gameover2, kPlayOnce);/    ;/|game
EOF
)

[[ -f $build/build.ninja ]] || cmake --preset default >/dev/null || exit 1

saved=""
file=""
restore() {
  if [[ -n $saved && -f $saved ]]; then
    cp "$saved" "$root/$file" && rm -f "$saved"
    saved=""
  fi
}
trap 'restore; exit 130' INT TERM
trap restore EXIT

caught=0
missed=0
planted=()  # the suites built from a planted fault
while IFS='|' read -r name file script suite; do
  [[ -z $name || ( -n $pick && $name != *"$pick"* ) ]] && continue
  if ! git diff --quiet -- "$file"; then
    echo "skip $name: $file has changes of its own" >&2
    continue
  fi
  saved=$(mktemp)
  cp "$file" "$saved"
  sed -i "$script" "$file"
  if cmp -s "$file" "$saved"; then
    restore
    # A fault that no longer matches its file tests nothing: it counts as missed.
    printf '%-36s did not apply (its pattern matches nothing)\n' "$name"
    missed=$((missed + 1))
    continue
  fi
  result="NOT CAUGHT"
  [[ " ${planted[*]} " == *" $suite "* ]] || planted+=("$suite")
  if ! cmake --build "$build" --target "pq_test_$suite" >"$build/mutate-build.log" 2>&1; then
    result="caught (does not build)"
  elif ! (cd "$build" && PQ_ASSET_DIR=$build timeout 300 "./pq_test_$suite" \
      --gtest_filter=-Soak.* --gtest_brief=1 >"$build/mutate-run.log" 2>&1); then
    result="caught: $(grep -m1 -o '\[  FAILED  \] [A-Za-z0-9_/]*\.[A-Za-z0-9_/]*' "$build/mutate-run.log" |
      cut -c14-)"
    [[ $result == "caught: " ]] && result="caught (the test binary crashed)"
  fi
  restore
  [[ $result == caught* ]] && caught=$((caught + 1)) || missed=$((missed + 1))
  line=$(printf '%-36s %s' "$name" "$result")
  echo "$line"
done <<<"$faults"

# The binaries were last built from a planted fault: build them again.
for suite in "${planted[@]}"; do
  cmake --build "$build" --target "pq_test_$suite" >/dev/null 2>&1
done
git diff --quiet -- src || echo "note: src/ has uncommitted changes (they were there before)" >&2
printf '\n%d caught, %d not caught\n' "$caught" "$missed"
[[ $missed -eq 0 ]]
