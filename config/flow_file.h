#pragma once
// Protocol flow files (conf/prop/): the one reader of their steps and the
// one rewriting of their "commands".

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include <QString>

#include "config/config_file.h"

// One step of a protocol flow file.
class ProtocolTask {
public:
    virtual ~ProtocolTask() = default;

    std::string cmd;
    bool isChecked = false;
    int16_t delay = 0; // seconds; the low 16 bits of the file's value
};

namespace Zuno {

struct FlowFile {
    // Ok; NotJson: no JSON object, or no "commands" array; Missing,
    // Unreadable or Empty: nothing to load, nothing to say.
    ConfigStatus status = ConfigStatus::Empty;
    bool object = false;   // the text is a JSON object ("commands" may be missing)
    bool illTyped = false; // "commands" is no array, or a step was left out
    std::vector<ProtocolTask> steps; // file order; steps of the wrong shape are left out (logged)
};

// The steps of a flow text (its first JSON value; what follows it is
// ignored); `name` (the file's path) names it in the records of what was
// left out.
FlowFile readFlowText(const std::string& text, const QString& name);
FlowFile readFlowFile(const QString& path);

// Steps by keyword (UTF-8), ordered by the keywords' bytes.
using FlowSteps = std::map<std::string, ProtocolTask>;

// The flow text with "commands" set to the checked steps of `steps`, in byte
// order of their keywords; every other key is kept. False, with `out`
// untouched, when `text` is no JSON object with string "cmd" and "protocol".
bool rewriteFlowCommands(const std::string& text, const FlowSteps& steps, std::string& out);

} // namespace Zuno
