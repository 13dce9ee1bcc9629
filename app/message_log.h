#pragma once
// The program's one message handler: every Qt message becomes a console line
// on standard output and a record in logs/log.<start date>.log.

#include <functional>
#include <string>

#include <QString>
#include <QtGlobal>

class QFileDevice;

namespace Zuno {

// "Debug", "Warnings", "Critical", "Fatal", "Info"; "" for another value.
std::string levelName(QtMsgType type);

bool dirExists(const QString& path);
// Makes the folder and every missing parent; true on success. On failure
// `reason` (when given) gets the system's reason the first folder that was
// missing could not be made ("Permission denied").
bool makeDir(const QString& path, QString* reason = nullptr);

// The source file as shown: without a leading "../".
QString shownSourceFile(const char* file);

// "<level> [<file>]:<line> - <message>".
QString consoleLine(QtMsgType type, const QString& file, int line, const QString& message);

// The record text of one message (without the two bytes that precede it in
// the file); "" for a fatal message, which is never recorded. Every place is
// filled in one pass, so a "%1" in the message stays as it is.
QString logRecord(QtMsgType type, const QString& file, int line, const QString& message);

// Where records go: `folder` + "/log." + `date` + ".log". Set once at start-up,
// before the handler is installed. `unmade`, when the folder could not be
// made, is why: the reason given for the records that cannot be written
// while the folder is not there.
void setLogFolder(const QString& folder, const QString& unmade = QString());
void setLogDate(const QString& date);
QString logFilePath();

// The start of the log, as the program makes it before anything else is
// logged: records go to `folder`/log.`date`.log, the folder is made (with
// its parents) when it is missing, and messageOutput becomes the handler. A
// write the system's file-size limit refuses fails as on a full disk, for
// the log and every other file, instead of ending the program.
void startLogging(const QString& folder, const QString& date);

// The handler installed with qInstallMessageHandler.
void messageOutput(QtMsgType type, const QMessageLogContext& context, const QString& message);

// Told when records stop reaching the log file (`writing` false, with the
// reason) and when they reach it again: once per change, not per record.
// Called on the thread that wrote the record, inside the handler: it must
// only hand the news on (a queued call, say) and emit no message. Each
// listener is known by its owner; removing it returns once no call to it is
// running.
using LogStateListener = std::function<void(bool writing, const QString& reason)>;
void addLogStateListener(const void* owner, LogStateListener listener);
void removeLogStateListener(const void* owner);
// Whether the last record reached the file; `reason` (when given) gets why not.
bool logWriting(QString* reason = nullptr);

// Closes the log file (it is also closed after every record).
void closeLogFile();

// How a record's bytes reach the open log file: an empty text on success,
// else why not. By default config_file.h's writeWhole, which gives the
// system's reason (a full disk says so); replaceable by tests. A record that
// could not be written whole is cut back off the file, which so keeps whole
// records only.
using LogWrite = std::function<QString(QFileDevice& file, const char* data, qint64 size)>;
// An empty function brings back the default.
void setLogWrite(LogWrite write);

// Removes everything inside `folder` and keeps the folder. Symbolic links are
// removed as links, never followed; each entry is tried once, so the call
// always ends. Returns the number of entries that could not be removed.
int clearFolderContents(const QString& folder);

} // namespace Zuno
