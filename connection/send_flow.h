#pragma once
// Protocol flows: the steps of a flow file and the loaded send flow, each
// step with the message it sends. The command keywords of the steps are
// protocol/message_classes.h's.

#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QList>
#include <QString>

#include "builders/message_builder.h"
#include "config/config_catalogue.h"
#include "config/flow_file.h"
#include "protocol/login.h"
#include "protocol/message.h"
#include "protocol/message_classes.h"

// One entry of the loaded send flow.
class SendTask {
public:
    virtual ~SendTask() = default;

    int64_t lastSent = 0; // steady-clock nanoseconds of the last sending; 0 = clock not started
    ProtocolTask task;
    std::shared_ptr<Zuno::ZunoMSG> message;
};

namespace Zuno {

// Which step is the login, by the window's rule: the step whose message has
// protocol number 0x01. The first such step of the loaded flow is sent on
// connecting (loginMessage), and none is ever sent by interval. (The
// send-flow editor has a rule of its own, by keyword: isLoginStep in
// dialogs/task_setting_flow.h.)
inline bool isLoginProtocol(uint8_t protocol) { return protocol == ZunoLogin::kProtocol; }

// The message of the flow's first login step by the window's rule; null when
// the flow has none.
std::shared_ptr<ZunoMSG> loginMessage(const std::list<SendTask>& tasks);

// The message of one step: protocol number and the model file's whole text.
using MessageBuilderFn =
    std::function<std::shared_ptr<ZunoMSG>(uint8_t protocol, const std::string& modelJson)>;

// The message of one step, or why there is none (buildMessageExplained).
using ExplainedBuilderFn = std::function<BuildOutcome(uint8_t protocol, const std::string& modelJson)>;

// A login step of the flow file whose message could not be built.
struct LoginFailure {
    QString modelFile; // file name of the model; empty when no model has the step's "cmd"
    std::string reason;
};

struct FlowLoad {
    ConfigStatus status = ConfigStatus::Empty; // the flow file's, as readFlowFile gives it
    std::list<SendTask> tasks;
    // Set when the flow file has a login step and none of them was built:
    // the first failure. A connection would have nothing to log in with.
    std::optional<LoginFailure> loginFailure;
};

// The send flow of the flow file at `flowPath`, each step built from the first
// model of `modelDir` (catalogue order) whose "cmd" equals the step's exactly.
// Steps without a keyword or without a model are skipped; a model that builds
// no message is skipped with a "load error!" record. Each model file is read
// once, by the catalogue's walk.
FlowLoad loadSendFlow(const QString& flowPath, const QString& modelDir,
                      const MessageBuilderFn& build);
FlowLoad loadSendFlow(const QString& flowPath, const QString& modelDir, const ExplainedBuilderFn& build);

} // namespace Zuno
