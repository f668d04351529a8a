#include "tools/virtual/report_log.h"

#include <cerrno>
#include <cstring>

std::string HexBytes(std::span<const uint8_t> bytes, size_t perLine) {
    static const char kHex[] = "0123456789abcdef";
    std::string text;
    text.reserve(bytes.size() * 3);
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0) {
            text.push_back(perLine > 0 && i % perLine == 0 ? '\n' : ' ');
        }
        text.push_back(kHex[bytes[i] >> 4]);
        text.push_back(kHex[bytes[i] & 15]);
    }
    return text;
}

CReportLog::~CReportLog() {
    Close();
}

bool CReportLog::Open(const std::string& path, std::string* error) {
    std::lock_guard lock(m_lock);
    FILE* file = std::fopen(path.c_str(), "we");
    if (file == nullptr) {
        if (error != nullptr) {
            *error = "cannot create the log " + path + ": " + std::strerror(errno);
        }
        return false;
    }
    if (m_file != nullptr) {
        std::fclose(m_file);
    }
    m_file = file;
    return true;
}

void CReportLog::Close() {
    std::lock_guard lock(m_lock);
    if (m_file != nullptr) {
        std::fclose(m_file);
        m_file = nullptr;
    }
}

void CReportLog::Write(char direction, std::span<const uint8_t> report) {
    std::lock_guard lock(m_lock);
    if (m_file == nullptr) {
        return;
    }
    const std::string line = std::string(1, direction) + ' ' + HexBytes(report) + '\n';
    std::fwrite(line.data(), 1, line.size(), m_file);
    std::fflush(m_file);
}
