#pragma once
// px300ctl subcommands. Each lives in its own file and registers itself with a static
// CommandRegistration; main() dispatches on the first argument.
#include <string>
#include <vector>

// Exit status of a subcommand: 0 success, 1 a failing result, 2 bad arguments.
constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

using CommandArgs = std::vector<std::string>;  // the arguments after the subcommand's word
using CommandFn = int (*)(const CommandArgs& args);

struct CommandRegistration {
    // usage: the subcommand's usage lines without the program name, e.g. "list".
    CommandRegistration(const char* word, CommandFn fn, const char* usage);
};

// Writes "usage: px300ctl <usage>" to stderr and returns kExitUsage.
int UsageError(const char* usage, const std::string& problem = {});

// Number parsing for arguments: decimal or 0x hex, whole string, within [0, max].
bool ParseNumber(const std::string& text, unsigned long max, unsigned long& out);
// A string of hex digits (even count, no separators) into bytes.
bool ParseHexBytes(const std::string& text, std::vector<unsigned char>& out);
