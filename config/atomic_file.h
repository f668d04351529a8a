#pragma once
// Whole-file replacement that never leaves a half-written file behind.
#include <string>
#include <string_view>

// Writes `bytes` to a temporary file in the target's folder, flushes it to disk and renames it over
// `path` (UTF-8), so an interruption leaves either the old or the new file whole. A new file gets the
// usual permissions (0666 less the umask); an existing file keeps its own. On failure the temporary
// file is removed, the target is untouched, a debug line names the path and the cause, and the
// result is false.
bool ReplaceFileContents(const std::string& path, std::string_view bytes);
