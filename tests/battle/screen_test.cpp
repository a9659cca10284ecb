// The battle as the player sees it: the background, the menu and its cursor,
// the herb, and the fighters' pictures and pauses at each step of a turn.
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "battle/battle.h"
#include "battle/battle_values.h"
#include "host/host_decorator.h"
#include "platform/display.h"
#include "platform/host_link.h"
#include "platform/random.h"
#include "state/assets.h"
#include "state/player.h"
#include "support/headless_game.h"
#include "support/trace_reader.h"

namespace {

using Pixels = std::vector<std::uint16_t>;

// Drawing `what` over a copy of the screen changes nothing: it shows already.
bool Shows(const Pixels& screen, const std::function<void(Surface*)>& what) {
  Surface copy(kScreenWidth, kScreenHeight);
  copy.pixels = screen;
  what(&copy);
  return copy.pixels == screen;
}
auto Sprite(Rect r, int x, int y) {
  return [=](Surface* s) mutable { BlitClipped(s, x, y, pictures::pbattle.get(), r, kCopyKeyed); };
}
const Rect kCursor{0, 64, 32, 96};

// The background comes from the tile code of the cell the fight broke out on.
// Over it, the second picture shows the menu drawn at the end of the first
// pass, the cursor at ATTACK, the Dragonfly and the standing hero.
TEST(BattleScreen, BackgroundMenuAndFightersWhereTheyBelong) {
  HeadlessGame game;
  const Surface* pictures[] = {nullptr, pictures::battle1.get(), pictures::battle2.get(),
                               pictures::battle3.get()};
  const std::pair<std::int32_t, int> cases[] = {{0, 1},  {10, 3}, {43, 2}, {44, 2}, {45, 2},
                                                {46, 1}, {56, 2}, {57, 2}, {58, 1}, {59, 2}};
  for (const auto& [tile, picture] : cases) {
    SCOPED_TRACE(tile);
    NewGame();
    Player.hp = 17;
    Player.herbs = 3;
    const int presents = game.host().Presents();
    Pixels background, shown;
    // At the first read the visible picture holds the background alone; a
    // beaten hero ends the fight at the top of the pass after the second.
    game.host().SetReadHook([&](std::uint32_t) {
      if (background.empty()) background = FrontSurface->pixels;
      if (shown.empty() && game.host().Presents() - presents == 2) {
        shown = game.host().Visible();
        Player.hp = 0;
      }
    });
    EXPECT_EQ(RunBattle(Dragonfly, tile), 0);
    const Surface& field = *pictures[picture];
    EXPECT_TRUE(background == field.pixels);
    // The menu redrawn where it belongs changes nothing, and the field shows
    // just outside its white border.
    EXPECT_TRUE(Shows(shown, [](Surface* s) {
      FillRect(398, 358, 622, 414, kRawWhite, s);  // a border two pixels wide
      FillRect(400, 360, 620, 412, kRawBlue, s);
      Sprite(kCursor, 400, 360)(s);
      DrawTextAt("ATTACK", 435, 367, kTextWhite, s);
      DrawTextAt("HERB          3", 435, 387, kTextWhite, s);
      DrawTextAt("HP  17/20", 500, 365, kTextWhite, s);
    }));
    for (auto [x, y] : {std::pair{397, 358}, {622, 413}, {398, 357}, {621, 414}})
      EXPECT_EQ(shown[ScreenOffset(x, y)], field.At(x, y)) << x << "," << y;
    EXPECT_TRUE(Shows(shown, Sprite({64, 64, 128, 128}, 100, 200)));
    EXPECT_TRUE(Shows(shown, Sprite({0, 0, 64, 64}, 550, 200)));
  }
}

// The cursor moves once per press, plays `button` only on a real move, and
// with Up and Down held together it flips from either row. A move is seen at
// once: it is drawn on the visible surface as well as on the one being
// prepared, the ATTACK cell painted over.
TEST(BattleMenu, CursorMovesOnlyWhenItCanAndShowsAtOnce) {
  HeadlessGame game("0 Up\n100 Down\n300 Up Down\n");
  NewGame();
  std::vector<int> rows;
  Pixels front, back;
  game.host().SetReadHook([&](std::uint32_t now) {
    if (rows.empty() || rows.back() != cursorRow) rows.push_back(cursorRow);
    if (front.empty() && cursorRow == 1) {
      front = FrontSurface->pixels;
      back = BackBuffer->pixels;
    }
    if (now > 400) game.host().RequestQuit();
  });
  EXPECT_THROW(RunBattle(Dragonfly, 0), QuitRequest);
  ASSERT_GE(rows.size(), 4u);  // Up at ATTACK: nothing; Down: HERB; both: flips
  EXPECT_EQ(std::vector(rows.begin(), rows.begin() + 4), (std::vector{0, 1, 0, 1}));
  EXPECT_EQ(Plays(game.TakeTrace(), "button"), static_cast<int>(rows.size()) - 1);
  for (const Pixels* surface : {&front, &back}) {
    EXPECT_TRUE(Shows(*surface, Sprite(kCursor, 400, 380)));
    EXPECT_TRUE(Shows(*surface, [](Surface* s) { FillRect(400, 360, 432, 380, kRawBlue, s); }));
  }
}

// Down and A in the same pass: the cursor goes to HERB and the herb is used at
// once. Its box's empty third line waits for an answer key before the monster
// moves. Holding all three, the hero then only ever reaches for herbs, finds
// none after the first, and loses without a message of the battle's own.
TEST(BattleMenu, DownAndAUseAHerbAtOnceThenNoneAreLeft) {
  HeadlessGame game("0 Down A\n60 Down\n3000 Down A S\n");
  NewGame();
  Player.hp = 7;
  Player.herbs = 1;
  game.TakeTrace();
  EXPECT_EQ(RunBattle(Dragonfly, 0), 0);
  const auto trace = game.TakeTrace();
  // The text line takes 34 x 50 ms to type; the sound follows it.
  EXPECT_GE(PlayedAt(trace, "hp"), 34 * 50);
  EXPECT_LT(PlayedAt(trace, "hp"), 3000);
  EXPECT_GE(PlayedAt(trace, "eattack"), 3000 + 2 * 200);
  // The herb box in yellow: an empty first line opens it, the text, an empty
  // line 3; then white blows against Pim and "no herb" in turn.
  const Lines said = Messages(trace), texts = Texts(trace);
  ASSERT_GE(said.size(), 6u);
  EXPECT_EQ(Lines(said.begin(), said.begin() + 3),
            (Lines{"1Y", "2Y                      HP Recovered", "3Y"}));
  int damageTaken = 0;
  for (std::size_t i = 3; i < said.size(); ++i) {
    EXPECT_EQ(said[i][1], 'W') << said[i];
    if (i % 2 == 1) {
      ASSERT_EQ(texts[i].rfind("Pim damaged ", 0), 0u) << texts[i];
      damageTaken += std::stoi(texts[i].substr(12));
    } else {
      EXPECT_EQ(texts[i], "You not have Herb!!!");
    }
  }
  EXPECT_EQ(said.size() % 2, 0u);  // the last word is a blow against Pim
  EXPECT_EQ(Player.herbs, 0);
  EXPECT_EQ(Player.hp, 20 - damageTaken);  // healed to 20 once, then worn down
  EXPECT_LE(Player.hp, 0);
}

// The hero's blow comes after three 300 ms steps, the lunge the second. The
// monster then takes a 200 ms step per picture, a third one for Elmo, and the
// hero's damage follows its blow after a 100 ms + 100 ms flash.
TEST(BattleTurns, StepsAndPausesTakeTheirTimeAndShow) {
  const struct {
    std::int32_t kind, y;
    Rect standing;
    std::vector<Rect> steps;
  } cases[] = {
      {Dragonfly, 200, {64, 64, 128, 128}, {{64, 128, 128, 192}, {64, 128, 128, 192}}},
      {Elmo,
       168,
       {128, 192, 192, 288},
       {{64, 192, 128, 288}, {0, 192, 64, 288}, {0, 192, 64, 288}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    HeadlessGame game("0 A S\n");
    NewGame();
    Player.hp = 1000;
    SetRandState(1);
    std::map<int, Pixels> hero, monster;  // the screen at each step
    // The screen at the two pauses before the hero's damage shows.
    struct PauseWatch : HostDecorator {
      using HostDecorator::HostDecorator;
      void Sleep(std::uint32_t ms) override {
        if (heroHitPending == 1 && seen.size() < 2) seen.push_back(game->host().Visible());
        HostDecorator::Sleep(ms);
      }
      HeadlessGame* game = nullptr;
      std::vector<Pixels> seen;
    } watch(game.host());
    watch.game = &game;
    AttachHost(&watch);
    game.host().SetReadHook([&](std::uint32_t) {
      if (heroFrame > 0) hero.try_emplace(heroFrame, game.host().Visible());
      if (monsterFrame > 0) monster.try_emplace(monsterFrame, game.host().Visible());
      if (heroHitPending == 0 && enemyTurn == 0 && !monster.empty()) game.host().RequestQuit();
    });
    game.TakeTrace();
    EXPECT_THROW(RunBattle(c.kind, 0), QuitRequest);
    ASSERT_EQ(hero.size(), 2u);
    ASSERT_EQ(monster.size(), c.steps.size());
    EXPECT_TRUE(Shows(hero[1], Sprite({64, 0, 128, 64}, 550, 200)));
    EXPECT_TRUE(Shows(hero[1], Sprite(c.standing, 100, c.y)));
    EXPECT_TRUE(Shows(hero[2], Sprite({128, 0, 192, 64}, 154, 200)));
    for (std::size_t i = 0; i < c.steps.size(); ++i) {
      const Pixels& step = monster[static_cast<int>(i) + 1];
      EXPECT_TRUE(Shows(step, Sprite(c.steps[i], 100, c.y))) << i;
      EXPECT_TRUE(Shows(step, Sprite({0, 0, 64, 64}, 550, 200))) << i;
    }
    AttachHost(&game.host());
    // The strike: the monster stands right beside the hero; then the picture
    // of the pass before flashes back before the hero's damage is told.
    ASSERT_EQ(watch.seen.size(), 2u);
    EXPECT_TRUE(Shows(watch.seen[0], [&](Surface* s) {
      Sprite(c.standing, 500, c.y)(s);
      Sprite({0, 0, 64, 64}, 550, 200)(s);
    }));
    EXPECT_TRUE(Shows(watch.seen[1], Sprite(c.steps.back(), 100, c.y)));
    const auto trace = game.TakeTrace();
    const auto messages = Texts(trace);
    ASSERT_EQ(messages.size(), 2u);
    const std::int64_t blow = PlayedAt(trace, "pattack"), strike = PlayedAt(trace, "eattack");
    const std::int64_t hurt = Num(Find(trace, "message", "text", messages[1]), "t");
    // Presents at 60 a second fall between the steps and add a few ms each.
    EXPECT_GE(blow, 3 * 300);
    EXPECT_LT(blow, 3 * 300 + 50);
    const std::int64_t steps = strike - blow - 50 * std::int64_t(messages[0].size());
    EXPECT_GE(steps, std::int64_t(c.steps.size()) * 200);
    EXPECT_LT(steps, std::int64_t(c.steps.size()) * 200 + 100);
    EXPECT_GE(hurt - strike, 200 + 100 + 100);
    EXPECT_LT(hurt - strike, 200 + 100 + 100 + 50);
  }
}

}  // namespace
