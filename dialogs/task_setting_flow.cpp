#include "dialogs/task_setting_flow.h"

#include <algorithm>

namespace Zuno {

bool isLoginStep(const QString& cmd) {
    const QString name = cmd.trimmed().toUpper();
    return name.startsWith("LOGIN") || name.startsWith("CONNECT");
}

FlowSteps firstStepOfEachKeyword(const std::vector<ProtocolTask>& steps) {
    FlowSteps byKeyword;
    for (const ProtocolTask& step : steps)
        byKeyword.emplace(step.cmd, step);
    return byKeyword;
}

std::vector<FlowRow> flowRows(QList<ProtocolDataModel> models, const QString& protocol,
                              const FlowSteps& steps) {
    std::stable_sort(models.begin(), models.end(),
                     [](const ProtocolDataModel& a, const ProtocolDataModel& b) { return a.cmd < b.cmd; });
    std::vector<FlowRow> rows;
    for (const ProtocolDataModel& model : models) {
        if (model.protocol != protocol)
            continue;
        FlowRow row;
        row.cmd = model.cmd;
        row.login = isLoginStep(model.cmd);
        const auto step = steps.find(model.cmd.toStdString());
        if (row.login) {
            // Never sent by interval; ticked unless the file lists it unticked.
            row.checked = step == steps.end() || step->second.isChecked;
            row.delay = 0;
        } else if (step != steps.end()) {
            row.checked = step->second.isChecked;
            // The signed 16 bits, kept within the spin box's range as the
            // spin box keeps them: below 1 (negative included) shows 1.
            row.delay = std::clamp<int>(step->second.delay, kFlowDelayMin, kFlowDelayMax);
        }
        rows.push_back(row);
    }
    return rows;
}

} // namespace Zuno
