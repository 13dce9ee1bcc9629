#pragma once
// The folder that holds conf/ and logs/. The program uses the executable's
// folder; tests point it at a folder of their own before anything reads it.

#include <QString>

namespace Zuno {

// The executable's folder unless setBaseFolder was called.
QString baseFolder();
// An empty path returns to the executable's folder.
void setBaseFolder(const QString& path);

// baseFolder() + "/" + relative, e.g. basePath("conf/conf.json").
QString basePath(const QString& relative);

// `absolutePath` relative to the base folder (conf/prop/x.json), as messages
// show it; a path outside it is returned whole.
QString configPathForMessage(const QString& absolutePath);

} // namespace Zuno
