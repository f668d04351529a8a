#include "platform/folders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>

#include "platform/app_identity.h"
#include "platform/text.h"

namespace {
bool IsFolder(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string ExecutableFolder() {
    char exe[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (n <= 0) {
        return ".";
    }
    std::string path(exe, size_t(n));
    return path.substr(0, path.rfind('/'));
}

std::wstring XdgFolder(const char* variable, const char* fallbackBelowHome) {
    std::string base;
    if (const char* v = std::getenv(variable); v != nullptr && v[0] == '/') {
        base = v;
    } else {
        const char* home = std::getenv("HOME");
        base = std::string(home != nullptr ? home : "/tmp") + fallbackBelowHome;
    }
    return Utf8ToWide(base) + L"/" + kAppIdentity;
}
}  // namespace

std::wstring ProgramFolder() {
    if (const char* dir = std::getenv("PX300_PROGRAM_DIR"); dir != nullptr && dir[0] != '\0') {
        return Utf8ToWide(dir);
    }
    const std::string exe = ExecutableFolder();
    if (IsFolder(exe + "/skin")) {
        return Utf8ToWide(exe);
    }
    const std::string installed = exe + "/../share/px300";
    if (IsFolder(installed + "/skin") || IsFolder(installed + "/DefaultData")) {
        return Utf8ToWide(installed);
    }
#ifdef PX300_SOURCE_TREE
    return Utf8ToWide(PX300_SOURCE_TREE);
#else
    return Utf8ToWide(exe);
#endif
}

std::wstring ConfigFolder() {
    return XdgFolder("XDG_CONFIG_HOME", "/.config");
}

std::wstring UserDataFolder() {
    return XdgFolder("XDG_DATA_HOME", "/.local/share");
}
