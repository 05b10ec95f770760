#pragma once
// Root ignores file permissions, so tests of a read-only file or folder run their scenario in a child
// process that has become the user nobody.

#include <functional>
#include <string>

/// Exit status of a child that could not become an ordinary user.
inline constexpr int kCannotSwitchUser = 10;

/// Why the user nobody could not reach path ("" when it can): names the first folder on the way to it
/// (path itself not counted) that others may not enter, as when the checkout lies in a private home
/// folder.
std::string whyOrdinaryUserCannotReach(const std::string& path);

/// Runs scenario in a forked child as the user nobody (or as the current user when that is not root)
/// and returns its result; kCannotSwitchUser when the switch failed, -1 when the child did not exit.
int runAsOrdinaryUser(const std::function<int()>& scenario);
