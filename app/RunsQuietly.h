#pragma once

// Keeps a run from writing anything to the disk or leaving a process behind:
// no shader caches, no session bus started on our behalf. Must run before the
// application object exists; what the user has set in the environment stays.
void keepRunFromWriting();
