#pragma once
// The send-flow editor's view of a flow file, without widgets: which steps
// it offers, how they are preset, and how a save rewrites the file.

#include <map>
#include <string>
#include <vector>

#include <QList>
#include <QString>

#include "connection/config_catalogue.h"
#include "connection/send_flow.h"

namespace Zuno {

// Shortest and longest interval an ordinary step can be given, in seconds.
constexpr int kFlowDelayMin = 1;
constexpr int kFlowDelayMax = 600;

// A login step: the keyword, trimmed and upper-cased, starts with LOGIN or
// CONNECT. It is always sent, on connecting, never by interval.
bool isLoginStep(const QString& cmd);

// Steps by keyword (UTF-8), as a flow file lists them or as the panel holds them.
using FlowSteps = std::map<std::string, ProtocolTask>;

// The steps of a flow text: the first step of a keyword wins; a step without
// a string "cmd", a boolean "isChecked" and an integer "delay" is skipped and
// sets `illTyped` (when given), as does a "commands" that is no array.
// False when the text is no JSON object ("commands" missing: no steps, true).
bool readFlowSteps(const std::string& text, FlowSteps& steps, bool* illTyped = nullptr);

// One check box and spin box pair of the panel.
struct FlowRow {
    QString cmd; // the model's "cmd" exactly as listed
    bool login = false;
    bool checked = false;
    int delay = kFlowDelayMin; // as the spin box shows it
};

// The rows of a flow of group `protocol`: one per model of that group, in
// ascending order of "cmd", preset from `steps`. Login steps are checked with
// interval 0 whatever the file says; other intervals are kept within 1 to 600.
std::vector<FlowRow> flowRows(QList<ProtocolDataModel> models, const QString& protocol,
                              const FlowSteps& steps);

// The flow text with "commands" set to the checked steps of `panel`, in byte
// order of their keywords; every other key is kept. False, with `out`
// untouched, when `text` is no JSON object with string "cmd" and "protocol".
bool rewriteFlowCommands(const std::string& text, const FlowSteps& panel, std::string& out);

} // namespace Zuno
