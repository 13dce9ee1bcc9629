#include "connection/send_flow.h"

#include <algorithm>
#include <cctype>

#include <QDebug>

#include <picojson.h>

#include "builders/model_file.h"

#include "protocol/helpers.h"
#include "protocol/text_file.h"

namespace Zuno {

const std::vector<CommandKeyword>& commandKeywords() {
    static const std::vector<CommandKeyword> table{
        {"LOGIN", 0x01},   {"PING13", 0x13},      {"PING23", 0x23},  {"GPS10", 0x10},
        {"GPS12", 0x12},   {"GPS22", 0x22},       {"GPS24", 0x24},   {"GPSA0", 0xA0},
        {"GPS2D", 0x2D},   {"LBS18", 0x18},       {"LBS28", 0x28},   {"LBSA1", 0xA1},
        {"LBS2E", 0x2E},   {"WIFI2C", 0x2C},      {"WIFIA2", 0xA2},  {"WIFIC3", 0xC3},
        {"TIME8A", 0x8A},  {"TIME1F", 0x1F},      {"ALERT16", 0x16}, {"ALERT19", 0x19},
        {"ALERTA5", 0xA5}, {"ALERT26", 0x26},     {"ALERT95", 0x95}, {"ALERTA3", 0xA3},
        {"ALERT27", 0x27}, {"ALERTA4", 0xA4},     {"GPSBIKE32", 0x32}, {"ALERTBIKE33", 0x33},
        {"GEO1A", 0x1A},   {"GEO2A", 0x2A},       {"GEO17", 0x17},   {"GEOA7", 0xA7},
        {"CMD21", 0x21},   {"CMD80RESP", 0x80},   {"CMD81", 0x81},
    };
    return table;
}

uint8_t protocolNumber(const std::string& cmd) {
    std::string name = trim(cmd);
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    for (const CommandKeyword& row : commandKeywords())
        if (name == row.keyword)
            return row.number;
    return 0xFF;
}

namespace {

// The step at `index`, or false (logged) when it has not the step's shape.
bool readStep(const picojson::value& element, size_t index, const QString& path,
              ProtocolTask& step) {
    const char* problem = nullptr;
    if (!element.is<picojson::object>()) {
        problem = "is not an object";
    } else {
        const picojson::object& obj = element.get<picojson::object>();
        const auto cmd = obj.find("cmd");
        const auto checked = obj.find("isChecked");
        const auto delay = obj.find("delay");
        if (cmd == obj.end() || !cmd->second.is<std::string>())
            problem = "has no string \"cmd\"";
        else if (checked == obj.end() || !checked->second.is<bool>())
            problem = "has no boolean \"isChecked\"";
        else if (delay == obj.end() || !delay->second.is<int64_t>())
            problem = "has no integer \"delay\"";
        else {
            step.cmd = cmd->second.get<std::string>();
            step.isChecked = checked->second.get<bool>();
            step.delay = static_cast<int16_t>(static_cast<uint16_t>(delay->second.get<int64_t>()));
            return true;
        }
    }
    qDebug() << path << "step" << index << problem << "- skipped";
    return false;
}

} // namespace

FlowFile readFlowFile(const QString& path) {
    FlowFile flow;
    const std::string text = readTextFile(path).toUtf8().toStdString();
    if (text.empty())
        return flow;
    flow.status = FlowRead::NoSteps;
    picojson::value root;
    if (!parseJsonText(text, root) || !root.is<picojson::object>()) {
        qDebug() << path << " , Json error";
        return flow;
    }
    const picojson::object& obj = root.get<picojson::object>();
    const auto commands = obj.find("commands");
    if (commands == obj.end())
        return flow;
    if (!commands->second.is<picojson::array>()) {
        qDebug() << path << "\"commands\" is not an array";
        return flow;
    }
    flow.status = FlowRead::Ok;
    const picojson::array& array = commands->second.get<picojson::array>();
    for (size_t i = 0; i < array.size(); ++i) {
        ProtocolTask step;
        if (readStep(array[i], i, path, step))
            flow.steps.push_back(step);
    }
    return flow;
}

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
        if (load.loginFailed)
            return;
        load.loginFailed = true;
        load.loginFailure = LoginFailure{file, std::move(reason)};
    };
    FlowFile flow = readFlowFile(flowPath);
    load.status = flow.status;
    if (flow.status != FlowRead::Ok)
        return load;

    const QList<ProtocolDataModel> models = scanConfigDir(modelDir);
    for (const ProtocolTask& step : flow.steps) {
        const uint8_t protocol = protocolNumber(step.cmd);
        if (protocol == 0xFF)
            continue;
        const bool login = protocol == 0x01;
        loginStep = loginStep || login;
        const auto model = std::find_if(models.begin(), models.end(), [&](const ProtocolDataModel& m) {
            return m.cmd.toUtf8().toStdString() == step.cmd;
        });
        if (model == models.end()) {
            if (login)
                loginFailed(QString(), "没有 cmd 为 \"" + step.cmd + "\" 的模型文件");
            continue;
        }
        const std::string json = readTextFile(model->absoluteFilePath).toUtf8().toStdString();
        BuildOutcome built = build ? build(protocol, json) : BuildOutcome();
        std::shared_ptr<ZunoMSG> message = std::move(built.message);
        if (!message) {
            qDebug() << step.cmd.c_str() << model->fileName << "load error!";
            if (login)
                loginFailed(model->fileName, built.error.empty() ? "无法生成" : built.error);
            continue;
        }
        loginBuilt = loginBuilt || login;
        SendTask task;
        task.task = step;
        task.message = std::move(message);
        load.tasks.push_back(std::move(task));
        qDebug() << step.cmd.c_str() << model->fileName << "loaded!";
    }
    if (!loginStep || loginBuilt) {
        load.loginFailed = false;
        load.loginFailure = LoginFailure();
    }
    return load;
}

void sortFlows(QList<ProtocolDataModel>& flows) {
    std::stable_sort(flows.begin(), flows.end(),
                     [](const ProtocolDataModel& a, const ProtocolDataModel& b) { return a.cmd > b.cmd; });
}

} // namespace Zuno
