#include "tools/virtual/firmware.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/virtual/command_request.h"
#include "tools/virtual/device_description.h"

namespace {

struct Device {
    explicit Device(const std::string& word)
        : description(*FindVirtualDevice(word)),
          memory(std::make_shared<DeviceMemory>(FactoryMemory(description))),
          firmware(description, memory) {}

    const std::vector<uint8_t>& Area(MemoryArea area) const { return (*memory)[static_cast<size_t>(area)]; }
    std::vector<uint8_t> AreaBytes(MemoryArea area, size_t offset, size_t length) const {
        const auto& bytes = Area(area);
        return {bytes.begin() + offset, bytes.begin() + offset + length};
    }

    const VirtualDeviceDescription& description;
    std::shared_ptr<DeviceMemory> memory;
    CVirtualFirmware firmware;
};

uint16_t ReplyChecksum(const Report& reply) {
    unsigned sum = 0;
    for (size_t i = 3; i < 64; ++i) {
        sum += reply[i];
    }
    return sum & 0xFFFF;
}

// One request and what the reply must say; data, when given, is checked from reply byte 8.
struct CommandCase {
    const char* name;
    const char* device;
    bool reachable;
    uint8_t command;
    uint8_t length;
    uint16_t offset;
    uint8_t replyCommand;
    uint8_t status;
    MemoryArea readArea;  // when status is 0 and length > 0: the reply carries these bytes
};

constexpr MemoryArea kNoData = MemoryArea::Info;

const CommandCase kCommandCases[] = {
    {"begin", "keyboard", true, 1, 0, 0, 1, 0x00, kNoData},
    {"end", "keyboard", true, 2, 0, 0, 2, 0x00, kNoData},
    {"host_lighting", "keyboard", true, 28, 0, 0, 28, 0x00, kNoData},
    {"info_whole_wired", "keyboard", true, 3, 34, 0, 3, 0x00, MemoryArea::Info},
    {"info_first_receiver_chunk", "keyboard-receiver", true, 3, 24, 0, 3, 0x00, MemoryArea::Info},
    {"info_second_receiver_chunk", "keyboard-receiver", true, 3, 10, 24, 3, 0x00, MemoryArea::Info},
    {"info_over_receiver_chunk", "keyboard-receiver", true, 3, 25, 0, 3, 0xFF, kNoData},
    {"info_past_end", "keyboard", true, 3, 5, 30, 3, 0xFF, kNoData},
    {"settings_chunk", "keyboard", true, 5, 56, 56, 5, 0x00, MemoryArea::Settings},
    {"settings_last_bytes", "keyboard", true, 5, 6, 4090, 5, 0x00, MemoryArea::Settings},
    {"settings_one_past_end", "keyboard", true, 5, 6, 4091, 5, 0xFF, kNoData},
    {"settings_offset_ffff", "keyboard", true, 5, 1, 0xFFFF, 5, 0xFF, kNoData},
    {"settings_length_57", "keyboard", true, 5, 57, 0, 5, 0xFF, kNoData},
    {"keytable_last_chunk", "keyboard", true, 7, 6, 504, 7, 0x00, MemoryArea::KeyTable},
    {"keytable_past_510", "keyboard", true, 7, 6, 505, 7, 0xFF, kNoData},
    {"keytable_bank_1", "keyboard", true, 9, 3, 512, 9, 0xFF, kNoData},
    {"extra_last_keys", "keyboard", true, 27, 2, 168, 27, 0x00, MemoryArea::Extra},
    {"extra_past_keys", "keyboard", true, 27, 2, 169, 27, 0xFF, kNoData},
    {"status", "keyboard", true, 26, 6, 0, 26, 0x00, MemoryArea::Status},
    {"unknown_4", "keyboard", true, 4, 0, 0, 4, 0xFF, kNoData},
    {"unknown_0", "keyboard", true, 0, 0, 0, 0, 0xFF, kNoData},
    {"unknown_ff", "keyboard", true, 0xFF, 0, 0, 0xFF, 0xFF, kNoData},
    {"link_query_on_cable", "keyboard", true, 0xAA, 0, 0, 0xAA, 0xFF, kNoData},
    {"receiver_chunk_limit_write", "keyboard-receiver", true, 6, 25, 0, 6, 0xFF, kNoData},
    {"receiver_shoot_56", "keyboard-receiver", true, 23, 56, 0, 23, 0x00, kNoData},
    {"unreachable_read", "keyboard-receiver", false, 5, 8, 0, 0xAA, 0x00, kNoData},
    {"unreachable_begin", "keyboard-receiver", false, 1, 0, 0, 0xAA, 0x00, kNoData},
};

class FirmwareCommand : public testing::TestWithParam<CommandCase> {};

TEST_P(FirmwareCommand, AnswersAsTheDevice) {
    const CommandCase& c = GetParam();
    Device device(c.device);
    device.firmware.SetReachable(c.reachable);
    const Report reply = device.firmware.HandleReport(CommandRequest(c.command, c.length, c.offset));
    ASSERT_EQ(reply.size(), 64u);
    EXPECT_EQ(reply[0], 4);
    EXPECT_EQ(reply[1] | reply[2] << 8, ReplyChecksum(reply));
    EXPECT_EQ(reply[3], c.replyCommand);
    EXPECT_EQ(reply[7], c.status);
    if (c.status == 0 && c.readArea != kNoData) {
        const std::vector<uint8_t> data(reply.begin() + 8, reply.begin() + 8 + c.length);
        EXPECT_EQ(data, device.AreaBytes(c.readArea, c.offset, c.length));
    }
    if (c.replyCommand == 0xAA) {
        EXPECT_EQ(reply[8], 0x00) << "the receiver reports the device unreachable";
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, FirmwareCommand, testing::ValuesIn(kCommandCases),
                         [](const testing::TestParamInfo<CommandCase>& info) { return info.param.name; });

TEST(Firmware, LinkQueryAnswersFfWhileReachableAndZeroWhileNot) {
    Device device("keyboard-receiver");
    Report reply = device.firmware.HandleReport(CommandRequest(0xAA));
    ASSERT_EQ(reply.size(), 64u);
    EXPECT_EQ(reply[3], 0xAA);
    EXPECT_EQ(reply[7], 0x00);
    EXPECT_EQ(reply[8], 0xFF);
    device.firmware.SetReachable(false);
    reply = device.firmware.HandleReport(CommandRequest(0xAA));
    EXPECT_EQ(reply[3], 0xAA);
    EXPECT_EQ(reply[7], 0x00);
    EXPECT_EQ(reply[8], 0x00);
}

TEST(Firmware, UnreachableDeviceKeepsItsMemory) {
    Device device("keyboard-receiver");
    device.firmware.SetReachable(false);
    const auto before = device.Area(MemoryArea::Settings);
    device.firmware.HandleReport(CommandRequest(6, 4, 0, Bytes({9, 9, 9, 9})));
    EXPECT_EQ(device.Area(MemoryArea::Settings), before);
}

// Every write command lands at its offset and nowhere else.
struct WriteCase {
    const char* name;
    uint8_t command;
    uint16_t offset;
    MemoryArea area;
};

const WriteCase kWriteCases[] = {
    {"settings", 6, 1000, MemoryArea::Settings},     {"keytable", 9, 56, MemoryArea::KeyTable},
    {"key_light_mask", 11, 3 * 5, MemoryArea::Mask}, {"light_frame", 18, 504, MemoryArea::Light},
    {"macro", 21, 4090, MemoryArea::Macro},          {"shoot", 23, 2912, MemoryArea::Shoot},
};

class FirmwareWrite : public testing::TestWithParam<WriteCase> {};

TEST_P(FirmwareWrite, StoresThePayloadAtItsOffset) {
    const WriteCase& c = GetParam();
    Device device("keyboard");
    std::vector<uint8_t> expected = device.Area(c.area);
    const std::vector<uint8_t> payload = Bytes({0xDE, 0xAD, 0xBE, 0xEF, 0x42, 0x17});
    std::copy(payload.begin(), payload.end(), expected.begin() + c.offset);
    const Report reply = device.firmware.HandleReport(CommandRequest(c.command, 6, c.offset, payload));
    ASSERT_EQ(reply.size(), 64u);
    EXPECT_EQ(reply[3], c.command);
    EXPECT_EQ(reply[7], 0x00);
    EXPECT_EQ(device.Area(c.area), expected);
}

TEST_P(FirmwareWrite, RefusesAWritePastTheEndAndChangesNothing) {
    const WriteCase& c = GetParam();
    Device device("keyboard");
    const std::vector<uint8_t> before = device.Area(c.area);
    const uint16_t offset = static_cast<uint16_t>(before.size() - 2);
    const Report reply =
        device.firmware.HandleReport(CommandRequest(c.command, 6, offset, Bytes({1, 2, 3, 4, 5, 6})));
    ASSERT_EQ(reply.size(), 64u);
    EXPECT_EQ(reply[7], 0xFF);
    EXPECT_EQ(device.Area(c.area), before);
}

INSTANTIATE_TEST_SUITE_P(Cases, FirmwareWrite, testing::ValuesIn(kWriteCases),
                         [](const testing::TestParamInfo<WriteCase>& info) { return info.param.name; });

TEST(Firmware, BadChecksumIsAnsweredFeAndNotCarriedOut) {
    Device device("keyboard");
    const auto before = device.Area(MemoryArea::Settings);
    std::vector<uint8_t> request = CommandRequest(6, 4, 0, Bytes({9, 9, 9, 9}));
    request[1] ^= 1;
    const Report reply = device.firmware.HandleReport(request);
    ASSERT_EQ(reply.size(), 64u);
    EXPECT_EQ(reply[3], 6);
    EXPECT_EQ(reply[7], 0xFE);
    EXPECT_EQ(device.Area(MemoryArea::Settings), before);
}

TEST(Firmware, ChecksumCoversBytesThreeToSixtyThree) {
    // Command 1 alone sums to 1; command 0xAA alone to 0x00AA; a full payload carries into the high byte.
    EXPECT_EQ(CommandRequest(1), Bytes({4, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                        0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                        0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    Device device("keyboard");
    const std::vector<uint8_t> full(56, 0xFF);
    const Report reply = device.firmware.HandleReport(CommandRequest(6, 56, 0, full));
    ASSERT_EQ(reply.size(), 64u);
    EXPECT_EQ(reply[7], 0x00) << "checksum 0x3806 = 6 + 56 + 56 * 255 spans both bytes";
}

TEST(Firmware, IgnoresReportsThatAreNoCommand) {
    Device device("keyboard");
    std::vector<uint8_t> otherId = CommandRequest(1);
    otherId[0] = 2;
    std::vector<uint8_t> shorter = CommandRequest(1);
    shorter.pop_back();
    std::vector<uint8_t> longer = CommandRequest(1);
    longer.push_back(0);
    for (const auto& report : {otherId, shorter, longer, std::vector<uint8_t>{}, Bytes({4})}) {
        EXPECT_TRUE(device.firmware.HandleReport(report).empty()) << report.size() << " bytes";
    }
}

TEST(Firmware, InjectedFaultsLastExactlyTheirCount) {
    struct FaultCase {
        FaultKind kind;
        int status;  // -1: no reply
    };
    for (const FaultCase f : {FaultCase{FaultKind::NoReply, -1}, FaultCase{FaultKind::StatusFF, 0xFF},
                              FaultCase{FaultKind::StatusFE, 0xFE}}) {
        Device device("keyboard");
        const auto before = device.Area(MemoryArea::Settings);
        device.firmware.InjectFault(f.kind, 2);
        for (int i = 0; i < 2; ++i) {
            const Report reply = device.firmware.HandleReport(CommandRequest(6, 2, 0, Bytes({7, 7})));
            if (f.status < 0) {
                EXPECT_TRUE(reply.empty());
            } else {
                ASSERT_EQ(reply.size(), 64u);
                EXPECT_EQ(reply[3], 6);
                EXPECT_EQ(reply[7], f.status);
            }
        }
        EXPECT_EQ(device.Area(MemoryArea::Settings), before) << "a faulted request is not carried out";
        const Report reply = device.firmware.HandleReport(CommandRequest(1));
        ASSERT_EQ(reply.size(), 64u);
        EXPECT_EQ(reply[7], 0x00) << "the third reply is healthy again";
    }
}

TEST(Firmware, FaultCountZeroClearsAPendingFault) {
    Device device("keyboard");
    device.firmware.InjectFault(FaultKind::StatusFF, 5);
    device.firmware.InjectFault(FaultKind::StatusFF, 0);
    EXPECT_EQ(device.firmware.HandleReport(CommandRequest(1))[7], 0x00);
}

// Every device with the command protocol: each memory the host reads comes back whole through
// chunked reads (the link's chunk size for the device's channel), equal to the factory contents.
class EveryCommandDevice : public testing::TestWithParam<std::string> {};

TEST_P(EveryCommandDevice, ChunkedReadsReturnTheFactoryMemory) {
    Device device(GetParam());
    const size_t chunk = device.description.receiver ? 24 : 56;
    for (const auto& [command, area] :
         {std::pair{3, MemoryArea::Info}, std::pair{5, MemoryArea::Settings},
          std::pair{7, MemoryArea::KeyTable}, std::pair{27, MemoryArea::Extra}}) {
        const std::vector<uint8_t>& expected = device.Area(area);
        std::vector<uint8_t> read;
        for (size_t position = 0; position < expected.size(); position += chunk) {
            const size_t length = std::min(chunk, expected.size() - position);
            const Report reply = device.firmware.HandleReport(
                CommandRequest(static_cast<uint8_t>(command), static_cast<uint8_t>(length),
                               static_cast<uint16_t>(position)));
            ASSERT_EQ(reply.size(), 64u);
            ASSERT_EQ(reply[7], 0x00) << "command " << command << " at " << position;
            read.insert(read.end(), reply.begin() + 8, reply.begin() + 8 + length);
        }
        EXPECT_EQ(read, expected) << "command " << command;
    }
}

std::vector<std::string> CommandDeviceWords() {
    std::vector<std::string> words;
    for (const VirtualDeviceDescription& d : VirtualDevices()) {
        if (d.commandReportId != 0) {
            words.push_back(d.word);
        }
    }
    return words;
}

INSTANTIATE_TEST_SUITE_P(Devices, EveryCommandDevice, testing::ValuesIn(CommandDeviceWords()),
                         [](const testing::TestParamInfo<std::string>& info) {
                             std::string name = info.param;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

}  // namespace
