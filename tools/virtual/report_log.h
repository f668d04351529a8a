#pragma once
// The report log of px300-virtual: one line per report, ">" for a report the device received,
// "<" for one it sent, a space, then the bytes as two-digit lower-case hex separated by spaces.
// Each line is flushed as it is written. Thread-safe.
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <span>
#include <string>

// Bytes as "0a ff 3c"; with perLine > 0, a line break after every perLine bytes instead of a space.
std::string HexBytes(std::span<const uint8_t> bytes, size_t perLine = 0);

class CReportLog {
public:
    CReportLog() = default;
    ~CReportLog();
    CReportLog(const CReportLog&) = delete;
    CReportLog& operator=(const CReportLog&) = delete;

    // Starts a new log at path (truncating it). False with a message when it cannot be created.
    bool Open(const std::string& path, std::string* error);
    void Close();

    void Received(std::span<const uint8_t> report) { Write('>', report); }
    void Sent(std::span<const uint8_t> report) { Write('<', report); }

private:
    void Write(char direction, std::span<const uint8_t> report);

    std::mutex m_lock;
    FILE* m_file = nullptr;
};
