#pragma once
// Reading and writing the files under conf/: one reader, one writer and one
// result type that says what went wrong. Every file of conf/ (conf.json, the
// flows, the message models and the command replies) goes through here.

#include <cstddef>
#include <functional>
#include <string>

#include <QByteArray>
#include <QString>

#include "protocol/json_text.h"

class QFileDevice;

namespace Zuno {

// What became of reading or writing a file of conf/: the one vocabulary of
// every reader (settings, flows, models) and of the writer.
enum class ConfigStatus {
    Ok,
    Missing,    // no such file
    Unreadable, // there, but it cannot be opened or read
    Empty,      // read, but it holds no text
    NotJson,    // read, but no JSON or not of the file's shape
    NotWritten, // a save that did not happen; the old file is as it was
};

// What became of reading or writing one configuration file, and why.
struct ConfigResult {
    ConfigStatus status = ConfigStatus::Ok;
    QString reason; // for the user; empty when ok
    bool ok() const { return status == ConfigStatus::Ok; }
};

struct ConfigText {
    ConfigResult result;
    // The file's text as readTextFile gives it: each line up to its first NUL
    // byte (a NUL drops the rest of its line, line feed included), "\r\n"
    // read as "\n", a byte-order mark at the start dropped, bytes that are no
    // UTF-8 replaced. Empty unless the file could be read.
    std::string text;
    bool utf8 = true; // whether the file's bytes are UTF-8 throughout
    std::size_t nulLine = 0; // the first line a NUL byte cut, from 1; 0 when none
    // The same text with its bytes as the file has them, none replaced: for
    // a reader that judges each value it uses on its own.
    const std::string& asWritten() const { return utf8 ? text : raw; }
    // Why the file gives no JSON value, for the user and the log: the reason
    // it could not be read, or why `read` (of its text) gave none, with the
    // line a NUL byte cut when one did. For a value: what followed it, or "".
    QString problem(const JsonRead& read) const;

private:
    friend ConfigText readConfigText(const QString& path);
    std::string raw; // set only when the bytes are no UTF-8
};

// Reads the whole file at `path` through protocol/'s one bounded reader
// (readRegularFile): only a regular file (a link is followed) of at most
// 4 MB; anything else is Unreadable with the reason, and never waited for.
ConfigText readConfigText(const QString& path);

// Replaces the file at `path` with `text`, or leaves it exactly as it was.
// Only a text the readers take whole is written: one JSON value of at most
// kMaxFileBytes, nested at most kMaxJsonDepth levels; any other is refused
// with the readers' reason. Only where there is nothing or a regular file (a
// link is followed to one); a folder, a FIFO, a device or a link that leads
// nowhere is refused with the reason. The text goes into a new file beside
// it; every write and the final flush to the disk are checked, and only a
// complete new file takes the old one's place. A folder that takes no new
// file, a file that may not be written, a full disk: the save is refused with
// the reason, never done in place. A file that holds `text` already is not
// written again.
ConfigResult writeConfigFile(const QString& path, const std::string& text);

// The one record of a file under conf/ that gives nothing to use: its path
// (quoted), " , Json error:" and why.
void logConfigProblem(const QString& path, const QString& why);

// A value followed by more than white space (`read`) serves the session;
// a rewrite from the value would drop what follows it, so none is made.
// The note when the file is read, and the reason a save is refused.
QString ignoredTextNote(const JsonRead& read);
QString ignoredTextRefusal(const JsonRead& read);

// Whether the bytes are UTF-8 throughout: no stray, missing or overlong
// continuation byte, no surrogate and nothing beyond U+10FFFF.
bool isValidUtf8(const QByteArray& bytes);

// Writes `size` bytes of `data` into `file` (opened unbuffered, so that each
// write reaches the file and says how it went): a short write is tried again
// for the rest, which then fails with the system's reason (a full disk, a
// file grown too large). An empty text on success, else that reason.
QString writeWhole(QFileDevice& file, const char* data, qint64 size);

// The low-level steps of a save, replaceable by tests (a full disk, say).
// Each returns an empty text on success, else why it failed.
struct ConfigWriteOps {
    // Writes `size` bytes of `data` into the new file.
    std::function<QString(QFileDevice& file, const char* data, qint64 size)> write;
    // Makes what was written durable before the new file takes the old one's place.
    std::function<QString(QFileDevice& file)> sync;
};
// Replaces the steps that are set in `ops`; a default-made ConfigWriteOps
// brings back the program's own. For tests; the GUI thread only.
void setConfigWriteOps(ConfigWriteOps ops);

} // namespace Zuno
