#include "connection/send_flow.h"

#include <algorithm>

#include <QDebug>

namespace Zuno {

FlowLoad loadSendFlow(const QString& flowPath, const QString& modelDir,
                      const MessageBuilderFn& build) {
    return loadSendFlow(flowPath, modelDir, [&build](uint8_t protocol, const std::string& json) {
        return BuildOutcome{build ? build(protocol, json) : nullptr, std::string()};
    });
}

FlowLoad loadSendFlow(const QString& flowPath, const QString& modelDir, const ExplainedBuilderFn& build) {
    FlowLoad load;
    bool loginStep = false;
    bool loginBuilt = false;
    const auto loginFailed = [&](const QString& file, std::string reason) {
        if (!load.loginFailure)
            load.loginFailure = LoginFailure{file, std::move(reason)};
    };
    FlowFile flow = readFlowFile(flowPath);
    load.status = flow.status;
    if (flow.status != ConfigStatus::Ok)
        return load;

    const QList<ConfigFile> models = scanConfigFiles(modelDir);
    for (const ProtocolTask& step : flow.steps) {
        const uint8_t protocol = protocolNumber(step.cmd);
        if (protocol == kNoKeyword)
            continue;
        const bool login = isLoginProtocol(protocol);
        loginStep = loginStep || login;
        const auto model = std::find_if(models.begin(), models.end(), [&](const ConfigFile& m) {
            return m.record.cmd.toUtf8().toStdString() == step.cmd;
        });
        if (model == models.end()) {
            if (login)
                loginFailed(QString(), "没有 cmd 为 \"" + step.cmd + "\" 的模型文件");
            continue;
        }
        BuildOutcome built = build ? build(protocol, model->text) : BuildOutcome();
        std::shared_ptr<ZunoMSG> message = std::move(built.message);
        if (!message) {
            qDebug() << step.cmd.c_str() << model->record.fileName << "load error!";
            if (login)
                loginFailed(model->record.fileName, built.error.empty() ? "无法生成" : built.error);
            continue;
        }
        loginBuilt = loginBuilt || login;
        SendTask task;
        task.task = step;
        task.message = std::move(message);
        load.tasks.push_back(std::move(task));
        qDebug() << step.cmd.c_str() << model->record.fileName << "loaded!";
    }
    if (!loginStep || loginBuilt)
        load.loginFailure.reset();
    return load;
}

std::shared_ptr<ZunoMSG> loginMessage(const std::list<SendTask>& tasks) {
    for (const SendTask& task : tasks)
        if (task.message && isLoginProtocol(task.message->command))
            return task.message;
    return nullptr;
}

} // namespace Zuno
