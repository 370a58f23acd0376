#include "host/command_line.h"

#include <charconv>

#include "host/host_error.h"

namespace host {

CommandLine::CommandLine(const std::string& command, const std::vector<std::string>& args,
                         const std::vector<OptionDef>& knownOptions)
    : command_(command) {
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded) {
            positional_.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;  // file names that start with a dash follow
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            help_ = true;
            continue;
        }
        if (arg.size() < 2 || arg[0] != '-' || arg == "-") {
            positional_.push_back(arg);
            continue;
        }
        size_t equals = arg.find('=');
        std::string name = arg.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
        const OptionDef* option = nullptr;
        for (const OptionDef& known : knownOptions) {
            if (arg.rfind("--", 0) == 0 && known.name == name) option = &known;
        }
        if (option == nullptr) {
            throw HostError("unknown option '" + arg + "' (see tarn " + command_ + " --help)", kExitUsage);
        }
        if (!option->takesValue) {
            if (equals != std::string::npos) throw HostError("--" + name + " takes no value", kExitUsage);
            values_[name].push_back("");
        } else if (equals != std::string::npos) {
            values_[name].push_back(arg.substr(equals + 1));
        } else if (i + 1 < args.size()) {
            values_[name].push_back(args[++i]);
        } else {
            throw HostError("--" + name + " needs a value", kExitUsage);
        }
    }
}

std::string CommandLine::value(const std::string& name, const std::string& fallback) const {
    auto found = values_.find(name);
    return found == values_.end() ? fallback : found->second.back();
}

const std::vector<std::string>& CommandLine::values(const std::string& name) const {
    static const std::vector<std::string> kNone;
    auto found = values_.find(name);
    return found == values_.end() ? kNone : found->second;
}

int CommandLine::intValue(const std::string& name, int fallback, int min, int max) const {
    if (!has(name)) return fallback;
    std::string text = value(name);
    int number = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size() || number < min || number > max) {
        throw HostError("--" + name + " takes a whole number from " + std::to_string(min) + " to " +
                            std::to_string(max) + ", not '" + text + "'",
                        kExitUsage);
    }
    return number;
}

}  // namespace host
