#include "connection/send_flow.h"

#include <algorithm>

#include <QDebug>

#include "protocol/helpers.h"

namespace Zuno {

FlowLoad loadSendFlow(const QString& flowPath, const QString& modelDir,
                      const MessageBuilderFn& build) {
    FlowLoad load;
    FlowFile flow = readFlowFile(flowPath);
    load.status = flow.status;
    if (flow.status != FlowRead::Ok)
        return load;

    const QList<ConfigFile> models = scanConfigFiles(modelDir);
    for (const ProtocolTask& step : flow.steps) {
        const uint8_t protocol = protocolNumber(step.cmd);
        if (protocol == kNoKeyword)
            continue;
        const auto model = std::find_if(models.begin(), models.end(), [&](const ConfigFile& m) {
            return m.record.cmd.toUtf8().toStdString() == step.cmd;
        });
        if (model == models.end())
            continue;
        std::shared_ptr<ZunoMSG> message = build ? build(protocol, model->text) : nullptr;
        if (!message) {
            qDebug() << step.cmd.c_str() << model->record.fileName << "load error!";
            continue;
        }
        SendTask task;
        task.task = step;
        task.message = std::move(message);
        load.tasks.push_back(std::move(task));
        qDebug() << step.cmd.c_str() << model->record.fileName << "loaded!";
    }
    return load;
}

} // namespace Zuno
