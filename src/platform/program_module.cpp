#include "platform/program_module.h"

#include <QCoreApplication>
#include <QLibrary>

QFunctionPointer ResolveModuleFunction(const char* module, const char* symbol)
{
    // The module sits beside the executable, wherever the data files are.
    QLibrary library(QCoreApplication::applicationDirPath() + u'/' + QLatin1String(module));
    library.setLoadHints(QLibrary::PreventUnloadHint);
    const QFunctionPointer function = library.resolve(symbol);
    if (!function)
        qWarning("%s", qPrintable(library.errorString()));
    return function;
}
