#include "cleaner/engine/ActionExecution.h"

CleanStats ExecuteAction(const CAction&, const CGeneralSettings&, const CStopRequest&)
{
    return CleanStats();
}
