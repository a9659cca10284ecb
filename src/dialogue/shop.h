#pragma once
// The Merchant's shop and the Bellboy's inn.
void RunShop();
void RunInn();
// The row chosen in the shop window: 1 to 3, or 0 when cancelled.
int ChooseShopItem();
