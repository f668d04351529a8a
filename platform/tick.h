#pragma once
#include <cstdint>

// Milliseconds of a steady clock; wraps like the Windows tick count.
uint32_t GetTickCount();
uint64_t GetTickCount64();
void SleepMs(uint32_t ms);
