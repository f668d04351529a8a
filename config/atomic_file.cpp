#include "config/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/debug.h"
#include "platform/text.h"

namespace {
bool Fail(const std::string& path, const char* step, int error) {
    DebugLine(
        Utf8ToWide("WriteJsonFile: cannot " + std::string(step) + " " + path + ": " + std::strerror(error)));
    return false;
}

// A name in the target's folder that no other writer (thread or process) picks at the same time.
std::string TemporaryName(const std::string& path, unsigned attempt) {
    static std::atomic<unsigned> counter{0};
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    char suffix[48];
    std::snprintf(suffix, sizeof suffix, ".%d.%u.%u", static_cast<int>(getpid()), counter++, attempt);
    return folder + "." + name + suffix + ".tmp";
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}
}  // namespace

bool ReplaceFileContents(const std::string& path, std::string_view bytes) {
    std::string temporary;
    int fd = -1;
    for (unsigned attempt = 0; fd < 0 && attempt < 16; ++attempt) {
        temporary = TemporaryName(path, attempt);
        fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) {
            break;
        }
    }
    if (fd < 0) {
        return Fail(path, "create a temporary file for", errno);
    }
    struct stat old = {};
    if (stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
        fchmod(fd, old.st_mode & 07777);
    }
    const char* step = nullptr;
    if (!WriteAll(fd, bytes)) {
        step = "write";
    } else if (fdatasync(fd) != 0) {
        step = "flush";
    }
    int error = step != nullptr ? errno : 0;
    if (close(fd) != 0 && step == nullptr) {
        step = "close";
        error = errno;
    }
    if (step == nullptr && rename(temporary.c_str(), path.c_str()) != 0) {
        step = "replace";
        error = errno;
    }
    if (step != nullptr) {
        unlink(temporary.c_str());
        return Fail(path, step, error);
    }
    return true;
}
