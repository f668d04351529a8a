#pragma once
// A message target for tests: records every message with how it came (sent or posted).
#include <mutex>
#include <vector>

#include "platform/message_target.h"

struct RecordedMessage {
    uint32_t msg;
    WPARAM wParam;
    LPARAM lParam;
    bool sent;
    bool operator==(const RecordedMessage&) const = default;
};

class RecordingTarget : public IMessageTarget {
public:
    bool PostMessage(uint32_t msg, WPARAM w, LPARAM l) override {
        Record({msg, w, l, false});
        return true;
    }
    LRESULT SendMessage(uint32_t msg, WPARAM w, LPARAM l) override {
        Record({msg, w, l, true});
        return 0;
    }
    std::vector<RecordedMessage> Messages() const {
        std::lock_guard lock(m_mutex);
        return m_messages;
    }
    size_t Count(uint32_t msg) const {
        std::lock_guard lock(m_mutex);
        size_t n = 0;
        for (const auto& m : m_messages)
            n += m.msg == msg;
        return n;
    }
    void Clear() {
        std::lock_guard lock(m_mutex);
        m_messages.clear();
    }

private:
    void Record(const RecordedMessage& m) {
        std::lock_guard lock(m_mutex);
        m_messages.push_back(m);
    }
    mutable std::mutex m_mutex;
    std::vector<RecordedMessage> m_messages;
};
