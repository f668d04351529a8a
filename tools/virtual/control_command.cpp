#include "tools/virtual/control_command.h"

#include <cerrno>
#include <cstdlib>
#include <sstream>
#include <utility>

const char* const kControlUsage =
    "list\n"
    "plug DEVICE\n"
    "unplug DEVICE\n"
    "dump DEVICE info|settings|keytable|extra|macro|shoot|status|light|mask\n"
    "event DEVICE USAGE\n"
    "fault DEVICE no-reply|status-ff|status-fe COUNT\n"
    "reachable DEVICE yes|no";

namespace {
constexpr unsigned long kMaxFaultCount = 1000000;

struct VerbForm {
    const char* word;
    ControlVerb verb;
    size_t words;  // including the verb
};

constexpr VerbForm kForms[] = {
    {"list", ControlVerb::List, 1},           {"plug", ControlVerb::Plug, 2},
    {"unplug", ControlVerb::Unplug, 2},       {"dump", ControlVerb::Dump, 3},
    {"event", ControlVerb::Event, 3},         {"fault", ControlVerb::Fault, 4},
    {"reachable", ControlVerb::Reachable, 3},
};

constexpr std::pair<const char*, FaultKind> kFaults[] = {
    {"no-reply", FaultKind::NoReply}, {"status-ff", FaultKind::StatusFF}, {"status-fe", FaultKind::StatusFE}};

bool Refuse(std::string& error, std::string message) {
    error = std::move(message);
    return false;
}

bool ParseArguments(const std::vector<std::string>& words, ControlCommand& out, std::string& error) {
    unsigned long number = 0;
    switch (out.verb) {
        case ControlVerb::Dump:
            return ParseAreaName(words[2], out.area) || Refuse(error, "unknown memory area: " + words[2]);
        case ControlVerb::Event:
            if (!ParseNumber(words[2], 0xFFFF, number)) {
                return Refuse(error, "USAGE must be a number from 0 to 0xffff: " + words[2]);
            }
            out.usage = static_cast<uint16_t>(number);
            return true;
        case ControlVerb::Fault:
            if (!ParseNumber(words[3], kMaxFaultCount, number)) {
                return Refuse(error, "COUNT must be a number from 0 to 1000000: " + words[3]);
            }
            out.count = static_cast<unsigned>(number);
            for (const auto& [name, kind] : kFaults) {
                if (words[2] == name) {
                    out.fault = kind;
                    return true;
                }
            }
            return Refuse(error, "unknown fault: " + words[2]);
        case ControlVerb::Reachable:
            out.reachable = words[2] == "yes";
            return out.reachable || words[2] == "no" || Refuse(error, "expected yes or no: " + words[2]);
        default:
            return true;
    }
}
}  // namespace

bool ParseControlCommand(const std::vector<std::string>& words, ControlCommand& out, std::string& error) {
    if (words.empty()) {
        return Refuse(error, "no command");
    }
    for (const VerbForm& form : kForms) {
        if (words[0] != form.word) {
            continue;
        }
        if (words.size() != form.words) {
            return Refuse(error, "wrong number of arguments for " + words[0]);
        }
        ControlCommand command;
        command.verb = form.verb;
        if (words.size() > 1) {
            if (FindVirtualDevice(words[1]) == nullptr) {
                return Refuse(error, "unknown device: " + words[1]);
            }
            command.device = words[1];
        }
        if (!ParseArguments(words, command, error)) {
            return false;
        }
        out = std::move(command);
        return true;
    }
    return Refuse(error, "unknown command: " + words[0]);
}

bool ParseNumber(const std::string& text, unsigned long max, unsigned long& out) {
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const std::string digits = text.substr(hex ? 2 : 0);
    if (digits.empty() || digits.size() > 16 ||
        digits.find_first_not_of(hex ? "0123456789abcdefABCDEF" : "0123456789") != std::string::npos) {
        return false;
    }
    errno = 0;
    const unsigned long long value = std::strtoull(digits.c_str(), nullptr, hex ? 16 : 10);
    if (errno != 0 || value > max) {
        return false;
    }
    out = static_cast<unsigned long>(value);
    return true;
}

std::vector<std::string> SplitWords(const std::string& line) {
    std::istringstream stream(line);
    std::vector<std::string> words;
    for (std::string word; stream >> word;) {
        words.push_back(word);
    }
    return words;
}

bool IsControlFailure(const std::string& output) {
    return output.starts_with(kControlFailurePrefix);
}

std::string EncodeControlAnswer(const std::string& output) {
    return (IsControlFailure(output) ? "1" : "0") + output;
}
