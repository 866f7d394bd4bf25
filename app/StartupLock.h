#pragma once

namespace mxt::app {

// Held from just before the main window is made until its first idle moment, so that a
// second start waits before it looks for the window. Waits up to 3000 ms for another
// starting instance.
void AcquireStartupMutex();
// Does nothing when nothing is held.
void ReleaseStartupMutex();

}  // namespace mxt::app
