#include "config/json_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <exception>
#include <memory>

#include <json/reader.h>
#include <json/writer.h>

#include "config/atomic_file.h"
#include "platform/debug.h"

namespace {
// Reads exactly `size` bytes; anything less gives an empty string.
std::string ReadExactly(int fd, size_t size) {
    std::string bytes(size, '\0');
    size_t done = 0;
    while (done < size) {
        const ssize_t got = read(fd, bytes.data() + done, size - done);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return {};
        }
        done += static_cast<size_t>(got);
    }
    return bytes;
}
}  // namespace

std::string readjsonFile(const std::wstring& path) {
    const std::string name = WideToUtf8(path);
    // Non-blocking so that a FIFO in place of the file cannot hang the open.
    const int fd = open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    DebugLine(L"readjsonFile 错误吗：：" + std::to_wstring(fd < 0 ? errno : 0));
    if (fd < 0) {
        return {};
    }
    std::string bytes;
    struct stat info = {};
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
        static_cast<size_t>(info.st_size) <= kMaxJsonFileBytes) {
        bytes = ReadExactly(fd, static_cast<size_t>(info.st_size));
    }
    close(fd);
    return bytes;
}

Json::Value ParseJsonText(std::string_view text) {
    // A reader keeps parse state, so each thread has its own.
    thread_local const std::unique_ptr<Json::CharReader> reader = [] {
        Json::CharReaderBuilder builder;
        builder["allowComments"] = true;
        return std::unique_ptr<Json::CharReader>(builder.newCharReader());
    }();
    Json::Value root;
    try {
        if (!reader->parse(text.data(), text.data() + text.size(), &root, nullptr)) {
            return Json::Value();
        }
    } catch (const std::exception&) {
        // The reader throws when nesting exceeds its depth limit.
        return Json::Value();
    }
    return root;
}

Json::Value LoadJsonFile(const std::wstring& path) {
    const std::string text = readjsonFile(path);
    if (text.empty()) {
        DebugLine(path);
        return Json::Value();
    }
    return ParseJsonText(text);
}

std::string FormatJsonFile(const Json::Value& value) {
    const std::string text = Json::StyledWriter().write(value);
    std::string crlf;
    crlf.reserve(text.size() + text.size() / 8);
    for (const char c : text) {
        if (c == '\n') {
            crlf.push_back('\r');
        }
        crlf.push_back(c);
    }
    return crlf;
}

int WriteJsonFile(const std::wstring& path, const Json::Value& value) {
    return ReplaceFileContents(WideToUtf8(path), FormatJsonFile(value)) ? 1 : 0;
}
