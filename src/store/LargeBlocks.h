#pragma once

namespace opusteca::memory {

// Has every large block of memory taken straight from the system, in every
// process that sets it (the program and its benchmarks), once at start.
//
// A search of a large archive grows a few buffers to tens of megabytes each.
// The C library otherwise serves blocks below a size it raises as the program
// frees large blocks from its own heap, where growing a block copies it: old
// and new copy are then both in memory at once. Taken from the system, a block
// grows in place and goes back whole when freed. Does nothing where the
// library has no such setting.
void mapLargeBlocks();

} // namespace opusteca::memory
