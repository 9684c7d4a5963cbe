// What the error report tells about the running program: its call stack, the system and the
// loaded modules.
#pragma once

#include "common/system_facts.h"

#include <QStringList>

#include <cstddef>

// The current call stack, symbolised where debug information exists; `skip` frames of the
// caller's own are left out.
QStringList CurrentStackLines(int skip = 0);
// The same lines for return addresses taken earlier (the stack of a throw).
QStringList StackLines(void* const* frames, std::size_t count);
// The operating system, processor, memory; the screen is filled in by the caller.
SystemFacts CollectSystemFacts();
// Every module mapped into the process, as the dynamic loader lists them.
QList<ModuleFact> CollectModules();
