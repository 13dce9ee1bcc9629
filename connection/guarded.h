#pragma once
// The one guard around code whose exceptions must go no further: the owner's
// callbacks in the client, the steps of the window's clean-up, the loop of a
// connection's worker thread.

#include <exception>
#include <utility>

#include <QDebug>
#include <QString>

namespace Zuno {

// Runs `step`. An exception it raises is logged as "<where> <what>" (or
// "<where> unknown exception") and goes no further. True when `step`
// returned normally.
template <class Step>
bool guarded(const char* where, Step&& step) {
    try {
        std::forward<Step>(step)();
        return true;
    } catch (const std::exception& e) {
        qDebug() << QString::fromUtf8(where) << QString::fromUtf8(e.what());
    } catch (...) {
        qDebug() << QString::fromUtf8(where) << QStringLiteral("unknown exception");
    }
    return false;
}

} // namespace Zuno
