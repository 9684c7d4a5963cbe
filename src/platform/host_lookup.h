// Whether the system can find a host's address, asked of its resolver on a thread of its own.
// A machine without network learns so without loading the network stack.
#pragma once

#include <QString>

#include <functional>

class QObject;

enum class HostLookup { Found, NotFound, TimedOut };

// Runs `done` once, on `context`'s thread, from its event loop: with the answer, or with
// TimedOut after `timeoutMs`. Never once `context` is gone.
void LookUpHost(const QString& host, int timeoutMs, QObject* context,
                std::function<void(HostLookup)> done);
