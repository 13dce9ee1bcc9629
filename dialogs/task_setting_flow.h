#pragma once
// The send-flow editor's view of a flow file, without widgets: which steps
// it offers, how they are preset, and how a save rewrites the file.

#include <map>
#include <string>
#include <vector>

#include <QList>
#include <QString>

#include "config/config_catalogue.h"
#include "config/flow_file.h"

namespace Zuno {

// Shortest and longest interval an ordinary step can be given, in seconds.
constexpr int kFlowDelayMin = 1;
constexpr int kFlowDelayMax = 600;

// Which step is the login, by the editor's rule: the keyword, trimmed and
// upper-cased, starts with LOGIN or CONNECT. Its row has no interval and is
// ticked unless the file lists it unticked. (The window has a rule of its
// own, by protocol number 0x01: isLoginProtocol in connection/send_flow.h;
// that one decides what is sent on connecting and never by interval.)
bool isLoginStep(const QString& cmd);

// The steps of a flow as the editor presets them: the first step of a
// keyword wins.
FlowSteps firstStepOfEachKeyword(const std::vector<ProtocolTask>& steps);

// One check box and spin box pair of the panel.
struct FlowRow {
    QString cmd; // the model's "cmd" exactly as listed
    bool login = false;
    bool checked = false;
    int delay = kFlowDelayMin; // as the spin box shows it
};

// The rows of a flow of group `protocol`: one per model of that group, in
// ascending order of "cmd", preset from `steps`. Login steps have interval 0
// and are checked unless `steps` lists them unchecked; other intervals, the
// signed 16 bits the file gives, are kept within 1 to 600 (-3 shows 1).
std::vector<FlowRow> flowRows(QList<ProtocolDataModel> models, const QString& protocol,
                              const FlowSteps& steps);

} // namespace Zuno
