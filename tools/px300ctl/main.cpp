#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

#include "tools/px300ctl/command.h"

namespace {
struct Entry {
    CommandFn fn;
    const char* usage;
};

std::map<std::string, Entry>& Commands() {
    static std::map<std::string, Entry> commands;
    return commands;
}

int PrintUsage(FILE* out) {
    std::fprintf(out, "usage:\n");
    for (const auto& [word, entry] : Commands()) {
        std::fprintf(out, "  px300ctl %s\n", entry.usage);
    }
    return kExitUsage;
}
}  // namespace

CommandRegistration::CommandRegistration(const char* word, CommandFn fn, const char* usage) {
    Commands()[word] = Entry{fn, usage};
}

int UsageError(const char* usage, const std::string& problem) {
    if (!problem.empty()) {
        std::fprintf(stderr, "px300ctl: %s\n", problem.c_str());
    }
    std::fprintf(stderr, "usage: px300ctl %s\n", usage);
    return kExitUsage;
}

bool ParseNumber(const std::string& text, unsigned long max, unsigned long& out) {
    if (text.empty() || text.size() > 20) {
        return false;
    }
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const char* digits = text.c_str() + (hex ? 2 : 0);
    if (*digits == '\0' || *digits == '-' || *digits == '+') {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    const unsigned long long value = std::strtoull(digits, &end, hex ? 16 : 10);
    if (errno != 0 || *end != '\0' || value > max) {
        return false;
    }
    out = static_cast<unsigned long>(value);
    return true;
}

bool ParseHexBytes(const std::string& text, std::vector<unsigned char>& out) {
    if (text.size() % 2 != 0) {
        return false;
    }
    out.clear();
    for (size_t i = 0; i < text.size(); i += 2) {
        unsigned value = 0;
        for (size_t k = 0; k < 2; ++k) {
            const char c = text[i + k];
            unsigned digit;
            if (c >= '0' && c <= '9') {
                digit = c - '0';
            } else if (c >= 'a' && c <= 'f') {
                digit = c - 'a' + 10;
            } else if (c >= 'A' && c <= 'F') {
                digit = c - 'A' + 10;
            } else {
                return false;
            }
            value = value * 16 + digit;
        }
        out.push_back(static_cast<unsigned char>(value));
    }
    return true;
}

int main(int argc, char** argv) {
    if (argc < 2) {
        return PrintUsage(stderr);
    }
    if (std::strcmp(argv[1], "--help") == 0) {
        PrintUsage(stdout);
        return kExitOk;
    }
    auto it = Commands().find(argv[1]);
    if (it == Commands().end()) {
        std::fprintf(stderr, "px300ctl: unknown command '%s'\n", argv[1]);
        return PrintUsage(stderr);
    }
    return it->second.fn(CommandArgs(argv + 2, argv + argc));
}
