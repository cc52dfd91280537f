#pragma once

// Runs `tarrowin --list-shelf`: prints the bookshelf on standard output as tab-separated lines, a
// header line first, each novel with what the "书架" window shows of it. The novels whose table of
// contents is not kept yet are scanned first (and kept, as opening them would). Returns the exit
// code: 0, or 1 when the shelf file cannot be read.
int RunListShelfCommand();
