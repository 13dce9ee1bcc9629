#pragma once
// "MSG" block of the information-transfer packet and the text blocks of its
// modules.

#include <ostream>

#include "protocol/trans_info.h"

namespace Zuno {

std::ostream& operator<<(std::ostream& os, const ZunoTransInfo94& m);

std::ostream& operator<<(std::ostream& os, const ZunoPPGenarelModule& m);
std::ostream& operator<<(std::ostream& os, const ModulePowerVolt& m);
std::ostream& operator<<(std::ostream& os, const ModuleDoorStat& m);
std::ostream& operator<<(std::ostream& os, const ModuleShakeCount& m);
std::ostream& operator<<(std::ostream& os, const ModuleCountCarlorie& m);
std::ostream& operator<<(std::ostream& os, const ModuleEnvInfo& m);
std::ostream& operator<<(std::ostream& os, const ModuleBTData2& m);
std::ostream& operator<<(std::ostream& os, const ModuleGuideMachine& m);
std::ostream& operator<<(std::ostream& os, const ModuleAdminPostFlag& m);
std::ostream& operator<<(std::ostream& os, const ModuleSafeAreaFlag& m);
std::ostream& operator<<(std::ostream& os, const ModuleTerminalStat& m);
std::ostream& operator<<(std::ostream& os, const ModuleCheckPara& m);
std::ostream& operator<<(std::ostream& os, const ModuleVin& m);
std::ostream& operator<<(std::ostream& os, const ModuleUUID& m);
std::ostream& operator<<(std::ostream& os, const ModuleRFID& m);
std::ostream& operator<<(std::ostream& os, const ModuleICCID& m);

// Rows of the module-name table (it never grows on lookups).
std::size_t moduleNameCount();

} // namespace Zuno
