// px300ctl proto: one command-protocol operation on an interface path, for scripts and diagnosis.
#include <cstdio>
#include <functional>
#include <map>

#include "link/command_link.h"
#include "link/command_packet.h"
#include "platform/text.h"
#include "tools/px300ctl/command.h"

namespace {
const char kUsage[] =
    "proto PATH [--receiver] COMMAND [ARGS]\n"
    "  COMMAND: begin | end | info | read-settings COUNT BASE | write-settings BASE HEX |\n"
    "           read-keytable SIZE | write-keytable BANK HEX | key-light-mask INDEX HEX |\n"
    "           light-frame HEX | write-macro HEX | write-shoot HEX | read-status COUNT OFFSET |\n"
    "           read-extra SIZE | host-lighting | query-receiver\n"
    "  SIZE is the key table size in bytes (at most 512); read-extra reads a third of it.\n"
    "  Numbers are decimal or 0x hex; HEX is a string of hex digits.";

struct Request {
    CCommandLink& link;
    std::vector<unsigned long> numbers;  // the numeric arguments, in order
    std::vector<unsigned char> bytes;    // the HEX argument
    std::vector<unsigned char> data;     // what a read returns
};

// The argument shape of an operation: how many numbers (with their maxima) and whether HEX follows.
struct Operation {
    std::vector<unsigned long> maxima;
    bool takesHex;
    std::function<int(Request&)> run;
};

const std::map<std::string, Operation>& Operations() {
    static const std::map<std::string, Operation> ops = {
        {"begin", {{}, false, [](Request& r) { return r.link.BeginTransfer(); }}},
        {"end", {{}, false, [](Request& r) { return r.link.EndTransfer(); }}},
        {"info",
         {{},
          false,
          [](Request& r) {
              r.data.resize(kDeviceInfoSize);
              return r.link.ReadDeviceInfo(r.data.data());
          }}},
        {"read-settings",
         {{0xFFFF, 0xFFFF},
          false,
          [](Request& r) {
              r.data.resize(r.numbers[0]);
              return r.link.ReadSettings(r.data.data(), r.numbers[0], static_cast<uint16_t>(r.numbers[1]));
          }}},
        {"write-settings",
         {{0xFFFF},
          true,
          [](Request& r) {
              return r.link.WriteSettings(r.bytes.data(), r.bytes.size(),
                                          static_cast<uint16_t>(r.numbers[0]));
          }}},
        {"read-keytable",
         {{kKeyTableCapacity},
          false,
          [](Request& r) {
              r.link.SetKeyTableSize(static_cast<uint16_t>(r.numbers[0]));
              r.data.resize(r.numbers[0]);
              return r.link.ReadKeyTable(r.data.data());
          }}},
        {"write-keytable",
         {{0xFF},
          true,
          [](Request& r) {
              if (r.bytes.size() > kKeyTableCapacity) {
                  return static_cast<int>(LINK_WRITE_FAILED);
              }
              r.link.SetKeyTableSize(static_cast<uint16_t>(r.bytes.size()));
              return r.link.WriteKeyTable(r.bytes.data(), static_cast<int>(r.numbers[0]));
          }}},
        {"key-light-mask",
         {{0xFFFF},
          true,
          [](Request& r) { return r.link.WriteKeyLightMask(r.bytes.data(), r.bytes.size(), r.numbers[0]); }}},
        {"light-frame",
         {{}, true, [](Request& r) { return r.link.SendLightFrame(r.bytes.data(), r.bytes.size()); }}},
        {"write-macro",
         {{}, true, [](Request& r) { return r.link.WriteMacroData(r.bytes.data(), r.bytes.size()); }}},
        {"write-shoot",
         {{}, true, [](Request& r) { return r.link.WriteShootData(r.bytes.data(), r.bytes.size()); }}},
        {"read-status",
         {{kMaxPayload, 0xFFFF},
          false,
          [](Request& r) {
              r.data.resize(r.numbers[0]);
              return r.link.ReadStatus(r.data.data(), r.numbers[0], static_cast<uint16_t>(r.numbers[1]));
          }}},
        {"read-extra",
         {{kKeyTableCapacity},
          false,
          [](Request& r) {
              r.link.SetKeyTableSize(static_cast<uint16_t>(r.numbers[0]));
              r.data.resize(r.numbers[0] / 3);
              return r.link.ReadKeyExtraTable(r.data.data());
          }}},
        {"host-lighting", {{}, false, [](Request& r) { return r.link.StartHostLighting(); }}},
    };
    return ops;
}

void PrintHex(const std::vector<unsigned char>& data) {
    std::string line;
    static const char kHex[] = "0123456789abcdef";
    for (unsigned char b : data) {
        line.push_back(kHex[b >> 4]);
        line.push_back(kHex[b & 15]);
    }
    std::printf("%s\n", line.c_str());
}

int Proto(const CommandArgs& argsIn) {
    CommandArgs args = argsIn;
    bool receiver = false;
    for (auto it = args.begin(); it != args.end();) {
        if (*it == "--receiver") {
            receiver = true;
            it = args.erase(it);
        } else {
            ++it;
        }
    }
    if (args.size() < 2) {
        return UsageError(kUsage, "proto needs a PATH and a COMMAND");
    }
    const std::string& path = args[0];
    const std::string& word = args[1];
    const bool query = word == "query-receiver";
    const auto op = Operations().find(word);
    if (!query && op == Operations().end()) {
        return UsageError(kUsage, "unknown protocol command '" + word + "'");
    }
    const size_t want = query ? 0 : op->second.maxima.size() + (op->second.takesHex ? 1 : 0);
    if (args.size() - 2 != want) {
        return UsageError(kUsage, "wrong number of arguments for '" + word + "'");
    }
    CCommandLink link;
    Request request{link, {}, {}, {}};
    if (!query) {
        for (size_t i = 0; i < op->second.maxima.size(); ++i) {
            unsigned long n = 0;
            if (!ParseNumber(args[2 + i], op->second.maxima[i], n)) {
                return UsageError(kUsage, "bad number '" + args[2 + i] + "'");
            }
            request.numbers.push_back(n);
        }
        if (op->second.takesHex && !ParseHexBytes(args.back(), request.bytes)) {
            return UsageError(kUsage, "bad hex string '" + args.back() + "'");
        }
    }
    if (!link.OpenLink(Utf8ToWide(path), receiver)) {
        std::fprintf(stderr, "px300ctl: cannot open %s%s\n", path.c_str(),
                     (receiver ? link.ReceiverChannel() : link.WiredChannel()).LastOpenDenied()
                         ? ": permission denied (install packaging/udev/70-px300.rules with 'make install', "
                           "then unplug and replug the device)"
                         : "");
        return kExitFailed;
    }
    if (query) {
        const bool reachable = link.QueryReceiverLink();
        std::printf("%s\n", reachable ? "true" : "false");
        return reachable ? kExitOk : kExitFailed;
    }
    const int result = op->second.run(request);
    std::printf("%s\n", LinkResultName(result));
    if (!request.data.empty() && result == LINK_OK) {
        PrintHex(request.data);
    }
    return result == LINK_OK ? kExitOk : kExitFailed;
}

const CommandRegistration kRegistration("proto", Proto, kUsage);
}  // namespace
