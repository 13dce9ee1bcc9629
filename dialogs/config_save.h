#pragma once
// What the two settings dialogs share when they save a configuration file:
// the atomic write and the texts of their message label.

#include <string>

#include <QString>

namespace Zuno {

// Replaces the file at `path` with `text`. The new text is written beside the
// file and takes its place only once complete, so a failed save leaves the
// old file whole; where the folder allows no new file, the file is rewritten
// in place. False, with the reason in `error` when given, on any failure.
bool writeConfigFile(const QString& path, const std::string& text, QString* error = nullptr);

// `absolutePath` relative to the base folder of conf/ (conf/prop/x.json);
// a path outside it is returned whole.
QString configPathForMessage(const QString& absolutePath);

// The label texts: 读取配置"<cmd>"错误, 文件:<path> and so on.
QString readErrorMessage(const QString& cmd, const QString& path);
QString savedMessage(const QString& cmd, const QString& path);
QString saveFailedMessage(const QString& cmd, const QString& path, const QString& reason);

} // namespace Zuno
