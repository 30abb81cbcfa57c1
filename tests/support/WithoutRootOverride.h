#pragma once

#include <functional>

// Runs an action with the file permissions enforced even for root: on a thread of its own that has
// given up the capabilities that let root read, write and search past them. A test of a read-only
// file or folder thus checks the same thing for every user; the rest of the process keeps its rights.
// Exceptions of the action reach the caller.
void runWithoutRootOverride(const std::function<void()>& action);
