// Modules beside the executable that carry a heavy library (the audio, network and print
// stacks): each is loaded with its first use, so a start that needs none of them loads none.
#pragma once

#include <QFunctionPointer>

#include <memory>

// The function `symbol` of the module `module` ("quorvanta_network") in the executable's
// folder. A module, once loaded, stays for the life of the process: objects it made may live
// until the application ends. Null when the module or the function is missing.
QFunctionPointer ResolveModuleFunction(const char* module, const char* symbol);

// A new object of the module's factory `symbol` (a function taking nothing and returning a
// T* the caller owns); null when the module or the factory is missing.
template <typename T> std::unique_ptr<T> MakeModuleObject(const char* module, const char* symbol)
{
    const auto make = reinterpret_cast<T* (*)()>(ResolveModuleFunction(module, symbol));
    return std::unique_ptr<T>(make ? make() : nullptr);
}
