#pragma once

namespace Velloro {

// A small number for the calling thread, the same for its whole life: threads started one after
// another (a pool's workers) get consecutive numbers. Used to spread threads over per-slot state
// so that they do not share cache lines.
unsigned threadSlot();

} // namespace Velloro
