#include "link/slot_list.h"

CSlotList::CSlotList() : m_slots(std::begin(kMatchTable), std::end(kMatchTable)) {}

size_t CSlotList::Count() const {
    std::lock_guard lock(m_mutex);
    return m_slots.size();
}

ConnectionSlot CSlotList::Get(size_t index) const {
    std::lock_guard lock(m_mutex);
    return index < m_slots.size() ? m_slots[index] : ConnectionSlot{};
}

std::vector<ConnectionSlot> CSlotList::Snapshot() const {
    std::lock_guard lock(m_mutex);
    return m_slots;
}

bool CSlotList::AnyFree() const {
    std::lock_guard lock(m_mutex);
    for (const auto& s : m_slots) {
        if (s.IsFree())
            return true;
    }
    return false;
}

bool CSlotList::FreeSlotFor(uint16_t vendor, uint16_t product, uint16_t collection,
                            uint16_t interfaceNumber) const {
    std::lock_guard lock(m_mutex);
    for (const auto& s : m_slots) {
        if (s.IsFree() && s.vendor == vendor && s.product == product && s.collection == collection &&
            s.interfaceNumber == interfaceNumber) {
            return true;
        }
    }
    return false;
}

bool CSlotList::Holds(const std::wstring& path) const {
    std::lock_guard lock(m_mutex);
    for (const auto& s : m_slots) {
        if (s.connected != 0 && s.path == path)
            return true;
    }
    return false;
}

std::optional<size_t> CSlotList::Claim(const ConnectionSlot& seen, const std::wstring& path) {
    std::lock_guard lock(m_mutex);
    for (size_t i = 0; i < m_slots.size(); ++i) {
        ConnectionSlot& s = m_slots[i];
        if (s.IsFree() && s.SameInterface(seen)) {
            s.connected = 1;
            s.path = path;
            return i;
        }
    }
    return std::nullopt;
}

std::vector<size_t> CSlotList::Connected() const {
    std::lock_guard lock(m_mutex);
    std::vector<size_t> indices;
    for (size_t i = 0; i < m_slots.size(); ++i) {
        if (m_slots[i].connected != 0)
            indices.push_back(i);
    }
    return indices;
}

void CSlotList::Release(size_t index) {
    std::lock_guard lock(m_mutex);
    if (index < m_slots.size()) {
        m_slots[index].connected = 0;
        m_slots[index].path.clear();
    }
}
