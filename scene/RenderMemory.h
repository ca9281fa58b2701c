#pragma once

// Mesa's software renderers allocate and free blocks of a frame's size on every frame, on their
// own threads. Left to itself, glibc gives the freed memory at the top of those threads' heaps
// back to the system (madvise) and the next frame faults every page in and zeroes it again: on
// llvmpipe that about doubled the frame time of the still position. This keeps up to 128 MB of
// free memory at the top of a heap for reuse. Process-wide; call once, before drawing. Does
// nothing where the C library is not glibc.
void KeepFrameSizedBlocksForReuse();
