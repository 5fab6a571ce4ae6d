#pragma once
// The user's default locale as a Windows-style locale id: 0x411 for Japanese, 0x409
// (English, United States) for every other language, which is all the program asks.
unsigned UserDefaultLCID();
