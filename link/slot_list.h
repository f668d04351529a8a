#pragma once
// The main window's connection slots, one per match-table row in row order. The discovery thread
// fills and frees slots; the UI thread reads them while handling the messages discovery sends.
// Every call is thread-safe; no lock is held when a call returns.
#include <mutex>
#include <optional>
#include <vector>

#include "link/device_tables.h"

class CSlotList {
public:
    CSlotList();  // filled from the match table

    size_t Count() const;
    ConnectionSlot Get(size_t index) const;
    std::vector<ConnectionSlot> Snapshot() const;
    bool AnyFree() const;

    // Whether some free slot has this vendor, product, collection and interface (the path test).
    bool FreeSlotFor(uint16_t vendor, uint16_t product, uint16_t collection, uint16_t interfaceNumber) const;
    // Whether a connected slot holds the path.
    bool Holds(const std::wstring& path) const;
    // Connects the first free slot showing the same interface (vendor, product, interface,
    // collection, usage page, usage) with the path; its index, or nullopt when none is free.
    std::optional<size_t> Claim(const ConnectionSlot& seen, const std::wstring& path);
    // Indices of the connected slots.
    std::vector<size_t> Connected() const;
    // Frees a slot (clears connected and path).
    void Release(size_t index);

private:
    mutable std::mutex m_mutex;
    std::vector<ConnectionSlot> m_slots;
};
