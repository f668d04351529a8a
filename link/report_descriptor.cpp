#include "link/report_descriptor.h"

#include <algorithm>
#include <map>

namespace {

constexpr size_t kMaxGlobalStack = 16;
constexpr size_t kMaxLocalUsages = 1024;

struct GlobalState {
    uint16_t usagePage = 0;
    int32_t logicalMin = 0;
    int32_t logicalMax = 0;
    int32_t physicalMin = 0;
    int32_t physicalMax = 0;
    uint32_t reportSize = 0;
    uint32_t reportCount = 0;
    uint8_t reportId = 0;
};

// A local usage before the main item fixes its page: extended usages carry their own page.
struct PendingUsage {
    uint32_t value = 0;
    bool extended = false;
};

struct LocalState {
    std::vector<PendingUsage> usages;  // single usages in order
    bool haveMin = false, haveMax = false;
    PendingUsage min, max;
    void Clear() { *this = LocalState{}; }
};

class Parser {
public:
    Parser(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    bool Run(std::vector<HidPreparsedData>& out, std::string& error) {
        size_t pos = 0;
        while (pos < m_size) {
            const uint8_t prefix = m_data[pos];
            if (prefix == 0xFE) {  // long item: size, tag, data; nothing we use
                if (pos + 1 >= m_size) {
                    return Fail(error, "truncated long item");
                }
                const size_t len = m_data[pos + 1];
                if (pos + 3 + len > m_size) {
                    return Fail(error, "truncated long item");
                }
                pos += 3 + len;
                continue;
            }
            static constexpr size_t kSizes[4] = {0, 1, 2, 4};
            const size_t len = kSizes[prefix & 3];
            if (pos + 1 + len > m_size) {
                return Fail(error, "truncated item at byte " + std::to_string(pos));
            }
            uint32_t u = 0;
            for (size_t k = 0; k < len; ++k) {
                u |= uint32_t(m_data[pos + 1 + k]) << (8 * k);
            }
            int32_t s = static_cast<int32_t>(u);
            if (len == 1)
                s = static_cast<int8_t>(u);
            if (len == 2)
                s = static_cast<int16_t>(u);
            const int type = (prefix >> 2) & 3;
            const int tag = prefix >> 4;
            bool ok = true;
            switch (type) {
                case 0:
                    ok = Main(tag, u, error);
                    break;
                case 1:
                    ok = Global(tag, u, s, len, error);
                    break;
                case 2:
                    ok = Local(tag, u, len, error);
                    break;
                default:
                    ok = Fail(error, "reserved item type at byte " + std::to_string(pos));
                    break;
            }
            if (!ok) {
                return false;
            }
            pos += 1 + len;
        }
        if (m_depth != 0) {
            return Fail(error, "collection not closed");
        }
        if (m_collections.empty()) {
            return Fail(error, "no top-level collection");
        }
        return Finish(out, error);
    }

private:
    static bool Fail(std::string& error, std::string reason) {
        error = std::move(reason);
        return false;
    }

    bool Global(int tag, uint32_t u, int32_t s, size_t len, std::string& error) {
        switch (tag) {
            case 0:
                m_global.usagePage = static_cast<uint16_t>(u);
                break;
            case 1:
                m_global.logicalMin = s;
                break;
            case 2:
                m_global.logicalMax = (m_global.logicalMin < 0 ? s : static_cast<int32_t>(u));
                break;
            case 3:
                m_global.physicalMin = s;
                break;
            case 4:
                m_global.physicalMax = (m_global.physicalMin < 0 ? s : static_cast<int32_t>(u));
                break;
            case 5:
            case 6:
                break;  // unit exponent, unit
            case 7:
                if (u == 0 || u > 32) {
                    return Fail(error, "report size " + std::to_string(u) + " out of range");
                }
                m_global.reportSize = u;
                break;
            case 8:
                if (len == 0 || u == 0 || u > 255) {
                    return Fail(error, "report id " + std::to_string(u) + " out of range");
                }
                m_global.reportId = static_cast<uint8_t>(u);
                m_numbered = true;
                break;
            case 9:
                if (u > 0xFFFF) {
                    return Fail(error, "report count " + std::to_string(u) + " out of range");
                }
                m_global.reportCount = u;
                break;
            case 10:
                if (m_stack.size() >= kMaxGlobalStack) {
                    return Fail(error, "push nested too deep");
                }
                m_stack.push_back(m_global);
                break;
            case 11:
                if (m_stack.empty()) {
                    return Fail(error, "pop without push");
                }
                m_global = m_stack.back();
                m_stack.pop_back();
                break;
            default:
                return Fail(error, "unknown global item");
        }
        return true;
    }

    bool Local(int tag, uint32_t u, size_t len, std::string& error) {
        const PendingUsage usage{u, len == 4};
        switch (tag) {
            case 0:
                if (m_local.usages.size() >= kMaxLocalUsages) {
                    return Fail(error, "too many usages");
                }
                m_local.usages.push_back(usage);
                break;
            case 1:
                m_local.haveMin = true;
                m_local.min = usage;
                break;
            case 2:
                m_local.haveMax = true;
                m_local.max = usage;
                break;
            default:
                break;  // designators, strings, delimiters: not used
        }
        return true;
    }

    uint16_t PageOf(const PendingUsage& u) const {
        return u.extended ? static_cast<uint16_t>(u.value >> 16) : m_global.usagePage;
    }

    std::vector<HidUsageSpan> TakeUsages() {
        std::vector<HidUsageSpan> spans;
        for (const auto& u : m_local.usages) {
            const auto id = static_cast<uint16_t>(u.value);
            spans.push_back({PageOf(u), id, id, false});
        }
        if (m_local.haveMin || m_local.haveMax) {
            const PendingUsage lo = m_local.haveMin ? m_local.min : m_local.max;
            const PendingUsage hi = m_local.haveMax ? m_local.max : m_local.min;
            uint16_t a = static_cast<uint16_t>(lo.value), b = static_cast<uint16_t>(hi.value);
            if (a > b)
                std::swap(a, b);
            spans.push_back({PageOf(lo), a, b, true});
        }
        return spans;
    }

    bool Main(int tag, uint32_t flags, std::string& error) {
        switch (tag) {
            case 8:
            case 9:
            case 11: {
                const HidReportType type = tag == 8   ? HidReportType::Input
                                           : tag == 9 ? HidReportType::Output
                                                      : HidReportType::Feature;
                const bool ok = AddField(type, flags, error);
                m_local.Clear();
                return ok;
            }
            case 10: {  // collection
                if (m_depth >= kMaxNesting) {
                    return Fail(error, "collections nested too deep");
                }
                auto spans = TakeUsages();
                if (m_depth == 0) {
                    HidPreparsedData top;
                    if (!spans.empty()) {
                        top.caps.usagePage = spans.front().page;
                        top.caps.usage = spans.front().min;
                    }
                    m_collections.push_back(std::move(top));
                    m_linkCount = 0;
                }
                m_linkStack.push_back(m_linkCount++);
                ++m_depth;
                m_local.Clear();
                return true;
            }
            case 12:  // end collection
                if (m_depth == 0) {
                    return Fail(error, "end collection without collection");
                }
                --m_depth;
                m_linkStack.pop_back();
                m_collections.back().caps.numberLinkCollectionNodes = static_cast<uint16_t>(m_linkCount);
                m_local.Clear();
                return true;
            default:
                return Fail(error, "unknown main item");
        }
    }

    bool AddField(HidReportType type, uint32_t flags, std::string& error) {
        if (m_depth == 0) {
            return Fail(error, "data item outside a collection");
        }
        const uint64_t bits = uint64_t(m_global.reportSize) * m_global.reportCount;
        const auto key = std::make_pair(static_cast<int>(type), m_global.reportId);
        uint64_t& offset = m_offsets[key];
        if (offset + bits > (kMaxReportBytes - 1) * 8ull) {
            return Fail(error, "report longer than " + std::to_string(kMaxReportBytes) + " bytes");
        }
        HidPreparsedData& top = m_collections.back();
        if (std::find(top.reportIds.begin(), top.reportIds.end(), m_global.reportId) == top.reportIds.end()) {
            top.reportIds.push_back(m_global.reportId);
        }
        const uint32_t start = static_cast<uint32_t>(offset);
        offset += bits;
        m_ends[key] = offset;
        const bool constant = flags & 1;
        if (constant || bits == 0) {
            return true;
        }
        HidField f;
        f.type = type;
        f.reportId = m_global.reportId;
        f.linkCollection = static_cast<uint16_t>(m_linkStack.back());
        f.bitOffset = start;
        f.bitSize = static_cast<uint16_t>(m_global.reportSize);
        f.count = static_cast<uint16_t>(m_global.reportCount);
        f.isArray = !(flags & 2);
        f.isButton = f.isArray || f.bitSize == 1;
        f.logicalMin = m_global.logicalMin;
        f.logicalMax = m_global.logicalMax;
        f.physicalMin = m_global.physicalMin;
        f.physicalMax = m_global.physicalMax;
        f.usages = TakeUsages();
        if (f.usages.empty()) {
            f.usages.push_back({m_global.usagePage, 0, 0, false});
        }
        top.fields.push_back(std::move(f));
        return true;
    }

    // Capabilities and lengths, once every field is known.
    bool Finish(std::vector<HidPreparsedData>& out, std::string& error) {
        for (auto& top : m_collections) {
            std::sort(top.reportIds.begin(), top.reportIds.end());
            top.numberedReports = m_numbered;
            size_t dataItems = 0;
            for (const auto& f : top.fields) {
                const int t = static_cast<int>(f.type);
                if (f.isButton) {
                    for (const auto& span : f.usages) {
                        top.buttonCaps[t].push_back(
                            {span.page, f.reportId, f.linkCollection, span.isRange, span.min, span.max});
                    }
                    dataItems += f.usages.size();
                } else {
                    AddValueCaps(top, f, dataItems);
                }
            }
            if (dataItems > kMaxDataItems) {
                return Fail(error, "more than " + std::to_string(kMaxDataItems) + " data items");
            }
            if (UsageListEntries(top) > kMaxUsageListEntries) {
                return Fail(error,
                            "usage lists longer than " + std::to_string(kMaxUsageListEntries) + " entries");
            }
            for (int t = 0; t < kHidReportTypes; ++t) {
                uint64_t longest = 0;
                for (uint8_t id : top.reportIds) {
                    auto it = m_ends.find({t, id});
                    if (it != m_ends.end()) {
                        longest = std::max(longest, it->second);
                    }
                }
                top.caps.reportByteLength[t] =
                    longest == 0 ? 0 : static_cast<uint16_t>((longest + 7) / 8 + 1);
                top.caps.numberButtonCaps[t] = static_cast<uint16_t>(top.buttonCaps[t].size());
                top.caps.numberValueCaps[t] = static_cast<uint16_t>(top.valueCaps[t].size());
                uint32_t indices = 0;
                for (const auto& c : top.buttonCaps[t])
                    indices += uint32_t(c.usageMax) - c.usageMin + 1;
                for (const auto& c : top.valueCaps[t])
                    indices += uint32_t(c.usageMax) - c.usageMin + 1;
                top.caps.numberDataIndices[t] = static_cast<uint16_t>(std::min<uint32_t>(indices, 0xFFFF));
            }
        }
        out = std::move(m_collections);
        return true;
    }

    // The most usage-list entries the button items of one report type allocate together.
    static uint64_t UsageListEntries(const HidPreparsedData& top) {
        uint64_t largest = 0;
        for (int t = 0; t < kHidReportTypes; ++t) {
            std::map<uint16_t, uint64_t> lengthOfPage;
            uint64_t entries = 0;
            for (const auto& c : top.buttonCaps[t]) {
                const auto [it, fresh] = lengthOfPage.try_emplace(c.usagePage, 0);
                if (fresh) {
                    it->second = top.MaxUsageListLength(static_cast<HidReportType>(t), c.usagePage);
                }
                entries += it->second;
            }
            largest = std::max(largest, entries);
        }
        return largest;
    }

    // A value field gives one capability per usage span; single usages cover one slot each, and the
    // last capability covers the slots that remain.
    static void AddValueCaps(HidPreparsedData& top, const HidField& f, size_t& dataItems) {
        const int t = static_cast<int>(f.type);
        uint32_t slot = 0;
        for (size_t i = 0; i < f.usages.size() && slot < f.count; ++i) {
            const auto& span = f.usages[i];
            const bool last = i + 1 == f.usages.size();
            uint32_t slots = span.isRange ? std::min<uint32_t>(span.Size(), f.count - slot) : 1;
            if (last) {
                slots = f.count - slot;
            }
            HidValueCaps c;
            c.usagePage = span.page;
            c.reportId = f.reportId;
            c.linkCollection = f.linkCollection;
            c.isRange = span.isRange;
            c.usageMin = span.min;
            c.usageMax = span.isRange
                             ? static_cast<uint16_t>(span.min + std::min<uint32_t>(span.Size(), slots) - 1)
                             : span.max;
            c.bitSize = f.bitSize;
            c.reportCount = static_cast<uint16_t>(slots);
            c.logicalMin = f.logicalMin;
            c.logicalMax = f.logicalMax;
            c.physicalMin = f.physicalMin;
            c.physicalMax = f.physicalMax;
            top.valueCaps[t].push_back(c);
            dataItems += uint32_t(c.usageMax) - c.usageMin + 1;
            slot += slots;
        }
    }

    const uint8_t* m_data;
    size_t m_size;
    GlobalState m_global;
    std::vector<GlobalState> m_stack;
    LocalState m_local;
    size_t m_depth = 0;
    uint32_t m_linkCount = 0;
    std::vector<uint32_t> m_linkStack;
    bool m_numbered = false;
    std::map<std::pair<int, uint8_t>, uint64_t> m_offsets;
    std::map<std::pair<int, uint8_t>, uint64_t> m_ends;
    std::vector<HidPreparsedData> m_collections;
};

}  // namespace

bool HidField::UsageAt(uint32_t index, uint16_t& page, uint16_t& usage) const {
    for (const auto& span : usages) {
        if (index < span.Size()) {
            page = span.page;
            usage = static_cast<uint16_t>(span.min + index);
            return true;
        }
        index -= span.Size();
    }
    if (isArray || usages.empty()) {
        return false;
    }
    page = usages.back().page;  // variable slots beyond the list reuse the last usage
    usage = usages.back().max;
    return true;
}

bool HidPreparsedData::HasReportId(uint8_t id) const {
    return std::binary_search(reportIds.begin(), reportIds.end(), id);
}

uint32_t HidPreparsedData::MaxUsageListLength(HidReportType type, uint16_t usagePage) const {
    uint32_t length = 0;
    for (const auto& f : fields) {
        if (f.type != type || !f.isButton) {
            continue;
        }
        const bool onPage = std::any_of(f.usages.begin(), f.usages.end(),
                                        [&](const HidUsageSpan& s) { return s.page == usagePage; });
        if (onPage) {
            length += f.count;
        }
    }
    return length;
}

bool ParseReportDescriptor(const uint8_t* data, size_t size, std::vector<HidPreparsedData>& collections,
                           std::string* error) {
    std::string reason;
    if (data == nullptr || size == 0) {
        reason = "empty descriptor";
    } else if (size > kMaxDescriptorSize) {
        reason = "descriptor larger than " + std::to_string(kMaxDescriptorSize) + " bytes";
    } else {
        Parser parser(data, size);
        std::vector<HidPreparsedData> parsed;
        if (parser.Run(parsed, reason)) {
            collections = std::move(parsed);
            return true;
        }
    }
    if (error != nullptr) {
        *error = reason;
    }
    return false;
}
