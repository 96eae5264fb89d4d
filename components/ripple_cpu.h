#pragma once
// Keeping the ripple loops at full speed next to code that uses the wide vector registers.

// Marks the upper halves of the wide vector registers unused. Code built for the plain 128-bit
// instruction set (the ripple loops) runs several times slower while a library routine (a
// memset, a fill, a blend) has left those upper halves in use, and nothing else clears them
// between frames. Call before a loop of such code; a no-op where the processor has no wide
// registers or the compiler offers no way to reach them.
void SettleVectorRegisters();
