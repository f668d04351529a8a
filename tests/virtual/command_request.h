#pragma once
// Command reports as the host builds them, written out independently of the firmware model.
#include <cstdint>
#include <initializer_list>
#include <vector>

inline std::vector<uint8_t> CommandRequest(uint8_t command, uint8_t length = 0, uint16_t offset = 0,
                                           std::vector<uint8_t> payload = {}) {
    std::vector<uint8_t> report(64, 0);
    report[0] = 4;
    report[3] = command;
    report[4] = length;
    report[5] = offset & 0xFF;
    report[6] = offset >> 8;
    for (size_t i = 0; i < payload.size() && 8 + i < report.size(); ++i) {
        report[8 + i] = payload[i];
    }
    unsigned sum = 0;
    for (size_t i = 3; i < report.size(); ++i) {
        sum += report[i];
    }
    report[1] = sum & 0xFF;
    report[2] = (sum >> 8) & 0xFF;
    return report;
}

inline std::vector<uint8_t> Bytes(std::initializer_list<int> values) {
    std::vector<uint8_t> bytes;
    for (int v : values) {
        bytes.push_back(static_cast<uint8_t>(v));
    }
    return bytes;
}
