#pragma once
// The folder that holds conf/ and logs/. The program uses the executable's
// folder; tests point it at a folder of their own before anything reads it.

#include <QString>

namespace Zuno {

// The executable's folder unless setBaseFolder was called.
QString baseFolder();
// An empty path returns to the executable's folder.
void setBaseFolder(const QString& path);

// What the program keeps below the base folder.
constexpr char kConfFolder[] = "conf";
constexpr char kSettingsFile[] = "conf/conf.json"; // the connection settings
constexpr char kFlowFolder[] = "conf/prop";        // the protocol flows
constexpr char kModelFolder[] = "conf/model";      // the message models of the flows
constexpr char kReplyFolder[] = "conf/cmd";        // the command replies
constexpr char kLogFolder[] = "logs";

// baseFolder() + "/" + relative, e.g. basePath(kSettingsFile).
QString basePath(const QString& relative);

// `absolutePath` relative to the base folder (conf/prop/x.json), as messages
// show it; a path outside it is returned whole.
QString configPathForMessage(const QString& absolutePath);

} // namespace Zuno
