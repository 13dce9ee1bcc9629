#include "support/log_capture.h"

#include <condition_variable>
#include <mutex>

#include <QString>
#include <QtGlobal>

namespace zt {

namespace {

std::mutex logMutex;
std::condition_variable logChanged;
std::vector<std::string> logLines;
QtMessageHandler previousHandler = nullptr;

void captureMessage(QtMsgType, const QMessageLogContext&, const QString& text) {
    {
        std::lock_guard<std::mutex> lock(logMutex);
        logLines.push_back(text.toStdString());
    }
    logChanged.notify_all();
}

bool anyContains(const std::vector<std::string>& lines, const std::string& text) {
    for (const std::string& line : lines)
        if (line.find(text) != std::string::npos) return true;
    return false;
}

} // namespace

LogCapture::LogCapture() {
    std::lock_guard<std::mutex> lock(logMutex);
    logLines.clear();
    previousHandler = qInstallMessageHandler(captureMessage);
}

LogCapture::~LogCapture() { qInstallMessageHandler(previousHandler); }

std::vector<std::string> LogCapture::lines() const {
    std::lock_guard<std::mutex> lock(logMutex);
    return logLines;
}

bool LogCapture::contains(const std::string& text) const { return anyContains(lines(), text); }

int LogCapture::count(const std::string& text) const {
    int n = 0;
    for (const std::string& line : lines()) n += line.find(text) != std::string::npos ? 1 : 0;
    return n;
}

bool LogCapture::waitFor(const std::string& text, std::chrono::milliseconds timeout) const {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::unique_lock<std::mutex> lock(logMutex);
    return logChanged.wait_until(lock, deadline, [&] { return anyContains(logLines, text); });
}

bool LogCapture::waitForCount(const std::string& text, int n, std::chrono::milliseconds timeout) const {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::unique_lock<std::mutex> lock(logMutex);
    std::size_t seen = 0; // lines counted so far: each is looked at once
    int found = 0;
    return logChanged.wait_until(lock, deadline, [&] {
        for (; seen < logLines.size(); ++seen)
            found += logLines[seen].find(text) != std::string::npos ? 1 : 0;
        return found >= n;
    });
}

} // namespace zt
