#pragma once
// The per-user local message endpoint: other processes of the same user reach this program through
// one Unix socket named after an identity, with frames {message name or number, wParam, lParam,
// payload}. A registered message travels by name (numbers differ between processes), any other by
// number; copy-data is number 0x004A with its identifier in lParam and its bytes as the payload.
// Frames go one way: a sender learns only whether the endpoint took the frame.
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/message_target.h"
#include "platform/worker_thread.h"

struct LocalFrame {
    std::wstring name;    // a registered message name; empty: the number counts
    uint32_t number = 0;  // a plain message number
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    std::vector<uint8_t> payload;
};

constexpr size_t kMaxLocalName = 256;  // bytes of UTF-8
constexpr size_t kMaxLocalPayload = 64 * 1024;

// Wire form, little-endian: "PXM1", number (32 bits), wParam (64), lParam (64), name length (16),
// 0 (16), payload length (32), the name in UTF-8, the payload. Empty when a limit is exceeded.
std::vector<uint8_t> EncodeLocalFrame(const LocalFrame& frame);
// False for anything but one whole, well-formed frame within the limits.
bool DecodeLocalFrame(const uint8_t* data, size_t size, LocalFrame& out);

// The per-user folder of the endpoint and lock files: $XDG_RUNTIME_DIR, else /tmp/px300-<uid>
// (created with mode 0700; refused when another user owns it or others may write to it). Empty when
// neither is usable.
std::string LocalRuntimeFolder();
// folder + "/" + identity + suffix, with '/' in the identity replaced by '_'.
std::string LocalRuntimePath(std::wstring_view identity, const std::string& folder, std::string_view suffix);

// Sends one frame to the endpoint at path. False when nobody listens there or the frame is not taken
// within timeoutMs.
bool SendLocalFrame(const std::string& path, const LocalFrame& frame, int timeoutMs = 1000);

class CLocalEndpoint {
public:
    // Runs on the endpoint's worker thread, once per frame; it must not block.
    using Handler = std::function<void(const LocalFrame&)>;

    CLocalEndpoint();
    ~CLocalEndpoint();  // Stop()
    CLocalEndpoint(const CLocalEndpoint&) = delete;
    CLocalEndpoint& operator=(const CLocalEndpoint&) = delete;

    // Listens at path (a socket file left by a dead process is replaced). Frames from processes of
    // other users and malformed frames are dropped with a debug line. False when a live endpoint
    // holds the path, the path is too long, or the socket cannot be made.
    bool Start(const std::string& path, Handler handler);
    // Ends the worker within a bounded wait and removes the socket file.
    void Stop();
    bool Running() const { return m_thread.Running(); }

private:
    void Run(const ThreadParam& param);

    std::string m_path;
    Handler m_handler;
    int m_listen = -1;
    CWorkerThread m_thread;
};
