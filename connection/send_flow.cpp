#include "connection/send_flow.h"

#include <algorithm>
#include <cctype>

#include <QDebug>

#include "protocol/helpers.h"

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
        if (protocol == 0xFF)
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
