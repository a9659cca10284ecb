// What the people of the village and the castle say, and Elmo's boast. Each
// talk plays the person's whole script again; nothing is remembered.
#include "dialogue/conversation.h"

#include <span>

#include "dialogue/say_line.h"
#include "dialogue/shop.h"
#include "platform/display.h"
#include "platform/trace.h"

namespace {

// One line of the message box: line 1 opens a fresh box, line 3 waits for the
// player. Leading blanks are counted apart so that they can be checked
// against the script at a glance; a step without text shows an empty line.
struct ScriptStep {
  int line;
  std::uint32_t colour;
  int blanks;
  const char* text;
};

constexpr std::uint32_t W = kTextWhite;
constexpr std::uint32_t Y = kTextYellow;
constexpr std::uint32_t R = kTextRed;
constexpr const char* kWait = nullptr;

// The Girl's last box is not waited for: the scene's next frame takes it away.
constexpr ScriptStep kGirl[] = {
    {1, R, 0, "Girl: No! No! Don't come close to me.I scared. Elmo.. No!"},
    {2, W, 0, "Pim:  Easy, easy. I'm not Elmo...Who is Elmo?"},
    {3, W, 0, kWait},
    {1, W, 0, "Girl: I don't know. Don't talk to me!!!"},
};

constexpr ScriptStep kBoy[] = {
    {1, W, 0, "Boy: My friend told that Elmo is coming to my village.. "},
    {3, W, 0, kWait},
};

constexpr ScriptStep kWoman[] = {
    {1, W, 0, "Woman: Our princess was caught by the devil Elmo.."},
    {2, W, 7, "He'd believe that if he eat her in the full moon,"},
    {3, W, 7, "he will strongest in the world."},
    {1, W, 7, "Nobody can beat him...Oh! Elmo is so awful..."},
    {3, W, 0, kWait},
};

constexpr ScriptStep kSoldier[] = {
    {1, W, 0, "Soldier: King is looking for brave guy to help the princess"},
    {2, W, 23, "Nadia"},
    {3, W, 0, kWait},
};

// The Minister's last box is not waited for either.
constexpr ScriptStep kMinister[] = {
    {1, W, 0, "Minister: The evil Elmo caught our princess.."},
    {2, W, 10, "We're waiting for the brave man from legend,"},
    {3, Y, 28, "MIP"},
    {1, W, 0, "Pim: I'll help the princess back..."},
};

constexpr ScriptStep kKing[] = {
    {1, W, 0, "King: Ohh..Oh.. How I can do?"},
    {2, W, 6, "Elmo caught my daughter..."},
    {3, W, 0, kWait},
    {1, W, 0, "King: When MIP ,the brave guy from legend will come?"},
    {3, W, 0, kWait},
    {1, W, 0, "Pim: I'm travel warrior. I'd been go everywhere.."},
    {2, W, 5, "I will save the princess."},
    {3, Y, 5, "My name is PIM."},
    {1, W, 0, "King: Pim..MIP..Oh! you may be the warrior in the legend."},
    {2, Y, 6, "Listen to me.. You must go to the NW, Elmo's castle"},
    {3, Y, 6, "Please save Nadia ....."},
};

constexpr ScriptStep kElmo[] = {
    {1, W, 0, "Elmo: Nobody can beat me...."},
    {2, W, 6, "Ha ha ha ha     You too!!!"},
    {3, W, 0, kWait},
};

struct Speaker {
  std::int32_t personId;
  std::span<const ScriptStep> script;
};

constexpr Speaker kSpeakers[] = {
    {2, kGirl}, {3, kBoy}, {5, kWoman}, {6, kSoldier}, {7, kMinister}, {8, kKing}, {10, kElmo},
};

constexpr std::int32_t kMerchant = 1;
constexpr std::int32_t kBellboy = 4;

void PlayScript(std::span<const ScriptStep> script) {
  for (const ScriptStep& step : script) SayLine(step.line, step.colour, step.blanks, step.text);
}

}  // namespace

void RunConversation(std::int32_t personId) {
  TraceEvent("talk").Int("person", personId);
  if (personId == kMerchant) {
    RunShop();
    return;
  }
  if (personId == kBellboy) {
    RunInn();
    return;
  }
  for (const Speaker& speaker : kSpeakers) {
    if (speaker.personId == personId) {
      PlayScript(speaker.script);
      return;
    }
  }
  // Anybody else has nothing to say.
}
