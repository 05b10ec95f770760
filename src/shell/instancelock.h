#pragma once
// One program per data folder: a lock file in the current directory tells a second start that the
// folder is in use. A lock left behind by a program that was killed does not count.

/// What the lock file name is, in the data folder.
inline constexpr const char* kInstanceLockName = "Quillora.lock";

/// Takes the lock of the current directory, first releasing one this process may hold. True when the
/// program may go on: the lock is now held, or the folder refuses every new file (read-only), so that
/// no program can write there either. False when a running program holds it; nothing is changed then.
bool acquireInstanceLock();

/// Gives the lock back and removes its file; nothing when none is held.
void releaseInstanceLock();

/// Whether this process holds a lock.
bool instanceLockHeld();
