#pragma once
// The control commands of px300-virtual ("px300-virtual ctl COMMAND", CVirtualServer::Control).
#include <cstdint>
#include <string>
#include <vector>

#include "tools/virtual/device_description.h"
#include "tools/virtual/firmware.h"

enum class ControlVerb { List, Plug, Unplug, Dump, Event, Fault, Reachable };

struct ControlCommand {
    ControlVerb verb = ControlVerb::List;
    std::string device;  // DEVICE word; empty for list
    MemoryArea area = MemoryArea::Info;
    uint16_t usage = 0;
    FaultKind fault = FaultKind::NoReply;
    unsigned count = 0;
    bool reachable = true;
};

// The usage lines of the commands, one per line, each without a program name.
extern const char* const kControlUsage;

// Parses the words of one command. False with a message for bad usage: an unknown command or
// device word, a missing or extra argument, a number out of range.
bool ParseControlCommand(const std::vector<std::string>& words, ControlCommand& out, std::string& error);

// Decimal or 0x hex, the whole text, within [0, max].
bool ParseNumber(const std::string& text, unsigned long max, unsigned long& out);

std::vector<std::string> SplitWords(const std::string& line);

// The control socket in the virtual-device directory. A client sends one command line as one
// datagram and receives one answer datagram: '0' (done) or '1' (failed), then the output.
constexpr const char* kControlSocketName = "control.sock";
constexpr const char* kControlFailurePrefix = "error: ";
bool IsControlFailure(const std::string& output);
std::string EncodeControlAnswer(const std::string& output);
