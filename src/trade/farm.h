#pragma once
// Sowing seeds and harvesting crops.
void farm();
