#include "config/profile_records.h"

int32_t PackAssignment(const KeyAssignment& assignment) {
    return assignment.type * 65536 + assignment.data1 * 256 + assignment.data2;
}

KeyAssignment UnpackAssignment(uint16_t position, int32_t packed) {
    return KeyAssignment{position, static_cast<uint8_t>(packed >> 16), static_cast<uint8_t>(packed >> 8),
                         static_cast<uint8_t>(packed)};
}
