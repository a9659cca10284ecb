#pragma once
#include <cstdint>
// Everything a person says (1 Merchant ... 8 King, 10 Elmo); the Merchant and
// the Bellboy then open the shop and the inn.
void RunConversation(std::int32_t personId);
