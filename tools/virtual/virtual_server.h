#pragma once
// px300-virtual's server, usable in-process by tests: serves the virtual devices named by their
// DEVICE words as HID interfaces in a directory (see link/virtual_wire.h for the wire contract).
#include <memory>
#include <string>
#include <vector>

class CVirtualServer {
public:
    struct Options {
        std::string dir;      // virtual-device directory; created when missing
        std::string logFile;  // empty: no report log
        int latencyUs = 0;    // time each report takes
    };

    explicit CVirtualServer(Options options);
    ~CVirtualServer();  // Stop()
    CVirtualServer(const CVirtualServer&) = delete;
    CVirtualServer& operator=(const CVirtualServer&) = delete;

    // The DEVICE words this build knows ("keyboard", "keyboard-receiver", ...).
    static std::vector<std::string> DeviceWords();

    // Adds a device before Start; false (and a message in *error) for an unknown word or a word
    // given twice.
    bool Add(const std::string& deviceWord, std::string* error = nullptr);

    // Makes every added device's interfaces appear (plugged) and starts serving. False with a
    // message when the directory or a socket cannot be made.
    bool Start(std::string* error = nullptr);

    // Removes every socket and identity file; returns once nothing is served any more.
    void Stop();

    // Runs one control command, the words after "px300-virtual ctl" (e.g. "unplug keyboard",
    // "dump keyboard settings"). Returns the command's output; a failed command's output starts
    // with "error: ". Thread-safe; also reachable from other processes through the control socket.
    std::string Control(const std::string& commandLine);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};
