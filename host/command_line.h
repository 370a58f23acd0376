// The options of one tarn command: "--name VALUE" or "--name=VALUE", flags,
// repeatable options and positional arguments. "--help" and "-h" are always
// known; after "--" every argument is positional.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace host {

struct OptionDef {
    std::string name;  // without the dashes
    bool takesValue = false;
};

class CommandLine {
public:
    // Throws HostError (usage) for an unknown option or a missing value.
    CommandLine(const std::string& command, const std::vector<std::string>& args,
                const std::vector<OptionDef>& knownOptions);

    bool helpRequested() const { return help_; }
    const std::vector<std::string>& positional() const { return positional_; }
    bool has(const std::string& name) const { return values_.count(name) > 0; }
    // The last value given for name, or fallback.
    std::string value(const std::string& name, const std::string& fallback = "") const;
    const std::vector<std::string>& values(const std::string& name) const;
    // An integer option within min..max; throws HostError (usage) otherwise.
    int intValue(const std::string& name, int fallback, int min, int max) const;

private:
    std::string command_;
    bool help_ = false;
    std::vector<std::string> positional_;
    std::map<std::string, std::vector<std::string>> values_;
};

}  // namespace host
