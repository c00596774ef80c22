// The application's key codes for Qt's keys.
#pragma once

// Space to '`' (32 to 96: digits, upper-case letters and the punctuation between them) keep
// their value; Return, Backspace and the four arrows have codes of their own; every other
// key is 0x1000000.
int mapQtKey(int qtKey);
