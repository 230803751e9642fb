// Test seam of the formatting worker.
#pragma once

namespace storage_seam {
// While held, the worker waits with its result before it reports it, so a
// test can act while the run is certainly not finished.
void holdFormatWorker(bool hold);
// True while the held worker waits: its per-disk work is done.
bool formatWorkerHeld();
}  // namespace storage_seam
