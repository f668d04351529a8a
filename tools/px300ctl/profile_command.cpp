// px300ctl profile: shows and edits a profile file through the profile objects' section readers
// and writers, so a person or a script can change a profile without the window.
#include <cstdio>
#include <string>
#include <vector>

#include "config/json_file.h"
#include "config/profile_fields.h"
#include "tools/px300ctl/command.h"

namespace {
constexpr const char* kUsage = "profile show|set FILE [--kind mouse|keyboard|pad|headset] [PATH=VALUE...]";

struct ProfileArgs {
    std::string action;
    std::string file;
    ProfileKind kind = ProfileKind::Keyboard;
    std::vector<std::string> assignments;
};

// Returns an empty string when the arguments are good, else what is wrong with them.
std::string ParseArgs(const CommandArgs& args, ProfileArgs& out) {
    if (args.empty() || (args[0] != "show" && args[0] != "set")) {
        return "expected 'show' or 'set'";
    }
    if (args.size() < 2) {
        return "missing FILE";
    }
    out.action = args[0];
    out.file = args[1];
    for (size_t i = 2; i < args.size(); ++i) {
        if (args[i] == "--kind") {
            if (i + 1 == args.size() || !ParseProfileKind(args[i + 1], out.kind)) {
                return "--kind takes mouse, keyboard, pad or headset";
            }
            ++i;
        } else if (out.action == "set" && args[i].find('=') != std::string::npos) {
            out.assignments.push_back(args[i]);
        } else {
            return "unexpected argument '" + args[i] + "'";
        }
    }
    if (out.action == "set" && out.assignments.empty()) {
        return "set needs at least one PATH=VALUE";
    }
    return {};
}

int Show(CProfileFieldView& view) {
    for (const ProfileField& field : view.List()) {
        std::printf("%s = %s\n", field.path.c_str(), field.value.c_str());
    }
    return kExitOk;
}

int Set(CProfileFieldView& view, const ProfileArgs& args) {
    std::string problem;
    for (const std::string& assignment : args.assignments) {
        const size_t equals = assignment.find('=');
        if (!view.Set(assignment.substr(0, equals), assignment.substr(equals + 1), problem)) {
            // Nothing has been stored yet, so the file stays as it was.
            return UsageError(kUsage, problem);
        }
    }
    if (view.Save() != 1) {
        std::fprintf(stderr, "px300ctl: cannot write %s\n", args.file.c_str());
        return kExitFailed;
    }
    return kExitOk;
}

int ProfileCommand(const CommandArgs& args) {
    ProfileArgs parsed;
    const std::string problem = ParseArgs(args, parsed);
    if (!problem.empty()) {
        return UsageError(kUsage, problem);
    }
    CProfileFieldView view(parsed.kind);
    std::string loadProblem;
    if (!view.Load(Utf8ToWide(parsed.file), loadProblem)) {
        std::fprintf(stderr, "px300ctl: %s\n", loadProblem.c_str());
        return kExitFailed;
    }
    return parsed.action == "show" ? Show(view) : Set(view, parsed);
}

const CommandRegistration kRegistration("profile", ProfileCommand, kUsage);
}  // namespace
